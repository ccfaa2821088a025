#include "ui/sensitivity_page.h"

#include "model/messages.h"
#include "model/results_export.h"
#include "ui/analysis_parts.h"
#include "ui/analysis_report.h"
#include "ui/charts/tornado_chart.h"
#include "ui/window_parts.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nutrient {

namespace {

constexpr int kStepWidth = 60;
constexpr int kColumns = 5;  // parameter, L at -s and +s, swing, elasticity
constexpr QSize kChartSize(440, 330);

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }
int index(Nutrient nutrient) { return static_cast<int>(nutrient); }

}  // namespace

SensitivityPage::SensitivityPage(QWidget* parent) : AnalysisPage(parent) {
    setObjectName(QStringLiteral("SensitivityPage"));
    auto* layout = new QVBoxLayout(this);
    QLabel* help = makeWrappedLabel(this, sensitivityHelp(), font(), QStringLiteral("sensitivityHelp"));
    setTextColour(help, kHelpColour);
    layout->addWidget(help);

    auto* stepLine = new QHBoxLayout;
    stepLine->addWidget(makeLabel(this, QStringLiteral("Шаг s:"), QFont(), Qt::AlignLeft | Qt::AlignVCenter));
    step_ = makeNumberField(this, QStringLiteral("sensitivityStep"), kStepWidth);
    step_->setText(QString::fromUtf8(kDefaultSensitivityStep));
    connect(step_, &QLineEdit::textEdited, this, [this] { recompute(); });
    stepLine->addWidget(step_);
    stepLine->addWidget(makeLabel(this, QStringLiteral("%"), QFont(), Qt::AlignLeft | Qt::AlignVCenter));
    problem_ = makeWrappedLabel(this, QString(), font(), QStringLiteral("sensitivityProblem"));
    problem_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setTextColour(problem_, kProblemColour);
    stepLine->addSpacing(12);
    stepLine->addWidget(problem_, 1);
    layout->addLayout(stepLine);

    auto* nutrients = new QHBoxLayout;
    for (Nutrient nutrient : kNutrients) nutrients->addWidget(buildNutrient(nutrient), 1);
    layout->addLayout(nutrients, 1);
    skipped_ = makeWrappedLabel(this, QString(), font(), QStringLiteral("sensitivitySkipped"));
    layout->addWidget(skipped_);
}

QString SensitivityPage::title() const { return QStringLiteral("Чувствительность"); }

QWidget* SensitivityPage::buildNutrient(Nutrient nutrient) {
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    const QString symbol = QString::fromUtf8(nutrientSymbol(nutrient));
    TornadoChart* chart = charts_[index(nutrient)] = new TornadoChart(column);
    chart->setObjectName(QStringLiteral("tornado:%1").arg(symbol));
    chart->setMinimumSize(kChartSize);
    layout->addWidget(chart);
    // The headings name the step: they are set with the rows.
    QTableWidget* table = tables_[index(nutrient)] =
        makeFigureTable(column, qPrintable(QStringLiteral("sensitivity:%1").arg(symbol)), QStringList(kColumns, {}));
    layout->addWidget(table, 1);
    return column;
}

void SensitivityPage::setBaseline(const Computation& baseline) {
    baseline_ = baseline;
    recompute();
}

void SensitivityPage::recompute() {
    if (!baseline_) return;
    table_.reset();
    const std::string step = step_->text().trimmed().toStdString();
    QString problem;
    bool stepReadable = false;
    try {
        sensitivityStep(step);
        stepReadable = true;
        table_ = sensitivityTable(*baseline_, step);
    } catch (const Failure& failure) {
        problem = text(failure.what());
    }
    markUnreadable(step_, !stepReadable);
    problem_->setText(problem);
    showTable();
}

void SensitivityPage::showTable() {
    for (Nutrient nutrient : kNutrients) {
        QTableWidget* table = tables_[index(nutrient)];
        TornadoChart* chart = charts_[index(nutrient)];
        table->clearSpans();
        if (!table_) {
            setFigureRows(*table, {});
            chart->setLook({text(resultKey(Quantity::L, nutrient))});
            chart->clear();
            continue;
        }
        table->setHorizontalHeaderLabels(sensitivityHeadings(*table_));
        const std::vector<SensitivityRow>& rows = table_->rowsOf(nutrient);
        std::vector<QStringList> cells;
        for (const SensitivityRow& row : rows) cells.push_back(sensitivityCells(row));
        setFigureRows(*table, cells);
        for (int r = 0; r < table->rowCount(); ++r) {
            const std::optional<std::string>& rejection = rows[static_cast<std::size_t>(r)].rejection;
            if (!rejection) continue;
            // The reason in place of the figures.
            QTableWidgetItem* reason = table->item(r, 1);
            reason->setText(text(*rejection));
            reason->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            reason->setToolTip(reason->text());
            table->setSpan(r, 1, 1, table->columnCount() - 1);
        }
        chart->setLook(tornadoLook(*table_, nutrient));
        chart->setFigures(tornadoBars(*table_, nutrient));
    }
    skipped_->setText(table_ ? skippedText(*table_) : QString());
}

std::vector<ReportPage> SensitivityPage::reportPages() const {
    if (!table_) return {};
    return {sensitivityReportPage(*table_)};
}

}  // namespace nutrient
