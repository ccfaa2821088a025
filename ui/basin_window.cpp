#include "ui/basin_window.h"

#include "model/csv.h"
#include "model/file_system.h"
#include "ui/basin_report.h"
#include "ui/chart_looks.h"
#include "ui/charts/pie_chart.h"
#include "ui/file_dialogs.h"
#include "ui/window_parts.h"

#include <QAbstractTableModel>
#include <QAction>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace nutrient {

namespace {

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

constexpr int kSortRole = Qt::UserRole;
constexpr int kColumnCount = static_cast<int>(kRowColumns.size());
// A row not computed says why across its figures, from the area on.
constexpr int kReasonColumn = static_cast<int>(RowColumn::Area);
const QColor kNotComputedBackground(0xFF, 0xE4, 0xE1);

constexpr const char* kApplyQuestion =
    "Записать параметры подбассейнов с подобранными коэффициентами a и b в новые файлы рядом с файлом бассейна? "
    "Исходные файлы не изменятся.";

// The unit under a column's heading; the area's and the share's are in their headings.
const char* unitOf(RowColumn column) {
    switch (column) {
    case RowColumn::L:
    case RowColumn::Lnat:
    case RowColumn::Upstream:
    case RowColumn::OwnExport:
        return "т/год";
    case RowColumn::M:
    case RowColumn::OwnModulus:
        return "кг/(км² год)";
    default:
        return "";
    }
}

// A figure's heading on narrow lines: its first blank breaks the line, the unit goes below.
QString narrowHeading(const char* heading, const char* unit = "") {
    QString narrow = QString::fromUtf8(heading);
    const qsizetype blank = narrow.indexOf(u' ');
    if (blank > 0) narrow[blank] = u'\n';
    return *unit ? narrow + QStringLiteral(",\n") + QString::fromUtf8(unit) : narrow;
}

bool anyFitted(const RetentionFits& fits) {
    return std::any_of(fits.begin(), fits.end(), [](const auto& fit) { return fit && fit->fitted(); });
}

// The object name of a nutrient's control: "BasinRowsP", "BasinTotalsN".
QString nutrientName(const char* control, Nutrient nutrient) {
    return QString::fromLatin1(control) + QString::fromLatin1(nutrientSymbol(nutrient));
}

QTableView* makeRowsTable(QWidget* parent, QAbstractItemModel* model, Nutrient nutrient) {
    auto* view = new QTableView(parent);
    view->setObjectName(nutrientName("BasinRows", nutrient));
    view->setModel(model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->hide();
    view->horizontalHeader()->setStretchLastSection(true);
    view->horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    view->setSortingEnabled(true);
    view->sortByColumn(static_cast<int>(RowColumn::Line), Qt::AscendingOrder);
    return view;
}

// The rows sorted by the column the user clicked: numbers by value, texts as texts, and a row
// without the figure (not computed) after all that have it, in either order.
class RowsSorting : public QSortFilterProxyModel {
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override {
        const bool leftMissing = !left.data(kSortRole).isValid();
        const bool rightMissing = !right.data(kSortRole).isValid();
        if (!leftMissing && !rightMissing) return QSortFilterProxyModel::lessThan(left, right);
        // Descending order puts first what is not less.
        return sortOrder() == Qt::AscendingOrder ? rightMissing && !leftMissing : leftMissing && !rightMissing;
    }
};

}  // namespace

// The rows of a basin for one nutrient, in file order; the view sorts them by kSortRole.
class BasinRowsModel : public QAbstractTableModel {
public:
    BasinRowsModel(Nutrient nutrient, QObject* parent) : QAbstractTableModel(parent), nutrient_(nutrient) {}

