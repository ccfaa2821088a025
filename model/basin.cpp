#include "basin.h"

#include "number_text.h"

#include <algorithm>

namespace nutrient {

namespace {

constexpr int kLoadDecimals = resultRow(Quantity::L).decimals;
constexpr int kModulusDecimals = resultRow(Quantity::M).decimals;
constexpr int kShareDecimals = 2;

using PerNutrient = std::array<long double, 2>;

// The inflow a row is computed with: its own inflow text's value plus the displayed load of
// the rows draining into it, written as a user would type it.  A row with nothing draining
// into it keeps its own texts.
std::vector<ParameterChange> inflowChanges(const ParameterTexts& opened, const PerNutrient& upstreamLoad,
                                           bool anyUpstream) {
    std::vector<ParameterChange> changes;
    if (!anyUpstream) return changes;
    for (Nutrient n : kNutrients) {
        const Parameter inflow = parametersOf(n).inflow;
        const long double own = parseNumber(opened[static_cast<int>(inflow)]);
        changes.push_back({inflow, formatGeneral(checkedFinite(own + upstreamLoad[static_cast<int>(n)]))});
    }
    return changes;
}

class Cascade {
public:
    explicit Cascade(const Basin& basin) : basin_(basin), upstream_(basin.rows.size()), cause_(basin.rows.size()) {
        computed_.rows.resize(basin.rows.size());
        for (std::size_t i = 0; i < basin.rows.size(); ++i)
            if (basin.downstream[i] != kWaterBody) upstream_[basin.downstream[i]].push_back(i);
    }

    BasinComputation run() {
        for (std::size_t i : basin_.upstreamFirst) {
            if (const std::optional<std::size_t> failed = failedUpstream(i)) notComputed(i, *failed);
            else compute(i);
        }
        rank();
        total();
        return std::move(computed_);
    }

private:
    // The failed row behind the first row draining into this one that was not computed.
    std::optional<std::size_t> failedUpstream(std::size_t row) const {
        for (std::size_t from : upstream_[row])
            if (computed_.rows[from].status != RowStatus::Computed) return cause_[from];
        return std::nullopt;
    }

    void notComputed(std::size_t row, std::size_t failed) {
        cause_[row] = failed;
        computed_.rows[row].reason =
            "Not computed: it receives the load of " + rowName(basin_.rows[failed]) + ", which failed";
    }

    void compute(std::size_t row) {
        BasinRowResult& result = computed_.rows[row];
        PerNutrient upstreamLoad{};
        for (std::size_t from : upstream_[row])
            for (Nutrient n : kNutrients)
                upstreamLoad[static_cast<int>(n)] += computed_.rows[from].calculation.results.value(Quantity::L, n);
        const bool anyUpstream = !upstream_[row].empty();
        result.calculation = calculateFile(basin_.rows[row].path, [&](const ParameterTexts& opened) {
            return inflowChanges(opened, upstreamLoad, anyUpstream);
        });
        std::optional<std::string> failure = result.calculation.reasonNotTaken();
        if (!failure) {
            try {
                ownFigures(result, upstreamLoad);
            } catch (const Failure& f) {
                failure = shownFailureText(f.what());
            }
        }
        if (failure) {
            result.status = RowStatus::Failed;
            result.reason = *failure;
            result.figures = {};
            result.slices = {};
            cause_[row] = row;
        } else {
            result.status = RowStatus::Computed;
        }
    }

    static void ownFigures(BasinRowResult& result, const PerNutrient& upstreamLoad) {
        const long double area = result.calculation.parameterValue(Parameter::TotalArea);
        for (Nutrient n : kNutrients) {
            OwnFigures& own = result.figures[static_cast<int>(n)];
            const long double upstream = upstreamLoad[static_cast<int>(n)];
            own.upstream = formatFixed(upstream, kLoadDecimals);
            own.ownExport = formatFixed(result.calculation.results.value(Quantity::L, n) - upstream, kLoadDecimals);
            own.ownModulus = formatFixed(checkedDivide(1000 * parseNumber(own.ownExport), area), kModulusDecimals);
            result.slices[static_cast<int>(n)] =
                sourceShareSlices(result.calculation.results, result.calculation.coefficients, n);
        }
    }

