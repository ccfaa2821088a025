#include "load_calculation.h"

#include "number_text.h"

#include <bitset>
#include <cfloat>
#include <cmath>
#include <new>
#include <optional>

namespace nutrient {

namespace {

constexpr bool tableFollowsTheEnumeration() {
    for (int i = 0; i < kResultRowCount; ++i)
        if (static_cast<int>(kResultRows[i].quantity) != i) return false;
    return true;
}
static_assert(tableFollowsTheEnumeration(), "kResultRows must list the results in window order");

}  // namespace

std::optional<ResultCell> resultOfField(std::string_view field) {
    for (const ResultRow& row : kResultRows) {
        if (field == row.pField) return ResultCell{row.quantity, Nutrient::P};
        if (field == row.nField) return ResultCell{row.quantity, Nutrient::N};
    }
    return std::nullopt;
}

long double LoadResults::value(Quantity quantity, Nutrient nutrient) const {
    return parseNumber(text(quantity, nutrient));
}

namespace {

// Hydraulic load of the catchment in m/yr from the runoff modulus q in l/(s·km²) and the water
// share W in %: q·31.536e6 l/yr per km² over W/100 km² of water surface ~ 3.15·q/W m/yr.
constexpr long double kHydraulicLoadFactor = 3.15L;

// The IEEE double a value is stored in; a value beyond its range is an overflow.
double storedAsDouble(long double v) {
    checkedFinite(v);
    if (std::fabs(v) > DBL_MAX) throw Failure(kOverflow);
    return static_cast<double>(v);
}

// ln of the hydraulic load: undefined for a negative load, infinitely negative for zero.
long double checkedLog(long double v) {
    if (v < 0) throw Failure(kInvalidOperation);
    if (v == 0) throw Failure(kDivisionByZero);
    return std::log(v);
}

// The concentration parameters of one nutrient and the land they drain.
struct Concentrations {
    Parameter arable, urban, mixed, natural;
};
constexpr Concentrations kConcentrationsP = {Parameter::ArableConcentrationP, Parameter::UrbanConcentrationP,
                                             Parameter::MixedConcentrationP, Parameter::NaturalConcentrationP};
constexpr Concentrations kConcentrationsN = {Parameter::ArableConcentrationN, Parameter::UrbanConcentrationN,
                                             Parameter::MixedConcentrationN, Parameter::NaturalConcentrationN};

// The emission per head of one nutrient, for cattle, pigs and poultry.
struct Emissions {
    Parameter cattle, pigs, poultry;
};
constexpr Emissions kEmissionsP = {Parameter::CattleEmissionP, Parameter::PigEmissionP, Parameter::PoultryEmissionP};
constexpr Emissions kEmissionsN = {Parameter::CattleEmissionN, Parameter::PigEmissionN, Parameter::PoultryEmissionN};

// One run of the calculation.  Every result is written as text and later steps read the
// displayed, rounded text back: that is part of the method.
class Calculation {
public:
    Calculation(const ParameterSet& parameters, LoadResults& results, TransportCoefficients& coefficients)
        : parameters_(parameters), results_(results), coefficients_(coefficients) {}

    void run() {
        try {
            runSteps();
        } catch (const Failure& failure) {
            stopped(failure.what());
            throw;
        } catch (const std::bad_alloc&) {
            stopped(kOutOfMemory);
            throw;
        }
        results_.setFailure({});
    }

private:
    // A parameter's value; the texts do not change during a run, so each is read once.
    long double parameterValue(Parameter parameter) const {
        std::optional<long double>& value = parameterValues_[static_cast<int>(parameter)];
        if (!value) value = parseNumber(parameters_.text(parameter));
        return *value;
    }
    long double shownValue(Quantity quantity, Nutrient n) const { return results_.value(quantity, n); }

    // Put the value in general format, read that text back and show it in fixed format with
    // the row's decimals: the displayed figure is rounded twice, as the method does.
    void writeRoundedTwice(Quantity quantity, Nutrient n, long double v) {
        const std::string general = formatGeneral(checkedFinite(v));
        storeText(quantity, n, general);
        writeRoundedOnce(quantity, n, parseNumber(general));
    }

    // Later steps read the shown text back, so it must stay within the extended range.
    void writeRoundedOnce(Quantity quantity, Nutrient n, long double v) {
        storeText(quantity, n, formatFixed(checkedReadableBack(v), resultRow(quantity).decimals));
    }

