#pragma once
// What the two chart windows share: their charts, built on first showing with a close button
// centred below them and a context menu that saves the window's picture; and what every
// showing does: empty the charts, report the failure of a calculation that stopped, draw what
// the results allow, then warn about implausible figures.

#include "model/load_calculation.h"
#include "ui/lazy_dialog.h"

class QPushButton;

namespace nutrient {

class FileDialogs;

class ChartWindow : public LazyDialog {
    Q_OBJECT
public:
    void refresh() final;

protected:
    ChartWindow(const LoadResults& results, Messages& messages, FileDialogs& dialogs, QWidget* parent);

    void build() final;
    // The charts, their headings and legends; returns the top of the close button below them.
    virtual int buildCharts() = 0;
    virtual void clearCharts() = 0;
    // Draws the charts when the results allow it.
    virtual void drawCharts() = 0;
    virtual void warn() = 0;

    const LoadResults& results_;
    Messages& messages_;

private:
    FileDialogs& dialogs_;
};

}  // namespace nutrient
