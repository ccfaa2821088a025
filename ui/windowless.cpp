#include "ui/windowless.h"

#include "model/analysis_export.h"
#include "model/basin_export.h"
#include "model/batch.h"
#include "model/file_system.h"
#include "model/measured_load_export.h"
#include "model/number_text.h"
#include "model/parameters_file.h"
#include "model/results_export.h"
#include "model/uncertainty_export.h"
#include "ui/analysis_report.h"
#include "ui/basin_report.h"
#include "ui/report.h"
#include "ui/uncertainty_report.h"

#include <QApplication>
#include <QDate>
#include <QLocale>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <functional>
#include <iostream>
#include <memory>
#include <variant>

namespace nutrient {

void takeRegionalSeparators() {
    const QLocale regional = QLocale::system();
    setSeparators({regional.decimalPoint().toStdString(), regional.groupSeparator().toStdString()});
    std::setlocale(LC_NUMERIC, "C");
}

namespace {

// Writes a file the command line names, whole or not at all.  False when it could not be
// written, which is reported as "OUT: text".
bool written(const std::string& fileName, const std::function<void()>& write) {
    try {
        write();
        return true;
    } catch (const Failure& failure) {
        std::cerr << messageLine(fileName, shownFailureText(failure.what()));
        return false;
    }
}

// A PDF file written whole or not at all.  False when it could not be written.
bool writePdf(const std::string& fileName, const std::function<QByteArray()>& pdf) {
    return written(fileName, [&] {
        const QByteArray bytes = pdf();
        replaceFile(fileName, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    });
}

// The report of the one catchment with the pages of its analysis; a file that was not read has
// none.  False when it could not be written.
bool writeReport(const std::string& reportName, const FileCalculation& calculation,
                 const std::vector<ReportPage>& analysisPages = {}) {
    if (!calculation.opened) return true;
    return writePdf(reportName, [&] {
        return reportPdf(calculation.parameters, calculation.results, calculation.coefficients, QDate::currentDate(),
                         analysisPages);
    });
}

// An uncertainty analysis: its draws and what they show.
struct UncertaintyAnalysis {
    UncertaintyRun run;
    UncertaintySummary summary;
};

// What an analysis of one catchment answered, as its output shows it.
using AnalysisResult =
    std::variant<Scenario, std::vector<TargetSearch>, SensitivityTable, UncertaintyAnalysis, MeasuredLoadCheck>;

// A failure that concerns another file than the catchment's: the range file.
struct FailureOfFile {
    std::string fileName;
    std::string text;
};

UncertaintyAnalysis uncertaintyOf(const AnalysisRequest& request, const Computation& baseline) {
    std::optional<UncertaintyRun> run;
    try {
        run =
            runUncertainty(baseline.parameters, loadRanges(request.rangesFileName, baseline.parameters), request.draws);
    } catch (const Failure& failure) {
        throw FailureOfFile{request.rangesFileName, failure.what()};
    }
    LoadTargets targets;
    for (const Target& target : request.targets)
        targets[static_cast<int>(target.nutrient)] = targetLoad(target.text, target.text);
    UncertaintySummary summary = summarize(*run, targets);
    return {std::move(*run), std::move(summary)};
}

// The analysis of the catchment as opened, on its baseline: the texts after the parameters
// window's show rule.  Throws Failure (or FailureOfFile) when it cannot be made.
AnalysisResult analysed(const AnalysisRequest& request, const FileCalculation& opened) {
    const Computation baseline = computeVariant(opened.parameters);
    switch (request.kind) {
    case AnalysisRequest::Kind::Scenario:
        return scenarioOf(baseline, percentChanges(request.changes));
    case AnalysisRequest::Kind::TargetSearch: {
        std::vector<TargetSearch> searches;
        for (const Target& target : request.targets) searches.push_back(searchTarget(baseline, target, request.levers));
        return searches;
    }
    case AnalysisRequest::Kind::Sensitivity:
        return sensitivityTable(baseline, request.step);
    case AnalysisRequest::Kind::Uncertainty:
        return uncertaintyOf(request, baseline);
    case AnalysisRequest::Kind::MeasuredLoad:
        return checkAgainstMeasured(baseline.parameters, request.measured, request.fit);
    }
    return {};
}

// The analysis in the format asked for.
struct Output {
    OutputFormat format;
    const std::string& fileName;
    std::string operator()(const Scenario& scenario) const { return scenarioOutput(format, fileName, scenario); }
    std::string operator()(const std::vector<TargetSearch>& searches) const {
        return targetOutput(format, fileName, searches);
    }
    std::string operator()(const SensitivityTable& table) const { return sensitivityOutput(format, fileName, table); }
    std::string operator()(const UncertaintyAnalysis& analysis) const {
        return uncertaintyOutput(format, fileName, analysis.run, analysis.summary);
    }
    std::string operator()(const MeasuredLoadCheck& check) const { return measuredLoadOutput(format, fileName, check); }
};

// The report's pages of the analysis, as the analysis window adds them: the scenario with its
// levers, each target at its cut, the sensitivity, the uncertainty, the check.
struct ReportPages {
    const std::vector<LeverChange>& changes;
    std::vector<ReportPage> operator()(const Scenario& scenario) const {
        return {scenarioReportPage(scenario, changes, {})};
    }
    std::vector<ReportPage> operator()(const std::vector<TargetSearch>& searches) const {
        std::vector<ReportPage> pages;
        for (const TargetSearch& search : searches) pages.push_back(scenarioReportPage(search.scenario, {}, {search}));
        return pages;
    }
    std::vector<ReportPage> operator()(const SensitivityTable& table) const { return {sensitivityReportPage(table)}; }
    std::vector<ReportPage> operator()(const UncertaintyAnalysis& analysis) const {
        return {uncertaintyReportPage(analysis.run, analysis.summary)};
    }
    std::vector<ReportPage> operator()(const MeasuredLoadCheck& check) const { return {measuredLoadReportPage(check)}; }
};

// Whether the figures an analysis answers with can be taken: a scenario's, the results at a
// cut, those with a fitted coefficient.  The rows of a sensitivity table and the draws of an
// uncertainty analysis that cannot be taken are shown and counted in the analysis itself.
struct Taken {
    bool operator()(const Scenario& scenario) const {
        return !scenario.baseline.rejection() && !scenario.variant.rejection();
    }
    bool operator()(const std::vector<TargetSearch>& searches) const {
        return std::none_of(searches.begin(), searches.end(),
                            [](const TargetSearch& search) { return search.verdict == TargetVerdict::Rejected; });
    }
    bool operator()(const SensitivityTable&) const { return true; }
    bool operator()(const UncertaintyAnalysis&) const { return true; }
    bool operator()(const MeasuredLoadCheck& check) const {
        return std::all_of(check.nutrients.begin(), check.nutrients.end(),
                           [](const NutrientCheck& nutrient) { return nutrient.fitted.has_value(); }) &&
               check.variant && !check.variant->rejection();
    }
};

// The variant --save-variant writes: the scenario, the results at the cut that meets the
// target, or those with the fitted coefficients; or why there is none to save.
struct VariantToSave {
    const Computation* variant = nullptr;
    std::string whyNone;
};
struct SavedVariant {
    VariantToSave operator()(const Scenario& scenario) const { return taken(scenario.variant); }
    VariantToSave operator()(const std::vector<TargetSearch>& searches) const {
        const TargetSearch& search = searches.front();
        if (search.verdict != TargetVerdict::Reached && search.verdict != TargetVerdict::AlreadyMet)
            return {nullptr, std::string("no cut meets the target (") + verdictName(search.verdict) + ")"};
        return {&search.scenario.variant, {}};
    }
    VariantToSave operator()(const SensitivityTable&) const { return {}; }
    VariantToSave operator()(const UncertaintyAnalysis&) const { return {}; }
    VariantToSave operator()(const MeasuredLoadCheck& check) const {
        if (!check.variant) return {nullptr, "no coefficient was fitted"};
        return taken(*check.variant);
    }

private:
    static VariantToSave taken(const Computation& variant) {
        if (const std::optional<std::string> rejection = variant.rejection())
            return {nullptr, "the variant's results cannot be taken: " + *rejection};
        return {&variant, {}};
    }
};

// The variant as a parameters file, written as "Save" writes one.
bool saveVariant(const std::string& fileName, const VariantToSave& toSave) {
    if (!toSave.variant) {
        std::cerr << messageLine(fileName, shownFailureText("not saved: " + toSave.whyNone));
        return false;
    }
    return written(fileName, [&] {
        MessageLog boxes;
        ParameterSet parameters(boxes, toSave.variant->parameters);
        saveParameters(parameters, fileName, boxes);
    });
}

bool writeDraws(const std::string& fileName, const AnalysisResult& result, OutputFormat format) {
    const std::string draws = drawsCsv(std::get<UncertaintyAnalysis>(result).run);
    return written(fileName, [&] {
        replaceFile(fileName, format == OutputFormat::RussianCsv ? csvInDialect(draws, kRussianSpreadsheetCsv) : draws);
    });
}

// One catchment opened as --calculate opens it, its boxes and notes on standard error, then the
// analysis on its baseline, the files the analysis writes and the catchment's report.
int analyseFile(const std::string& fileName, const AnalysisRequest& request, OutputFormat format,
                const std::optional<std::string>& report) {
    const FileCalculation calculation = calculateFile(fileName, Waiting::ForTheWriter);
    std::cerr << fileMessageLines(fileName, calculation);
    if (!calculation.opened) return kExitSomeFailed;
    bool succeeded = calculation.computed;
    std::optional<AnalysisResult> result;
    try {
        result = analysed(request, calculation);
    } catch (const Failure& failure) {
        std::cerr << messageLine(fileName, shownFailureText(failure.what()));
    } catch (const FailureOfFile& failure) {
        std::cerr << messageLine(failure.fileName, shownFailureText(failure.text));
    }
    if (result) {
        std::cout << std::visit(Output{format, fileName}, *result);
        succeeded = std::visit(Taken{}, *result) && succeeded;
        if (request.drawsFileName) succeeded = writeDraws(*request.drawsFileName, *result, format) && succeeded;
        if (request.variantFileName)
            succeeded = saveVariant(*request.variantFileName, std::visit(SavedVariant{}, *result)) && succeeded;
    } else {
        succeeded = false;
    }
    // The report holds the catchment's pages, then the analysis's when it was made.
    if (report)
        succeeded =
            writeReport(*report, calculation,
                        result ? std::visit(ReportPages{request.changes}, *result) : std::vector<ReportPage>{}) &&
            succeeded;
    return succeeded ? kExitAllComputed : kExitSomeFailed;
}

// The application of a computation: a report paints text and charts, which takes a
// QApplication, on the offscreen platform so that it needs no display either.
class WindowlessApplication {
public:
    WindowlessApplication(std::vector<std::string>& arguments, bool paints) {
        for (std::string& argument : arguments) argv_.push_back(argument.data());
        argv_.push_back(nullptr);
        argc_ = static_cast<int>(arguments.size());
        if (!paints) {
            application_ = std::make_unique<QCoreApplication>(argc_, argv_.data());
            return;
        }
        qputenv("QT_QPA_PLATFORM", "offscreen");
        application_ = std::make_unique<QApplication>(argc_, argv_.data());
    }

private:
    // The application keeps references to these for its whole life.
    int argc_ = 0;
    std::vector<char*> argv_;
    std::unique_ptr<QCoreApplication> application_;
};

// The computation the command line asks for: a basin, an analysis of one catchment, or
// catchments one by one, each with its report when one is asked for.
int compute(CommandLine& commandLine, const std::optional<std::string>& report) {
    const OutputFormat format = commandLine.format();
    if (const std::optional<std::string> basin = commandLine.basinFileName()) {
        bool basinReportWritten = true;
        const int status = calculateBasin(*basin, format, std::cout, std::cerr, [&](const BasinAnalysis& analysis) {
            if (report)
                basinReportWritten =
                    writePdf(*report, [&] { return basinReportPdf(analysis, *basin, QDate::currentDate()); });
        });
        return basinReportWritten ? status : kExitSomeFailed;
    }
    if (const std::optional<AnalysisRequest>& analysis = commandLine.analysis())
        return analyseFile(commandLine.fileNames().front(), *analysis, format, report);
    bool reportWritten = true;
    const int status = calculateFiles(commandLine.filesToCompute(), format, std::cout, std::cerr,
                                      [&](const FileCalculation& calculation) {
                                          if (report) reportWritten = writeReport(*report, calculation);
                                      });
    return reportWritten ? status : kExitSomeFailed;
}

}  // namespace

// The results go to standard output; when they could not all be written there (a full disk),
// the run has failed whatever the calculations did.
int runWithoutWindows(CommandLine& commandLine) {
    const std::optional<std::string> report = commandLine.reportFileName();
    const WindowlessApplication application(commandLine.programArguments(), report.has_value());
    takeRegionalSeparators();
    int status = compute(commandLine, report);
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "nutrient-load: standard output: %s\n", std::strerror(errno));
        status = kExitSomeFailed;
    }
    return status;
}

}  // namespace nutrient
