#include "ui/source_share_charts.h"

#include "ui/chart_figures.h"
#include "ui/charts/pie_chart.h"
#include "ui/message_boxes.h"

#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace nutrient {

namespace {

constexpr int kPieWidth = 497;
constexpr int kPieHeight = 537;

PieChart3D* makePie(QWidget* parent, const char* name, const char* title, int arrowLength, int x) {
    auto* pie = new PieChart3D(parent);
    pie->setObjectName(QString::fromLatin1(name));
    pie->setTitle(QString::fromUtf8(title));
    pie->setArrowLength(arrowLength);
    pie->setDepthShare(0.06);
    pie->setGeometry(x, 6, kPieWidth, kPieHeight);
    return pie;
}

// The panel that explains the numbers of the slice labels.
QFrame* makeLegendPanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(6, 549, 1002, 62);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(16, 4, 16, 4);
    layout->setSpacing(0);
    QFont font = panel->font();
    font.setPixelSize(13);
    font.setBold(true);
    for (const char* text :
         {"1 - Вклад точечных источников", "2 - Вклад антропогенных рассредоточенных источников",
          "3 - Природная составляющая нагрузки"}) {
        auto* label = new QLabel(QString::fromUtf8(text), panel);
        label->setFont(font);
        layout->addWidget(label);
    }
    return panel;
}

}  // namespace

TForm5::TForm5(const LoadResults& results, const RetentionShared& shared, Messages& messages,
               QWidget* parent)
    : LazyDialog(parent), results_(results), shared_(shared), messages_(messages) {
    setWindowTitle(QString::fromUtf8("Графики"));
    setFixedSize(1014, 654);
}

void TForm5::build() {
    Chart1 = makePie(this, "Chart1", "Долевой вклад различных источников в нагрузку Pобщ", 4, 6);
    Chart2 = makePie(this, "Chart2", "Долевой вклад различных источников в нагрузку Nобщ", 8,
                     6 + kPieWidth + 8);
    makeLegendPanel(this);

    BitBtn1 = makeCloseButton(*this, this);
    BitBtn1->setGeometry((width() - 90) / 2, 618, 90, 28);
}

void TForm5::showEvent(QShowEvent* event) {
    centreOnScreen(*this);
    LazyDialog::showEvent(event);
    FormShow();
}

void TForm5::FormShow() {
    ensureBuilt();
    guarded(messages_, [&] {
        Chart1->clear();
        Chart2->clear();
        if (sourceSharesDrawable(results_)) {
            Chart1->setSlices(sourceShareSlices(results_, shared_, Nutrient::P));
            Chart2->setSlices(sourceShareSlices(results_, shared_, Nutrient::N));
        }
        warnAboutNegativeContributions(results_, messages_);
        warnAboutCropRemoval(results_, messages_);
    });
}

}  // namespace nutrient
