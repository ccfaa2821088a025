#include "ui/chart_window.h"

#include "model/chart_figures.h"
#include "ui/window_parts.h"
#include "ui/window_picture.h"

#include <QPushButton>

namespace nutrient {

ChartWindow::ChartWindow(const LoadResults& results, Messages& messages, FileDialogs& dialogs, QWidget* parent)
    : LazyDialog(&messages, parent), results_(results), messages_(messages), dialogs_(dialogs) {}

void ChartWindow::build() {
    const int closeTop = buildCharts();
    QPushButton* closeButton = makeCloseButton(*this, this);
    closeButton->setGeometry((width() - 90) / 2, closeTop, 90, 28);
    addSavePictureAction(*this, *closeButton, dialogs_, messages_);
}

void ChartWindow::refresh() {
    clearCharts();
    requireCompletedCalculation(results_);
    drawCharts();
    warn();
}

}  // namespace nutrient
