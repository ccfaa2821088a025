#pragma once
// A three-dimensional pie drawn with QPainter: a circular top face, the front side wall
// extruded below it, a mark on a short arrow beside every slice and a legend of the slice
// labels under the pie.  It paints what it is handed and computes nothing.

#include "ui/charts/chart_data.h"
#include "ui/charts/chart_widget.h"

#include <vector>

class QPainter;
class QRectF;

namespace nutrient {

// Slices are drawn anticlockwise from three o'clock, in the order given.
class PieChart3D : public FigureChart<PieSlice, PieChart3D> {
    Q_OBJECT
public:
    explicit PieChart3D(QWidget* parent = nullptr);

    // Paints a pie into `bounds` as the widget paints itself: the same drawing in a window, a
    // report or a picture.  The painter's state is left as it was.
    static void paint(QPainter& painter, const QRectF& bounds, const ChartLook& look,
                      const std::vector<PieSlice>& slices);
};

}  // namespace nutrient