    void setAnalysis(const BasinAnalysis* analysis) {
        beginResetModel();
        analysis_ = analysis;
        sortKeys_.assign(kRowColumns.size(), {});
        endResetModel();
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() || !analysis_ ? 0 : static_cast<int>(analysis_->basin.rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kColumnCount; }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!analysis_ || !index.isValid()) return {};
        const auto row = static_cast<std::size_t>(index.row());
        const bool done = computed(row);
        switch (role) {
        case Qt::DisplayRole:
            return cell(row, index.column());
        case kSortRole:
            return sortKeys(index.column())[row];
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(numeric(index.column()) && (done || index.column() != kReasonColumn)
                                           ? Qt::AlignRight | Qt::AlignVCenter
                                           : Qt::AlignLeft | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            return done ? QVariant() : QVariant(kNotComputedBackground);
        case Qt::ToolTipRole:
            return done ? QVariant() : QVariant(text(analysis_->computed.rows[row].reason));
        default:
            return {};
        }
    }

    // Figures head their columns on narrow lines: the words, then the unit.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        const RowColumnInfo& column = kRowColumns[static_cast<std::size_t>(section)];
        return column.text ? QString::fromUtf8(column.heading) : narrowHeading(column.heading, unitOf(column.column));
    }

    bool computed(std::size_t row) const { return analysis_->computed.rows[row].status == RowStatus::Computed; }

private:
    static bool numeric(int column) { return !kRowColumns[static_cast<std::size_t>(column)].text; }

    QString cell(std::size_t row, int column) const {
        if (column == kReasonColumn && !computed(row)) return text(analysis_->computed.rows[row].reason);
        return text(rowCell(*analysis_, row, nutrient_, kRowColumns[static_cast<std::size_t>(column)].column));
    }

    // A column's keys, worked out when it is first sorted by.  Figures are written with a point
    // whatever the regional settings (the areas as typed, which the calculation reads with the
    // regional separator only where that is a point too).
    const std::vector<QVariant>& sortKeys(int column) const {
        std::vector<QVariant>& keys = sortKeys_[static_cast<std::size_t>(column)];
        if (!keys.empty()) return keys;
        const RowColumn shown = kRowColumns[static_cast<std::size_t>(column)].column;
        for (std::size_t row = 0; row < analysis_->basin.rows.size(); ++row) {
            const QString cellText = text(rowCell(*analysis_, row, nutrient_, shown));
            bool isNumber = false;
            const double value = numeric(column) ? QLocale::c().toDouble(cellText, &isNumber) : 0;
            keys.push_back(!numeric(column) ? QVariant(cellText) : isNumber ? QVariant(value) : QVariant());
        }
        return keys;
    }

    Nutrient nutrient_;
    const BasinAnalysis* analysis_ = nullptr;
    mutable std::vector<std::vector<QVariant>> sortKeys_;
};

BasinWindow::BasinWindow(Messages& messages, Questions& questions, FileDialogs& dialogs, QWidget* parent)
    : LazyDialog(&messages, parent),
      messages_(messages),
      questions_(questions),
      dialogs_(dialogs),
      reportOutput_(dialogs) {
    setObjectName(QStringLiteral("BasinWindow"));
    setWindowTitle(QStringLiteral("Бассейн"));
    resize(1280, 860);
}

BasinWindow::~BasinWindow() = default;

void BasinWindow::setRowFileOpener(std::function<void(const std::string&)> open) { openRowFile_ = std::move(open); }

void BasinWindow::build() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    fileLabel_ = makeLabel(this, QStringLiteral("Файл бассейна не открыт"), pixelFont(12, true), Qt::AlignLeft, {},
                           QStringLiteral("BasinFile"));
    fileLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(fileLabel_);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("BasinNutrients"));
    tabs_->addTab(buildPage(Nutrient::P), QStringLiteral("Фосфор"));
    tabs_->addTab(buildPage(Nutrient::N), QStringLiteral("Азот"));
    layout->addWidget(tabs_, 1);

    messagesView_ = new QPlainTextEdit(this);
    messagesView_->setObjectName(QStringLiteral("BasinMessages"));
    messagesView_->setReadOnly(true);
    messagesView_->setPlaceholderText(QStringLiteral("Сообщения файлов подбассейнов"));
    messagesView_->setMaximumHeight(90);
    layout->addWidget(messagesView_);

    addWindowAction(*this, QStringLiteral("Открыть бассейн…"), QKeySequence::keyBindings(QKeySequence::Open),
                    [this] { openBasinFile(); });
    QAction* recomputing = addWindowAction(*this, QStringLiteral("Пересчитать"),
                                           QKeySequence::keyBindings(QKeySequence::Refresh), [this] { recompute(); });
    QAction* saving = addWindowAction(*this, QStringLiteral("Сохранить результаты…"),
                                      QKeySequence::keyBindings(QKeySequence::Save), [this] { saveResults(); });
    QAction* reporting = addWindowAction(*this, QStringLiteral("Отчет…"),
                                         QKeySequence::keyBindings(QKeySequence::Print), [this] { makeReport(); });
    basinActions_ = {recomputing, saving, reporting};
    for (QAction* action : basinActions_) action->setEnabled(false);
    layout->addWidget(buildButtonRow(*saving, *reporting));
}

