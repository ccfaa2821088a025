#include "ui/scenario_page.h"

#include "model/messages.h"
#include "model/results_export.h"
#include "ui/analysis_parts.h"
#include "ui/analysis_report.h"
#include "ui/variant_file.h"
#include "ui/window_parts.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace nutrient {

namespace {

constexpr int kPercentWidth = 64;

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }
QString symbol(Nutrient nutrient) { return QString::fromUtf8(nutrientSymbol(nutrient)); }
int index(Nutrient nutrient) { return static_cast<int>(nutrient); }

bool hasTexts(const Computation& computation) {
    return std::ranges::any_of(computation.parameters, [](const std::string& t) { return !t.empty(); });
}

}  // namespace

ScenarioPage::ScenarioPage(VariantFiles variantFiles, QWidget* parent)
    : AnalysisPage(parent), variantFiles_(std::move(variantFiles)) {
    setObjectName(QStringLiteral("ScenarioPage"));
    auto* layout = new QVBoxLayout(this);
    QLabel* help = makeWrappedLabel(this, scenarioHelp(), font(), QStringLiteral("scenarioHelp"));
    setTextColour(help, kHelpColour);
    layout->addWidget(help);

    // The levers with the problems of their fields under them; the targets with the save.
    auto* inputs = new QHBoxLayout;
    auto* leverColumn = new QVBoxLayout;
    leverColumn->addWidget(buildLevers());
    problems_ = makeWrappedLabel(this, QString(), font(), QStringLiteral("scenarioProblems"));
    setTextColour(problems_, kProblemColour);
    leverColumn->addWidget(problems_);
    inputs->addLayout(leverColumn, 2);
    inputs->addWidget(buildTargets(), 1);
    layout->addLayout(inputs);

    layout->addWidget(buildResults(), 1);
}

QString ScenarioPage::title() const { return QStringLiteral("Сценарий"); }

