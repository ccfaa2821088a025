#include "ui/chart_looks.h"

namespace nutrient {

namespace {

// How each source is drawn: its legend label (a digit and two blanks, explained by the panel
// under the pies) and its colour, in the order of the slices.
struct SliceLook {
    const char* label;
    QColor colour;
};
const SliceLook kSliceLooks[kSourceCount] = {
    {"1  ", QColor(0x00, 0xFF, 0x00)},  // point sources: lime
    {"2  ", QColor(0x00, 0x80, 0x00)},  // anthropogenic diffuse sources: green
    {"3  ", QColor(0xFF, 0xFF, 0x00)},  // natural background: yellow
};

// Inputs stand up in red, outputs hang down in blue.
const QColor kInputRed(0xFF, 0x00, 0x00);
const QColor kOutputBlue(0x00, 0x00, 0xFF);

}  // namespace

// Marks on arrows 4 pixels long on the P pie and 8 on the N pie, both pies 6 % thick.
ChartLook sourceShareLook(Nutrient nutrient) {
    return nutrient == Nutrient::P
               ? ChartLook{QString::fromUtf8("Долевой вклад различных источников в нагрузку Pобщ"), 4, 0.06}
               : ChartLook{QString::fromUtf8("Долевой вклад различных источников в нагрузку Nобщ"), 8, 0.06};
}

std::vector<PieSlice> sourceSharePie(const LoadResults& results, const TransportCoefficients& coefficients,
                                     Nutrient nutrient) {
    return sourceSharePie(sourceShareSlices(results, coefficients, nutrient));
}

std::vector<PieSlice> sourceSharePie(const std::array<ShareSlice, kSourceCount>& figures) {
    std::vector<PieSlice> slices;
    for (const ShareSlice& figure : figures) {
        const SliceLook& look = kSliceLooks[static_cast<int>(figure.source)];
        slices.push_back(
            {figure.value, QString::fromLatin1(look.label), look.colour, QString::fromStdString(figure.mark)});
    }
    return slices;
}

QStringList sourceShareLegend() {
    return {QString::fromUtf8("1 - Вклад точечных источников"),
            QString::fromUtf8("2 - Вклад антропогенных рассредоточенных источников"),
            QString::fromUtf8("3 - Природная составляющая нагрузки")};
}

// Marks on arrows 20 pixels long, 15 % deep; minor ticks on the N chart's axis alone.
ChartLook budgetLook(Nutrient nutrient) {
    return nutrient == Nutrient::P ? ChartLook{QStringLiteral("Ptot"), 20, 0.15, false}
                                   : ChartLook{QStringLiteral("Ntot"), 20, 0.15, true};
}

std::vector<ChartBar> budgetChart(const LoadResults& results, Nutrient nutrient) {
    std::vector<ChartBar> bars;
    for (const BudgetBar& bar : budgetBars(results, nutrient))
        bars.push_back({QString::fromLatin1(resultRow(bar.quantity).symbol), bar.value, budgetColour(bar.input)});
    return bars;
}

QString budgetHeading() { return QStringLiteral("Inputs (1) and outputs (2) of nutrient budget"); }

QColor budgetColour(bool input) { return input ? kInputRed : kOutputBlue; }

}  // namespace nutrient
