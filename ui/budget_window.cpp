#include "ui/budget_window.h"

#include "model/chart_figures.h"
#include "ui/charts/bar_chart.h"
#include "ui/window_parts.h"
#include "ui/window_picture.h"

#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace nutrient {

namespace {

constexpr int kChartWidth = 537;
constexpr int kChartHeight = 521;
constexpr int kChartTop = 62;

// Inputs stand up in red, outputs hang down in blue.
const QColor kInputRed(0xFF, 0x00, 0x00);
const QColor kOutputBlue(0x00, 0x00, 0xFF);

BarChart3D* makeChart(QWidget* parent, const char* name, Nutrient nutrient, int x) {
    auto* chart = new BarChart3D(parent);
    chart->setObjectName(QString::fromLatin1(name));
    chart->setLook(budgetLook(nutrient));
    chart->setGeometry(x, kChartTop, kChartWidth, kChartHeight);
    return chart;
}

QLabel* makeText(QWidget* parent, const QString& text, int pixelSize, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    label->setFont(pixelFont(pixelSize, true));
    label->setGeometry(geometry);
    return label;
}

QLabel* makeSwatch(QWidget* parent, const char* resource, int x) {
    auto* swatch = new QLabel(parent);
    swatch->setPixmap(QPixmap(QString::fromLatin1(resource)));
    swatch->setGeometry(x, 30, 41, 25);
    return swatch;
}

}  // namespace

// Marks on arrows 20 pixels long, 15 % deep; minor ticks on the N chart's axis alone.
ChartLook budgetLook(Nutrient nutrient) {
    return nutrient == Nutrient::P ? ChartLook{QStringLiteral("Ptot"), 20, 0.15, false}
                                   : ChartLook{QStringLiteral("Ntot"), 20, 0.15, true};
}

std::vector<ChartBar> budgetChart(const LoadResults& results, Nutrient nutrient) {
    std::vector<ChartBar> bars;
    for (const BudgetBar& bar : budgetBars(results, nutrient))
        bars.push_back({QString::fromLatin1(resultRow(bar.quantity).symbol), bar.value, budgetColour(bar.input)});
    return bars;
}

QString budgetHeading() { return QStringLiteral("Inputs (1) and outputs (2) of nutrient budget"); }

QColor budgetColour(bool input) { return input ? kInputRed : kOutputBlue; }

BudgetWindow::BudgetWindow(const LoadResults& results, Messages& messages, FileDialogs& dialogs, QWidget* parent)
    : LazyDialog(&messages, parent), results_(results), messages_(messages), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Graphics"));
    setFixedSize(1088, 666);
}

void BudgetWindow::build() {
    auto* heading = makeText(this, budgetHeading(), 13, QRect(0, 8, width(), 18));
    heading->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    // The legend of the two bar colours, centred under the heading.
    const int legendLeft = width() / 2 - 70;
    makeSwatch(this, ":/images/swatch_red.png", legendLeft);
    makeText(this, QStringLiteral("1"), 13, QRect(legendLeft + 47, 30, 20, 25));
    makeSwatch(this, ":/images/swatch_blue.png", legendLeft + 80);
    makeText(this, QStringLiteral("2"), 13, QRect(legendLeft + 127, 30, 20, 25));

    chartP_ = makeChart(this, "Chart1", Nutrient::P, 4);
    chartN_ = makeChart(this, "Chart2", Nutrient::N, 4 + kChartWidth + 6);

    closeButton_ = makeCloseButton(*this, this);
    closeButton_->setGeometry((width() - 90) / 2, kChartTop + kChartHeight + 20, 90, 28);
    addSavePictureAction(*this, *closeButton_, dialogs_, messages_);
}

void BudgetWindow::refresh() {
    chartP_->clear();
    chartN_->clear();
    requireCompletedCalculation(results_);
    if (budgetDrawable(results_)) {
        chartP_->setBars(budgetChart(results_, Nutrient::P));
        chartN_->setBars(budgetChart(results_, Nutrient::N));
    }
    warnAboutCropRemoval(results_, messages_);
}

}  // namespace nutrient
