#pragma once
// A three-dimensional bar chart drawn with QPainter: bars above and below zero, each in its
// own colour and carrying its label as a mark on an arrow, a left value axis with round
// ticks, a white left wall and an outlined back wall, a single-line border and a sunken
// bevel.  It paints what it is handed and computes nothing.

#include "ui/charts/chart_data.h"
#include "ui/charts/chart_widget.h"

#include <vector>

namespace nutrient {

class BarChart3D : public ChartWidget {
    Q_OBJECT
public:
    explicit BarChart3D(QWidget* parent = nullptr);

    void setMinorTicks(bool shown);

    void setBars(std::vector<ChartBar> bars);
    void clear();
    const std::vector<ChartBar>& bars() const { return bars_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool minorTicks_ = false;
    std::vector<ChartBar> bars_;
};

}  // namespace nutrient
