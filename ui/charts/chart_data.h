#pragma once
// What a chart widget is handed: plain figures, worked out elsewhere, that it only paints.

#include <QColor>
#include <QString>

namespace nutrient {

// One slice of a pie.  The value may be negative; the pie draws it by its magnitude.
struct PieSlice {
    double value = 0.0;
    QString label;  // legend entry
    QColor colour;
    QString mark;  // text of the mark on the slice's arrow
    bool operator==(const PieSlice&) const = default;
};

// One bar of a bar chart: up from zero for a positive value, down for a negative one.  The
// label is shown as the bar's mark.
struct ChartBar {
    QString label;
    double value = 0.0;
    QColor colour;
    bool operator==(const ChartBar&) const = default;
};

}  // namespace nutrient
