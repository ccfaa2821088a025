#pragma once
// An uncertainty analysis as texts that leave the program: a table a person reads, CSV and
// JSON, each naming the file and the object as the results do, and every draw as CSV.

#include "batch.h"
#include "uncertainty.h"

#include <string>
#include <vector>

namespace nutrient {

// A summarized figure and its key ("L(P)", "Rt(N)"), in the order every output lists them: per
// nutrient, the results in the results window's order, then the transport coefficient.
struct SummarizedFigure {
    std::string key;
    const Statistics& statistics;
};
std::vector<SummarizedFigure> summarizedFigures(const UncertaintySummary& summary);

// The share of the computed draws at most the target, in per cent with two decimals ("95.12");
// empty when no draw computed.
std::string percentAtMostTarget(const UncertaintySummary& summary, const TargetShare& share);

// The draws, the seed, the ranges, the failed draws by reason, the mean and percentiles per
// nutrient (Ltot, Lret, L, Lnat, M, Rt), the share at most each target and the histograms of L.
std::string uncertaintyTable(const std::string& fileName, const UncertaintyRun& run, const UncertaintySummary& summary);

// A header and one record per figure (Ltot(P) ... Rt(P), then N): file, object, quantity, mean,
// p5, p50, p95, the draws, those computed and those failed, and on the rows of L the target and
// the percentage of draws at most it.
std::string uncertaintyCsv(const std::string& fileName, const UncertaintyRun& run, const UncertaintySummary& summary);

// One JSON object on one line: file, object, draws, seed, computed, the ranges, the baseline's
// 26 texts, each figure ("L(P)": {"mean", "p5", "p50", "p95"}, null when no draw computed),
// "histograms" of L, "failed" with a count per reason and "share_at_most_target" per L with a
// target.
std::string uncertaintyJson(const std::string& fileName, const UncertaintyRun& run, const UncertaintySummary& summary);

// The analysis in a format of the command line: the table, the CSV (in a spreadsheet's dialect
// for csv-ru) or the JSON object on a line of its own.
std::string uncertaintyOutput(OutputFormat format, const std::string& fileName, const UncertaintyRun& run,
                              const UncertaintySummary& summary);

// Every draw: its number from 1, the drawn text of each ranged parameter (headed by its symbol),
// L(P) and L(N) as it showed them, and why its results cannot be taken (empty when they can).
std::string drawsCsv(const UncertaintyRun& run);

}  // namespace nutrient
