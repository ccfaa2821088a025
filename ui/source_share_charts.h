#pragma once
// "Графики": the shares of point sources, anthropogenic diffuse sources and the natural
// background in the load on the water body, one 3-D pie for P and one for N.

#include "model/load_calculation.h"
#include "model/messages.h"
#include "ui/modal.h"

class QPushButton;

namespace nutrient {

class PieChart3D;

class TForm5 : public LazyDialog {
    Q_OBJECT
public:
    TForm5(const LoadResults& results, const RetentionShared& shared, Messages& messages,
           QWidget* parent = nullptr);

    // Empties both pies, draws them when the results allow, then warns about implausible
    // contributions.
    void FormShow();

    // The charts exist once the window has been built (shown, FormShow or ensureBuilt).
    const PieChart3D& chartP() const { return *Chart1; }
    const PieChart3D& chartN() const { return *Chart2; }

protected:
    // The two charts, their legend and the close button, built on first showing.
    void build() override;
    void showEvent(QShowEvent* event) override;

private:
    const LoadResults& results_;
    const RetentionShared& shared_;
    Messages& messages_;
    PieChart3D* Chart1 = nullptr;
    PieChart3D* Chart2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
};

}  // namespace nutrient
