#pragma once
// "Сценарий": the levers of a reduction plan, each moved by a percentage, and a target load per
// nutrient with the levers that reach it; every edit recomputes the scenario and the targets
// at once and shows the 13 results of both nutrients as baseline, scenario, change and change
// in per cent.  Bad input is named in red under its fields while the user types; only a save
// shows a box.  "Сохранить вариант…" writes the scenario as a parameters file, never over the
// one the parameters were opened from.

#include "model/target_search.h"
#include "ui/analysis_page.h"
#include "ui/variant_file.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace nutrient {

class ScenarioPage : public AnalysisPage {
    Q_OBJECT
public:
    // Variants are saved through `variantFiles`.
    explicit ScenarioPage(VariantFiles variantFiles, QWidget* parent = nullptr);

    QString title() const override;
    void setBaseline(const Computation& baseline) override;
    std::vector<ReportPage> reportPages() const override;

private:
    // One lever's row: its percentage per nutrient (one field for both when its parameters serve
    // both) and whether each nutrient's target moves it.
    struct LeverRow {
        Lever lever;
        std::array<QLineEdit*, 2> percent{};
        std::array<QCheckBox*, 2> moves{};
    };
    // A nutrient's target: its field, its verdict and the button that makes its cut the scenario.
    struct TargetRow {
        QLineEdit* load = nullptr;
        QLabel* verdict = nullptr;
        QPushButton* intoScenario = nullptr;
        std::optional<TargetSearch> search;
    };

    QWidget* buildLevers();
    void addLeverRow(QGridLayout* grid, int line, Lever lever);
    QWidget* buildTargets();
    QTableWidget* buildResults();

    void recompute();
    // The levers' percentages as typed; nothing when one cannot be read, each such field marked
    // and its problem listed.
    std::optional<std::vector<LeverChange>> leverChanges(QStringList& problems);
    void searchTarget(Nutrient nutrient);
    void showResults();
    void takeCut(Nutrient nutrient);
    void saveVariant();

    VariantFiles variantFiles_;

    std::vector<LeverRow> levers_;
    std::array<TargetRow, 2> targets_;
    QLabel* problems_ = nullptr;
    QTableWidget* results_ = nullptr;
    QPushButton* save_ = nullptr;

    std::optional<Computation> baseline_;
    std::vector<LeverChange> changes_;
    std::optional<Scenario> scenario_;  // nothing while a percentage cannot be read
};

}  // namespace nutrient
