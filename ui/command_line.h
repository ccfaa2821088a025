#pragma once
// The program's command line, in Qt's conventions (QCommandLineParser): the windows, with a
// parameters file opened at start, or catchments computed without a window.  The whole command
// line is read before any application exists, so that nothing it says can end in an
// application that needs a display the computation does not have.

#include "model/batch.h"
#include "model/levers.h"
#include "model/measured_load.h"
#include "model/sensitivity.h"
#include "model/target_search.h"
#include "model/uncertainty.h"

#include <QCommandLineOption>
#include <QCommandLineParser>

#include <optional>
#include <string>
#include <vector>

namespace nutrient {

// A command line the program cannot follow: an unknown option, a bad value, options that do
// not go together.
inline constexpr int kExitUsage = 2;

// The analysis of one catchment the command line asks for, its values read and checked.
struct AnalysisRequest {
    enum class Kind { Scenario, TargetSearch, Sensitivity, Uncertainty, MeasuredLoad };
    Kind kind;
    std::vector<LeverChange> changes;  // --change
    // --target: what the search reaches, or what the share of the draws is counted against.
    std::vector<Target> targets;
    std::vector<LeverChoice> levers;             // --levers
    std::string step = kDefaultSensitivityStep;  // --step
    std::string rangesFileName;                  // --uncertainty
    DrawSettings draws;                          // --draws, --seed
    std::optional<std::string> drawsFileName;    // --draws-out
    MeasuredLoads measured;                      // --observed
    FittedCoefficient fit = FittedCoefficient::A;
    // --save-variant, with the ".txt" that Save would add.
    std::optional<std::string> variantFileName;
};

class CommandLine {
public:
    // Also gives the application the name and version --version prints.
    CommandLine();

    enum class Request { Windows, Computation, Information, UsageError };
    // Reads the arguments, Qt's own options (-platform, -style, -reverse …) and their values
    // left to the windows' application.  A usage error is printed here, a one-line error and
    // the usage on standard error.
    Request read(int argc, char** argv);
    // Prints the help (--help, --help-all) or the version and returns the exit status.
    int printInformation();

    // The arguments without Qt's own options: what an application of the computation takes,
    // so that it neither looks for a platform nor lays its pages out right to left.
    std::vector<std::string>& programArguments() { return programArguments_; }

    OutputFormat format() const;
    // The PDF report's file name, when --report asks for one, as the bytes the system gave.
    std::optional<std::string> reportFileName() const;
    // The FILE arguments as the bytes the system gave, so that a name that is not UTF-8 opens.
    std::vector<std::string> fileNames() const;
    // The FILEs and the lists of --files-from.
    FilesToCompute filesToCompute() const;
    // The basin file of --basin, which is computed instead of FILEs.
    std::optional<std::string> basinFileName() const;
    // The analysis of the one FILE, when one is asked for.
    const std::optional<AnalysisRequest>& analysis() const { return analysis_; }

private:
    bool calculates() const { return parser_.isSet(calculate_); }
    // Each throws the usage error of options that cannot be followed together, or of a value
    // that cannot be read; readAnalysis keeps the analysis asked for.
    void checkWithoutComputation() const;
    void checkBasin() const;
    void checkCalculation();
    void checkFormat() const;
    void checkOneFile(const QString& option) const;
    void readAnalysis();
    void checkReport() const;
    void checkOutputsLeaveInputs() const;
    // An option's value as the bytes the system gave, read by `read`; a value it refuses (a
    // Failure) is a usage error naming the option.
    template <class Read>
    auto readValue(const char* option, Read reader) const;
    // An argument's bytes; arguments are read as Latin-1 so that every byte comes back.
    static std::string bytesOf(const QString& argument) { return argument.toLatin1().toStdString(); }
    std::optional<std::string> valueBytes(const QString& option) const;

    std::vector<std::string> programArguments_;
    QStringList arguments_;
    QCommandLineParser parser_;
    QCommandLineOption help_;
    QCommandLineOption version_;
    QCommandLineOption calculate_;
    QCommandLineOption format_;
    QCommandLineOption report_;
    std::optional<AnalysisRequest> analysis_;
};

}  // namespace nutrient
