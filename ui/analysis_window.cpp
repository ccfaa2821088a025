#include "ui/analysis_window.h"

#include "model/variant.h"
#include "ui/analysis_page.h"
#include "ui/measured_load_page.h"
#include "ui/report.h"
#include "ui/scenario_page.h"
#include "ui/sensitivity_page.h"
#include "ui/uncertainty_page.h"
#include "ui/window_parts.h"

#include <QDate>
#include <QPagedPaintDevice>
#include <QTabWidget>
#include <QVBoxLayout>

namespace nutrient {

AnalysisWindow::AnalysisWindow(const ParameterSet& parameters, Messages& messages, FileDialogs& dialogs,
                               QWidget* parent)
    : LazyDialog(&messages, parent),
      parameters_(parameters),
      messages_(messages),
      dialogs_(dialogs),
      reportOutput_(dialogs) {
    setObjectName(QStringLiteral("AnalysisWindow"));
    setWindowTitle(QStringLiteral("Анализ нагрузки"));
    resize(1000, 720);
}

AnalysisWindow::~AnalysisWindow() = default;

void AnalysisWindow::setParametersFile(std::function<QString()> fileOfTexts) {
    parametersFile_ = std::move(fileOfTexts);
}

void AnalysisWindow::build() {
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("AnalysisPages"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(tabs_);
    const VariantFiles variantFiles{messages_, dialogs_,
                                    [this] { return parametersFile_ ? parametersFile_() : QString(); }};
    addPage(new ScenarioPage(variantFiles));
    addPage(new SensitivityPage);
    addPage(new UncertaintyPage(messages_, dialogs_));
    addPage(new MeasuredLoadPage(variantFiles));
    addWindowAction(*this, QStringLiteral("Отчет…"), QKeySequence::keyBindings(QKeySequence::Print),
                    [this] { makeReport(); });
    // Closing the window stops the work its pages still run.
    connect(this, &QDialog::finished, this, [this] {
        for (AnalysisPage* page : pages_) page->stopWork();
    });
}

void AnalysisWindow::addPage(AnalysisPage* page) {
    pages_.push_back(page);
    tabs_->addTab(page, page->title());
}

void AnalysisWindow::refresh() {
    baseline_ = computeVariant(parameters_.texts());
    for (AnalysisPage* page : pages_) page->setBaseline(baseline_);
}

void AnalysisWindow::makeReport() {
    guarded(messages_, [this] {
        std::vector<ReportPage> pages;
        for (const AnalysisPage* page : pages_)
            for (ReportPage& report : page->reportPages()) pages.push_back(std::move(report));
        reportOutput_.make(this, reportName(baseline_.parameters), [&](QPagedPaintDevice& device) {
            paintReport(device, baseline_.parameters, baseline_.results, baseline_.coefficients, QDate::currentDate(),
                        pages);
        });
    });
}

}  // namespace nutrient
