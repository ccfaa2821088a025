#pragma once
// A basin computed: every sub-catchment upstream first, each exactly as "--calculate" computes
// its file except that its inflow from outside also carries the load of the sub-catchments
// draining into it; then what each adds of its own, what reaches the water body, and the
// basin's totals.

#include "basin_file.h"
#include "chart_figures.h"
#include "file_calculation.h"

#include <array>
#include <string>
#include <vector>

namespace nutrient {

// Per nutrient, P first: the inflow parameter the cascade writes and the retention coefficient
// and exponent a common fit writes.
struct NutrientParameters {
    Parameter inflow, retentionCoefficient, retentionExponent;
};
inline constexpr std::array<NutrientParameters, 2> kNutrientParameters = {{
    {Parameter::InflowP, Parameter::RetentionCoefficientP, Parameter::RetentionExponentP},
    {Parameter::InflowN, Parameter::RetentionCoefficientN, Parameter::RetentionExponentN},
}};
constexpr const NutrientParameters& parametersOf(Nutrient nutrient) {
    return kNutrientParameters[static_cast<int>(nutrient)];
}

enum class RowStatus {
    Computed,     // its results stand
    Failed,       // its file could not be read, or its results cannot be taken (Computation::rejection)
    NotComputed,  // a row upstream of it failed
};

// A row's own figures for one nutrient, as texts.  Its L, Lnat and M are among its results (M
// is the method's modulus, of a load that includes the inflow).
struct OwnFigures {
    std::string upstream;    // the displayed L of the rows draining into it, summed, t/yr
    std::string ownExport;   // L less the upstream load, t/yr
    std::string ownModulus;  // 1000 · own export / A, kg/(km²·yr)
    std::string share;       // own export / the basin's load on the water body, %; empty without totals
    int rank = 0;            // by own export modulus among the computed rows, 1 the highest; 0 for none
};

struct BasinRowResult {
    RowStatus status = RowStatus::NotComputed;
    // Why the row failed or was not computed, as its box shows it; empty for a computed row.
    std::string reason;
    FileCalculation calculation;        // empty for a row not computed
    std::array<OwnFigures, 2> figures;  // P, N; empty unless computed
    // The row's source-share pies as its chart window shows them, P and N; empty unless computed.
    std::array<std::array<ShareSlice, kSourceCount>, 2> slices;
    const OwnFigures& own(Nutrient nutrient) const { return figures[static_cast<int>(nutrient)]; }
};

struct BasinTotals {
    std::string area;                    // the sum of the rows' A, km² (general format)
    std::array<std::string, 2> load;     // on the water body: the L of the rows draining into it, t/yr
    std::array<std::string, 2> natural;  // the sum of the rows' Lnat, t/yr
    std::array<std::string, 2> modulus;  // 1000 · load / area, kg/(km²·yr)
    // The basin's pie: point sources after transport (the sum of Lp · Rt), the anthropogenic
    // diffuse rest (load − natural − point) and the natural component.
    std::array<std::array<ShareSlice, kSourceCount>, 2> slices;
};

struct BasinComputation {
    std::vector<BasinRowResult> rows;  // in the basin file's order
    // The totals, shares and their pie stand only when every row was computed; otherwise this
    // says why they are missing.
    std::string totalsMissing;
    BasinTotals totals;
    bool complete() const { return totalsMissing.empty(); }
};

// Computes the rows upstream first.  A row whose file cannot be read, whose calculation stops
// or whose results cannot be taken fails, and the rows downstream of it are not computed (each
// names it); the others are computed all the same.  Sums are of displayed texts, in extended
// precision, written with the decimals of the rows they add up.
BasinComputation computeBasin(const Basin& basin);

}  // namespace nutrient
