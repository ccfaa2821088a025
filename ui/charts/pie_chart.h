#pragma once
// A three-dimensional pie drawn with QPainter: a circular top face, the front side wall
// extruded below it, a mark on a short arrow beside every slice and a legend of the slice
// labels under the pie.  It paints what it is handed and computes nothing.

#include "ui/charts/chart_data.h"

#include <QWidget>

#include <vector>

namespace nutrient {

class PieChart3D : public QWidget {
    Q_OBJECT
public:
    explicit PieChart3D(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    // Length in pixels of the arrows that lead from the slices to their marks.
    void setArrowLength(int pixels);
    // Thickness of the pie as a share of the chart's smaller side (0.06 for 6 %).
    void setDepthShare(double share);

    // Slices are drawn anticlockwise from three o'clock, in the order given.
    void setSlices(std::vector<PieSlice> slices);
    void clear();
    const std::vector<PieSlice>& slices() const { return slices_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
    int arrowLength_ = 8;
    double depthShare_ = 0.06;
    std::vector<PieSlice> slices_;
};

}  // namespace nutrient