QWidget* ScenarioPage::buildLevers() {
    auto* box = new QGroupBox(QStringLiteral("Рычаги: изменение, %, и рычаги цели"), this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(3);
    const QStringList headings{QStringLiteral("P, %"), QStringLiteral("N, %"), QStringLiteral("Цель L(P)"),
                               QStringLiteral("Цель L(N)")};
    for (int c = 0; c < headings.size(); ++c)
        grid->addWidget(makeLabel(box, headings[c], pixelFont(11, true), Qt::AlignCenter), 0, c + 1);
    for (int line = 0; line < kLeverCount; ++line) addLeverRow(grid, line + 1, kLevers[line].key);
    grid->setColumnStretch(0, 1);
    return box;
}

void ScenarioPage::addLeverRow(QGridLayout* grid, int line, Lever lever) {
    QWidget* box = grid->parentWidget();
    LeverRow row{lever, {}, {}};
    QLabel* caption = makeLabel(box, QString::fromUtf8(info(lever).caption), QFont(), Qt::AlignLeft | Qt::AlignVCenter);
    caption->setWordWrap(true);
    grid->addWidget(caption, line, 0);
    const QString name = QString::fromUtf8(info(lever).name);
    if (perNutrient(lever)) {
        for (Nutrient nutrient : kNutrients) {
            QLineEdit* field =
                makeNumberField(box, QStringLiteral("percent:%1:%2").arg(name, symbol(nutrient)), kPercentWidth);
            grid->addWidget(field, line, 1 + index(nutrient));
            row.percent[index(nutrient)] = field;
        }
    } else {
        // Head counts serve both nutrients: one field across both columns.
        QLineEdit* field = makeNumberField(box, QStringLiteral("percent:%1").arg(name), kPercentWidth);
        field->setFixedWidth(2 * kPercentWidth + grid->horizontalSpacing());
        field->setPlaceholderText(QStringLiteral("P и N"));
        grid->addWidget(field, line, 1, 1, 2);
        row.percent[0] = field;
    }
    for (Nutrient nutrient : kNutrients) {
        auto* moves = new QCheckBox(box);
        moves->setObjectName(QStringLiteral("moves:%1:%2").arg(symbol(nutrient), name));
        grid->addWidget(moves, line, 3 + index(nutrient), Qt::AlignCenter);
        row.moves[index(nutrient)] = moves;
        connect(moves, &QCheckBox::toggled, this, [this] { recompute(); });
    }
    for (QLineEdit* field : row.percent)
        if (field) connect(field, &QLineEdit::textEdited, this, [this] { recompute(); });
    levers_.push_back(row);
}

QWidget* ScenarioPage::buildTargets() {
    auto* box = new QGroupBox(QStringLiteral("Цель: нагрузка на водный объект не более"), this);
    auto* layout = new QVBoxLayout(box);
    for (Nutrient nutrient : kNutrients) {
        TargetRow& target = targets_[index(nutrient)];
        auto* line = new QHBoxLayout;
        line->addWidget(makeLabel(box, text(resultKey(Quantity::L, nutrient)) + QStringLiteral(" ≤"), QFont(),
                                  Qt::AlignLeft | Qt::AlignVCenter));
        target.load = makeNumberField(box, QStringLiteral("target:%1").arg(symbol(nutrient)), kPercentWidth);
        connect(target.load, &QLineEdit::textEdited, this, [this] { recompute(); });
        line->addWidget(target.load);
        line->addWidget(makeLabel(box, QStringLiteral("т/год"), QFont(), Qt::AlignLeft | Qt::AlignVCenter));
        line->addStretch(1);
        target.intoScenario = makeButton(box, qPrintable(QStringLiteral("cutIntoScenario:%1").arg(symbol(nutrient))),
                                         QStringLiteral("В сценарий"));
        target.intoScenario->setToolTip(QStringLiteral("Поставить найденное сокращение в поля рычагов"));
        target.intoScenario->setEnabled(false);
        connect(target.intoScenario, &QPushButton::clicked, this, [this, nutrient] { takeCut(nutrient); });
        line->addWidget(target.intoScenario);
        layout->addLayout(line);
        target.verdict = makeWrappedLabel(box, QString(), font(), QStringLiteral("verdict:%1").arg(symbol(nutrient)));
        target.verdict->setMinimumHeight(3 * fontMetrics().lineSpacing());
        layout->addWidget(target.verdict);
    }
    layout->addStretch(1);
    save_ = makeButton(box, "saveVariant", QStringLiteral("Сохранить вариант…"));
    connect(save_, &QPushButton::clicked, this, [this] { saveVariant(); });
    layout->addWidget(save_, 0, Qt::AlignRight);
    return box;
}

// The results with two lines over each figure column: the nutrient, then what the column holds.
QTableWidget* ScenarioPage::buildResults() {
    QStringList headings{QStringLiteral("Результаты расчета, т/год")};
    for (Nutrient nutrient : kNutrients)
        for (const QString& heading : scenarioHeadings())
            headings << QString::fromUtf8(nutrientHeading(nutrient)) + QLatin1Char('\n') + heading;
    results_ = makeFigureTable(this, "scenarioResults", headings);
    return results_;
}

void ScenarioPage::setBaseline(const Computation& baseline) {
    baseline_ = baseline;
    recompute();
}

void ScenarioPage::recompute() {
    if (!baseline_) return;
    QStringList problems;
    if (const std::optional<std::string> rejection = baseline_->rejection())
        problems << QStringLiteral("Результаты исходного варианта не могут быть приняты: ") + text(*rejection);
    const std::optional<std::vector<LeverChange>> changes = leverChanges(problems);
    scenario_.reset();
    changes_.clear();
    if (changes) {
        changes_ = *changes;
        scenario_ = scenarioOf(*baseline_, percentChanges(changes_));
        const std::optional<std::string> rejection = scenario_->variant.rejection();
        if (!changes_.empty() && rejection)
            problems << QStringLiteral("Результаты сценария не могут быть приняты: ") + text(*rejection);
    }
    problems_->setText(problems.join(QLatin1Char('\n')));
    save_->setEnabled(scenario_ && hasTexts(scenario_->variant));
    for (Nutrient nutrient : kNutrients) searchTarget(nutrient);
    showResults();
}

std::optional<std::vector<LeverChange>> ScenarioPage::leverChanges(QStringList& problems) {
    std::vector<LeverChange> changes;
    bool readable = true;
    for (const LeverRow& row : levers_) {
        for (Nutrient nutrient : kNutrients) {
            QLineEdit* field = row.percent[index(nutrient)];
            if (!field) continue;
            const std::string typed = field->text().trimmed().toStdString();
            const LeverChange change{{row.lever, perNutrient(row.lever) ? std::optional(nutrient) : std::nullopt},
                                     typed};
            bool unreadable = false;
            if (!typed.empty()) {
                try {
                    leverPercent(typed, leverChangeText(change).toStdString());
                    changes.push_back(change);
                } catch (const Failure& failure) {
                    problems << text(failure.what());
                    unreadable = true;
                }
            }
            markUnreadable(field, unreadable);
            readable = readable && !unreadable;
        }
    }
    if (!readable) return std::nullopt;
    return changes;
}

void ScenarioPage::searchTarget(Nutrient nutrient) {
    TargetRow& target = targets_[index(nutrient)];
    target.search.reset();
    target.intoScenario->setEnabled(false);
    const std::string typed = target.load->text().trimmed().toStdString();
    std::vector<LeverChoice> levers;
    for (const LeverRow& row : levers_)
        if (row.moves[index(nutrient)]->isChecked()) levers.push_back({row.lever, std::nullopt});
    QString verdict;
    bool unreadable = false;
    if (typed.empty()) {
        verdict = levers.empty() ? QString() : QStringLiteral("Задайте цель, т/год.");
    } else if (levers.empty()) {
        verdict =
            QStringLiteral("Отметьте рычаги цели %1 в столбце «Цель %1».").arg(text(resultKey(Quantity::L, nutrient)));
    } else {
        try {
            target.search = nutrient::searchTarget(*baseline_, {nutrient, typed}, levers);
            verdict = verdictLine(*target.search);
            const TargetVerdict kind = target.search->verdict;
            target.intoScenario->setEnabled(kind == TargetVerdict::Reached || kind == TargetVerdict::Unreachable);
        } catch (const Failure& failure) {
            verdict = text(failure.what());
            unreadable = true;
        }
    }
    markUnreadable(target.load, unreadable && !typed.empty());
    setTextColour(target.verdict, unreadable ? kProblemColour : QColor(Qt::black));
    target.verdict->setText(verdict);
}

void ScenarioPage::showResults() {
    // While a percentage cannot be read the scenario's columns stay empty.
    const Scenario shown = scenario_ ? *scenario_ : Scenario{*baseline_, {}, {}};
    std::vector<QStringList> rows;
    for (const ResultRow& row : kResultRows) {
        QStringList cells{text(plainCaption(row))};
        for (Nutrient nutrient : kNutrients) cells << scenarioCells(shown, row.quantity, nutrient);
        rows.push_back(cells);
    }
    setFigureRows(*results_, rows);
}

// The cut of a target becomes the scenario: its levers at minus the cut for both nutrients,
// every other lever unchanged, so that the scenario is exactly the target's variant.
void ScenarioPage::takeCut(Nutrient nutrient) {
    const std::optional<TargetSearch>& search = targets_[index(nutrient)].search;
    if (!search || !search->cut) return;
    const QString percent = QStringLiteral("-") + text(cutText(*search->cut));
    for (const LeverRow& row : levers_) {
        const bool moved =
            std::ranges::any_of(search->levers, [&](const LeverChoice& c) { return c.lever == row.lever; });
        for (QLineEdit* field : row.percent)
            if (field) field->setText(moved ? percent : QString());
    }
    recompute();
}

void ScenarioPage::saveVariant() {
    if (!scenario_ || !hasTexts(scenario_->variant)) return;
    variantFiles_.save(this, scenario_->variant.parameters);
}

std::vector<ReportPage> ScenarioPage::reportPages() const {
    std::vector<TargetSearch> searches;
    for (const TargetRow& target : targets_)
        if (target.search) searches.push_back(*target.search);
    // With levers moved, their scenario and every target; else each target with its cut.
    if (scenario_ && !changes_.empty()) return {scenarioReportPage(*scenario_, changes_, searches)};
    std::vector<ReportPage> pages;
    for (const TargetSearch& search : searches) pages.push_back(scenarioReportPage(search.scenario, {}, {search}));
    return pages;
}

}  // namespace nutrient
