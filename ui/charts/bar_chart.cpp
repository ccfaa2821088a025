#include "ui/charts/bar_chart.h"

#include <QPainter>

namespace nutrient {

BarChart3D::BarChart3D(QWidget* parent) : QWidget(parent) {}

void BarChart3D::setTitle(const QString& title) { title_ = title; update(); }
void BarChart3D::setMinorTicks(bool shown) { minorTicks_ = shown; update(); }
void BarChart3D::setDepthShare(double share) { depthShare_ = share; update(); }
void BarChart3D::setArrowLength(int pixels) { arrowLength_ = pixels; update(); }
void BarChart3D::setBars(std::vector<ChartBar> bars) { bars_ = std::move(bars); update(); }
void BarChart3D::clear() { bars_.clear(); update(); }

void BarChart3D::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawText(rect(), Qt::AlignTop | Qt::AlignHCenter, title_);
}

}  // namespace nutrient
