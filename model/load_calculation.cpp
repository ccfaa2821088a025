#include "model/load_calculation.h"

#include "model/number_text.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <optional>
#include <stdexcept>

namespace nutrient {

const ResultRow* findResultRow(std::string_view quantity) {
    auto it = std::find_if(kResultRows.begin(), kResultRows.end(),
                           [&](const ResultRow& r) { return quantity == r.quantity; });
    return it == kResultRows.end() ? nullptr : &*it;
}

namespace {

const ResultRow& resultRow(std::string_view quantity) {
    const ResultRow* row = findResultRow(quantity);
    if (!row) throw std::out_of_range("unknown result quantity " + std::string(quantity));
    return *row;
}

const char* resultField(const ResultRow& row, Nutrient nutrient) {
    return nutrient == Nutrient::P ? row.pField : row.nField;
}

// The row of a quantity, looked up when the program is compiled.
consteval const ResultRow& row(std::string_view quantity) {
    for (const ResultRow& r : kResultRows)
        if (quantity == r.quantity) return r;
    throw "unknown result quantity";
}

}  // namespace

LoadResults::LoadResults() {
    for (const ResultRow& row : kResultRows) {
        known_.set(fieldNumber(row.pField));
        known_.set(fieldNumber(row.nField));
    }
}

std::size_t LoadResults::indexOf(std::string_view field) const {
    const std::size_t number = fieldNumber(field);
    if (number >= known_.size() || !known_.test(number))
        throw std::out_of_range("unknown result field " + std::string(field));
    return number;
}

const std::string& LoadResults::text(std::string_view field) const { return texts_[indexOf(field)]; }

const std::string& LoadResults::text(std::string_view quantity, Nutrient nutrient) const {
    return text(resultField(resultRow(quantity), nutrient));
}

void LoadResults::setText(std::string_view field, std::string text) {
    texts_[indexOf(field)] = std::move(text);
}

long double LoadResults::value(std::string_view quantity, Nutrient nutrient) const {
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

// One run of the calculation.  Every result is written as text and later steps read the
// displayed, rounded text back: that is part of the method.
class Calculation {
public:
    Calculation(const ParameterSet& parameters, LoadResults& results, RetentionShared& shared)
        : parameters_(parameters), results_(results), shared_(shared) {}

    void run() {
        try {
            runSteps();
        } catch (const Failure&) {
            emptyRowsNotReached();
            throw;
        }
    }

private:
    // A parameter's value; the texts do not change during a run, so each is read once.
    long double V(const char* field) const {
        std::optional<long double>& value = parameterValues_[fieldNumber(field)];
        if (!value) value = parseNumber(parameters_.getText(field));
        return *value;
    }
    long double R(const ResultRow& row, Nutrient n) const {
        return parseNumber(results_.text(resultField(row, n)));
    }

    // Put the value in general format, read that text back and show it in fixed format with
    // the row's decimals: the displayed figure is rounded twice, as the method does.
    void write(const ResultRow& row, Nutrient n, long double v) {
        const std::string general = formatGeneral(checkedFinite(v));
        put(resultField(row, n), general);
        put(resultField(row, n), formatFixed(parseNumber(general), row.decimals));
    }

    void writeFixed(const ResultRow& row, Nutrient n, long double v) {
        put(resultField(row, n), formatFixed(checkedFinite(v), row.decimals));
    }

    void put(const char* field, std::string text) {
        results_.setText(field, std::move(text));
        written_.set(fieldNumber(field));
    }

    // A failed run must not leave figures of an earlier run beside the new ones.
    void emptyRowsNotReached() {
        for (const ResultRow& row : kResultRows)
            for (const char* field : {row.pField, row.nField})
                if (!written_.test(fieldNumber(field))) results_.setText(field, "");
    }

    void runSteps() {
        using enum Nutrient;
        // 1. Point sources, t/yr.
        writeFixed(row("Lp"), P, V("Edit36"));
        writeFixed(row("Lp"), N, V("Edit37"));
        // 2-3. Diffuse emission: concentration (g/m³) x area (km²) x runoff layer (mm/yr)
        // gives t/yr after dividing by 1000.
        write(row("Le"), P, diffuseEmission("Edit1", "Edit2", "Edit4", "Edit3"));
        write(row("Le"), N, diffuseEmission("Edit9", "Edit10", "Edit12", "Edit11"));
        // 4. Mineral fertilisers, t/yr.
        writeFixed(row("Lmf"), P, V("Edit13"));
        writeFixed(row("Lmf"), N, V("Edit14"));
        // 5. Atmospheric deposition, t/(yr·km²) over the whole catchment.
        write(row("La"), P, V("Edit15") * V("Edit21"));
        write(row("La"), N, V("Edit16") * V("Edit21"));
        // 6. Livestock and poultry farms: kg/yr per animal times head count, to t/yr.
        write(row("Lof"), P, livestock("Edit27", "Edit28", "Edit29"));
        write(row("Lof"), N, livestock("Edit32", "Edit31", "Edit30"));
        // 7. Removal with the harvested crop from the arable land.
        write(row("Lc"), P, V("Edit17") * V("Edit22"));
        write(row("Lc"), N, V("Edit19") * V("Edit22"));
        // 8. Total load on the catchment from the displayed rows; the inflow from outside is
        // not part of it.
        for (Nutrient n : {P, N})
            write(row("Ltot"), n, R(row("Lp"), n) + R(row("Le"), n) + R(row("Lmf"), n) + R(row("Lof"), n) + R(row("La"), n) -
                                 R(row("Lc"), n));
        // 9. Transport coefficients.
        computeTransportCoefficients();
        // 10. Retention by the catchment and its river network.
        write(row("Lret"), P, R(row("Ltot"), P) * (1 - static_cast<long double>(shared_.rtP)));
        write(row("Lret"), N, R(row("Ltot"), N) * (1 - static_cast<long double>(shared_.rtN)));
        // 11. Load on the water body; the inflow from outside arrives unretained.
        write(row("L"), P, R(row("Ltot"), P) * shared_.rtP + V("Edit39"));
        write(row("L"), N, R(row("Ltot"), N) * shared_.rtN + V("Edit40"));
        // 12. Natural (background) component: deposition plus the natural concentration in the
        // runoff from the land part of the catchment, after transport.
        write(row("Lnat"), P, naturalLoad("Edit15", "Edit3", shared_.rtP));
        write(row("Lnat"), N, naturalLoad("Edit16", "Edit11", shared_.rtN));
        // 13. Export moduli, kg/(km²·yr), from the displayed loads.
        write(row("M"), P, checkedDivide(R(row("L"), P) * 1000, V("Edit21")));
        write(row("Mnat"), P, checkedDivide(R(row("Lnat"), P) * 1000, V("Edit21")));
        write(row("M"), N, checkedDivide(R(row("L"), N) * 1000, V("Edit21")));
        write(row("Mnat"), N, checkedDivide(R(row("Lnat"), N) * 1000, V("Edit21")));
        // 14. Inflow rows, as entered.
        writeFixed(row("Lex"), P, V("Edit39"));
        writeFixed(row("Lex"), N, V("Edit40"));
    }

    // Sum accumulated left to right: arable, urbanised, mixed, natural land.
    long double diffuseEmission(const char* cf, const char* cu, const char* cmix, const char* cnat) const {
        long double sum = V(cf) * V("Edit22");
        sum = sum + V(cu) * V("Edit23");
        sum = sum + V(cmix) * V("Edit24");
        sum = sum + V(cnat) * V("Edit26");
        return checkedFinite(sum) * V("Edit5") / 1000;
    }

    long double livestock(const char* cattle, const char* pigs, const char* poultry) const {
        long double kg = V(cattle) * V("Edit33");
        kg = kg + V(pigs) * V("Edit34");
        kg = kg + V(poultry) * V("Edit35");
        return checkedFinite(checkedFinite(kg) * 1000) / 1000000;
    }

    long double naturalLoad(const char* deposition, const char* cnat, double rt) const {
        const long double t1 = V(deposition) * V("Edit21");
        const long double t2 = (V("Edit5") * V(cnat)) * V("Edit21");
        return checkedFinite(((1 - V("Edit25") / 100) * t2) / 1000 + t1) * rt;
    }

    double hydraulicLoad() const {
        const long double q = V("Edit20");
        const long double w = V("Edit25");
        return storedAsDouble(checkedDivide(kHydraulicLoadFactor * q, w));
    }

    // HL^b as exp(b·ln HL), stored as a double.
    static double power(double hl, long double b) {
        return storedAsDouble(std::exp(checkedFinite(b * checkedLog(hl))));
    }

    // Rt = 1 / (a·HL^b + 1): the share of the catchment load that reaches the water body.
    // Each coefficient is stored only when complete, so a failure keeps the previous one.
    void computeTransportCoefficients() {
        const double xP = power(hydraulicLoad(), V("Edit7"));
        const double xN = power(hydraulicLoad(), V("Edit18"));
        shared_.rtP = storedAsDouble(checkedDivide(1, checkedFinite(V("Edit6") * xP + 1)));
        shared_.rtN = storedAsDouble(checkedDivide(1, checkedFinite(V("Edit8") * xN + 1)));
    }

    const ParameterSet& parameters_;
    LoadResults& results_;
    RetentionShared& shared_;
    std::bitset<29> written_;  // by field number
    mutable std::array<std::optional<long double>, kParameterCount + 1> parameterValues_;
};

}  // namespace

void calculate(const ParameterSet& parameters, LoadResults& results, RetentionShared& shared) {
    Calculation(parameters, results, shared).run();
}

}  // namespace nutrient
