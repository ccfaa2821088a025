#include "ui/source_share_window.h"

#include "model/chart_figures.h"
#include "ui/chart_looks.h"
#include "ui/charts/pie_chart.h"
#include "ui/window_parts.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace nutrient {

namespace {

constexpr int kPieWidth = 497;
constexpr int kPieHeight = 537;

PieChart3D* makePie(QWidget* parent, const char* name, Nutrient nutrient, int x) {
    auto* pie = new PieChart3D(parent);
    pie->setObjectName(QString::fromLatin1(name));
    pie->setLook(sourceShareLook(nutrient));
    pie->setGeometry(x, 6, kPieWidth, kPieHeight);
    return pie;
}

// The panel that explains the numbers of the slice labels.
QFrame* makeLegendPanel(QWidget* parent) {
    QFrame* panel = sunkenPanel(parent, "Panel1", QRect(6, 549, 1002, 62));
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(16, 4, 16, 4);
    layout->setSpacing(0);
    for (const QString& text : sourceShareLegend())
        layout->addWidget(makeLabel(panel, text, pixelFont(13, true), Qt::AlignLeft | Qt::AlignVCenter));
    return panel;
}

}  // namespace

SourceShareWindow::SourceShareWindow(const LoadResults& results, const TransportCoefficients& coefficients,
                                     Messages& messages, FileDialogs& dialogs, QWidget* parent)
    : ChartWindow(results, messages, dialogs, parent), coefficients_(coefficients) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QString::fromUtf8("Графики"));
    setFixedSize(1014, 654);
}

int SourceShareWindow::buildCharts() {
    chartP_ = makePie(this, "Chart1", Nutrient::P, 6);
    chartN_ = makePie(this, "Chart2", Nutrient::N, 6 + kPieWidth + 8);
    makeLegendPanel(this);
    return 618;
}

void SourceShareWindow::clearCharts() {
    chartP_->clear();
    chartN_->clear();
}

void SourceShareWindow::drawCharts() {
    if (!sourceSharesDrawable(results_)) return;
    chartP_->setFigures(sourceSharePie(results_, coefficients_, Nutrient::P));
    chartN_->setFigures(sourceSharePie(results_, coefficients_, Nutrient::N));
}

void SourceShareWindow::warn() {
    warnAboutNegativeContributions(results_, messages_);
    warnAboutCropRemoval(results_, messages_);
}

}  // namespace nutrient
