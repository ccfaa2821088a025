#include "ui/budget_charts.h"

#include "ui/chart_figures.h"
#include "ui/charts/bar_chart.h"
#include "ui/message_boxes.h"

#include <QFont>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>

namespace nutrient {

namespace {

constexpr int kChartWidth = 537;
constexpr int kChartHeight = 521;
constexpr int kChartTop = 62;

BarChart3D* makeChart(QWidget* parent, const char* name, const char* title, bool minorTicks,
                      int x) {
    auto* chart = new BarChart3D(parent);
    chart->setObjectName(QString::fromLatin1(name));
    chart->setTitle(QString::fromLatin1(title));
    chart->setMinorTicks(minorTicks);
    chart->setDepthShare(0.15);
    chart->setArrowLength(20);
    chart->setGeometry(x, kChartTop, kChartWidth, kChartHeight);
    return chart;
}

QLabel* makeText(QWidget* parent, const QString& text, int pixelSize, const QRect& geometry) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    font.setBold(true);
    label->setFont(font);
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

TForm6::TForm6(const LoadResults& results, Messages& messages, QWidget* parent)
    : LazyDialog(parent), results_(results), messages_(messages) {
    setWindowTitle(QStringLiteral("Graphics"));
    setFixedSize(1088, 666);
}

void TForm6::build() {
    auto* heading = makeText(this, QStringLiteral("Inputs (1) and outputs (2) of nutrient budget"),
                             13, QRect(0, 8, width(), 18));
    heading->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    // The legend of the two bar colours, centred under the heading.
    const int legendLeft = width() / 2 - 70;
    makeSwatch(this, ":/images/swatch_red.png", legendLeft);
    makeText(this, QStringLiteral("1"), 13, QRect(legendLeft + 47, 30, 20, 25));
    makeSwatch(this, ":/images/swatch_blue.png", legendLeft + 80);
    makeText(this, QStringLiteral("2"), 13, QRect(legendLeft + 127, 30, 20, 25));

    Chart1 = makeChart(this, "Chart1", "Ptot", false, 4);
    Chart2 = makeChart(this, "Chart2", "Ntot", true, 4 + kChartWidth + 6);

    BitBtn1 = makeCloseButton(*this, this);
    BitBtn1->setGeometry((width() - 90) / 2, kChartTop + kChartHeight + 20, 90, 28);
}

void TForm6::showEvent(QShowEvent* event) {
    centreOnScreen(*this);
    LazyDialog::showEvent(event);
    FormShow();
}

void TForm6::FormShow() {
    ensureBuilt();
    guarded(messages_, [&] {
        Chart1->clear();
        Chart2->clear();
        if (budgetDrawable(results_)) {
            Chart1->setBars(budgetBars(results_, Nutrient::P));
            Chart2->setBars(budgetBars(results_, Nutrient::N));
        }
        warnAboutCropRemoval(results_, messages_);
    });
}

}  // namespace nutrient
