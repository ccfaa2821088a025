#pragma once
// The report a hydrologist hands on: the catchment's forty parameters with their captions and
// units, its 26 results as the results window shows them, the source-share pies and budget
// bars painted by the windows' own drawing, and the method with its literature, on two A4
// pages.  It is made from the model's texts alone, so a catchment computed without a window
// gets the same report as one computed in the windows.

#include "model/load_calculation.h"
#include "model/parameter_set.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <vector>

class QDate;
class QPagedPaintDevice;

namespace nutrient {

class ReportCanvas;

// A page an analysis adds after the catchment's two: painted on the canvas from its top
// (ReportCanvas::kTop), within one page.
using ReportPage = std::function<void(ReportCanvas& canvas)>;

// Paints the two pages, then the pages of analyses, on a PDF writer or a printer, each fitted
// into the device's page (the layout is A4's; another paper size scales it).  Throws Failure
// when the device cannot be painted on (a printer that refuses the job).
void paintReport(QPagedPaintDevice& device, const ParameterTexts& parameters, const LoadResults& results,
                 const TransportCoefficients& coefficients, const QDate& date,
                 const std::vector<ReportPage>& morePages = {});

// The object's name as the report shows it: its first kReportNameCharacters characters, so that
// a name of any length lays out at once in three lines at most.
inline constexpr std::size_t kReportNameCharacters = 300;
QString reportName(const ParameterTexts& parameters);

// The report as a PDF document on A4 paper, vector throughout, titled with the report's name.
QByteArray reportPdf(const ParameterTexts& parameters, const LoadResults& results,
                     const TransportCoefficients& coefficients, const QDate& date,
                     const std::vector<ReportPage>& morePages = {});

}  // namespace nutrient
