#include "ui/measured_load_page.h"

#include "model/results_export.h"
#include "ui/analysis_parts.h"
#include "ui/uncertainty_report.h"
#include "ui/variant_file.h"
#include "ui/window_parts.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nutrient {

namespace {

constexpr std::array<FittedCoefficient, 2> kCoefficients = {FittedCoefficient::A, FittedCoefficient::B};

}  // namespace

MeasuredLoadPage::MeasuredLoadPage(VariantFiles variantFiles, QWidget* parent)
    : AnalysisPage(parent), variantFiles_(std::move(variantFiles)) {
    setObjectName(QStringLiteral("MeasuredLoadPage"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(makeInputs());
    refusal_ = makeWrappedLabel(this, QString(), pixelFont(12, true), QStringLiteral("CheckRefusal"));
    refusal_->setStyleSheet(QStringLiteral("color: #B00000"));
    layout->addWidget(refusal_);
    checkTable_ = makeFigureTable(this, "Check", measuredCheckHeadings());
    setFigureRows(*checkTable_, std::vector<QStringList>(kNutrients.size()));
    checkTable_->setFixedHeight(wholeTableHeight(*checkTable_));
    layout->addWidget(checkTable_);
    notes_ = makeWrappedLabel(this, QString(), font(), QStringLiteral("CheckNotes"));
    layout->addWidget(notes_);
    results_ = makeFigureTable(this, "FittedResults", measuredResultHeadings());
    setFigureRows(*results_, std::vector<QStringList>(kResultRows.size()));
    results_->setFixedHeight(wholeTableHeight(*results_));
    layout->addWidget(results_);
    layout->addStretch(1);
    QLabel* explanation =
        makeWrappedLabel(this, measuredLoadExplanation(), pixelFont(11), QStringLiteral("Explanation"));
    layout->addWidget(explanation);
    showCheck();
}

QString MeasuredLoadPage::title() const { return QStringLiteral("Сверка с измерениями"); }

// The measured loads and the coefficient, each recomputing the check as it changes.
QWidget* MeasuredLoadPage::makeInputs() {
    auto* inputs = new QWidget(this);
    auto* row = new QHBoxLayout(inputs);
    row->setContentsMargins(0, 0, 0, 0);
    for (Nutrient nutrient : kNutrients) {
        auto* edit = new QLineEdit(inputs);
        edit->setObjectName(nutrient == Nutrient::P ? QStringLiteral("MeasuredP") : QStringLiteral("MeasuredN"));
        edit->setToolTip(QStringLiteral("Среднемноголетняя нагрузка в замыкающем створе; пусто — не сверять"));
        row->addWidget(new QLabel(
            QStringLiteral("Измерено %1, т/год:").arg(QString::fromStdString(resultKey(Quantity::L, nutrient))),
            inputs));
        row->addWidget(edit);
        connect(edit, &QLineEdit::textEdited, this, &MeasuredLoadPage::recompute);
        measured_[static_cast<int>(nutrient)] = edit;
    }
    coefficient_ = new QComboBox(inputs);
    coefficient_->setObjectName(QStringLiteral("FittedCoefficient"));
    for (FittedCoefficient coefficient : kCoefficients) coefficient_->addItem(fittedCoefficientCaption(coefficient));
    connect(coefficient_, &QComboBox::currentIndexChanged, this, &MeasuredLoadPage::recompute);
    row->addWidget(new QLabel(QStringLiteral("Подбирать:"), inputs));
    row->addWidget(coefficient_);
    row->addStretch(1);
    saveButton_ = makeButton(inputs, "SaveVariant", QStringLiteral("Сохранить вариант…"));
    connect(saveButton_, &QPushButton::clicked, this, &MeasuredLoadPage::saveVariant);
    row->addWidget(saveButton_);
    return inputs;
}

void MeasuredLoadPage::setBaseline(const Computation& baseline) {
    baseline_ = baseline.parameters;
    recompute();
}

void MeasuredLoadPage::recompute() {
    check_.reset();
    refusal_->clear();
    MeasuredLoads loads;
    for (Nutrient nutrient : kNutrients) {
        const QString text = measured_[static_cast<int>(nutrient)]->text();
        if (!text.trimmed().isEmpty()) loads[static_cast<int>(nutrient)] = text.toStdString();
    }
    if (loads[0] || loads[1]) {
        try {
            check_ = checkAgainstMeasured(baseline_, loads, kCoefficients[coefficient_->currentIndex()]);
        } catch (const Failure& failure) {
            refusal_->setText(QString::fromStdString(shownFailureText(failure.what())));
        }
    }
    showCheck();
}

void MeasuredLoadPage::showCheck() {
    refusal_->setVisible(!refusal_->text().isEmpty());
    std::vector<QStringList> rows = check_ ? measuredCheckRows(*check_) : std::vector<QStringList>{};
    rows.resize(kNutrients.size());
    setFigureRows(*checkTable_, rows);
    notes_->setText(check_ ? measuredCheckNotes(*check_).join(u'\n') : QString());
    notes_->setVisible(!notes_->text().isEmpty());
    rows = check_ ? measuredResultRows(*check_) : std::vector<QStringList>{};
    if (rows.empty())
        for (const ResultRow& row : kResultRows) rows.push_back({QString::fromStdString(plainCaption(row))});
    setFigureRows(*results_, rows);
    saveButton_->setEnabled(check_ && check_->variant);
}

std::vector<ReportPage> MeasuredLoadPage::reportPages() const {
    if (!check_) return {};
    return {measuredLoadReportPage(*check_)};
}

void MeasuredLoadPage::saveVariant() {
    if (!check_ || !check_->variant) return;
    variantFiles_.save(this, check_->variant->parameters);
}

}  // namespace nutrient
