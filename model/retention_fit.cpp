#include "retention_fit.h"

#include "file_calculation.h"
#include "file_system.h"
#include "measured_load.h"
#include "number_text.h"
#include "parameters_file.h"
#include "results_export.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <set>

namespace nutrient {

namespace {

constexpr int kTransportShareDecimals = 5;
constexpr int kResidualDecimals = 1;
constexpr int kRSquaredDecimals = 4;
constexpr std::size_t kLeastOutlets = 3;

// A point of the line: ln HL and ln(1/Rt_obs − 1).
struct Point {
    long double x, y;
};

// The outlet's Rt_obs and its point; the outlet is left out, with the reason, when it has none.
std::optional<Point> pointOf(const BasinRowResult& row, const MeasuredLoad& measured, Nutrient n,
                             FittedOutlet& outlet) {
    if (row.status != RowStatus::Computed) {
        outlet.leftOut = "the sub-catchment was not computed";
        return std::nullopt;
    }
    try {
        const Computation& calculation = row.calculation;
        const long double rt = impliedTransportShare(measured.value, calculation.parameterValue(parametersOf(n).inflow),
                                                     calculation.results.value(Quantity::Ltot, n));
        outlet.transportShare = formatFixed(rt, kTransportShareDecimals);
        checkTransportShare(rt);
        const double hl = hydraulicLoad(calculation.parameterValue(Parameter::RunoffModulus),
                                        calculation.parameterValue(Parameter::WaterShare));
        return Point{std::log(static_cast<long double>(hl)), std::log(1 / rt - 1)};
    } catch (const Failure& failure) {
        outlet.leftOut = shownFailureText(failure.what());
        return std::nullopt;
    }
}

// The least-squares line y = ln a + b·x, in extended precision.
void fitLine(const std::vector<Point>& points, RetentionFit& fit) {
    if (std::all_of(points.begin(), points.end(), [&](const Point& p) { return p.x == points.front().x; })) {
        fit.refusal = "The outlets' hydraulic loads are all equal: the exponent b cannot be fitted";
        return;
    }
    long double meanX = 0, meanY = 0;
    for (const Point& p : points) {
        meanX += p.x;
        meanY += p.y;
    }
    meanX /= points.size();
    meanY /= points.size();
    long double sxx = 0, sxy = 0, syy = 0;
    for (const Point& p : points) {
        sxx += (p.x - meanX) * (p.x - meanX);
        sxy += (p.x - meanX) * (p.y - meanY);
        syy += (p.y - meanY) * (p.y - meanY);
    }
    const long double b = sxy / sxx;
    const long double lnA = meanY - b * meanX;
    long double residualSquares = 0;
    for (const Point& p : points) residualSquares += (p.y - lnA - b * p.x) * (p.y - lnA - b * p.x);
    // Points on a horizontal line are fitted exactly.
    const long double rSquared = syy == 0 ? 1 : 1 - residualSquares / syy;
    fit.a = formatGeneral(checkedFinite(std::exp(lnA)));
    fit.b = formatGeneral(checkedFinite(b));
    fit.rSquared = formatFixed(rSquared, kRSquaredDecimals);
}

std::string signedPercent(long double percent) {
    const std::string text = formatFixed(percent, kResidualDecimals);
    const long double shown = parseNumber(text);
    if (shown == 0) return formatFixed(0, kResidualDecimals);
    return shown > 0 ? "+" + text : text;
}

// The outlet's L with the fitted coefficients: its file computed as the basin computed it, the
// fitted a and b typed in beside the inflow, as its file written by "Apply" computes.
void refit(const BasinRow& row, const BasinRowResult& result, const MeasuredLoad& measured, const RetentionFit& fit,
           FittedOutlet& outlet) {
    const NutrientParameters& p = parametersOf(fit.nutrient);
    const ParameterTexts& computedWith = result.calculation.parameters;
    std::vector<ParameterChange> changes = {{p.retentionCoefficient, fit.a}, {p.retentionExponent, fit.b}};
    for (Nutrient n : kNutrients) {
        const Parameter inflow = parametersOf(n).inflow;
        changes.push_back({inflow, computedWith[static_cast<int>(inflow)]});
    }
    const FileCalculation refitted = calculateFile(row.path, [&](const ParameterTexts&) { return changes; });
    if (const std::optional<std::string> failure = refitted.reasonNotTaken()) {
        outlet.refitFailure = *failure;
        return;
    }
    outlet.fittedLoad = refitted.results.text(Quantity::L, fit.nutrient);
    outlet.residual =
        signedPercent(checkedFinite((parseNumber(outlet.fittedLoad) - measured.value) / measured.value * 100));
}

std::optional<RetentionFit> fitOf(const Basin& basin, const BasinComputation& computed, Nutrient n) {
    RetentionFit fit{n, {}, {}, {}, {}, {}};
    std::vector<Point> points;
    for (std::size_t i = 0; i < basin.rows.size(); ++i) {
        const std::optional<MeasuredLoad>& measured = basin.rows[i].measuredLoad(n);
        if (!measured) continue;
        FittedOutlet& outlet = fit.outlets.emplace_back(FittedOutlet{i, {}, {}, {}, {}, {}});
        if (const std::optional<Point> point = pointOf(computed.rows[i], *measured, n, outlet))
            points.push_back(*point);
    }
    if (fit.outlets.empty()) return std::nullopt;
    if (points.size() < kLeastOutlets) {
        fit.refusal = "The fit needs measured loads of " + std::string(nutrientSymbol(n)) +
                      " at three outlets or more; usable: " + std::to_string(points.size());
        return fit;
    }
    try {
        fitLine(points, fit);
    } catch (const Failure& failure) {
        fit.refusal = shownFailureText(failure.what());
    }
    if (!fit.fitted()) return fit;
    for (FittedOutlet& outlet : fit.outlets)
        if (computed.rows[outlet.row].status == RowStatus::Computed)
            refit(basin.rows[outlet.row], computed.rows[outlet.row], *basin.rows[outlet.row].measuredLoad(n), fit,
                  outlet);
    return fit;
}

std::string normalPath(const std::string& path) { return std::filesystem::path(path).lexically_normal().string(); }

// "<name>-fit.txt" beside the basin file, or the first of "<name>-fit-2.txt", ... that names
// nothing on disk and no row's file.
std::string freeFitName(const Basin& basin, const BasinRow& row, const std::set<std::string>& rowFiles) {
    std::string stem = std::filesystem::path(row.file).filename().string();
    if (stem.ends_with(".txt")) stem.resize(stem.size() - 4);
    for (int n = 1;; ++n) {
        const std::string name =
            pathInFolder(basin.folder, stem + "-fit" + (n == 1 ? std::string() : "-" + std::to_string(n)) + ".txt");
        if (!pathExists(name) && !rowFiles.contains(normalPath(name))) return name;
    }
}

}  // namespace

RetentionFits fitRetention(const Basin& basin, const BasinComputation& computed) {
    return {fitOf(basin, computed, Nutrient::P), fitOf(basin, computed, Nutrient::N)};
}

std::vector<FitFile> applyRetentionFit(const Basin& basin, const RetentionFits& fits) {
    if (std::none_of(fits.begin(), fits.end(), [](const auto& fit) { return fit && fit->fitted(); })) return {};
    std::set<std::string> rowFiles;
    for (const BasinRow& row : basin.rows) rowFiles.insert(normalPath(row.path));
    std::vector<FitFile> written;
    for (std::size_t i = 0; i < basin.rows.size(); ++i) {
        const BasinRow& row = basin.rows[i];
        MessageLog log;
        ParameterSet parameters(log);
        FitFile file{i, {}, {}};
        guarded(log, [&] { parameters.applyShowRule(); });
        if (openFile(parameters, row.path, log)) {
            for (const std::optional<RetentionFit>& fit : fits) {
                if (!fit || !fit->fitted()) continue;
                parameters.setText(parametersOf(fit->nutrient).retentionCoefficient, fit->a);
                parameters.setText(parametersOf(fit->nutrient).retentionExponent, fit->b);
            }
            guarded(log, [&] {
                file.fileName = saveParameters(parameters, freeFitName(basin, row, rowFiles), log).value_or("");
            });
        }
        file.messages = std::move(log.messages);
        written.push_back(std::move(file));
    }
    return written;
}

}  // namespace nutrient
