#pragma once
// A three-dimensional bar chart drawn with QPainter: bars above and below zero, each in its
// own colour and carrying its label as a mark on an arrow, a left value axis with round
// ticks, a white left wall and an outlined back wall, a single-line border and a sunken
// bevel.  It paints what it is handed and computes nothing.

#include "ui/charts/chart_data.h"
#include "ui/charts/chart_widget.h"

#include <vector>

class QPainter;
class QRectF;

namespace nutrient {

class BarChart3D : public FigureChart<ChartBar, BarChart3D> {
    Q_OBJECT
public:
    explicit BarChart3D(QWidget* parent = nullptr);

    // Paints a bar chart into `bounds` as the widget paints itself: the same drawing in a
    // window, a report or a picture.  The painter's state is left as it was.
    static void paint(QPainter& painter, const QRectF& bounds, const ChartLook& look,
                      const std::vector<ChartBar>& bars);
};

}  // namespace nutrient
