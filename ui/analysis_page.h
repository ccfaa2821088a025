#pragma once
// A page of the analysis window: it works on the baseline the window hands it, recomputes on
// every edit without blocking the window, and adds its pages to the report.

#include "model/computation.h"
#include "ui/report.h"

#include <QString>
#include <QWidget>

#include <vector>

namespace nutrient {

class AnalysisPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // The caption of the page's tab.
    virtual QString title() const = 0;
    // The parameters as they stand, after the show rule, computed; the page recomputes from
    // them.
    virtual void setBaseline(const Computation& baseline) = 0;
    // The report's pages of this analysis as the page shows it; none when it shows nothing.
    virtual std::vector<ReportPage> reportPages() const = 0;
    // The window closes: work the page still runs stops.
    virtual void stopWork() {}
};

}  // namespace nutrient
