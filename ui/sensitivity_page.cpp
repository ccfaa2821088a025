#include "ui/sensitivity_page.h"

#include "model/messages.h"
#include "model/results_export.h"
#include "ui/analysis_parts.h"
#include "ui/analysis_report.h"
#include "ui/charts/tornado_chart.h"
#include "ui/window_parts.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace nutrient {

namespace {

constexpr int kStepWidth = 60;
constexpr QSize kChartSize(440, 330);

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }
int index(Nutrient nutrient) { return static_cast<int>(nutrient); }

}  // namespace

SensitivityPage::SensitivityPage(QWidget* parent) : AnalysisPage(parent) {
    setObjectName(QStringLiteral("SensitivityPage"));
    auto* layout = new QVBoxLayout(this);
    QLabel* help = makeNote(this, QStringLiteral("sensitivityHelp"), sensitivityHelp());
    setNoteColour(help, kHelpColour);
    layout->addWidget(help);

    auto* stepLine = new QHBoxLayout;
    stepLine->addWidget(makeLabel(this, QStringLiteral("Шаг s:"), QFont(), Qt::AlignLeft | Qt::AlignVCenter));
    step_ = makeNumberField(this, QStringLiteral("sensitivityStep"), kStepWidth);
    step_->setText(QString::fromUtf8(kDefaultSensitivityStep));
    connect(step_, &QLineEdit::textEdited, this, [this] { recompute(); });
    stepLine->addWidget(step_);
    stepLine->addWidget(makeLabel(this, QStringLiteral("%"), QFont(), Qt::AlignLeft | Qt::AlignVCenter));
    problem_ = makeNote(this, QStringLiteral("sensitivityProblem"));
    problem_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    setNoteColour(problem_, kProblemColour);
    stepLine->addSpacing(12);
    stepLine->addWidget(problem_, 1);
    layout->addLayout(stepLine);

    auto* nutrients = new QHBoxLayout;
    for (Nutrient nutrient : kNutrients) nutrients->addWidget(buildNutrient(nutrient), 1);
    layout->addLayout(nutrients, 1);
    skipped_ = makeNote(this, QStringLiteral("sensitivitySkipped"));
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
    QTableWidget* table = tables_[index(nutrient)] = new QTableWidget(0, 5, column);
    table->setObjectName(QStringLiteral("sensitivity:%1").arg(symbol));
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
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
        table->setRowCount(0);
        table->clearSpans();
        if (!table_) {
            chart->setLook({text(resultKey(Quantity::L, nutrient))});
            chart->clear();
            continue;
        }
        table->setHorizontalHeaderLabels(sensitivityHeadings(*table_));
        const std::vector<SensitivityRow>& rows = table_->rowsOf(nutrient);
        table->setRowCount(static_cast<int>(rows.size()));
        for (int r = 0; r < table->rowCount(); ++r) {
            const SensitivityRow& row = rows[static_cast<std::size_t>(r)];
            const QStringList cells = sensitivityCells(row);
            for (int c = 0; c < cells.size(); ++c) setTableCell(table, r, c, cells[c]);
            if (row.rejection) {
                // The reason in place of the figures.
                setTableCell(table, r, 1, text(*row.rejection));
                table->item(r, 1)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
                table->item(r, 1)->setToolTip(text(*row.rejection));
                table->setSpan(r, 1, 1, table->columnCount() - 1);
            }
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
