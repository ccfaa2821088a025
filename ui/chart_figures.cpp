#include "ui/chart_figures.h"

#include "model/number_text.h"

#include <array>
#include <cmath>
#include <string>

namespace nutrient {

namespace {

const QColor kLime(0x00, 0xFF, 0x00);
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kYellow(0xFF, 0xFF, 0x00);
const QColor kInputRed(0xFF, 0x00, 0x00);
const QColor kOutputBlue(0x00, 0x00, 0xFF);

long double R(const LoadResults& results, const char* quantity, Nutrient nutrient) {
    return results.value(quantity, nutrient);
}

// Diffuse inputs that the crop removal draws on, summed in this order.
long double diffuseInputs(const LoadResults& results, Nutrient nutrient) {
    long double sum = R(results, "Lmf", nutrient);
    sum += R(results, "Le", nutrient);
    sum += R(results, "Lof", nutrient);
    sum += R(results, "La", nutrient);
    return sum;
}

// The charts keep their values as doubles, as the slices and bars are stored.
double chartValue(long double value) {
    return static_cast<double>(checkedFinite(static_cast<double>(value)));
}

bool cropRemovalPlausible(const LoadResults& results, Nutrient nutrient) {
    const long double removal = R(results, "Lc", nutrient);
    return removal <= diffuseInputs(results, nutrient);
}

struct Contribution {
    const char* quantity;
    Nutrient nutrient;
};
// The three contributions a pie is made of, P first; tested and warned about in this order.
constexpr std::array<Contribution, 6> kContributions = {{
    {"L", Nutrient::P},
    {"Lp", Nutrient::P},
    {"Lnat", Nutrient::P},
    {"Lp", Nutrient::N},
    {"L", Nutrient::N},
    {"Lnat", Nutrient::N},
}};

struct BudgetTerm {
    const char* quantity;
    int sign;  // outputs are negated so that they hang below zero
};
constexpr std::array<BudgetTerm, 9> kBudgetTerms = {{
    {"Lp", 1},
    {"Le", 1},
    {"Lmf", 1},
    {"Lof", 1},
    {"La", 1},
    {"Lex", 1},
    {"Lret", -1},
    {"Lc", -1},
    {"L", -1},
}};

QString grouped(const std::string& integerDigits) {
    const QString group = QString::fromStdString(separators().group);
    QString text;
    const int n = static_cast<int>(integerDigits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) text += group;
        text += QChar(integerDigits[i]);
    }
    return text;
}

}  // namespace

// "#,##0.##"-style: rounded half up like the result texts (on the 18-digit decimal form), the
// fraction's trailing zeros dropped, the integer part grouped, the regional separators.
QString groupedNumber(long double value, int maxDecimals) {
    const std::string fixed = formatFixed(std::fabs(value), maxDecimals);
    const std::size_t point = fixed.find('.');
    const std::string integerPart = fixed.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : fixed.substr(point + 1);
    while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();

    QString text = grouped(integerPart);
    if (!fraction.empty())
        text += QString::fromStdString(separators().decimal) + QString::fromStdString(fraction);
    const bool zero = integerPart == "0" && fraction.empty();
    if (value < 0 && !zero) text.prepend(QLatin1Char('-'));
    return text;
}

QString pieMark(long double sharePercent, long double total) {
    // The share as "##0.##,%" and the total as "#,##0" in the mark pattern.
    const QString share = groupedNumber(sharePercent, 2) + QLatin1Char('%');
    return QString::asprintf("%s of %s", share.toUtf8().constData(),
                             groupedNumber(total, 0).toUtf8().constData());
}

std::vector<PieSlice> sourceShareSlices(const LoadResults& results, const RetentionShared& shared,
                                        Nutrient nutrient) {
    const long double load = R(results, "L", nutrient);
    const long double background = R(results, "Lnat", nutrient);
    const long double pointAfterTransport = R(results, "Lp", nutrient) * shared.rt(nutrient);

    // Shares and total come from the slices as the chart keeps them.
    std::vector<PieSlice> slices = {
        {chartValue(pointAfterTransport), QStringLiteral("1  "), kLime, {}},
        {chartValue((load - background) - pointAfterTransport), QStringLiteral("2  "), kGreen, {}},
        {chartValue(background), QStringLiteral("3  "), kYellow, {}},
    };
    double total = 0.0;
    for (const PieSlice& slice : slices) total += std::fabs(slice.value);
    for (PieSlice& slice : slices) {
        const long double share = total == 0.0 ? 100.0L : 100.0L * std::fabs(slice.value) / total;
        slice.mark = pieMark(share, total);
    }
    return slices;
}

bool sourceSharesDrawable(const LoadResults& results) {
    for (const Contribution& c : kContributions)
        if (!(R(results, c.quantity, c.nutrient) > 0)) return false;
    return cropRemovalPlausible(results, Nutrient::P) && cropRemovalPlausible(results, Nutrient::N);
}

void warnAboutNegativeContributions(const LoadResults& results, Messages& messages) {
    for (const Contribution& c : kContributions)
        if (R(results, c.quantity, c.nutrient) < 0) messages.warning(kWarnNegativeContribution);
}

std::vector<ChartBar> budgetBars(const LoadResults& results, Nutrient nutrient) {
    std::vector<ChartBar> bars;
    for (const BudgetTerm& term : kBudgetTerms) {
        const long double value = term.sign * R(results, term.quantity, nutrient);
        bars.push_back({QString::fromLatin1(term.quantity), chartValue(value),
                        term.sign > 0 ? kInputRed : kOutputBlue});
    }
    return bars;
}

bool budgetDrawable(const LoadResults& results) {
    return cropRemovalPlausible(results, Nutrient::P) && cropRemovalPlausible(results, Nutrient::N);
}

void warnAboutCropRemoval(const LoadResults& results, Messages& messages) {
    for (Nutrient nutrient : {Nutrient::P, Nutrient::N})
        if (!cropRemovalPlausible(results, nutrient)) messages.warning(kWarnNegativeDiffuse);
}

}  // namespace nutrient
