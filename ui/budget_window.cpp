#include "ui/budget_window.h"

#include "model/chart_figures.h"
#include "ui/chart_looks.h"
#include "ui/window_parts.h"

#include <QLabel>
#include <QPixmap>

namespace nutrient {

namespace {

constexpr int kChartWidth = 537;
constexpr int kChartHeight = 521;
constexpr int kChartTop = 62;

QLabel* makeText(QWidget* parent, const QString& text, const QRect& geometry, Qt::Alignment alignment) {
    return makeLabel(parent, text, pixelFont(13, true), alignment, geometry);
}

QLabel* makeSwatch(QWidget* parent, const char* resource, int x) {
    auto* swatch = new QLabel(parent);
    swatch->setPixmap(QPixmap(QString::fromLatin1(resource)));
    swatch->setGeometry(x, 30, 41, 25);
    return swatch;
}

}  // namespace

BudgetWindow::BudgetWindow(const LoadResults& results, Messages& messages, FileDialogs& dialogs, QWidget* parent)
    : NutrientChartsWindow(results, messages, dialogs, parent) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Graphics"));
    setFixedSize(1088, 666);
}

int BudgetWindow::buildCharts() {
    makeText(this, budgetHeading(), QRect(0, 8, width(), 18), Qt::AlignHCenter | Qt::AlignVCenter);
    // The legend of the two bar colours, centred under the heading.
    const int legendLeft = width() / 2 - 70;
    const Qt::Alignment legendAlignment = Qt::AlignLeft | Qt::AlignVCenter;
    makeSwatch(this, ":/images/swatch_red.png", legendLeft);
    makeText(this, QStringLiteral("1"), QRect(legendLeft + 47, 30, 20, 25), legendAlignment);
    makeSwatch(this, ":/images/swatch_blue.png", legendLeft + 80);
    makeText(this, QStringLiteral("2"), QRect(legendLeft + 127, 30, 20, 25), legendAlignment);

    makeCharts(budgetLook, QRect(4, kChartTop, kChartWidth, kChartHeight),
               QRect(4 + kChartWidth + 6, kChartTop, kChartWidth, kChartHeight));
    return kChartTop + kChartHeight + 20;
}

void BudgetWindow::drawCharts() {
    if (!budgetDrawable(results_)) return;
    for (Nutrient nutrient : kNutrients) chartOf(nutrient).setFigures(budgetChart(results_, nutrient));
}

void BudgetWindow::warn() { warnAboutCropRemoval(results_, messages_); }

}  // namespace nutrient
