#include "model/load_calculation.h"

#include "model/number_text.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <set>
#include <stdexcept>

namespace nutrient {

// The row captions are the results window's own texts; in rows 12 and 13 the blanks after
// "км" make room for a raised "2".
const std::array<ResultRow, kResultRowCount> kResultRows = {{
    {"Lp", "Edit1", "Edit13", 1, "Нагрузка от точечных источников (Lp)"},
    {"Le", "Edit2", "Edit12", 1, "Рассредоточенная эмиссия подстилающей поверхностью (Le)"},
    {"Lmf", "Edit3", "Edit14", 1,
     "Нагрузка, сформированная в результате внесения минеральных удобрений (Lmf )"},
    {"Lof", "Edit4", "Edit15", 1,
     "Нагрузка, сформированной за счет животноводства и птицеводства (Lof)"},
    {"La", "Edit6", "Edit17", 1, "Нагрузка, сформированной атмосферными выпадениями (La)"},
    {"Lex", "Edit27", "Edit28", 2, "Поступление извне (Lex)"},
    {"Lc", "Edit7", "Edit18", 1,
     "Вынос биогенных веществ за пределы водосбора с выращенным урожаем (Lc)"},
    {"Ltot", "Edit8", "Edit19", 1, "Суммарная биогеннаяй нагрузка на водосбор (Ltot)"},
    {"Lret", "Edit10", "Edit21", 1,
     "Удержание биогенных веществ водосбором и его гидрографической сетью (Lret)"},
    {"L", "Edit11", "Edit22", 1,
     "Вынос биогенных веществ с водосбора и нагрузки на водный объект (L)"},
    {"Lnat", "Edit5", "Edit9", 1, "Фоновая (природная) компонента нагрузки  (Lnat)"},
    {"M", "Edit16", "Edit23", 2, "Модуль выноса с водосбора (кг/(км  год))"},
    {"Mnat", "Edit20", "Edit24", 2, "Модуль фонового выноса (кг/(км   год))"},
}};

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

}  // namespace

LoadResults::LoadResults() {
    for (const ResultRow& row : kResultRows) {
        texts_.emplace(row.pField, "");
        texts_.emplace(row.nField, "");
    }
}

const std::string& LoadResults::text(std::string_view field) const {
    auto it = texts_.find(field);
    if (it == texts_.end()) throw std::out_of_range("unknown result field " + std::string(field));
    return it->second;
}

const std::string& LoadResults::text(std::string_view quantity, Nutrient nutrient) const {
    return text(resultField(resultRow(quantity), nutrient));
}

void LoadResults::setText(std::string_view field, std::string text) {
    auto it = texts_.find(field);
    if (it == texts_.end()) throw std::out_of_range("unknown result field " + std::string(field));
    it->second = std::move(text);
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
    long double V(const char* field) const { return parseNumber(parameters_.getText(field)); }
    long double R(const char* quantity, Nutrient n) const { return results_.value(quantity, n); }

    // Put the value in general format, read that text back and show it in fixed format with
    // the row's decimals: the displayed figure is rounded twice, as the method does.
    void write(const char* quantity, Nutrient n, long double v) {
        const ResultRow& row = resultRow(quantity);
        const std::string general = formatGeneral(checkedFinite(v));
        put(resultField(row, n), general);
        put(resultField(row, n), formatFixed(parseNumber(general), row.decimals));
    }

    void writeFixed(const char* quantity, Nutrient n, long double v) {
        const ResultRow& row = resultRow(quantity);
        put(resultField(row, n), formatFixed(checkedFinite(v), row.decimals));
    }

    void put(const char* field, std::string text) {
        results_.setText(field, std::move(text));
        written_.insert(field);
    }

    // A failed run must not leave figures of an earlier run beside the new ones.
    void emptyRowsNotReached() {
        for (const ResultRow& row : kResultRows)
            for (const char* field : {row.pField, row.nField})
                if (!written_.count(field)) results_.setText(field, "");
    }

    void runSteps() {
        using enum Nutrient;
        // 1. Point sources, t/yr.
        writeFixed("Lp", P, V("Edit36"));
        writeFixed("Lp", N, V("Edit37"));
        // 2-3. Diffuse emission: concentration (g/m³) x area (km²) x runoff layer (mm/yr)
        // gives t/yr after dividing by 1000.
        write("Le", P, diffuseEmission("Edit1", "Edit2", "Edit4", "Edit3"));
        write("Le", N, diffuseEmission("Edit9", "Edit10", "Edit12", "Edit11"));
        // 4. Mineral fertilisers, t/yr.
        writeFixed("Lmf", P, V("Edit13"));
        writeFixed("Lmf", N, V("Edit14"));
        // 5. Atmospheric deposition, t/(yr·km²) over the whole catchment.
        write("La", P, V("Edit15") * V("Edit21"));
        write("La", N, V("Edit16") * V("Edit21"));
        // 6. Livestock and poultry farms: kg/yr per animal times head count, to t/yr.
        write("Lof", P, livestock("Edit27", "Edit28", "Edit29"));
        write("Lof", N, livestock("Edit32", "Edit31", "Edit30"));
        // 7. Removal with the harvested crop from the arable land.
        write("Lc", P, V("Edit17") * V("Edit22"));
        write("Lc", N, V("Edit19") * V("Edit22"));
        // 8. Total load on the catchment from the displayed rows; the inflow from outside is
        // not part of it.
        for (Nutrient n : {P, N})
            write("Ltot", n, R("Lp", n) + R("Le", n) + R("Lmf", n) + R("Lof", n) + R("La", n) -
                                 R("Lc", n));
        // 9. Transport coefficients.
        computeTransportCoefficients();
        // 10. Retention by the catchment and its river network.
        write("Lret", P, R("Ltot", P) * (1 - static_cast<long double>(shared_.rtP)));
        write("Lret", N, R("Ltot", N) * (1 - static_cast<long double>(shared_.rtN)));
        // 11. Load on the water body; the inflow from outside arrives unretained.
        write("L", P, R("Ltot", P) * shared_.rtP + V("Edit39"));
        write("L", N, R("Ltot", N) * shared_.rtN + V("Edit40"));
        // 12. Natural (background) component: deposition plus the natural concentration in the
        // runoff from the land part of the catchment, after transport.
        write("Lnat", P, naturalLoad("Edit15", "Edit3", shared_.rtP));
        write("Lnat", N, naturalLoad("Edit16", "Edit11", shared_.rtN));
        // 13. Export moduli, kg/(km²·yr), from the displayed loads.
        write("M", P, checkedDivide(R("L", P) * 1000, V("Edit21")));
        write("Mnat", P, checkedDivide(R("Lnat", P) * 1000, V("Edit21")));
        write("M", N, checkedDivide(R("L", N) * 1000, V("Edit21")));
        write("Mnat", N, checkedDivide(R("Lnat", N) * 1000, V("Edit21")));
        // 14. Inflow rows, as entered.
        writeFixed("Lex", P, V("Edit39"));
        writeFixed("Lex", N, V("Edit40"));
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
    std::set<std::string> written_;
};

}  // namespace

void calculate(const ParameterSet& parameters, LoadResults& results, RetentionShared& shared) {
    Calculation(parameters, results, shared).run();
}

}  // namespace nutrient