QWidget* BasinWindow::buildPage(Nutrient nutrient) {
    NutrientPage& page = pages_[static_cast<int>(nutrient)];
    auto* widget = new QWidget(this);
    auto* layout = new QVBoxLayout(widget);

    page.rows = new BasinRowsModel(nutrient, this);
    auto* sorted = new RowsSorting(this);
    sorted->setSourceModel(page.rows);
    sorted->setSortRole(kSortRole);
    page.table = makeRowsTable(widget, sorted, nutrient);
    connect(page.table, &QTableView::doubleClicked, this, [this, sorted](const QModelIndex& index) {
        openRowFile(static_cast<std::size_t>(sorted->mapToSource(index).row()));
    });
    // A row not computed spans its reason over its empty figures, wherever sorting puts it.
    const auto spanReasons = [table = page.table, sorted, rows = page.rows] {
        table->clearSpans();
        for (int row = 0; row < sorted->rowCount(); ++row)
            if (!rows->computed(static_cast<std::size_t>(sorted->mapToSource(sorted->index(row, 0)).row())))
                table->setSpan(row, kReasonColumn, 1, kColumnCount - kReasonColumn);
    };
    connect(sorted, &QAbstractItemModel::layoutChanged, this, spanReasons);
    connect(sorted, &QAbstractItemModel::modelReset, this, spanReasons);
    layout->addWidget(page.table, 3);

    auto* figures = new QHBoxLayout;
    auto* totalsBox = new QGroupBox(QStringLiteral("Итоги по бассейну"), widget);
    auto* totalsLayout = new QVBoxLayout(totalsBox);
    page.totals = makeLabel(totalsBox, {}, pixelFont(12), Qt::AlignLeft | Qt::AlignTop, {},
                            nutrientName("BasinTotals", nutrient));
    page.totals->setTextInteractionFlags(Qt::TextSelectableByMouse);
    totalsLayout->addWidget(page.totals);
    figures->addWidget(totalsBox, 4);

    // The pie of the chart windows under a title of its own: the box says whose shares they are.
    auto* pieBox = new QGroupBox(QStringLiteral("Доли источников в нагрузке на водный объект"), widget);
    auto* pieLayout = new QVBoxLayout(pieBox);
    page.pie = new PieChart3D(pieBox);
    page.pie->setObjectName(nutrientName("BasinPie", nutrient));
    ChartLook look = sourceShareLook(nutrient);
    look.title = nutrient == Nutrient::P ? QStringLiteral("Pобщ") : QStringLiteral("Nобщ");
    page.pie->setLook(look);
    page.pie->setMinimumSize(320, 300);
    pieLayout->addWidget(page.pie, 1);
    pieLayout->addWidget(makeLabel(pieBox, sourceShareLegend().join(u'\n'), pixelFont(11), Qt::AlignLeft));
    figures->addWidget(pieBox, 3);

    auto* fitBox = new QGroupBox(QStringLiteral("Общая аппроксимация удержания"), widget);
    auto* fitLayout = new QVBoxLayout(fitBox);
    page.fitSummary = makeLabel(fitBox, {}, pixelFont(12, true), Qt::AlignLeft, {}, nutrientName("BasinFit", nutrient));
    page.fitSummary->setWordWrap(true);
    fitLayout->addWidget(page.fitSummary);
    page.outlets = new QTableWidget(0, static_cast<int>(kOutletColumns.size()), fitBox);
    page.outlets->setObjectName(nutrientName("BasinOutlets", nutrient));
    QStringList headings;
    for (const OutletColumnInfo& column : kOutletColumns)
        headings << (column.text ? QString::fromUtf8(column.heading) : narrowHeading(column.heading));
    page.outlets->setHorizontalHeaderLabels(headings);
    page.outlets->setEditTriggers(QAbstractItemView::NoEditTriggers);
    page.outlets->verticalHeader()->hide();
    page.outlets->horizontalHeader()->setStretchLastSection(true);
    fitLayout->addWidget(page.outlets, 1);
    figures->addWidget(fitBox, 6);

    layout->addLayout(figures, 2);
    return widget;
}

