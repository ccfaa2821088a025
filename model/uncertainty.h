#pragma once
// Uncertainty bands by Monte Carlo: the catchment computed many times over with its ranged
// parameters drawn at random, and what the draws show per nutrient.  Every draw is a variant
// (the drawn values written in the general format, the show rule, the calculation of
// "Расчет"), and every figure summarized is a displayed text or its value.
//
// Reproducible on every build and with any number of threads: one std::mt19937_64 stream from
// the seed gives, draw by draw and range by range in their order, u = (next >> 11) · 2^-53;
// the draws are computed on all cores and each kept at its own index.

#include "computation.h"
#include "uncertainty_ranges.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nutrient {

inline constexpr std::size_t kDefaultDraws = 10000;
inline constexpr std::size_t kMaxDraws = 1000000;
inline constexpr std::uint64_t kDefaultSeed = 1;

// The number of draws and the seed as the user types them: whole numbers, the draws from 1 to
// kMaxDraws, the seed from 0 to 2^64 - 1.  Throw Failure quoting the text.
std::size_t parseDrawCount(std::string_view text);
std::uint64_t parseSeed(std::string_view text);

// The results summarized, in the results window's row order.
inline constexpr std::array<Quantity, 5> kSummarizedQuantities = {Quantity::Ltot, Quantity::Lret, Quantity::L,
                                                                  Quantity::Lnat, Quantity::M};
inline constexpr std::size_t kSummarizedCells = 2 * kSummarizedQuantities.size();

// What one draw showed: the summarized result texts, the transport coefficients, and why its
// results cannot be taken (the failure its calculation stopped with, or the error box of a
// load below its natural component); the reason is empty for a draw that computed.
struct DrawOutcome {
    std::array<std::string, kSummarizedCells> shown;
    TransportCoefficients coefficients;
    std::string rejection;

    bool computed() const { return rejection.empty(); }
    // A summarized result's text; Quantity must be one of kSummarizedQuantities.
    const std::string& text(Quantity quantity, Nutrient nutrient) const;
};

struct DrawSettings {
    std::size_t draws = kDefaultDraws;
    std::uint64_t seed = kDefaultSeed;
    unsigned threads = 0;  // 0: as many as the machine has cores
};

struct UncertaintyRun {
    Computation baseline;  // the set as it stands, after the show rule
    std::vector<UncertaintyRange> ranges;
    std::vector<ResolvedRange> resolved;  // the same, on the baseline
    std::uint64_t seed = kDefaultSeed;
    std::vector<double> uniforms;    // draw by draw, range by range
    std::vector<DrawOutcome> draws;  // by draw

    // The general-format text of a ranged parameter in a draw.
    std::string drawnText(std::size_t draw, std::size_t range) const;
};

// The window runs the draws off its own thread: `progress` is called on the calling thread
// with the draws done so far, and a `stop` set to true ends the run early.
struct RunControl {
    std::function<void(std::size_t done, std::size_t total)> progress;
    const std::atomic<bool>* stop = nullptr;
};

// Draws the ranged parameters of the texts (as they stand: the show rule comes first) and
// computes every draw.  Throws Failure for a number of draws outside 1 ... kMaxDraws, or for a
// range its resolveRange refuses, naming the parameter's symbol.  Nothing when stopped.
std::optional<UncertaintyRun> runUncertainty(const ParameterTexts& texts, const std::vector<UncertaintyRange>& ranges,
                                             const DrawSettings& settings, const RunControl& control = {});

// A figure over the draws that computed: the mean written with the row's decimals (its sum
// taken in draw order), and the 5th, 50th and 95th percentiles by nearest rank, the
// ⌈k·n/100⌉-th smallest by value, each a text some draw showed.  Empty when no draw computed.
struct Statistics {
    std::string mean;
    std::string p5;
    std::string p50;
    std::string p95;
    bool operator==(const Statistics&) const = default;
};

// Bins [edges[i], edges[i + 1]) with their counts; the width is 1, 2 or 5 times a power of ten,
// at least a tenth (the load is shown to tenths), the edges its multiples, at most kMaxBins
// bins.  Empty when no draw computed.
inline constexpr std::size_t kMaxBins = 20;
struct Histogram {
    std::vector<long double> edges;
    std::vector<std::size_t> counts;
};

// How many computed draws show a load on the water body at most the target.
struct TargetShare {
    long double target;
    std::size_t atMost;
};

struct NutrientSummary {
    std::array<Statistics, kSummarizedQuantities.size()> quantities;  // as kSummarizedQuantities
    Statistics rt;                                                    // kTransportCoefficientDecimals
    Histogram histogram;                                              // of L
    std::optional<TargetShare> target;

    const Statistics& of(Quantity quantity) const;
};

struct FailureCount {
    std::string reason;  // as Computation::rejection gives it
    std::size_t draws;
};

struct UncertaintySummary {
    std::size_t draws = 0;
    std::size_t computed = 0;
    std::vector<FailureCount> failed;  // by reason, in the order the first draw of each came
    std::array<NutrientSummary, 2> nutrients;

    const NutrientSummary& of(Nutrient nutrient) const { return nutrients[static_cast<int>(nutrient)]; }
};

// A target on L per nutrient (t/yr), P first.
using LoadTargets = std::array<std::optional<long double>, 2>;

// Throws Failure(kOverflow) when a mean's sum goes beyond the extended range.
UncertaintySummary summarize(const UncertaintyRun& run, const LoadTargets& targets = {});

}  // namespace nutrient
