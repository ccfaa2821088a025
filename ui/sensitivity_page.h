#pragma once
// "Чувствительность": which inputs the load on the water body depends on most.  Every numeric
// parameter is moved down and up by the step, one at a time; the page shows, per nutrient, the
// ranked table (L at -s and +s, the swing, the elasticity) and a tornado chart of the twelve
// largest swings, and lists the parameters skipped as zero.  Editing the step recomputes at
// once; a step that cannot be read is named in red under it.

#include "model/sensitivity.h"
#include "ui/analysis_page.h"

#include <array>
#include <optional>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace nutrient {

class TornadoChart;

class SensitivityPage : public AnalysisPage {
    Q_OBJECT
public:
    explicit SensitivityPage(QWidget* parent = nullptr);

    QString title() const override;
    void setBaseline(const Computation& baseline) override;
    std::vector<ReportPage> reportPages() const override;

private:
    QWidget* buildNutrient(Nutrient nutrient);
    void recompute();
    void showTable();

    QLineEdit* step_ = nullptr;
    QLabel* problem_ = nullptr;
    QLabel* skipped_ = nullptr;
    std::array<QTableWidget*, 2> tables_{};
    std::array<TornadoChart*, 2> charts_{};

    std::optional<Computation> baseline_;
    std::optional<SensitivityTable> table_;  // nothing while the step or the baseline cannot be taken
};

}  // namespace nutrient
