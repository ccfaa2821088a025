#include "ui/charts/pie_chart.h"

#include <QPainter>

namespace nutrient {

PieChart3D::PieChart3D(QWidget* parent) : QWidget(parent) {}

void PieChart3D::setTitle(const QString& title) { title_ = title; update(); }
void PieChart3D::setArrowLength(int pixels) { arrowLength_ = pixels; update(); }
void PieChart3D::setDepthShare(double share) { depthShare_ = share; update(); }
void PieChart3D::setSlices(std::vector<PieSlice> slices) { slices_ = std::move(slices); update(); }
void PieChart3D::clear() { slices_.clear(); update(); }

void PieChart3D::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawText(rect(), Qt::AlignTop | Qt::AlignHCenter, title_);
}

}  // namespace nutrient