    // Competition ranking: rows of equal modulus share a rank, and the next rank counts them all.
    void rank() {
        for (Nutrient n : kNutrients) {
            std::vector<std::pair<long double, std::size_t>> moduli;
            for (std::size_t i = 0; i < computed_.rows.size(); ++i)
                if (computed_.rows[i].status == RowStatus::Computed)
                    moduli.emplace_back(parseNumber(computed_.rows[i].own(n).ownModulus), i);
            std::sort(moduli.begin(), moduli.end(), [](const auto& x, const auto& y) { return x.first > y.first; });
            for (std::size_t k = 0; k < moduli.size(); ++k) {
                const bool tied = k > 0 && moduli[k].first == moduli[k - 1].first;
                const int rank = tied ? computed_.rows[moduli[k - 1].second].own(n).rank : static_cast<int>(k + 1);
                computed_.rows[moduli[k].second].figures[static_cast<int>(n)].rank = rank;
            }
        }
    }

    void total() {
        const std::size_t failed = static_cast<std::size_t>(
            std::count_if(computed_.rows.begin(), computed_.rows.end(),
                          [](const BasinRowResult& row) { return row.status != RowStatus::Computed; }));
        if (failed > 0) {
            computed_.totalsMissing = "No totals: " + std::to_string(failed) + " of " +
                                      std::to_string(computed_.rows.size()) + " sub-catchments were not computed";
            return;
        }
        try {
            totalAndShares();
        } catch (const Failure& f) {
            computed_.totalsMissing = shownFailureText(f.what());
            computed_.totals = {};
            for (BasinRowResult& row : computed_.rows)
                for (OwnFigures& own : row.figures) own.share.clear();
        }
    }

    void totalAndShares() {
        BasinTotals& totals = computed_.totals;
        long double area = 0;
        PerNutrient load{}, natural{}, point{};
        for (std::size_t i = 0; i < computed_.rows.size(); ++i) {
            const FileCalculation& calculation = computed_.rows[i].calculation;
            area += calculation.parameterValue(Parameter::TotalArea);
            for (Nutrient n : kNutrients) {
                const int k = static_cast<int>(n);
                if (basin_.downstream[i] == kWaterBody) load[k] += calculation.results.value(Quantity::L, n);
                natural[k] += calculation.results.value(Quantity::Lnat, n);
                point[k] += calculation.results.value(Quantity::Lp, n) * calculation.coefficients.rt(n);
            }
        }
        totals.area = formatGeneral(checkedFinite(area));
        for (Nutrient n : kNutrients) {
            const int k = static_cast<int>(n);
            totals.load[k] = formatFixed(checkedFinite(load[k]), kLoadDecimals);
            totals.natural[k] = formatFixed(checkedFinite(natural[k]), kLoadDecimals);
            const long double shownLoad = parseNumber(totals.load[k]);
            totals.modulus[k] =
                formatFixed(checkedDivide(1000 * shownLoad, parseNumber(totals.area)), kModulusDecimals);
            totals.slices[k] = sourceShareSlices(shownLoad, parseNumber(totals.natural[k]), checkedFinite(point[k]));
            for (BasinRowResult& row : computed_.rows) {
                OwnFigures& own = row.figures[k];
                own.share = formatFixed(checkedDivide(100 * parseNumber(own.ownExport), shownLoad), kShareDecimals);
            }
        }
    }

    const Basin& basin_;
    std::vector<std::vector<std::size_t>> upstream_;  // per row, the rows draining into it in file order
    std::vector<std::size_t> cause_;                  // per row not computed or failed, the failed row behind it
    BasinComputation computed_;
};

}  // namespace

BasinComputation computeBasin(const Basin& basin) { return Cascade(basin).run(); }

}  // namespace nutrient
