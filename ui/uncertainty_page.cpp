#include "ui/uncertainty_page.h"

#include "model/file_system.h"
#include "model/results_export.h"
#include "model/target_search.h"
#include "ui/analysis_parts.h"
#include "ui/captions.h"
#include "ui/charts/histogram_chart.h"
#include "ui/file_dialogs.h"
#include "ui/uncertainty_report.h"
#include "ui/uncertainty_runner.h"
#include "ui/window_parts.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace nutrient {

namespace {

enum Column { kSymbol, kValue, kLow, kHigh, kDistribution, kColumns };

// The distribution box's choices: none first, then the core's distributions in their order.
constexpr int kNoRange = 0;
constexpr std::array<Distribution, 2> kDistributions = {Distribution::Uniform, Distribution::Triangular};

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

QTableWidgetItem* readOnlyItem(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(item->flags() & ~Qt::ItemIsEditable);
    return item;
}

// What the parameter is, for the tooltip of its symbol: its group, its caption and its unit.
QString parameterTooltip(const ParameterInfo& parameter) {
    QString tooltip = plainGroupCaption(*groupOf(parameter.key)) + QStringLiteral(": ") +
                      QString::fromUtf8(parameter.caption).trimmed();
    if (*parameter.unit) tooltip += QStringLiteral(", ") + QString::fromUtf8(parameter.unit);
    return tooltip;
}

Parameter parameterOfRow(const QTableWidget& table, int row) {
    return static_cast<Parameter>(table.item(row, kSymbol)->data(Qt::UserRole).toInt());
}

}  // namespace

UncertaintyPage::UncertaintyPage(Messages& messages, FileDialogs& dialogs, QWidget* parent)
    : AnalysisPage(parent), messages_(messages), dialogs_(dialogs), runner_(new UncertaintyRunner(this)) {
    setObjectName(QStringLiteral("UncertaintyPage"));
    runner_->setObjectName(QStringLiteral("UncertaintyRunner"));
    connect(runner_, &UncertaintyRunner::progressed, this,
            [this](qulonglong done) { progress_->setValue(static_cast<int>(done)); });
    connect(runner_, &UncertaintyRunner::finished, this, &UncertaintyPage::showOutcome);

    // The inputs and what the figures mean on the left, the figures on the right.
    auto* left = new QVBoxLayout;
    left->addWidget(makeSettings());
    left->addWidget(makeRangesTable(), 1);
    QLabel* explanation =
        makeWrappedLabel(this, uncertaintyExplanation(), pixelFont(11), QStringLiteral("Explanation"));
    left->addWidget(explanation);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(left, 9);
    layout->addWidget(makeResults(), 11);
    clearResults();
}

UncertaintyPage::~UncertaintyPage() = default;

QString UncertaintyPage::title() const { return QStringLiteral("Неопределенность"); }

// The number of draws, the seed and the targets, each restarting the draws as it is typed.
QWidget* UncertaintyPage::makeSettings() {
    auto* settings = new QWidget(this);
    auto* grid = new QGridLayout(settings);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto field = [&](const char* objectName, const QString& caption, const QString& initial, int row,
                           int column) {
        auto* edit = new QLineEdit(initial, settings);
        edit->setObjectName(QString::fromLatin1(objectName));
        grid->addWidget(new QLabel(caption, settings), row, column);
        grid->addWidget(edit, row, column + 1);
        connect(edit, &QLineEdit::textEdited, this, &UncertaintyPage::restart);
        return edit;
    };
    draws_ = field("Draws", QStringLiteral("Реализаций:"), QString::number(kDefaultDraws), 0, 0);
    seed_ = field("Seed", QStringLiteral("Начальное число:"), QString::number(kDefaultSeed), 0, 2);
    for (Nutrient nutrient : kNutrients) {
        const int n = static_cast<int>(nutrient);
        targets_[n] =
            field(nutrient == Nutrient::P ? "TargetP" : "TargetN",
                  QStringLiteral("Цель %1, т/год:").arg(text(resultKey(Quantity::L, nutrient))), QString(), 1, 2 * n);
        targets_[n]->setToolTip(QStringLiteral("Пусто — без цели"));
    }
    return settings;
}

