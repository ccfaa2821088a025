#include "uncertainty.h"

#include "number_text.h"
#include "variant.h"

#include <algorithm>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <exception>
#include <mutex>
#include <numeric>
#include <random>
#include <thread>

namespace nutrient {

namespace {

// Draws are handed to the threads in turns of this many, under a millisecond of work each, so
// that the threads stay busy to the end and the progress moves smoothly.
constexpr std::size_t kDrawsPerTurn = 32;

constexpr std::size_t summarizedCell(Quantity quantity, Nutrient nutrient) {
    for (std::size_t i = 0; i < kSummarizedQuantities.size(); ++i)
        if (kSummarizedQuantities[i] == quantity) return 2 * i + static_cast<std::size_t>(nutrient);
    return kSummarizedCells;
}

std::string drawCountFailure(std::string_view text) {
    return readableQuote(text) + " is not a number of draws from 1 to " + std::to_string(kMaxDraws);
}

// A value drawn from a range by u in [0, 1): uniform, or by the inverse of the triangular
// distribution function, whose mode splits it at (mode - low) / (high - low).
long double drawnValue(const ResolvedRange& range, long double u) {
    const long double spread = range.high - range.low;
    if (range.distribution == Distribution::Uniform) return range.low + u * spread;
    if (u * spread < range.mode - range.low) return range.low + std::sqrt(u * spread * (range.mode - range.low));
    return range.high - std::sqrt((1 - u) * spread * (range.high - range.mode));
}

void keepOutcome(const Computation& computation, DrawOutcome& outcome) {
    for (Quantity quantity : kSummarizedQuantities)
        for (Nutrient nutrient : kNutrients)
            outcome.shown[summarizedCell(quantity, nutrient)] = computation.results.text(quantity, nutrient);
    outcome.coefficients = computation.coefficients;
    outcome.rejection = computation.rejection().value_or("");
}

// The draws of one run, shared out among the threads.  Each thread keeps a copy of the
// baseline's texts and writes the drawn texts into it: the same texts a variant with those
// changes holds.
class DrawWork {
public:
    DrawWork(UncertaintyRun& run, const RunControl& control) : run_(run), control_(control) {}

    // True when every draw was computed; false when stopped.
    bool computeAll(unsigned threads) {
        {
            std::vector<std::jthread> helpers;
            for (unsigned i = 1; i < threads; ++i) helpers.emplace_back([this] { work(false); });
            work(true);
        }
        if (failure_) std::rethrow_exception(failure_);
        const std::size_t total = run_.draws.size();
        if (done_ < total) return false;
        if (control_.progress) control_.progress(total, total);
        return true;
    }

private:
    // The calling thread reports the progress between its turns, the last report after all.
    void work(bool reporting) {
        try {
            ParameterTexts texts = run_.baseline.parameters;
            const std::size_t total = run_.draws.size();
            for (std::size_t first; (first = next_.fetch_add(kDrawsPerTurn)) < total;) {
                const std::size_t end = std::min(first + kDrawsPerTurn, total);
                for (std::size_t draw = first; draw < end; ++draw) {
                    if (stopped()) return;
                    computeDraw(draw, texts);
                }
                const std::size_t done = done_ += end - first;
                if (reporting && control_.progress && done < total) control_.progress(done, total);
            }
        } catch (...) {
            const std::lock_guard lock(failureMutex_);
            if (!failure_) failure_ = std::current_exception();
            abandoned_ = true;
        }
    }

    bool stopped() const {
        return abandoned_.load(std::memory_order_relaxed) ||
               (control_.stop && control_.stop->load(std::memory_order_relaxed));
    }

    void computeDraw(std::size_t draw, ParameterTexts& texts) {
        for (std::size_t range = 0; range < run_.resolved.size(); ++range)
            texts[static_cast<int>(run_.resolved[range].parameter)] = run_.drawnText(draw, range);
        keepOutcome(computeVariant(texts), run_.draws[draw]);
    }

