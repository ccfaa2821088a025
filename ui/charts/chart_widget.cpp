#include "ui/charts/chart_widget.h"

namespace nutrient {

ChartWidget::ChartWidget(int arrowLength, double depthShare, QWidget* parent)
    : QWidget(parent), arrowLength_(arrowLength), depthShare_(depthShare) {}

void ChartWidget::setTitle(const QString& title) {
    title_ = title;
    update();
}

void ChartWidget::setArrowLength(int pixels) {
    arrowLength_ = pixels;
    update();
}

void ChartWidget::setDepthShare(double share) {
    depthShare_ = share;
    update();
}

}  // namespace nutrient
