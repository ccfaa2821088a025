#pragma once
// A three-dimensional bar chart drawn with QPainter: bars above and below zero, each in its
// own colour and carrying its label as a mark on an arrow, a left value axis with round
// ticks, a white left wall and an outlined back wall, a single-line border and a sunken
// bevel.  It paints what it is handed and computes nothing.

#include "ui/charts/chart_data.h"

#include <QWidget>

#include <vector>

namespace nutrient {

class BarChart3D : public QWidget {
    Q_OBJECT
public:
    explicit BarChart3D(QWidget* parent = nullptr);

    void setTitle(const QString& title);
    void setMinorTicks(bool shown);
    // Depth of the chart as a share of the plot's width (0.15 for 15 %).
    void setDepthShare(double share);
    void setArrowLength(int pixels);

    void setBars(std::vector<ChartBar> bars);
    void clear();
    const std::vector<ChartBar>& bars() const { return bars_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString title_;
    bool minorTicks_ = false;
    double depthShare_ = 0.15;
    int arrowLength_ = 20;
    std::vector<ChartBar> bars_;
};

}  // namespace nutrient
