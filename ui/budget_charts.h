#pragma once
// "Graphics": the nutrient budget of the catchment, inputs as red bars above zero and outputs
// as blue bars below it, one 3-D bar chart for P and one for N.

#include "model/load_calculation.h"
#include "model/messages.h"
#include "ui/modal.h"

class QPushButton;

namespace nutrient {

class BarChart3D;

class TForm6 : public LazyDialog {
    Q_OBJECT
public:
    TForm6(const LoadResults& results, Messages& messages, QWidget* parent = nullptr);

    // Empties both charts, draws the budgets when the crop removal is plausible for both
    // nutrients, then warns about each implausible one.
    void FormShow();

    // The charts exist once the window has been built (shown, FormShow or ensureBuilt).
    const BarChart3D& chartP() const { return *Chart1; }
    const BarChart3D& chartN() const { return *Chart2; }

protected:
    // The two charts, their legend and the close button, built on first showing.
    void build() override;
    void showEvent(QShowEvent* event) override;

private:
    const LoadResults& results_;
    Messages& messages_;
    BarChart3D* Chart1 = nullptr;
    BarChart3D* Chart2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

}  // namespace nutrient
