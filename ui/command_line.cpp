#include "ui/command_line.h"

#include "model/parameters_file.h"

#include <QApplication>

#include <algorithm>
#include <array>

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

// A name's last characters, in any case: "r.PDF" ends in ".pdf".
bool endsIn(const std::string& name, std::string_view suffix) {
    return name.size() >= suffix.size() && QString::fromLatin1(name.substr(name.size() - suffix.size())).toLower() ==
                                               QLatin1String(suffix.data(), qsizetype(suffix.size()));
}

bool sameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error);
}

// A command line the program cannot follow, with the one line that says why.
struct UsageError {
    QString text;
};
[[noreturn]] void refuse(const QString& text) { throw UsageError{text}; }

QString dashed(const char* option) { return QStringLiteral("--") + QLatin1String(option); }

// A file an option writes: never standard output, and with the name's suffix given.
void checkWrittenName(const char* option, const std::string& name, const char* suffix) {
    if (name == "-") refuse(dashed(option) + " writes a file, not standard output.");
    const bool suffixed = std::string_view(suffix) == "txt" ? hasTextExtension(name) : endsIn(name, suffix);
    if (!suffixed)
        refuse(QStringLiteral("%1 needs a name ending in \"%2\": '%3'.")
                   .arg(dashed(option), QLatin1String(suffix), QString::fromLatin1(name)));
}

// The options that choose an analysis of the one FILE, one at a time.  --levers chooses the
// target search: --target alone also counts the draws of an uncertainty analysis.
struct AnalysisOption {
    const char* option;
    AnalysisRequest::Kind kind;
};
constexpr AnalysisOption kAnalysisOptions[] = {
    {"change", AnalysisRequest::Kind::Scenario},         {"levers", AnalysisRequest::Kind::TargetSearch},
    {"sensitivity", AnalysisRequest::Kind::Sensitivity}, {"uncertainty", AnalysisRequest::Kind::Uncertainty},
    {"observed", AnalysisRequest::Kind::MeasuredLoad},
};

// The options that refine an analysis, each needing one of the options named.
struct Refinement {
    const char* option;
    std::array<const char*, 3> needsOneOf;
    const char* needs;  // as the usage error says it
};
constexpr Refinement kRefinements[] = {
    {"target", {"levers", "uncertainty"}, "--levers or --uncertainty"},
    {"levers", {"target"}, "--target"},
    {"step", {"sensitivity"}, "--sensitivity"},
    {"draws", {"uncertainty"}, "--uncertainty"},
    {"seed", {"uncertainty"}, "--uncertainty"},
    {"draws-out", {"uncertainty"}, "--uncertainty"},
    {"fit", {"observed"}, "--observed"},
    {"save-variant", {"change", "levers", "observed"}, "--change, --target with --levers, or --observed"},
};

// The options of the computation without a window beyond --calculate, --format and --report,
// with their help.
struct OptionHelp {
    const char* option;
    const char* valueName;  // none for a switch
    QString description;
};
std::vector<OptionHelp> computationOptions() {
    return {
        {"files-from", "LIST",
         QStringLiteral("With --calculate: also compute the files LIST names, one a line (\"-\" is standard input); "
                        "may be given more than once.")},
        {"basin", "BASIN.csv",
         QStringLiteral("Compute the basin of sub-catchments the file lists, upstream first, without a window.")},
        {"change", "LEVER=P[,...]",
         QStringLiteral("With --calculate and one FILE: move levers by P per cent (LEVER:P or LEVER:N for one "
                        "nutrient) and print the baseline and the scenario.  Levers: %1.")
             .arg(QString::fromStdString(leverNames()))},
        {"target", "P=T[,N=T]",
         QStringLiteral("With --levers: the least cut that brings L to at most T t/yr; with --uncertainty: the "
                        "share of the draws at most T.")},
        {"levers", "LEVER[,...]", QStringLiteral("The levers --target cuts together.")},
        {"sensitivity", nullptr,
         QStringLiteral("With --calculate and one FILE: how L changes with each parameter moved down and up.")},
        {"step", "S",
         QStringLiteral("With --sensitivity: the step in per cent (%1 by default).")
             .arg(QLatin1String(kDefaultSensitivityStep))},
        {"uncertainty", "RANGES.csv",
         QStringLiteral("With --calculate and one FILE: uncertainty bands by Monte Carlo over the ranges of the "
                        "file (parameter,low,high,distribution).")},
        {"draws", "N",
         QStringLiteral("With --uncertainty: the number of draws, 1 to %1 (%2 by default).")
             .arg(kMaxDraws)
             .arg(kDefaultDraws)},
        {"seed", "S", QStringLiteral("With --uncertainty: the seed of the draws (%1 by default).").arg(kDefaultSeed)},
        {"draws-out", "FILE.csv", QStringLiteral("With --uncertainty: also write every draw as CSV.")},
        {"observed", "P=L[,N=L]",
         QStringLiteral("With --calculate and one FILE: hold L against the load measured at the outlet (t/yr) and "
                        "fit the retention to it.")},
        {"fit", "a|b", QStringLiteral("With --observed: the retention coefficient a (default) or exponent b.")},
        {"save-variant", "OUT.txt",
         QStringLiteral("With --change, --target and --levers, or --observed: also save the variant as a "
                        "parameters file.")},
    };
}

}  // namespace

