#include "ui/charts/chart_widget.h"

namespace nutrient {

ChartWidget::ChartWidget(ChartLook look, QWidget* parent) : QWidget(parent), look_(std::move(look)) {}

void ChartWidget::setLook(ChartLook look) {
    look_ = std::move(look);
    update();
}

}  // namespace nutrient