// The buttons of what the user does most, the actions of the context menu among them.
QWidget* BasinWindow::buildButtonRow(QAction& saving, QAction& reporting) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    QPushButton* open = makeButton(row, "OpenBasin", QStringLiteral("&Открыть…"));
    connect(open, &QPushButton::clicked, this, &BasinWindow::openBasinFile);
    const auto actionButton = [row](const char* name, QAction& action) {
        QPushButton* button = makeButton(row, name, action.text());
        button->setEnabled(action.isEnabled());
        connect(button, &QPushButton::clicked, &action, &QAction::trigger);
        connect(&action, &QAction::enabledChanged, button, &QPushButton::setEnabled);
        return button;
    };
    applyButton_ = makeButton(row, "ApplyFit", QStringLiteral("&Применить"));
    applyButton_->setToolTip(
        QStringLiteral("Записать файлы параметров с общими a и b рядом с файлом бассейна (<имя>-fit.txt)"));
    applyButton_->setEnabled(false);
    connect(applyButton_, &QPushButton::clicked, this, &BasinWindow::applyFit);
    layout->addWidget(open);
    layout->addWidget(actionButton("SaveBasinResults", saving));
    layout->addWidget(actionButton("BasinReport", reporting));
    layout->addWidget(applyButton_);
    layout->addStretch(1);
    layout->addWidget(makeCloseButton(*this, row));
    return row;
}

void BasinWindow::openBasinFile() {
    guarded(messages_, [this] {
        const QString name = dialogs_.basinFileName(this);
        if (!name.isEmpty()) loadBasinFile(name);
    });
}

void BasinWindow::loadBasinFile(const QString& fileName) {
    guarded(messages_, [&] {
        std::optional<Basin> basin;
        try {
            basin = readBasinFile(fileName.toStdString());
        } catch (const Failure& failure) {
            // Each problem on a line of its own, as the command line writes them, in the box and
            // under the tables, where they stay while the user mends the file.
            std::string problems;
            for (const std::string& problem : shownProblems(failure.what()))
                problems += (problems.empty() ? "" : "\n") + problem;
            ensureBuilt();
            messagesView_->setPlainText(
                QStringLiteral("Файл бассейна не открыт: %1\n").arg(QDir::toNativeSeparators(fileName)) +
                text(problems));
            throw Failure(problems);
        }
        display(analyseBasin(std::move(*basin)), fileName);
    });
}

void BasinWindow::recompute() {
    if (!fileName_.isEmpty()) loadBasinFile(fileName_);
}

void BasinWindow::display(BasinAnalysis analysis, const QString& fileName) {
    ensureBuilt();
    for (NutrientPage& page : pages_) page.rows->setAnalysis(nullptr);
    analysis_ = std::move(analysis);
    fileName_ = fileName;
    fileLabel_->setText(QStringLiteral("Файл бассейна: ") + QDir::toNativeSeparators(fileName));
    for (Nutrient n : kNutrients) {
        NutrientPage& page = pages_[static_cast<int>(n)];
        page.rows->setAnalysis(&*analysis_);
        page.table->resizeColumnsToContents();
        showTotals(n);
        showFit(n);
    }
    applyButton_->setEnabled(anyFitted(analysis_->fits));
    for (QAction* action : basinActions_) action->setEnabled(true);
    showMessages();
}