CommandLine::CommandLine()
    : help_(parser_.addHelpOption()),
      version_(parser_.addVersionOption()),
      calculate_(QStringLiteral("calculate"),
                 QStringLiteral("Compute every FILE without a window, as Open, closing the parameters window and "
                                "\"Расчет\" do, and print the results; \"-\" is standard input.")),
      format_(QStringLiteral("format"),
              QStringLiteral("With --calculate or --basin: %1 (table by default).")
                  .arg(QString::fromStdString(outputFormatNames())),
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
    for (const OptionHelp& option : computationOptions()) {
        parser_.addOption(option.valueName ? QCommandLineOption(QLatin1String(option.option), option.description,
                                                                QLatin1String(option.valueName))
                                           : QCommandLineOption(QLatin1String(option.option), option.description));
    }
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
        try {
            if (basinFileName()) checkBasin();
            else if (calculates()) checkCalculation();
            else checkWithoutComputation();
        } catch (const UsageError& usage) {
            error = usage.text;
        }
    }
    if (error.isEmpty()) {
        if (!calculates() && !basinFileName()) return Request::Windows;
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

// The windows take one FILE and nothing of a computation.
void CommandLine::checkWithoutComputation() const {
    if (parser_.isSet(format_)) refuse(QStringLiteral("--format needs --calculate or --basin."));
    for (const OptionHelp& option : computationOptions())
        if (parser_.isSet(QLatin1String(option.option))) refuse(dashed(option.option) + " needs --calculate.");
    if (parser_.isSet(report_)) refuse(QStringLiteral("--report needs --calculate."));
    if (parser_.positionalArguments().size() > 1) refuse(QStringLiteral("More than one FILE needs --calculate."));
}

// A basin file names its parameters files itself, and is computed as a whole.
void CommandLine::checkBasin() const {
    if (calculates()) refuse(QStringLiteral("--basin and --calculate do not go together."));
    if (!parser_.positionalArguments().isEmpty())
        refuse(QStringLiteral("--basin takes no FILE: the basin file names its parameters files."));
    for (const OptionHelp& option : computationOptions())
        if (std::string_view(option.option) != "basin" && parser_.isSet(QLatin1String(option.option)))
            refuse(dashed(option.option) + " does not go with --basin.");
    checkFormat();
    checkReport();
    checkOutputsLeaveInputs();
}

void CommandLine::checkCalculation() {
    checkFormat();
    if (parser_.positionalArguments().isEmpty() && !parser_.isSet(QStringLiteral("files-from")))
        refuse(QStringLiteral("--calculate needs a FILE (\"-\" for standard input) or --files-from LIST."));
    if (filesToCompute().readStandardInputTwice())
        refuse(QStringLiteral("Standard input (\"-\") can be read only once."));
    readAnalysis();
    checkReport();
    checkOutputsLeaveInputs();
}

void CommandLine::checkFormat() const {
    if (!outputFormatNamed(parser_.value(format_).toStdString()))
        refuse(QStringLiteral("Unknown format '%1': %2.")
                   .arg(parser_.value(format_), QString::fromStdString(outputFormatNames())));
}

void CommandLine::checkOneFile(const QString& option) const {
    if (parser_.isSet(QStringLiteral("files-from"))) refuse(option + " needs exactly one FILE, not --files-from.");
    if (parser_.positionalArguments().size() != 1) refuse(option + " needs exactly one FILE.");
}

template <class Read>
auto CommandLine::readValue(const char* option, Read reader) const {
    const std::string text = bytesOf(parser_.value(QLatin1String(option)));
    try {
        return reader(text);
    } catch (const Failure& failure) {
        refuse(dashed(option) + ": " + QString::fromLatin1(shownFailureText(failure.what())));
    }
}

void CommandLine::readAnalysis() {
    const auto given = [&](const char* option) { return option && parser_.isSet(QLatin1String(option)); };
    const AnalysisOption* chosen = nullptr;
    for (const AnalysisOption& analysis : kAnalysisOptions) {
        if (!given(analysis.option)) continue;
        if (chosen)
            refuse(QStringLiteral("%1 and %2 are two analyses: give one at a time.")
                       .arg(dashed(chosen->option), dashed(analysis.option)));
        chosen = &analysis;
    }
    for (const Refinement& refinement : kRefinements) {
        if (given(refinement.option) && std::none_of(refinement.needsOneOf.begin(), refinement.needsOneOf.end(), given))
            refuse(dashed(refinement.option) + " needs " + QLatin1String(refinement.needs) + ".");
    }
    if (!chosen) return;
    checkOneFile(dashed(chosen->option));

    AnalysisRequest request;
    request.kind = chosen->kind;
    if (given("change")) request.changes = readValue("change", parseLeverChanges);
    if (given("target")) request.targets = readValue("target", parseTargets);
    if (given("levers")) request.levers = readValue("levers", parseLeverChoices);
    if (given("step")) {
        request.step = readValue("step", [](const std::string& text) {
            sensitivityStep(text);
            return text;
        });
    }
    if (given("uncertainty")) request.rangesFileName = *valueBytes("uncertainty");
    if (given("draws")) request.draws.draws = readValue("draws", parseDrawCount);
    if (given("seed")) request.draws.seed = readValue("seed", parseSeed);
    if (given("draws-out")) {
        request.drawsFileName = valueBytes("draws-out");
        checkWrittenName("draws-out", *request.drawsFileName, ".csv");
    }
    if (given("observed")) request.measured = readValue("observed", parseMeasuredLoads);
    if (given("fit")) {
        request.fit = readValue("fit", [](const std::string& text) {
            const std::optional<FittedCoefficient> coefficient = fittedCoefficientNamed(text);
            if (!coefficient) throw Failure("Unknown coefficient " + readableQuote(text) + ": a or b.");
            return *coefficient;
        });
    }
    if (given("save-variant")) {
        const std::string name = *valueBytes("save-variant");
        if (name != "-") request.variantFileName = withTextExtension(name);
        checkWrittenName("save-variant", request.variantFileName.value_or(name), "txt");
        if (request.kind == AnalysisRequest::Kind::TargetSearch && request.targets.size() > 1)
            refuse(QStringLiteral("--save-variant saves the cut of one target: P=T or N=T."));
    }
    analysis_ = std::move(request);
}

// The report is of one catchment, written only as a new PDF file.  Its pages are those of a
// catchment: a basin has none to print.
void CommandLine::checkReport() const {
    if (!parser_.isSet(report_)) return;
    if (basinFileName()) refuse(QStringLiteral("--report and --basin do not go together."));
    else checkOneFile(QStringLiteral("--report"));
    checkWrittenName("report", bytesOf(parser_.value(report_)), ".pdf");
}

// Nothing the program writes replaces a file it reads, however either is named.
void CommandLine::checkOutputsLeaveInputs() const {
    struct Named {
        const char* what;
        std::string name;
    };
    std::vector<Named> inputs;
    for (const std::string& file : fileNames()) inputs.push_back({"parameters file", file});
    if (const std::optional<std::string> basin = basinFileName()) inputs.push_back({"basin file", *basin});
    if (analysis_ && analysis_->kind == AnalysisRequest::Kind::Uncertainty)
        inputs.push_back({"range file", analysis_->rangesFileName});
    std::vector<Named> outputs;
    if (const std::optional<std::string> report = reportFileName()) outputs.push_back({"report", *report});
    if (analysis_ && analysis_->variantFileName) outputs.push_back({"save-variant", *analysis_->variantFileName});
    if (analysis_ && analysis_->drawsFileName) outputs.push_back({"draws-out", *analysis_->drawsFileName});
    for (const Named& output : outputs)
        for (const Named& input : inputs)
            if (sameFile(output.name, input.name))
                refuse(QStringLiteral("%1 would replace the %2 '%3'.")
                           .arg(dashed(output.what), QLatin1String(input.what), QString::fromLatin1(output.name)));
}

OutputFormat CommandLine::format() const {
    return outputFormatNamed(parser_.value(format_).toStdString()).value_or(OutputFormat::Table);
}

std::optional<std::string> CommandLine::valueBytes(const QString& option) const {
    if (!parser_.isSet(option)) return std::nullopt;
    return bytesOf(parser_.value(option));
}

std::optional<std::string> CommandLine::reportFileName() const { return valueBytes(QStringLiteral("report")); }

std::optional<std::string> CommandLine::basinFileName() const { return valueBytes(QStringLiteral("basin")); }

std::vector<std::string> CommandLine::fileNames() const {
    std::vector<std::string> names;
    for (const QString& file : parser_.positionalArguments()) names.push_back(bytesOf(file));
    return names;
}

FilesToCompute CommandLine::filesToCompute() const {
    std::vector<std::string> lists;
    for (const QString& list : parser_.values(QStringLiteral("files-from"))) lists.push_back(bytesOf(list));
    return {fileNames(), std::move(lists)};
}

}  // namespace nutrient