    void storeText(Quantity quantity, Nutrient n, std::string text) {
        results_.setText(quantity, n, std::move(text));
        written_.set(cellIndex(quantity, n));
    }

    // A failed run must not leave figures of an earlier run beside the new ones; the chart
    // windows report its failure rather than read the rows it emptied.
    void stopped(const char* failure) {
        for (const ResultRow& row : kResultRows)
            for (Nutrient n : kNutrients)
                if (!written_.test(cellIndex(row.quantity, n))) results_.setText(row.quantity, n, "");
        results_.setFailure(failure);
    }

    void runSteps() {
        using enum Nutrient;
        using enum Quantity;
        // 1. Point sources, t/yr.
        writeRoundedOnce(Lp, P, parameterValue(Parameter::PointSourcesP));
        writeRoundedOnce(Lp, N, parameterValue(Parameter::PointSourcesN));
        // 2-3. Diffuse emission: concentration (g/m³) x area (km²) x runoff layer (mm/yr)
        // gives t/yr after dividing by 1000.
        writeRoundedTwice(Le, P, diffuseEmission(kConcentrationsP));
        writeRoundedTwice(Le, N, diffuseEmission(kConcentrationsN));
        // 4. Mineral fertilisers, t/yr.
        writeRoundedOnce(Lmf, P, parameterValue(Parameter::FertiliserP));
        writeRoundedOnce(Lmf, N, parameterValue(Parameter::FertiliserN));
        // 5. Atmospheric deposition, t/(yr·km²) over the whole catchment.
        writeRoundedTwice(La, P, parameterValue(Parameter::DepositionP) * parameterValue(Parameter::TotalArea));
        writeRoundedTwice(La, N, parameterValue(Parameter::DepositionN) * parameterValue(Parameter::TotalArea));
        // 6. Livestock and poultry farms: kg/yr per animal times head count, to t/yr.
        writeRoundedTwice(Lof, P, livestock(kEmissionsP));
        writeRoundedTwice(Lof, N, livestock(kEmissionsN));
        // 7. Removal with the harvested crop from the arable land.
        writeRoundedTwice(Lc, P, parameterValue(Parameter::CropRemovalP) * parameterValue(Parameter::ArableArea));
        writeRoundedTwice(Lc, N, parameterValue(Parameter::CropRemovalN) * parameterValue(Parameter::ArableArea));
        // 8. Total load on the catchment from the displayed rows; the inflow from outside is
        // not part of it.
        for (Nutrient n : kNutrients)
            writeRoundedTwice(Ltot, n,
                              shownValue(Lp, n) + shownValue(Le, n) + shownValue(Lmf, n) + shownValue(Lof, n) +
                                  shownValue(La, n) - shownValue(Lc, n));
        // 9. Transport coefficients.
        computeTransportCoefficients();
        // 10. Retention by the catchment and its river network.
        writeRoundedTwice(Lret, P, shownValue(Ltot, P) * (1 - static_cast<long double>(coefficients_.rtP)));
        writeRoundedTwice(Lret, N, shownValue(Ltot, N) * (1 - static_cast<long double>(coefficients_.rtN)));
        // 11. Load on the water body; the inflow from outside arrives unretained.
        writeRoundedTwice(L, P, shownValue(Ltot, P) * coefficients_.rtP + parameterValue(Parameter::InflowP));
        writeRoundedTwice(L, N, shownValue(Ltot, N) * coefficients_.rtN + parameterValue(Parameter::InflowN));
        // 12. Natural (background) component: deposition plus the natural concentration in the
        // runoff from the land part of the catchment, after transport.
        writeRoundedTwice(Lnat, P,
                          naturalLoad(Parameter::DepositionP, Parameter::NaturalConcentrationP, coefficients_.rtP));
        writeRoundedTwice(Lnat, N,
                          naturalLoad(Parameter::DepositionN, Parameter::NaturalConcentrationN, coefficients_.rtN));
        // 13. Export moduli, kg/(km²·yr), from the displayed loads.
        writeRoundedTwice(M, P, checkedDivide(shownValue(L, P) * 1000, parameterValue(Parameter::TotalArea)));
        writeRoundedTwice(Mnat, P, checkedDivide(shownValue(Lnat, P) * 1000, parameterValue(Parameter::TotalArea)));
        writeRoundedTwice(M, N, checkedDivide(shownValue(L, N) * 1000, parameterValue(Parameter::TotalArea)));
        writeRoundedTwice(Mnat, N, checkedDivide(shownValue(Lnat, N) * 1000, parameterValue(Parameter::TotalArea)));
        // 14. Inflow rows, as entered.
        writeRoundedOnce(Lex, P, parameterValue(Parameter::InflowP));
        writeRoundedOnce(Lex, N, parameterValue(Parameter::InflowN));
    }

