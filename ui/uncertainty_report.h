#pragma once
// The uncertainty of the load and its check against a measured load as the analysis window's
// pages and the report show them: the rows of their tables, the histograms' figures, what each
// figure means, and a report page of each.  Everything is made from the core's objects alone,
// so that the command line's report gets the same pages as the window's.

#include "model/measured_load.h"
#include "model/uncertainty.h"
#include "ui/charts/chart_widget.h"
#include "ui/charts/histogram_chart.h"
#include "ui/report.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace nutrient {

// --- Uncertainty ---

// What the figures of the analysis mean, in a few sentences under the page and the report.
QString uncertaintyExplanation();

// The statistics: the headings, then a row per figure ("L(P)", its mean, 5 %, 50 %, 95 %), per
// nutrient Ltot, Lret, L, Lnat, M and Rt.
QStringList uncertaintyHeadings();
std::vector<QStringList> uncertaintyRows(const UncertaintySummary& summary);
// The draws computed, those that were not by reason, and the share at most each target.
QStringList uncertaintyNotes(const UncertaintySummary& summary);

// The histogram of L of a nutrient: its title, its bins, and the baseline's L and the three
// percentiles marked.
ChartLook histogramLook(Nutrient nutrient);
std::vector<HistogramFigure> histogramFigures(const UncertaintySummary& summary, Nutrient nutrient,
                                              const Computation& baseline);

// The report's page of an analysis: the draws, the seed and the ranges, the statistics, the
// failed draws and the targets, the two histograms and what the figures mean.
ReportPage uncertaintyReportPage(const UncertaintyRun& run, const UncertaintySummary& summary);

// --- A check against a measured load ---

// What the figures of the check mean and what a measured load should be.
QString measuredLoadExplanation();

// "коэффициент удержания a" or "показатель степени b".
QString fittedCoefficientCaption(FittedCoefficient coefficient);

// The check: the headings, then per nutrient measured its name, the measured and the computed
// load, the deviation in per cent, Rt_obs and the fitted coefficient ("a(P) = 22.55…").
QStringList measuredCheckHeadings();
std::vector<QStringList> measuredCheckRows(const MeasuredLoadCheck& check);
// Why a coefficient was not fitted, and why the results with the fitted ones cannot be taken.
QStringList measuredCheckNotes(const MeasuredLoadCheck& check);
// The 26 results beside those recomputed with the fitted coefficients: the headings, then a row
// per result (its caption, P as computed and with the fit, N the same); empty when nothing
// was fitted.
QStringList measuredResultHeadings();
std::vector<QStringList> measuredResultRows(const MeasuredLoadCheck& check);

// The report's page of the check: the fitted coefficient, the check, the results side by side
// and what the figures mean.
ReportPage measuredLoadReportPage(const MeasuredLoadCheck& check);

}  // namespace nutrient