QWidget* UncertaintyPage::makeRangesTable() {
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    rangesTable_ = new QTableWidget(0, kColumns, box);
    rangesTable_->setObjectName(QStringLiteral("RangesTable"));
    rangesTable_->setHorizontalHeaderLabels({QStringLiteral("Параметр"), QStringLiteral("Значение"),
                                             QStringLiteral("Нижняя"), QStringLiteral("Верхняя"),
                                             QStringLiteral("Распределение")});
    const QString endTip = QStringLiteral("Число или процент от значения со знаком: -10%, +20%");
    rangesTable_->horizontalHeaderItem(kLow)->setToolTip(endTip);
    rangesTable_->horizontalHeaderItem(kHigh)->setToolTip(endTip);
    rangesTable_->verticalHeader()->hide();
    rangesTable_->verticalHeader()->setDefaultSectionSize(26);
    rangesTable_->setSelectionMode(QAbstractItemView::NoSelection);
    for (const ParameterInfo& parameter : kParameters) {
        if (!canBeRanged(parameter.key)) continue;
        const int row = rangesTable_->rowCount();
        rangesTable_->insertRow(row);
        QTableWidgetItem* symbol = readOnlyItem(QString::fromUtf8(parameter.symbol));
        symbol->setData(Qt::UserRole, static_cast<int>(parameter.key));
        symbol->setToolTip(parameterTooltip(parameter));
        rangesTable_->setItem(row, kSymbol, symbol);
        rangesTable_->setItem(row, kValue, readOnlyItem(QString()));
        rangesTable_->setItem(row, kLow, new QTableWidgetItem);
        rangesTable_->setItem(row, kHigh, new QTableWidgetItem);
        auto* distribution = new QComboBox(rangesTable_);
        distribution->addItem(QStringLiteral("нет"));
        for (Distribution d : kDistributions) distribution->addItem(QString::fromUtf8(distributionCaption(d)));
        connect(distribution, &QComboBox::currentIndexChanged, this, [this] {
            if (!filling_) restart();
        });
        rangesTable_->setCellWidget(row, kDistribution, distribution);
    }
    QHeaderView* header = rangesTable_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(kLow, QHeaderView::Stretch);
    header->setSectionResizeMode(kHigh, QHeaderView::Stretch);
    connect(rangesTable_, &QTableWidget::cellChanged, this, &UncertaintyPage::rangeEdited);
    layout->addWidget(rangesTable_, 1);

    auto* buttons = new QHBoxLayout;
    QPushButton* open = makeButton(box, "OpenRanges", QStringLiteral("Открыть диапазоны…"));
    QPushButton* save = makeButton(box, "SaveRanges", QStringLiteral("Сохранить диапазоны…"));
    connect(open, &QPushButton::clicked, this, &UncertaintyPage::openRanges);
    connect(save, &QPushButton::clicked, this, &UncertaintyPage::saveRanges);
    buttons->addWidget(open);
    buttons->addWidget(save);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    return box;
}

// The progress, why nothing is computed, the statistics, the notes and the two histograms.
QWidget* UncertaintyPage::makeResults() {
    auto* results = new QWidget(this);
    auto* layout = new QVBoxLayout(results);
    layout->setContentsMargins(0, 0, 0, 0);
    progress_ = new QProgressBar(results);
    progress_->setObjectName(QStringLiteral("Progress"));
    progress_->setFormat(QStringLiteral("%v из %m"));
    layout->addWidget(progress_);
    refusal_ = makeWrappedLabel(results, QString(), pixelFont(12, true), QStringLiteral("UncertaintyRefusal"));
    refusal_->setStyleSheet(QStringLiteral("color: #B00000"));
    layout->addWidget(refusal_);
    statistics_ = makeFigureTable(results, "Statistics", uncertaintyHeadings());
    setFigureRows(*statistics_, uncertaintyRows(UncertaintySummary{}));
    statistics_->setMinimumHeight(wholeTableHeight(*statistics_));
    statistics_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    layout->addWidget(statistics_);
    notes_ = makeWrappedLabel(results, QString(), font(), QStringLiteral("UncertaintyNotes"));
    layout->addWidget(notes_);
    auto* charts = new QHBoxLayout;
    for (Nutrient nutrient : kNutrients) {
        auto* chart = new HistogramChart(results);
        chart->setObjectName(nutrient == Nutrient::P ? QStringLiteral("HistogramP") : QStringLiteral("HistogramN"));
        chart->setLook(histogramLook(nutrient));
        chart->setMinimumSize(240, 190);
        histograms_[static_cast<int>(nutrient)] = chart;
        charts->addWidget(chart);
    }
    layout->addLayout(charts, 1);
    return results;
}

QComboBox* UncertaintyPage::distributionBox(int row) const {
    return static_cast<QComboBox*>(rangesTable_->cellWidget(row, kDistribution));
}

// An end typed into a row without a range makes it a uniform one.
void UncertaintyPage::rangeEdited(int row, int column) {
    if (filling_ || (column != kLow && column != kHigh)) return;
    QComboBox* distribution = distributionBox(row);
    if (distribution->currentIndex() == kNoRange && !rangesTable_->item(row, column)->text().isEmpty()) {
        const QSignalBlocker blocker(distribution);
        distribution->setCurrentIndex(kNoRange + 1);
    }
    restart();
}

