#include "ui/budget_window.h"

#include "model/chart_figures.h"
#include "ui/chart_looks.h"
#include "ui/charts/bar_chart.h"
#include "ui/window_parts.h"

#include <QLabel>
#include <QPixmap>

namespace nutrient {

namespace {

constexpr int kChartWidth = 537;
constexpr int kChartHeight = 521;
constexpr int kChartTop = 62;

BarChart3D* makeChart(QWidget* parent, const char* name, Nutrient nutrient, int x) {
    auto* chart = new BarChart3D(parent);
    chart->setObjectName(QString::fromLatin1(name));
    chart->setLook(budgetLook(nutrient));
    chart->setGeometry(x, kChartTop, kChartWidth, kChartHeight);
    return chart;
}

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
    : ChartWindow(results, messages, dialogs, parent) {
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

    chartP_ = makeChart(this, "Chart1", Nutrient::P, 4);
    chartN_ = makeChart(this, "Chart2", Nutrient::N, 4 + kChartWidth + 6);
    return kChartTop + kChartHeight + 20;
}

void BudgetWindow::clearCharts() {
    chartP_->clear();
    chartN_->clear();
}

void BudgetWindow::drawCharts() {
    if (!budgetDrawable(results_)) return;
    chartP_->setFigures(budgetChart(results_, Nutrient::P));
    chartN_->setFigures(budgetChart(results_, Nutrient::N));
}

void BudgetWindow::warn() { warnAboutCropRemoval(results_, messages_); }

}  // namespace nutrient
