#pragma once
// The report of a basin, a document of its own: the rows of each nutrient with their figures,
// the basin's totals with its source-share pies, the common retention fit with its outlets and
// the rows that were not computed, on as many A4 pages as they take (another paper size scales
// them).  It is made from the core's analysis alone, so the basin window and the command line
// write the same report.

#include "model/basin_export.h"

#include <QByteArray>
#include <QString>

#include <string>

class QDate;
class QPagedPaintDevice;

namespace nutrient {

// Paints the report on a PDF writer or a printer.  Throws Failure when the device cannot be
// painted on (a printer that refuses the job).
void paintBasinReport(QPagedPaintDevice& device, const BasinAnalysis& analysis, const std::string& basinFileName,
                      const QDate& date);

// The report as a PDF document on A4 paper, vector throughout, titled with the report's name.
QByteArray basinReportPdf(const BasinAnalysis& analysis, const std::string& basinFileName, const QDate& date);

// The name the report goes by (its title, the footer of every page, the PDF file offered): the
// basin file's name without its folder.
QString basinReportName(const std::string& basinFileName);

}  // namespace nutrient
