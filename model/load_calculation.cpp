#include "load_calculation.h"

#include "number_text.h"

#include <algorithm>
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
    Calculation(const ParameterSet& parameters, LoadResults& results, RetentionShared& shared)
        : parameters_(parameters), results_(results), shared_(shared) {}

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
    long double V(Parameter parameter) const {
        std::optional<long double>& value = parameterValues_[static_cast<int>(parameter)];
        if (!value) value = parseNumber(parameters_.text(parameter));
        return *value;
    }
    long double R(Quantity quantity, Nutrient n) const { return results_.value(quantity, n); }

    // Put the value in general format, read that text back and show it in fixed format with
    // the row's decimals: the displayed figure is rounded twice, as the method does.
    void write(Quantity quantity, Nutrient n, long double v) {
        const std::string general = formatGeneral(checkedFinite(v));
        put(quantity, n, general);
        writeFixed(quantity, n, parseNumber(general));
    }

    // Later steps read the shown text back, so it must stay within the extended range.
    void writeFixed(Quantity quantity, Nutrient n, long double v) {
        put(quantity, n, formatFixed(checkedReadableBack(v), resultRow(quantity).decimals));
    }

    void put(Quantity quantity, Nutrient n, std::string text) {
        results_.setText(quantity, n, std::move(text));
        written_.set(cellIndex(quantity, n));
    }

    static std::size_t cellIndex(Quantity quantity, Nutrient n) {
        return static_cast<std::size_t>(quantity) * 2 + static_cast<std::size_t>(n);
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
        writeFixed(Lp, P, V(Parameter::PointSourcesP));
        writeFixed(Lp, N, V(Parameter::PointSourcesN));
        // 2-3. Diffuse emission: concentration (g/m³) x area (km²) x runoff layer (mm/yr)
        // gives t/yr after dividing by 1000.
        write(Le, P, diffuseEmission(kConcentrationsP));
        write(Le, N, diffuseEmission(kConcentrationsN));
        // 4. Mineral fertilisers, t/yr.
        writeFixed(Lmf, P, V(Parameter::FertiliserP));
        writeFixed(Lmf, N, V(Parameter::FertiliserN));
        // 5. Atmospheric deposition, t/(yr·km²) over the whole catchment.
        write(La, P, V(Parameter::DepositionP) * V(Parameter::TotalArea));
        write(La, N, V(Parameter::DepositionN) * V(Parameter::TotalArea));
        // 6. Livestock and poultry farms: kg/yr per animal times head count, to t/yr.
        write(Lof, P, livestock(kEmissionsP));
        write(Lof, N, livestock(kEmissionsN));
        // 7. Removal with the harvested crop from the arable land.
        write(Lc, P, V(Parameter::CropRemovalP) * V(Parameter::ArableArea));
        write(Lc, N, V(Parameter::CropRemovalN) * V(Parameter::ArableArea));
        // 8. Total load on the catchment from the displayed rows; the inflow from outside is
        // not part of it.
        for (Nutrient n : kNutrients) write(Ltot, n, R(Lp, n) + R(Le, n) + R(Lmf, n) + R(Lof, n) + R(La, n) - R(Lc, n));
        // 9. Transport coefficients.
        computeTransportCoefficients();
        // 10. Retention by the catchment and its river network.
        write(Lret, P, R(Ltot, P) * (1 - static_cast<long double>(shared_.rtP)));
        write(Lret, N, R(Ltot, N) * (1 - static_cast<long double>(shared_.rtN)));
        // 11. Load on the water body; the inflow from outside arrives unretained.
        write(L, P, R(Ltot, P) * shared_.rtP + V(Parameter::InflowP));
        write(L, N, R(Ltot, N) * shared_.rtN + V(Parameter::InflowN));
        // 12. Natural (background) component: deposition plus the natural concentration in the
        // runoff from the land part of the catchment, after transport.
        write(Lnat, P, naturalLoad(Parameter::DepositionP, Parameter::NaturalConcentrationP, shared_.rtP));
        write(Lnat, N, naturalLoad(Parameter::DepositionN, Parameter::NaturalConcentrationN, shared_.rtN));
        // 13. Export moduli, kg/(km²·yr), from the displayed loads.
        write(M, P, checkedDivide(R(L, P) * 1000, V(Parameter::TotalArea)));
        write(Mnat, P, checkedDivide(R(Lnat, P) * 1000, V(Parameter::TotalArea)));
        write(M, N, checkedDivide(R(L, N) * 1000, V(Parameter::TotalArea)));
        write(Mnat, N, checkedDivide(R(Lnat, N) * 1000, V(Parameter::TotalArea)));
        // 14. Inflow rows, as entered.
        writeFixed(Lex, P, V(Parameter::InflowP));
        writeFixed(Lex, N, V(Parameter::InflowN));
    }

    // Sum accumulated left to right: arable, urbanised, mixed, natural land.
    long double diffuseEmission(const Concentrations& c) const {
        long double sum = V(c.arable) * V(Parameter::ArableArea);
        sum = sum + V(c.urban) * V(Parameter::UrbanArea);
        sum = sum + V(c.mixed) * V(Parameter::MixedArea);
        sum = sum + V(c.natural) * V(Parameter::NaturalArea);
        return checkedFinite(sum) * V(Parameter::RunoffLayer) / 1000;
    }

    long double livestock(const Emissions& e) const {
        long double kg = V(e.cattle) * V(Parameter::Cattle);
        kg = kg + V(e.pigs) * V(Parameter::Pigs);
        kg = kg + V(e.poultry) * V(Parameter::Poultry);
        return checkedFinite(checkedFinite(kg) * 1000) / 1000000;
    }

    long double naturalLoad(Parameter deposition, Parameter naturalConcentration, double rt) const {
        const long double t1 = V(deposition) * V(Parameter::TotalArea);
        const long double t2 = (V(Parameter::RunoffLayer) * V(naturalConcentration)) * V(Parameter::TotalArea);
        return checkedFinite(((1 - V(Parameter::WaterShare) / 100) * t2) / 1000 + t1) * rt;
    }

    double hydraulicLoad() const {
        const long double q = V(Parameter::RunoffModulus);
        const long double w = V(Parameter::WaterShare);
        return storedAsDouble(checkedDivide(kHydraulicLoadFactor * q, w));
    }

    // HL^b as exp(b·ln HL), stored as a double.
    static double power(double hl, long double b) {
        return storedAsDouble(std::exp(checkedFinite(b * checkedLog(hl))));
    }

    // Rt = 1 / (a·HL^b + 1): the share of the catchment load that reaches the water body.
    // Each coefficient is stored only when complete, so a failure keeps the previous one.
    void computeTransportCoefficients() {
        const double xP = power(hydraulicLoad(), V(Parameter::RetentionExponentP));
        const double xN = power(hydraulicLoad(), V(Parameter::RetentionExponentN));
        shared_.rtP = storedAsDouble(checkedDivide(1, checkedFinite(V(Parameter::RetentionCoefficientP) * xP + 1)));
        shared_.rtN = storedAsDouble(checkedDivide(1, checkedFinite(V(Parameter::RetentionCoefficientN) * xN + 1)));
    }

    const ParameterSet& parameters_;
    LoadResults& results_;
    RetentionShared& shared_;
    std::bitset<2 * kResultRowCount> written_;
    mutable std::array<std::optional<long double>, kParameterCount> parameterValues_;
};

}  // namespace

void calculate(const ParameterSet& parameters, LoadResults& results, RetentionShared& shared) {
    Calculation(parameters, results, shared).run();
}

void checkLoadAgainstBackground(const LoadResults& results, Messages& messages) {
    for (Nutrient nutrient : kNutrients)
        if (results.value(Quantity::L, nutrient) < results.value(Quantity::Lnat, nutrient))
            messages.error(kErrorBelowBackground);
}

}  // namespace nutrient
