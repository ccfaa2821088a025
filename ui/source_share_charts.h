#pragma once
// "Графики": the shares of point sources, anthropogenic diffuse sources and the natural
// background in the load on the water body, one 3-D pie for P and one for N.

#include "model/load_calculation.h"
#include "model/messages.h"

#include <QDialog>

class QPushButton;

namespace nutrient {

class PieChart3D;

class TForm5 : public QDialog {
    Q_OBJECT
public:
    TForm5(const LoadResults& results, const RetentionShared& shared, Messages& messages,
           QWidget* parent = nullptr);

    // Empties both pies, draws them when the results allow, then warns about implausible
    // contributions.
    void FormShow();
    void BitBtn1Click();

    const PieChart3D& chartP() const { return *Chart1; }
    const PieChart3D& chartN() const { return *Chart2; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    const LoadResults& results_;
    const RetentionShared& shared_;
    Messages& messages_;
    PieChart3D* Chart1;
    PieChart3D* Chart2;
    QPushButton* BitBtn1;
};

}  // namespace nutrient
