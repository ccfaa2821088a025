#pragma once
// What the pie and the bar chart share: a title, the length of the arrows from the figures to
// their marks, and the three-dimensional depth.

#include <QString>
#include <QWidget>

namespace nutrient {

class ChartWidget : public QWidget {
    Q_OBJECT
public:
    void setTitle(const QString& title);
    // Length in pixels of the arrows that lead from the figures to their marks.
    void setArrowLength(int pixels);
    // The depth as a share of the chart's extent (0.06 for 6 %).
    void setDepthShare(double share);

protected:
    ChartWidget(int arrowLength, double depthShare, QWidget* parent);

    QString title_;
    int arrowLength_;
    double depthShare_;
};

}  // namespace nutrient
