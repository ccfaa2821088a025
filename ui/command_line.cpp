#include "ui/command_line.h"

#include <QCoreApplication>

#include <cstdio>

namespace nutrient {

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
    // Qt's own options are single words after one dash (-platform, -reverse): read as letters,
    // they would be taken for -v and the like before QApplication has removed them.
    parser_.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser_.addOptions({calculate_, format_, report_});
    parser_.addPositionalArgument(QStringLiteral("FILE"),
                                  QStringLiteral("A parameters file, opened at start as \"Open\" opens it; with "
                                                 "--calculate, one or more to compute."),
                                  QStringLiteral("[FILE...]"));
}

namespace {

// The options QGuiApplication and QApplication take out of the arguments themselves.
const QStringList kQtOwnOptions = {
    QStringLiteral("platform"),        QStringLiteral("platformpluginpath"),
    QStringLiteral("platformtheme"),   QStringLiteral("plugin"),
    QStringLiteral("qwindowgeometry"), QStringLiteral("geometry"),
    QStringLiteral("qwindowicon"),     QStringLiteral("icon"),
    QStringLiteral("qwindowtitle"),    QStringLiteral("title"),
    QStringLiteral("reverse"),         QStringLiteral("session"),
    QStringLiteral("display"),         QStringLiteral("name"),
    QStringLiteral("style"),           QStringLiteral("stylesheet"),
    QStringLiteral("widgetcount"),     QStringLiteral("nograb"),
    QStringLiteral("dograb"),          QStringLiteral("sync"),
    QStringLiteral("qmljsdebugger"),
};

}  // namespace

bool CommandLine::wantsWindows(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    parser_.parse(arguments);  // errors are told once the application has taken out its own options
    for (const QCommandLineOption& windowless : {calculate_, format_, report_, help_, version_})
        if (parser_.isSet(windowless)) return false;
    // An option that is neither the program's nor Qt's is a usage error, told without a display.
    for (const QString& unknown : parser_.unknownOptionNames())
        if (!kQtOwnOptions.contains(unknown.section(QLatin1Char('='), 0, 0))) return false;
    return true;
}

bool CommandLine::parse(const QStringList& arguments) {
    QString error;
    if (!parser_.parse(arguments)) {
        error = parser_.errorText();
    } else {
        parser_.process(arguments);  // the help and the version
        error = misuse();
    }
    if (error.isEmpty()) return true;
    const QString usage =
        QCoreApplication::applicationName() + QStringLiteral(": ") + error + QLatin1Char('\n') + parser_.helpText();
    std::fputs(usage.toLocal8Bit().constData(), stderr);
    return false;
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
    if (parser_.isSet(report_) && files > 1) return QStringLiteral("--report needs exactly one FILE.");
    return {};
}

OutputFormat CommandLine::format() const {
    return outputFormatNamed(parser_.value(format_).toStdString()).value_or(OutputFormat::Table);
}

std::optional<std::string> CommandLine::reportFileName() const {
    if (!parser_.isSet(report_)) return std::nullopt;
    return parser_.value(report_).toStdString();
}

std::vector<std::string> CommandLine::fileNames(int argc, char** argv) const {
    // The parser's arguments were decoded from these bytes; each is found again in order.
    std::vector<std::string> names;
    int next = 1;
    for (const QString& file : parser_.positionalArguments()) {
        while (next < argc && QString::fromLocal8Bit(argv[next]) != file) ++next;
        names.push_back(next < argc ? std::string(argv[next++]) : file.toStdString());
    }
    return names;
}

}  // namespace nutrient
