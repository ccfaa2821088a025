#pragma once
// How the program's charts look, apart from their figures: the source-share pies with their
// slice colours, labels and legend, and the budget bars with their colours and heading.  The
// chart windows and the report draw them alike from here.

#include "model/chart_figures.h"
#include "model/load_calculation.h"
#include "ui/charts/chart_data.h"
#include "ui/charts/chart_widget.h"

#include <QColor>
#include <QString>
#include <QStringList>

#include <vector>

namespace nutrient {

// The pie of a nutrient: title, arrows and depth; the three slices of the results with their
// colours and legend labels; the lines of the panel under the pies that explain the labels.
ChartLook sourceShareLook(Nutrient nutrient);
std::vector<PieSlice> sourceSharePie(const LoadResults& results, const TransportCoefficients& coefficients,
                                     Nutrient nutrient);
// The same slices for figures worked out elsewhere (a basin's pie, from the sums of its rows).
std::vector<PieSlice> sourceSharePie(const std::array<ShareSlice, kSourceCount>& figures);
QStringList sourceShareLegend();

// The bar chart of a nutrient: title, arrows, depth and axis; the nine bars of the results in
// their colours; the heading over the charts, whose legend gives the inputs (1) and the outputs
// (2) in their bars' colours.
ChartLook budgetLook(Nutrient nutrient);
std::vector<ChartBar> budgetChart(const LoadResults& results, Nutrient nutrient);
QString budgetHeading();
QColor budgetColour(bool input);

}  // namespace nutrient