    UncertaintyRun& run_;
    const RunControl& control_;
    std::atomic<std::size_t> next_{0};
    std::atomic<std::size_t> done_{0};
    std::atomic<bool> abandoned_{false};
    std::mutex failureMutex_;
    std::exception_ptr failure_;
};

unsigned threadCount(unsigned asked, std::size_t draws) {
    const unsigned wanted = asked > 0 ? asked : std::max(1u, std::thread::hardware_concurrency());
    const std::size_t turns = (draws + kDrawsPerTurn - 1) / kDrawsPerTurn;
    return static_cast<unsigned>(std::min<std::size_t>(wanted, turns));
}

// --- The summary ---

// The position of the value of nearest rank k among the values (ties broken by position, so
// that the answer never depends on how the sort goes).
class Ranking {
public:
    explicit Ranking(const std::vector<long double>& values) : values_(values), order_(values.size()) {
        std::iota(order_.begin(), order_.end(), std::size_t{0});
    }
    std::size_t positionOfPercentile(std::size_t k) {
        const std::size_t rank = (k * values_.size() + 99) / 100;
        std::nth_element(order_.begin(), order_.begin() + (rank - 1), order_.end(),
                         [this](std::size_t a, std::size_t b) {
                             return values_[a] < values_[b] || (values_[a] == values_[b] && a < b);
                         });
        return order_[rank - 1];
    }

private:
    const std::vector<long double>& values_;
    std::vector<std::size_t> order_;
};

template <class TextAt>
Statistics statisticsOf(const std::vector<long double>& values, int decimals, TextAt&& textAt) {
    if (values.empty()) return {};
    long double sum = 0;
    for (long double value : values) sum += value;
    Ranking ranking(values);
    return {formatFixed(checkedFinite(sum) / values.size(), decimals), textAt(ranking.positionOfPercentile(5)),
            textAt(ranking.positionOfPercentile(50)), textAt(ranking.positionOfPercentile(95))};
}

// The edge i·width of a histogram whose width is multiple·10^exponent (exponent >= -1).
long double histogramEdge(long double i, int multiple, int exponent) {
    return exponent < 0 ? i * multiple / 10 : i * multiple * std::pow(10.0L, exponent);
}

Histogram histogramOf(const std::vector<long double>& values) {
    if (values.empty()) return {};
    const auto [lowest, highest] = std::minmax_element(values.begin(), values.end());
    // Values near the top of the extended range have no finite span.
    const long double span = std::min(*highest - *lowest, LDBL_MAX);
    const int startExponent = std::max(-1, static_cast<int>(std::floor(std::log10(std::max(span / kMaxBins, 0.1L)))));
    for (int exponent = startExponent;; ++exponent)
        for (int multiple : {1, 2, 5}) {
            const long double width = histogramEdge(1, multiple, exponent);
            long double first = std::floor(*lowest / width);
            if (histogramEdge(first, multiple, exponent) > *lowest) first -= 1;
            long double last = std::floor(*highest / width);
            if (histogramEdge(last + 1, multiple, exponent) <= *highest) last += 1;
            if (last - first + 1 > kMaxBins) continue;
            // Counted in whole numbers: beyond 2^64 adding one to an extended value changes nothing.
            const std::size_t bins = static_cast<std::size_t>(last - first) + 1;
            Histogram histogram;
            for (std::size_t i = 0; i <= bins; ++i)
                histogram.edges.push_back(histogramEdge(first + i, multiple, exponent));
            histogram.counts.assign(bins, 0);
            for (long double value : values) {
                const auto above = std::upper_bound(histogram.edges.begin(), histogram.edges.end(), value);
                const std::ptrdiff_t bin = std::clamp<std::ptrdiff_t>(above - histogram.edges.begin() - 1, 0,
                                                                      std::ssize(histogram.counts) - 1);
                ++histogram.counts[bin];
            }
            return histogram;
        }
}

void countFailure(std::vector<FailureCount>& failed, const std::string& reason) {
    const auto it =
        std::find_if(failed.begin(), failed.end(), [&](const FailureCount& c) { return c.reason == reason; });
    if (it == failed.end()) failed.push_back({reason, 1});
    else ++it->draws;
}

NutrientSummary summaryOf(const std::vector<const DrawOutcome*>& computed, Nutrient nutrient,
                          const std::optional<long double>& target) {
    NutrientSummary summary;
    std::vector<long double> values(computed.size());
    for (std::size_t q = 0; q < kSummarizedQuantities.size(); ++q) {
        const Quantity quantity = kSummarizedQuantities[q];
        for (std::size_t i = 0; i < computed.size(); ++i)
            values[i] = parseNumber(computed[i]->text(quantity, nutrient));
        summary.quantities[q] = statisticsOf(values, resultRow(quantity).decimals,
                                             [&](std::size_t i) { return computed[i]->text(quantity, nutrient); });
        if (quantity != Quantity::L) continue;
        summary.histogram = histogramOf(values);
        if (target)
            summary.target = TargetShare{
                *target, static_cast<std::size_t>(std::count_if(values.begin(), values.end(),
                                                                [&](long double value) { return value <= *target; }))};
    }
    for (std::size_t i = 0; i < computed.size(); ++i) values[i] = computed[i]->coefficients.rt(nutrient);
    summary.rt = statisticsOf(values, kTransportCoefficientDecimals, [&](std::size_t i) {
        return formatFixed(computed[i]->coefficients.rt(nutrient), kTransportCoefficientDecimals);
    });
    return summary;
}

}  // namespace

std::size_t parseDrawCount(std::string_view text) {
    std::size_t draws = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), draws);
    if (error != std::errc() || end != text.data() + text.size() || draws < 1 || draws > kMaxDraws)
        throw Failure(drawCountFailure(text));
    return draws;
}

