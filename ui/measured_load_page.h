#pragma once
// "Сверка с измерениями": the calculation held against the load measured at the outlet.  A
// measured long-term load per nutrient and the coefficient to fit (the retention coefficient a
// or the exponent b); the page shows the deviation, the transport share the measurement implies,
// the fitted coefficient, or why none is, and the 26 results recomputed with it beside the
// baseline's, recomputed at every edit.  "Сохранить вариант…" keeps that set as a new parameters
// file.

#include "model/measured_load.h"
#include "ui/analysis_page.h"
#include "ui/variant_file.h"

#include <QString>

#include <array>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace nutrient {

class MeasuredLoadPage : public AnalysisPage {
    Q_OBJECT
public:
    // Variants are saved through `variantFiles`.
    explicit MeasuredLoadPage(VariantFiles variantFiles, QWidget* parent = nullptr);

    QString title() const override;
    void setBaseline(const Computation& baseline) override;
    std::vector<ReportPage> reportPages() const override;

    // The check as the page shows it; nothing without a measured load or when it is refused.
    const std::optional<MeasuredLoadCheck>& check() const { return check_; }
    void saveVariant();

private:
    QWidget* makeInputs();
    void recompute();
    void showCheck();

    VariantFiles variantFiles_;
    ParameterTexts baseline_;
    std::optional<MeasuredLoadCheck> check_;

    std::array<QLineEdit*, 2> measured_{};
    QComboBox* coefficient_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QLabel* refusal_ = nullptr;
    QTableWidget* checkTable_ = nullptr;
    QLabel* notes_ = nullptr;
    QTableWidget* results_ = nullptr;
};

}  // namespace nutrient
