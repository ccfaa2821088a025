#pragma once
// What the pie and the bar chart share: how a chart is drawn apart from its figures (title,
// arrows from the figures to their marks, three-dimensional depth).

#include <QPainter>
#include <QString>
#include <QWidget>

#include <vector>

namespace nutrient {

struct ChartLook {
    QString title;
    int arrowLength = 8;      // pixels from a figure to its mark
    double depthShare = 0.0;  // the depth as a share of the chart's extent (0.06 for 6 %)
    bool minorTicks = false;  // bar charts: minor ticks between the round ones of the value axis
};

class ChartWidget : public QWidget {
    Q_OBJECT
public:
    void setLook(ChartLook look);
    const ChartLook& look() const { return look_; }

protected:
    ChartWidget(ChartLook look, QWidget* parent);

    ChartLook look_;
};

// A chart of figures of one kind (slices, bars), painted by the chart's static paint(), the same
// drawing the report and the pictures use.
template <class Figure, class Chart>
class FigureChart : public ChartWidget {
public:
    using Figures = std::vector<Figure>;
    void setFigures(Figures figures) {
        figures_ = std::move(figures);
        update();
    }
    void clear() { setFigures({}); }
    const Figures& figures() const { return figures_; }

protected:
    using ChartWidget::ChartWidget;
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        Chart::paint(painter, rect(), look_, figures_);
    }

private:
    Figures figures_;
};

}  // namespace nutrient
