#include "ui/source_share_window.h"

#include "model/chart_figures.h"
#include "ui/charts/pie_chart.h"
#include "ui/window_parts.h"
#include "ui/window_picture.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace nutrient {

namespace {

constexpr int kPieWidth = 497;
constexpr int kPieHeight = 537;

// How each source is drawn: its legend label (a digit and two blanks, explained by the panel
// under the pies) and its colour, in the order of the slices.
struct SliceLook {
    const char* label;
    QColor colour;
};
const SliceLook kSliceLooks[kSourceCount] = {
    {"1  ", QColor(0x00, 0xFF, 0x00)},  // point sources: lime
    {"2  ", QColor(0x00, 0x80, 0x00)},  // anthropogenic diffuse sources: green
    {"3  ", QColor(0xFF, 0xFF, 0x00)},  // natural background: yellow
};

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
    for (const QString& text : sourceShareLegend()) {
        auto* label = new QLabel(text, panel);
        label->setFont(pixelFont(13, true));
        layout->addWidget(label);
    }
    return panel;
}

}  // namespace

// Marks on arrows 4 pixels long on the P pie and 8 on the N pie, both pies 6 % thick.
ChartLook sourceShareLook(Nutrient nutrient) {
    return nutrient == Nutrient::P
               ? ChartLook{QString::fromUtf8("Долевой вклад различных источников в нагрузку Pобщ"), 4, 0.06}
               : ChartLook{QString::fromUtf8("Долевой вклад различных источников в нагрузку Nобщ"), 8, 0.06};
}

std::vector<PieSlice> sourceSharePie(const LoadResults& results, const TransportCoefficients& coefficients, Nutrient nutrient) {
    std::vector<PieSlice> slices;
    for (const ShareSlice& figure : sourceShareSlices(results, coefficients, nutrient)) {
        const SliceLook& look = kSliceLooks[static_cast<int>(figure.source)];
        slices.push_back(
            {figure.value, QString::fromLatin1(look.label), look.colour, QString::fromStdString(figure.mark)});
    }
    return slices;
}

QStringList sourceShareLegend() {
    return {QString::fromUtf8("1 - Вклад точечных источников"),
            QString::fromUtf8("2 - Вклад антропогенных рассредоточенных источников"),
            QString::fromUtf8("3 - Природная составляющая нагрузки")};
}

SourceShareWindow::SourceShareWindow(const LoadResults& results, const TransportCoefficients& coefficients, Messages& messages,
                                     FileDialogs& dialogs, QWidget* parent)
    : LazyDialog(&messages, parent), results_(results), coefficients_(coefficients), messages_(messages), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QString::fromUtf8("Графики"));
    setFixedSize(1014, 654);
}

void SourceShareWindow::build() {
    chartP_ = makePie(this, "Chart1", Nutrient::P, 6);
    chartN_ = makePie(this, "Chart2", Nutrient::N, 6 + kPieWidth + 8);
    makeLegendPanel(this);

    closeButton_ = makeCloseButton(*this, this);
    closeButton_->setGeometry((width() - 90) / 2, 618, 90, 28);
    addSavePictureAction(*this, *closeButton_, dialogs_, messages_);
}

void SourceShareWindow::refresh() {
    chartP_->clear();
    chartN_->clear();
    requireCompletedCalculation(results_);
    if (sourceSharesDrawable(results_)) {
        chartP_->setSlices(sourceSharePie(results_, coefficients_, Nutrient::P));
        chartN_->setSlices(sourceSharePie(results_, coefficients_, Nutrient::N));
    }
    warnAboutNegativeContributions(results_, messages_);
    warnAboutCropRemoval(results_, messages_);
}

}  // namespace nutrient