void BasinWindow::showTotals(Nutrient n) {
    NutrientPage& page = pages_[static_cast<int>(n)];
    const BasinComputation& computed = analysis_->computed;
    if (!computed.complete()) {
        page.totals->setText(text(shownFailureText(computed.totalsMissing)));
        page.pie->clear();
        return;
    }
    const int k = static_cast<int>(n);
    const BasinTotals& totals = computed.totals;
    page.totals->setText(
        QStringLiteral("Площадь бассейна: %1 км²\nНагрузка на водный объект: %2 т/год\n"
                       "Природная составляющая: %3 т/год\nМодуль выноса: %4 кг/(км² год)")
            .arg(text(totals.area), text(totals.load[k]), text(totals.natural[k]), text(totals.modulus[k])));
    page.pie->setFigures(sourceSharePie(totals.slices[k]));
}

void BasinWindow::showFit(Nutrient n) {
    NutrientPage& page = pages_[static_cast<int>(n)];
    const std::optional<RetentionFit>& fit = analysis_->fits[static_cast<int>(n)];
    page.outlets->setRowCount(0);
    page.outlets->setVisible(fit.has_value());
    if (!fit) {
        page.fitSummary->setText(QStringLiteral("Измеренных нагрузок в файле бассейна нет"));
        return;
    }
    page.fitSummary->setText(
        fit->fitted() ? QStringLiteral("a = %1, b = %2\nR² = %3").arg(text(fit->a), text(fit->b), text(fit->rSquared))
                      : text(shownFailureText(fit->refusal)));
    page.outlets->setRowCount(static_cast<int>(fit->outlets.size()));
    for (int r = 0; r < page.outlets->rowCount(); ++r)
        for (std::size_t c = 0; c < kOutletColumns.size(); ++c) {
            const OutletColumnInfo& column = kOutletColumns[c];
            auto* item = new QTableWidgetItem(
                text(outletCell(*analysis_, fit->outlets[static_cast<std::size_t>(r)], n, column.column)));
            item->setTextAlignment(column.text ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            page.outlets->setItem(r, static_cast<int>(c), item);
        }
    page.outlets->resizeColumnsToContents();
}

void BasinWindow::showMessages(const QString& more) {
    messagesView_->setPlainText(text(basinMessages(*analysis_)) + more);
}

void BasinWindow::saveResults() {
    guarded(messages_, [this] {
        if (!analysis_) return;
        const CsvFileChoice choice = dialogs_.resultsFile(this);
        if (choice.fileName.isEmpty()) return;
        replaceFile(choice.fileName.toStdString(), csvInDialect(basinCsv(*analysis_), choice.dialect));
    });
}

void BasinWindow::makeReport() {
    guarded(messages_, [this] {
        if (!analysis_) return;
        const std::string basinFile = fileName_.toStdString();
        // A PDF is offered as "basin.pdf" for "basin.csv".
        reportOutput_.make(this, QFileInfo(fileName_).completeBaseName(), [&](QPagedPaintDevice& device) {
            paintBasinReport(device, *analysis_, basinFile, QDate::currentDate());
        });
    });
}

void BasinWindow::applyFit() {
    guarded(messages_, [this] {
        if (!analysis_ || !anyFitted(analysis_->fits)) return;
        if (questions_.ask(kApplyQuestion) != Answer::Yes) return;
        QString written;
        QString problems;
        for (const FitFile& file : applyRetentionFit(analysis_->basin, analysis_->fits)) {
            const QString rowFile = text(analysis_->basin.rows[file.row].file);
            if (!file.fileName.empty())
                written += QStringLiteral("  %1 → %2\n").arg(rowFile, QDir::toNativeSeparators(text(file.fileName)));
            for (const Message& message : file.messages)
                problems += QStringLiteral("%1: %2\n").arg(rowFile, text(message.shown()));
        }
        showMessages((written.isEmpty() ? QStringLiteral("Файлы с общими a и b не записаны.\n")
                                        : QStringLiteral("Записаны файлы с общими a и b:\n") + written) +
                     problems);
    });
}

void BasinWindow::openRowFile(std::size_t row) {
    if (analysis_ && openRowFile_ && row < analysis_->basin.rows.size())
        guarded(messages_, [&] { openRowFile_(analysis_->basin.rows[row].path); });
}

}  // namespace nutrient
