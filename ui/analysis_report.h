#pragma once
// The scenario and the sensitivity of a catchment as the analysis window and the report show
// them: the help lines, the tables' headings and cells, the tornado charts' figures, and the
// report's pages, made from the core's objects alone so that the window and the command line
// add the same pages.

#include "model/sensitivity.h"
#include "model/target_search.h"
#include "ui/charts/chart_widget.h"
#include "ui/charts/tornado_chart.h"
#include "ui/report.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace nutrient {

// --- A scenario and its targets ---

// What the scenario's figures mean, for the top of its page.
QString scenarioHelp();
// The headings of a nutrient's four columns: baseline, scenario, change, change in per cent.
QStringList scenarioHeadings();
// A result of one nutrient in those four columns, texts as shown.
QStringList scenarioCells(const Scenario& scenario, Quantity quantity, Nutrient nutrient);
// A lever moved by its percentage: "Точечные источники (P): -20 %".
QString leverChangeText(const LeverChange& change);
// The changed parameters with their texts before and after: "Lp(P): 212 → 169.6; …"; empty
// when none changed.
QString changedParametersText(const Scenario& scenario);
// The target and its levers: "L(P) ≤ 2000 т/год, рычаги: Поголовье скота и птицы".
QString targetText(const TargetSearch& search);
// The verdict in words, with the other nutrient's load beside it when the cut's results can be
// taken: "Цель достигнута при сокращении на 30.77 %: L(P) = 1999.7 т/год; L(N) = 9774.8 т/год".
QString verdictLine(const TargetSearch& search);

// --- The sensitivity of the load ---

// What the table and the charts mean, for the top of their page.
QString sensitivityHelp();
// The headings of the table: parameter, L at -s and at +s, swing, elasticity.
QStringList sensitivityHeadings(const SensitivityTable& table);
// A row as the table shows it; a row whose variants cannot be taken has its reason in place
// of the figures.
QStringList sensitivityCells(const SensitivityRow& row);
// The parameters left out as zero: "Не изменялись (равны нулю): da(N), Lex(P), Lex(N)"; empty
// when none.
QString skippedText(const SensitivityTable& table);

// A tornado chart shows the parameters of the largest swing.
inline constexpr std::size_t kTornadoBars = 12;
// The chart of a nutrient: its title names the baseline load.
ChartLook tornadoLook(const SensitivityTable& table, Nutrient nutrient);
// The first kTornadoBars ranked rows whose variants can be taken, from their displayed texts.
std::vector<TornadoBar> tornadoBars(const SensitivityTable& table, Nutrient nutrient);

// --- The report's pages ---

// The scenario's page: the levers as given, the changed parameters, each target with its
// verdict, and the 13 results of each nutrient as baseline, scenario, change and change in per
// cent.  For a target alone, pass its scenario at the cut, no lever changes and the search.
ReportPage scenarioReportPage(const Scenario& scenario, const std::vector<LeverChange>& changes,
                              const std::vector<TargetSearch>& searches);
// The sensitivity's page: the two tornado charts, then the ranked tables of both nutrients
// side by side and the parameters skipped.
ReportPage sensitivityReportPage(const SensitivityTable& table);

}  // namespace nutrient
