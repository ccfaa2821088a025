#pragma once
// "Graphics": the nutrient budget of the catchment, inputs as red bars above zero and outputs
// as blue bars below it, one 3-D bar chart for P and one for N.

#include "model/load_calculation.h"
#include "model/messages.h"

#include <QDialog>

class QPushButton;

namespace nutrient {

class BarChart3D;

class TForm6 : public QDialog {
    Q_OBJECT
public:
    TForm6(const LoadResults& results, Messages& messages, QWidget* parent = nullptr);

    // Empties both charts, draws the budgets when the crop removal is plausible for both
    // nutrients, then warns about each implausible one.
    void FormShow();
    void BitBtn1Click();

    const BarChart3D& chartP() const { return *Chart1; }
    const BarChart3D& chartN() const { return *Chart2; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    const LoadResults& results_;
    Messages& messages_;
    BarChart3D* Chart1;
    BarChart3D* Chart2;
    QPushButton* BitBtn1;
};

}  // namespace nutrient
