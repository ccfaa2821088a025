#include "measured_load.h"

#include "levers.h"
#include "number_text.h"

#include <cmath>

namespace nutrient {

namespace {

constexpr const char* kCoefficientNames[] = {"a", "b"};

// The parameters of one nutrient the check reads.
struct NutrientParameters {
    Parameter inflow, coefficient, exponent;
};
constexpr NutrientParameters kNutrientParameters[] = {
    {Parameter::InflowP, Parameter::RetentionCoefficientP, Parameter::RetentionExponentP},
    {Parameter::InflowN, Parameter::RetentionCoefficientN, Parameter::RetentionExponentN},
};

const NutrientParameters& parametersOf(Nutrient nutrient) { return kNutrientParameters[static_cast<int>(nutrient)]; }

long double valueOf(const ParameterTexts& texts, Parameter parameter) {
    return parseNumber(texts[static_cast<int>(parameter)]);
}

std::string shareText(long double share) { return formatFixed(share, kTransportCoefficientDecimals); }

std::string signedPercent(long double percent) {
    const std::string text = formatFixed(checkedFinite(percent), 1);
    return text.starts_with('-') ? text : "+" + text;
}

// The fitted coefficient's text for a nutrient of the baseline, Rt_obs given.
std::string fittedText(const Computation& baseline, Nutrient nutrient, FittedCoefficient coefficient,
                       long double share) {
    const ParameterTexts& texts = baseline.parameters;
    const double load = hydraulicLoad(valueOf(texts, Parameter::RunoffModulus), valueOf(texts, Parameter::WaterShare));
    const NutrientParameters& parameters = parametersOf(nutrient);
    const long double fitted =
        coefficient == FittedCoefficient::A
            ? fittedRetentionCoefficient(share, hydraulicLoadPower(load, valueOf(texts, parameters.exponent)))
            : fittedRetentionExponent(share, valueOf(texts, parameters.coefficient), load);
    return formatGeneral(checkedFinite(fitted));
}

NutrientCheck checkOf(const Computation& baseline, Nutrient nutrient, const std::string& measuredText,
                      FittedCoefficient coefficient) {
    const long double measured = parseMeasuredLoad(measuredText);
    const long double load = baseline.results.value(Quantity::L, nutrient);
    NutrientCheck check{nutrient, measuredText, signedPercent((load - measured) / measured * 100), "", {}, ""};
    try {
        const long double share =
            impliedTransportShare(measured, valueOf(baseline.parameters, parametersOf(nutrient).inflow),
                                  baseline.results.value(Quantity::Ltot, nutrient));
        check.rtObserved = shareText(share);
        checkTransportShare(share);
        check.fitted =
            ParameterChange{fittedParameter(coefficient, nutrient), fittedText(baseline, nutrient, coefficient, share)};
    } catch (const Failure& failure) {
        check.refusal = shownFailureText(failure.what());
    }
    return check;
}

}  // namespace

const char* fittedCoefficientName(FittedCoefficient coefficient) {
    return kCoefficientNames[static_cast<int>(coefficient)];
}

std::optional<FittedCoefficient> fittedCoefficientNamed(std::string_view name) {
    for (FittedCoefficient coefficient : {FittedCoefficient::A, FittedCoefficient::B})
        if (name == fittedCoefficientName(coefficient)) return coefficient;
    return std::nullopt;
}

Parameter fittedParameter(FittedCoefficient coefficient, Nutrient nutrient) {
    const NutrientParameters& parameters = parametersOf(nutrient);
    return coefficient == FittedCoefficient::A ? parameters.coefficient : parameters.exponent;
}

long double parseMeasuredLoad(std::string_view text) {
    const long double load = parseNumber(text);
    if (load <= 0) throw Failure(readableQuote(text) + " is not a measured load: it must be above zero");
    return load;
}

MeasuredLoads parseMeasuredLoads(std::string_view text) {
    MeasuredLoads loads;
    for (const NutrientPiece& piece : nutrientPieces(text, "measured load", "L")) {
        try {
            parseMeasuredLoad(piece.value);
        } catch (const Failure& failure) {
            throw Failure(readableQuote(piece.piece) + ": " + failure.what());
        }
        loads[static_cast<int>(piece.nutrient)] = std::string(piece.value);
    }
    return loads;
}

long double impliedTransportShare(long double measured, long double inflow, long double catchmentLoad) {
    if (catchmentLoad <= 0)
        throw Failure("The catchment receives no load (Ltot is not above zero): no share of it can reach the outlet");
    return checkedFinite((measured - inflow) / catchmentLoad);
}

void checkTransportShare(long double share) {
    if (share >= 1)
        throw Failure("The measured load exceeds what the catchment receives (Rt_obs = " + shareText(share) +
                      "): a source is missing");
    if (share <= 0)
        throw Failure("The measured load is not above the inflow from outside (Rt_obs = " + shareText(share) +
                      "): nothing would come from the catchment");
}

long double fittedRetentionCoefficient(long double share, double hydraulicLoadPower) {
    return checkedDivide(1 / share - 1, hydraulicLoadPower);
}

long double fittedRetentionExponent(long double share, long double retentionCoefficient, double hydraulicLoad) {
    if (hydraulicLoad == 1)
        throw Failure("The hydraulic load is 1 m/yr, where the exponent b changes nothing: fit a instead");
    if (retentionCoefficient <= 0)
        throw Failure("The retention coefficient a is not above zero: no exponent b gives the measured load");
    return std::log((1 / share - 1) / retentionCoefficient) / std::log(static_cast<long double>(hydraulicLoad));
}

MeasuredLoadCheck checkAgainstMeasured(const ParameterTexts& texts, const MeasuredLoads& measured,
                                       FittedCoefficient coefficient) {
    if (!measured[0] && !measured[1]) throw Failure("No measured load is given");
    MeasuredLoadCheck check{coefficient, computeVariant(texts), {}, std::nullopt};
    if (const std::optional<std::string> rejection = check.baseline.rejection())
        throw Failure("The set's own results cannot be taken: " + *rejection);
    std::vector<ParameterChange> fitted;
    for (Nutrient nutrient : kNutrients) {
        const std::optional<std::string>& load = measured[static_cast<int>(nutrient)];
        if (!load) continue;
        try {
            check.nutrients.push_back(checkOf(check.baseline, nutrient, *load, coefficient));
        } catch (const Failure& failure) {
            throw Failure(std::string("Measured load of ") + nutrientSymbol(nutrient) + ": " + failure.what());
        }
        if (check.nutrients.back().fitted) fitted.push_back(*check.nutrients.back().fitted);
    }
    if (!fitted.empty()) check.variant = computeVariant(withChanges(check.baseline.parameters, fitted));
    return check;
}

}  // namespace nutrient