    // Sum accumulated left to right: arable, urbanised, mixed, natural land.
    long double diffuseEmission(const Concentrations& c) const {
        long double sum = parameterValue(c.arable) * parameterValue(Parameter::ArableArea);
        sum = sum + parameterValue(c.urban) * parameterValue(Parameter::UrbanArea);
        sum = sum + parameterValue(c.mixed) * parameterValue(Parameter::MixedArea);
        sum = sum + parameterValue(c.natural) * parameterValue(Parameter::NaturalArea);
        return checkedFinite(sum) * parameterValue(Parameter::RunoffLayer) / 1000;
    }

    long double livestock(const Emissions& e) const {
        long double kg = parameterValue(e.cattle) * parameterValue(Parameter::Cattle);
        kg = kg + parameterValue(e.pigs) * parameterValue(Parameter::Pigs);
        kg = kg + parameterValue(e.poultry) * parameterValue(Parameter::Poultry);
        return checkedFinite(checkedFinite(kg) * 1000) / 1000000;
    }

    long double naturalLoad(Parameter deposition, Parameter naturalConcentration, double rt) const {
        const long double t1 = parameterValue(deposition) * parameterValue(Parameter::TotalArea);
        const long double t2 = (parameterValue(Parameter::RunoffLayer) * parameterValue(naturalConcentration)) *
                               parameterValue(Parameter::TotalArea);
        return checkedFinite(((1 - parameterValue(Parameter::WaterShare) / 100) * t2) / 1000 + t1) * rt;
    }

    double hydraulicLoad() const {
        return nutrient::hydraulicLoad(parameterValue(Parameter::RunoffModulus), parameterValue(Parameter::WaterShare));
    }

    // Rt = 1 / (a·HL^b + 1): the share of the catchment load that reaches the water body.
    // Each coefficient is stored only when complete, so a failure keeps the previous one.
    void computeTransportCoefficients() {
        const double xP = hydraulicLoadPower(hydraulicLoad(), parameterValue(Parameter::RetentionExponentP));
        const double xN = hydraulicLoadPower(hydraulicLoad(), parameterValue(Parameter::RetentionExponentN));
        coefficients_.rtP =
            storedAsDouble(checkedDivide(1, checkedFinite(parameterValue(Parameter::RetentionCoefficientP) * xP + 1)));
        coefficients_.computedP = true;
        coefficients_.rtN =
            storedAsDouble(checkedDivide(1, checkedFinite(parameterValue(Parameter::RetentionCoefficientN) * xN + 1)));
        coefficients_.computedN = true;
    }

    const ParameterSet& parameters_;
    LoadResults& results_;
    TransportCoefficients& coefficients_;
    std::bitset<kResultCellCount> written_;
    mutable std::array<std::optional<long double>, kParameterCount> parameterValues_;
};

}  // namespace

double hydraulicLoad(long double runoffModulus, long double waterShare) {
    return storedAsDouble(checkedDivide(kHydraulicLoadFactor * runoffModulus, waterShare));
}

double hydraulicLoadPower(double hydraulicLoad, long double exponent) {
    return storedAsDouble(std::exp(checkedFinite(exponent * checkedLog(hydraulicLoad))));
}

void calculate(const ParameterSet& parameters, LoadResults& results, TransportCoefficients& coefficients) {
    Calculation(parameters, results, coefficients).run();
}

void checkLoadAgainstBackground(const LoadResults& results, Messages& messages) {
    for (Nutrient nutrient : kNutrients)
        if (results.value(Quantity::L, nutrient) < results.value(Quantity::Lnat, nutrient))
            messages.error(kErrorBelowBackground);
}

}  // namespace nutrient
