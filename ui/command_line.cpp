#include "ui/command_line.h"

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <memory>

namespace nutrient {

namespace {

// The options QGuiApplication and QApplication take out of the arguments themselves, with
// whether a value follows them.
struct QtOption {
    const char* name;
    bool takesValue;
};
constexpr QtOption kQtOwnOptions[] = {
    {"platform", true},
    {"platformpluginpath", true},
    {"platformtheme", true},
    {"plugin", true},
    {"qwindowgeometry", true},
    {"geometry", true},
    {"qwindowicon", true},
    {"icon", true},
    {"qwindowtitle", true},
    {"title", true},
    {"session", true},
    {"display", true},
    {"name", true},
    {"style", true},
    {"stylesheet", true},
    {"qmljsdebugger", false},
    {"reverse", false},
    {"widgetcount", false},
    {"nograb", false},
    {"dograb", false},
    {"sync", false},
};

// The Qt option an argument names ("-platform", "--style", "-qmljsdebugger=…"), if any.
const QtOption* qtOptionOf(std::string_view argument) {
    if (!argument.starts_with('-')) return nullptr;
    argument.remove_prefix(argument.starts_with("--") ? 2 : 1);
    const std::string_view name = argument.substr(0, argument.find('='));
    for (const QtOption& option : kQtOwnOptions)
        if (name == option.name) return &option;
    return nullptr;
}

// The arguments with Qt's own options and their values left out; nothing after "--" is an option.
std::vector<std::string> withoutQtOptions(int argc, char** argv) {
    std::vector<std::string> arguments;
    bool optionsEnded = false;
    for (int i = 0; i < argc; ++i) {
        const std::string_view argument = argv[i];
        const QtOption* qt = i > 0 && !optionsEnded ? qtOptionOf(argument) : nullptr;
        if (argument == "--") optionsEnded = true;
        if (!qt) {
            arguments.emplace_back(argument);
            continue;
        }
        if (qt->takesValue && argument.find('=') == std::string_view::npos) ++i;
    }
    return arguments;
}

// Standard error carries the usage errors and the boxes as "FILE: text" lines; Qt's own notes
// about its platform (such as a missing XDG_RUNTIME_DIR) would come between them.  Its critical
// and fatal messages still come through.
void keepQtNotesOffStandardError(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// An application on the program's name alone, for the texts that name the program and its
// options; one of the windows on the offscreen platform, so that it needs no display.
class ProgramNamingApplication {
public:
    ProgramNamingApplication(std::string& program, bool windows) : argv_{program.data(), nullptr} {
        if (!windows) {
            application_ = std::make_unique<QCoreApplication>(argc_, argv_);
            return;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application_ = std::make_unique<QApplication>(argc_, argv_);
    }

private:
    int argc_ = 1;
    char* argv_[2];
    std::unique_ptr<QCoreApplication> application_;
};

bool endsInPdf(const std::string& name) {
    return name.size() >= 4 && QString::fromLatin1(name.substr(name.size() - 4)).toLower() == QLatin1String(".pdf");
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

}  // namespace

CommandLine::CommandLine()
    : help_(parser_.addHelpOption()),
      version_(parser_.addVersionOption()),
      calculate_(QStringLiteral("calculate"),
                 QStringLiteral("Compute every FILE without a window, as Open, closing the parameters window and "
                                "\"Расчет\" do, and print the results; \"-\" is standard input.")),
      format_(QStringLiteral("format"), QStringLiteral("With --calculate: table (default), csv or json."),
              QStringLiteral("FORMAT"), QStringLiteral("table")),
      report_(QStringLiteral("report"),
              QStringLiteral("With --calculate and one FILE: also write the PDF report of that catchment."),
              QStringLiteral("OUT.pdf")) {
    QCoreApplication::setApplicationName(QStringLiteral("nutrient-load"));
    QCoreApplication::setApplicationVersion(QStringLiteral(NUTRIENT_VERSION));
    parser_.setApplicationDescription(
        QStringLiteral("Расчет формирования биогенной нагрузки: the annual phosphorus and nitrogen load formed on "
                       "the catchment of a lake or a bay."));
    // Single words after one dash (-platform) are taken as long options, as Qt's own are.
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser_.addOptions({calculate_, format_, report_});
    parser_.addPositionalArgument(QStringLiteral("FILE"),
                                  QStringLiteral("A parameters file, opened at start as \"Open\" opens it; with "
                                                 "--calculate, one or more to compute."),
                                  QStringLiteral("[FILE...]"));
}

CommandLine::Request CommandLine::read(int argc, char** argv) {
    programArguments_ = withoutQtOptions(argc, argv);
    for (const std::string& argument : programArguments_) arguments_ << QString::fromLatin1(argument);
    QString error;
    if (!parser_.parse(arguments_)) {
        error = parser_.errorText();
    } else if (parser_.isSet(help_) || parser_.isSet(version_) || parser_.isSet(QStringLiteral("help-all"))) {
        return Request::Information;
    } else {
        error = misuse();
    }
    if (error.isEmpty()) {
        if (!calculates()) return Request::Windows;
        qInstallMessageHandler(keepQtNotesOffStandardError);
        return Request::Computation;
    }
    // The arguments quoted in the error come back as the bytes they were given in; the usage
    // names the program as an application knows it.
    const ProgramNamingApplication application(programArguments_.front(), false);
    const QByteArray line = QCoreApplication::applicationName().toLocal8Bit() + ": " + error.toLatin1() + '\n';
    std::fputs((line + parser_.helpText().toLocal8Bit()).constData(), stderr);
    return Request::UsageError;
}

int CommandLine::printInformation() {
    qInstallMessageHandler(keepQtNotesOffStandardError);
    // --help-all lists the options of Qt's windows too, which only an application of the windows
    // knows.
    const ProgramNamingApplication application(programArguments_.front(), parser_.isSet(QStringLiteral("help-all")));
    parser_.process(arguments_);  // prints and ends the process with status 0
    return 0;
}

QString CommandLine::misuse() const {
    const qsizetype files = parser_.positionalArguments().size();
    if (!calculates()) {
        if (parser_.isSet(format_)) return QStringLiteral("--format needs --calculate.");
        if (parser_.isSet(report_)) return QStringLiteral("--report needs --calculate.");
        if (files > 1) return QStringLiteral("More than one FILE needs --calculate.");
        return {};
    }
    if (!outputFormatNamed(parser_.value(format_).toStdString()))
        return QStringLiteral("Unknown format '%1': table, csv or json.").arg(parser_.value(format_));
    if (files == 0) return QStringLiteral("--calculate needs a FILE (\"-\" for standard input).");
    if (parser_.positionalArguments().count(QStringLiteral("-")) > 1)
        return QStringLiteral("Standard input (\"-\") can be read only once.");
    return reportMisuse();
}

// The report is written only as a new PDF file, and never over a file it is made from.
QString CommandLine::reportMisuse() const {
    if (!parser_.isSet(report_)) return {};
    if (parser_.positionalArguments().size() > 1) return QStringLiteral("--report needs exactly one FILE.");
    const std::string out = bytesOf(parser_.value(report_));
    if (out == "-") return QStringLiteral("--report writes a file, not standard output.");
    if (!endsInPdf(out))
        return QStringLiteral("--report needs a name ending in \".pdf\": '%1'.").arg(parser_.value(report_));
    for (const std::string& file : fileNames())
        if (sameFile(out, file))
            return QStringLiteral("--report would replace the parameters file '%1'.").arg(parser_.value(report_));
    return {};
}

OutputFormat CommandLine::format() const {
    return outputFormatNamed(parser_.value(format_).toStdString()).value_or(OutputFormat::Table);
}

std::optional<std::string> CommandLine::reportFileName() const {
    if (!parser_.isSet(report_)) return std::nullopt;
    return bytesOf(parser_.value(report_));
}

std::vector<std::string> CommandLine::fileNames() const {
    std::vector<std::string> names;
    for (const QString& file : parser_.positionalArguments()) names.push_back(bytesOf(file));
    return names;
}

}  // namespace nutrient