std::vector<UncertaintyRange> UncertaintyPage::ranges() const {
    std::vector<UncertaintyRange> ranges;
    for (int row = 0; row < rangesTable_->rowCount(); ++row) {
        const int choice = distributionBox(row)->currentIndex();
        if (choice == kNoRange) continue;
        ranges.push_back({parameterOfRow(*rangesTable_, row), rangesTable_->item(row, kLow)->text().toStdString(),
                          rangesTable_->item(row, kHigh)->text().toStdString(), kDistributions[choice - 1]});
    }
    return ranges;
}

void UncertaintyPage::fillRanges(const std::vector<UncertaintyRange>& ranges) {
    filling_ = true;
    for (int row = 0; row < rangesTable_->rowCount(); ++row) {
        const auto range = std::find_if(ranges.begin(), ranges.end(), [&](const UncertaintyRange& r) {
            return r.parameter == parameterOfRow(*rangesTable_, row);
        });
        const bool ranged = range != ranges.end();
        rangesTable_->item(row, kLow)->setText(ranged ? text(range->low) : QString());
        rangesTable_->item(row, kHigh)->setText(ranged ? text(range->high) : QString());
        distributionBox(row)->setCurrentIndex(ranged ? static_cast<int>(range->distribution) + 1 : kNoRange);
    }
    filling_ = false;
    restart();
}

void UncertaintyPage::setBaseline(const Computation& baseline) {
    baseline_ = baseline;
    for (int row = 0; row < rangesTable_->rowCount(); ++row)
        rangesTable_->item(row, kValue)
            ->setText(text(baseline_.parameters[static_cast<int>(parameterOfRow(*rangesTable_, row))]));
    restart();
}

// A file the core reads: refused whole, naming its line and field, before the table changes.
void UncertaintyPage::openRanges() {
    guarded(messages_, [this] {
        const QString name = dialogs_.openRangesFileName(this);
        if (name.isEmpty()) return;
        fillRanges(loadRanges(name.toStdString(), baseline_.parameters));
    });
}

// Only ranges the set takes are saved, so that the file opens again.
void UncertaintyPage::saveRanges() {
    guarded(messages_, [this] {
        const std::vector<UncertaintyRange> ranges = this->ranges();
        resolveRanges(ranges, baseline_.parameters);
        const QString name = dialogs_.saveRangesFileName(this);
        if (name.isEmpty()) return;
        replaceFile(name.toStdString(), rangesCsv(ranges));
    });
}

void UncertaintyPage::restart() {
    runner_->stop();
    const std::vector<UncertaintyRange> ranges = this->ranges();
    DrawSettings settings;
    LoadTargets targets;
    try {
        resolveRanges(ranges, baseline_.parameters);
        settings.draws = parseDrawCount(draws_->text().toStdString());
        settings.seed = parseSeed(seed_->text().toStdString());
        for (Nutrient nutrient : kNutrients) {
            const std::string target = targets_[static_cast<int>(nutrient)]->text().trimmed().toStdString();
            if (!target.empty())
                targets[static_cast<int>(nutrient)] = targetLoad(target, nutrientSymbol(nutrient) + ("=" + target));
        }
    } catch (const Failure& failure) {
        showRefusal(failure.what());
        return;
    }
    refusal_->hide();
    shown_ = false;
    statistics_->setEnabled(false);
    progress_->setRange(0, static_cast<int>(settings.draws));
    progress_->setValue(0);
    runner_->start(baseline_.parameters, ranges, settings, targets);
}

void UncertaintyPage::stopWork() { runner_->stop(); }

void UncertaintyPage::showRefusal(const std::string& failure) {
    clearResults();
    refusal_->setText(text(shownFailureText(failure)));
    refusal_->show();
}

void UncertaintyPage::clearResults() {
    shown_ = false;
    setFigureRows(*statistics_, uncertaintyRows(UncertaintySummary{}));
    statistics_->setEnabled(false);
    notes_->clear();
    for (HistogramChart* chart : histograms_) chart->clear();
    progress_->setValue(0);
}

void UncertaintyPage::showOutcome() {
    const UncertaintyOutcome& outcome = *runner_->outcome();
    if (!outcome.run) {
        showRefusal(outcome.failure);
        return;
    }
    setFigureRows(*statistics_, uncertaintyRows(outcome.summary));
    statistics_->setEnabled(true);
    shown_ = true;
    notes_->setText(uncertaintyNotes(outcome.summary).join(u'\n'));
    for (Nutrient nutrient : kNutrients)
        histograms_[static_cast<int>(nutrient)]->setFigures(
            histogramFigures(outcome.summary, nutrient, outcome.run->baseline));
}

std::vector<ReportPage> UncertaintyPage::reportPages() const {
    if (!shown_) return {};
    const UncertaintyOutcome* outcome = runner_->outcome();
    return {uncertaintyReportPage(*outcome->run, outcome->summary)};
}

}  // namespace nutrient
