#pragma once
// The calculation held against the load measured at the outlet: how far the computed load is
// off, which share of the catchment's load the measurement says reaches the water body, and the
// retention coefficient a or exponent b with which the calculation gives the measured load.
// A measured load should be a long-term or flow-normalised mean, like the runoff layer.

#include "variant.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nutrient {

// The coefficient of the transport share Rt = 1 / (a·HL^b + 1) that is fitted.
enum class FittedCoefficient { A, B };
// "a" or "b", as the command line names them.
const char* fittedCoefficientName(FittedCoefficient coefficient);
// The coefficient of such a name; nothing for any other.
std::optional<FittedCoefficient> fittedCoefficientNamed(std::string_view name);
// The parameter fitted for a nutrient: a(P), b(P), a(N) or b(N).
Parameter fittedParameter(FittedCoefficient coefficient, Nutrient nutrient);

// A measured load as the user types it, in t/yr.  Throws Failure for a text that is not a
// number or not above zero.
long double parseMeasuredLoad(std::string_view text);

// A measured load per nutrient (t/yr, as typed), P first.
using MeasuredLoads = std::array<std::optional<std::string>, 2>;
// "P=L[,N=L]", as --observed takes it, each nutrient at most once.  Throws Failure naming the
// bad piece.
MeasuredLoads parseMeasuredLoads(std::string_view text);

// Rt_obs = (measured - inflow) / catchmentLoad: the share of the load on the catchment that the
// measurement implies reaches the outlet, the inflow from outside arriving unretained, as the
// calculation adds it.  Throws Failure when the catchment receives no load.
long double impliedTransportShare(long double measured, long double inflow, long double catchmentLoad);
// Throws Failure with the reason when no retention gives the share: 1 or more (the measured load
// exceeds what the catchment receives: a source is missing), or 0 or less.
void checkTransportShare(long double share);

// The coefficient with which Rt = 1 / (a·HL^b + 1) equals the share: a = (1/Rt - 1) / HL^b,
// or b = ln((1/Rt - 1) / a) / ln HL.  Throw Failure when none exists (HL = 1 for b, a not
// above zero).
long double fittedRetentionCoefficient(long double share, double hydraulicLoadPower);
long double fittedRetentionExponent(long double share, long double retentionCoefficient, double hydraulicLoad);

// The check of one nutrient.
struct NutrientCheck {
    Nutrient nutrient;
    std::string measured;          // as typed
    std::string deviationPercent;  // (L - Lobs) / Lobs in percent, one decimal, signed: "+25.1"
    std::string rtObserved;        // Rt_obs with five decimals; empty when it does not exist
    std::optional<ParameterChange> fitted;
    std::string refusal;  // why nothing was fitted; empty when fitted
};

struct MeasuredLoadCheck {
    FittedCoefficient coefficient = FittedCoefficient::A;
    Computation baseline;  // the set as it stands, after the show rule
    std::vector<NutrientCheck> nutrients;
    // The baseline with every fitted coefficient; nothing when none was fitted.
    std::optional<Computation> variant;
};

// Checks the texts (as they stand: the show rule comes first) against the measured loads.
// Throws Failure when no load is given, one is not a number or not above zero, or the set's own
// results cannot be taken; a nutrient whose coefficient cannot be fitted gets its refusal.
MeasuredLoadCheck checkAgainstMeasured(const ParameterTexts& texts, const MeasuredLoads& measured,
                                       FittedCoefficient coefficient);

}  // namespace nutrient