std::uint64_t parseSeed(std::string_view text) {
    std::uint64_t seed = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), seed);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        throw Failure(readableQuote(text) + " is not a seed: a whole number from 0 to 18446744073709551615");
    return seed;
}

const std::string& DrawOutcome::text(Quantity quantity, Nutrient nutrient) const {
    return shown[summarizedCell(quantity, nutrient)];
}

std::string UncertaintyRun::drawnText(std::size_t draw, std::size_t range) const {
    return formatGeneral(drawnValue(resolved[range], uniforms[draw * resolved.size() + range]));
}

std::optional<UncertaintyRun> runUncertainty(const ParameterTexts& texts, const std::vector<UncertaintyRange>& ranges,
                                             const DrawSettings& settings, const RunControl& control) {
    if (settings.draws < 1 || settings.draws > kMaxDraws)
        throw Failure(drawCountFailure(std::to_string(settings.draws)));
    UncertaintyRun run;
    run.baseline = computeVariant(texts);
    run.ranges = ranges;
    run.resolved = resolveRanges(ranges, run.baseline.parameters);
    run.seed = settings.seed;
    run.uniforms.resize(settings.draws * ranges.size());
    std::mt19937_64 stream(settings.seed);
    for (double& u : run.uniforms) u = static_cast<double>(stream() >> 11) * 0x1.0p-53;
    run.draws.resize(settings.draws);
    if (ranges.empty()) {
        // Every draw is the baseline itself.
        keepOutcome(run.baseline, run.draws.front());
        std::fill(run.draws.begin() + 1, run.draws.end(), run.draws.front());
        if (control.progress) control.progress(settings.draws, settings.draws);
        return run;
    }
    DrawWork work(run, control);
    if (!work.computeAll(threadCount(settings.threads, settings.draws))) return std::nullopt;
    return run;
}

const Statistics& NutrientSummary::of(Quantity quantity) const {
    return quantities[summarizedCell(quantity, Nutrient::P) / 2];
}

UncertaintySummary summarize(const UncertaintyRun& run, const LoadTargets& targets) {
    UncertaintySummary summary;
    summary.draws = run.draws.size();
    std::vector<const DrawOutcome*> computed;
    for (const DrawOutcome& outcome : run.draws) {
        if (outcome.computed()) computed.push_back(&outcome);
        else countFailure(summary.failed, outcome.rejection);
    }
    summary.computed = computed.size();
    for (Nutrient nutrient : kNutrients)
        summary.nutrients[static_cast<int>(nutrient)] =
            summaryOf(computed, nutrient, targets[static_cast<int>(nutrient)]);
    return summary;
}

}  // namespace nutrient
