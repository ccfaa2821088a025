#include "ui/source_share_window.h"

#include "model/chart_figures.h"
#include "ui/chart_looks.h"
#include "ui/window_parts.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

namespace nutrient {

namespace {

constexpr int kPieWidth = 497;
constexpr int kPieHeight = 537;

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
    : NutrientChartsWindow(results, messages, dialogs, parent), coefficients_(coefficients) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QString::fromUtf8("Графики"));
    setFixedSize(1014, 654);
}

int SourceShareWindow::buildCharts() {
    makeCharts(sourceShareLook, QRect(6, 6, kPieWidth, kPieHeight), QRect(6 + kPieWidth + 8, 6, kPieWidth, kPieHeight));
    makeLegendPanel(this);
    return 618;
}

void SourceShareWindow::drawCharts() {
    if (!sourceSharesDrawable(results_)) return;
    for (Nutrient nutrient : kNutrients)
        chartOf(nutrient).setFigures(sourceSharePie(results_, coefficients_, nutrient));
}

void SourceShareWindow::warn() {
    warnAboutNegativeContributions(results_, messages_);
    warnAboutCropRemoval(results_, messages_);
}

}  // namespace nutrient
