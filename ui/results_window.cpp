#include "ui/results_window.h"

#include "model/file_system.h"
#include "model/results_export.h"
#include "ui/captions.h"
#include "ui/file_dialogs.h"
#include "ui/report.h"
#include "ui/report_output.h"
#include "ui/window_parts.h"

#include <QAction>
#include <QClipboard>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScopeGuard>
#include <QStringList>

namespace nutrient {

namespace {

constexpr int kClientWidth = 639;
constexpr int kClientHeight = 590;

// Columns: captions from the left margin, their dot leaders ending just before the P field.
constexpr int kCaptionLeft = 12;
constexpr int kFieldWidth = 60;
constexpr int kFieldHeight = 22;
constexpr int kNFieldLeft = kClientWidth - 14 - kFieldWidth;
constexpr int kPFieldLeft = kNFieldLeft - 10 - kFieldWidth;
constexpr int kLeaderEnd = kPFieldLeft - 6;

// Rows: a caption too long for one line wraps onto a second, and the fields stand level with
// its last line, where the leader ends.  The rows share out the height between the headings
// and the buttons with equal gaps, so a two-line caption reads as one row.
constexpr int kRowsTop = 78;
constexpr int kRowsBottom = 541;

constexpr int kHeadingPixels = 13;
constexpr int kCaptionPixels = 12;
constexpr int kExponentPixels = 8;
// Seven bold digits of a five-digit load fit a 60-wide field only drawn a pixel closer.
constexpr qreal kValueLetterSpacing = -1.0;

constexpr int kButtonWidth = 81;
constexpr int kButtonHeight = 25;
constexpr int kButtonTop = kClientHeight - 14 - kButtonHeight;

// The rows of the inflow, the natural component and the two moduli use the smaller font.
int valuePixels(Quantity quantity) { return quantity == Quantity::Lex || quantity >= Quantity::Lnat ? 11 : 12; }

// The captions of the moduli leave blanks after "км" where the raised "2" of km² stands.
const QString kSquareUnit = QStringLiteral("км ");

// The object name of a label: "Label" and its number in the window.
QString labelName(int number) { return QStringLiteral("Label%1").arg(number); }

// The caption in lines no wider than `width`, breaking at a blank when a leader of a few
// dots no longer fits behind it.
QStringList wrappedCaption(const QString& caption, const QFontMetrics& metrics, int width) {
    const int room = width - metrics.horizontalAdvance(QStringLiteral("....."));
    if (metrics.horizontalAdvance(caption) <= room) return {caption};
    qsizetype breakAt = caption.lastIndexOf(QLatin1Char(' '));
    while (breakAt > 0 && metrics.horizontalAdvance(caption.left(breakAt)) > width)
        breakAt = caption.lastIndexOf(QLatin1Char(' '), breakAt - 1);
    return {caption.left(breakAt), caption.mid(breakAt + 1)};
}

// The dots that run from the end of `line` up to `width`.
QString dotLeader(const QString& line, const QFontMetrics& metrics, int width) {
    const int room = width - metrics.horizontalAdvance(line);
    QString dots(qMax(room / metrics.horizontalAdvance(QLatin1Char('.')), 0), QLatin1Char('.'));
    while (!dots.isEmpty() && metrics.horizontalAdvance(line + dots) > width) dots.chop(1);
    return dots;
}

}  // namespace

ResultsWindow::ResultsWindow(const ParameterSet& parameters, LoadResults& results, TransportCoefficients& coefficients,
                             Messages& messages, FileDialogs& dialogs, QWidget* parent)
    : LazyDialog(&messages, parent),
      parameters_(parameters),
      results_(results),
      coefficients_(coefficients),
      messages_(messages),
      dialogs_(dialogs),
      reportOutput_(dialogs) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Результаты расчетов"));
    setFixedSize(kClientWidth, kClientHeight);
}

ResultsWindow::~ResultsWindow() = default;

void ResultsWindow::build() {
    QFrame* panel = sunkenPanel(this, "Panel1", QRect(0, 0, kClientWidth, kClientHeight));
    buildHeadings(panel);
    buildRows(panel);
    buildButtons(panel);
    showResults();
    addMenuActions();
}

void ResultsWindow::addMenuActions() {
    addWindowAction(*this, QStringLiteral("Копировать"), QKeySequence::keyBindings(QKeySequence::Copy),
                    [this] { copyTable(); });
    addWindowAction(*this, QStringLiteral("Сохранить результаты…"), QKeySequence::keyBindings(QKeySequence::Save),
                    [this] { saveResults(); });
    addWindowAction(*this, QStringLiteral("Отчет…"), QKeySequence::keyBindings(QKeySequence::Print),
                    [this] { makeReport(); });
    addWindowAction(*this, kAnalysisAction, kAnalysisKeys, [this] { showAnalysis(); });
}

void ResultsWindow::buildHeadings(QWidget* panel) {
    const QFont heading = pixelFont(kHeadingPixels, true);
    const int lineWidth = kClientWidth - 2 * kCaptionLeft;
    makeLabel(panel, resultsTitle(), heading, Qt::AlignCenter, QRect(kCaptionLeft, 8, lineWidth, 18), labelName(1));
    objectNameLabel_ =
        makeLabel(panel, QString(), heading, Qt::AlignCenter, QRect(kCaptionLeft, 28, lineWidth, 18), labelName(2));
    // Each heading centred over its column of fields.
    const int overhang = (kNFieldLeft - kPFieldLeft - kFieldWidth) / 2;
    const int headingWidth = kFieldWidth + 2 * overhang;
    makeLabel(panel, QStringLiteral("Фосфор"), heading, Qt::AlignCenter,
              QRect(kPFieldLeft - overhang, 52, headingWidth, 18), labelName(3));
    makeLabel(panel, QStringLiteral("Азот"), heading, Qt::AlignCenter,
              QRect(kNFieldLeft - overhang, 52, headingWidth, 18), labelName(4));
}

void ResultsWindow::buildRows(QWidget* panel) {
    const QFont captionFont = pixelFont(kCaptionPixels);
    const QFontMetrics metrics(captionFont);
    const int lineHeight = metrics.lineSpacing();
    const int captionWidth = kLeaderEnd - kCaptionLeft;

    QStringList captions[kResultRowCount];
    int contentHeight = 0;
    for (int i = 0; i < kResultRowCount; ++i) {
        const QString caption = QString::fromUtf8(kResultRows[i].caption);
        captions[i] = wrappedCaption(caption, metrics, captionWidth);
        captions[i].last() += dotLeader(captions[i].last(), metrics, captionWidth);
        contentHeight += (captions[i].size() - 1) * lineHeight + kFieldHeight;
    }
    const int gap = (kRowsBottom - kRowsTop - contentHeight) / (kResultRowCount - 1);

    int rowTop = kRowsTop;
    int exponentNumber = 5 + kResultRowCount;
    for (int i = 0; i < kResultRowCount; ++i) {
        const QStringList& lines = captions[i];
        const int fieldTop = rowTop + (lines.size() - 1) * lineHeight;
        const int lastLineTop = fieldTop + (kFieldHeight - lineHeight) / 2;
        makeLabel(
            panel, lines.join(QLatin1Char('\n')), captionFont, Qt::AlignLeft | Qt::AlignTop,
            QRect(kCaptionLeft, lastLineTop - (lines.size() - 1) * lineHeight, captionWidth, lines.size() * lineHeight),
            labelName(5 + i));
        if (addSquareExponent(panel, exponentNumber, lines.last(), metrics, lastLineTop)) ++exponentNumber;
        addValueFields(panel, kResultRows[i], fieldTop);
        rowTop = fieldTop + kFieldHeight + gap;
    }
}

// The raised "2" of km², over the blanks the caption leaves for it.
bool ResultsWindow::addSquareExponent(QWidget* panel, int labelNumber, const QString& line, const QFontMetrics& metrics,
                                      int lineTop) {
    const qsizetype unitAt = line.indexOf(kSquareUnit);
    if (unitAt < 0) return false;
    const int x = kCaptionLeft + metrics.horizontalAdvance(line.left(unitAt + 2));
    makeLabel(panel, QStringLiteral("2"), pixelFont(kExponentPixels), Qt::AlignLeft | Qt::AlignTop,
              QRect(x, lineTop - 3, 8, kExponentPixels + 3), labelName(labelNumber));
    return true;
}

void ResultsWindow::addValueFields(QWidget* panel, const ResultRow& row, int top) {
    QFont valueFont = pixelFont(valuePixels(row.quantity), true);
    valueFont.setLetterSpacing(QFont::AbsoluteSpacing, kValueLetterSpacing);
    for (Nutrient nutrient : kNutrients) {
        auto* field = new QLineEdit(panel);
        field->setObjectName(QString::fromLatin1(resultField(row.quantity, nutrient)));
        field->setReadOnly(true);
        field->setFont(valueFont);
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        field->setGeometry(nutrient == Nutrient::P ? kPFieldLeft : kNFieldLeft, top, kFieldWidth, kFieldHeight);
        field->installEventFilter(this);
        // The window's own menu, not the field's, comes up over a number.
        field->setContextMenuPolicy(Qt::NoContextMenu);
        fields_[static_cast<int>(row.quantity)][static_cast<int>(nutrient)] = field;
    }
}

void ResultsWindow::buildButtons(QWidget* panel) {
    const QIcon checkMark(QStringLiteral(":/images/checkmark.png"));
    sourceSharesButton_ = makeButton(panel, "BitBtn2", QStringLiteral("&Graphics 1"), checkMark,
                                     QRect(kCaptionLeft + 100, kButtonTop, kButtonWidth, kButtonHeight));

    closeButton_ = makeCloseButton(*this, panel);
    closeButton_->setGeometry((kClientWidth - kButtonWidth) / 2, kButtonTop, kButtonWidth, kButtonHeight);

    budgetButton_ =
        makeButton(panel, "BitBtn3", QStringLiteral("&Graphic 2"), checkMark,
                   QRect(kClientWidth - kCaptionLeft - 100 - kButtonWidth, kButtonTop, kButtonWidth, kButtonHeight));

    // The chart windows open over this one, which stays open beneath them.
    connect(sourceSharesButton_, &QPushButton::clicked, this, &ResultsWindow::showSourceShares);
    connect(budgetButton_, &QPushButton::clicked, this, &ResultsWindow::showBudget);
    connect(closeButton_, &QPushButton::clicked, this, &QWidget::close);
}

void ResultsWindow::setChartWindows(QDialog& sourceShares, QDialog& budget) {
    sourceShares_ = &sourceShares;
    budget_ = &budget;
}

void ResultsWindow::setAnalysisWindow(QDialog& analysis) { analysis_ = &analysis; }

void ResultsWindow::refresh() {
    objectNameLabel_->setText(QString::fromStdString(parameters_.text(Parameter::ObjectName)));
    closeButton_->setFocus();
    {
        // The fields show what this run wrote, and the rows a failed run emptied, before any
        // box comes up over them.
        const auto showFields = qScopeGuard([this] { showResults(); });
        calculate(parameters_, results_, coefficients_);
    }
    checkLoadAgainstBackground(results_, messages_);
}

void ResultsWindow::showResults() {
    for (const ResultRow& row : kResultRows) {
        for (Nutrient nutrient : kNutrients) {
            QLineEdit* field = fields_[static_cast<int>(row.quantity)][static_cast<int>(nutrient)];
            field->setText(QString::fromStdString(results_.text(row.quantity, nutrient)));
            // A text wider than the field shows its beginning, sign and leading digits.
            field->setCursorPosition(0);
        }
    }
}

void ResultsWindow::showSourceShares() {
    if (sourceShares_) guarded(messages_, [this] { showModal(*sourceShares_); });
}

void ResultsWindow::showBudget() {
    if (budget_) guarded(messages_, [this] { showModal(*budget_); });
}

QString ResultsWindow::tableText() const {
    QStringList lines;
    // The fields show exactly these texts once the window has been shown.
    for (const ResultRow& row : kResultRows) {
        lines << QStringList{QString::fromStdString(plainCaption(row)),
                             QString::fromStdString(results_.text(row.quantity, Nutrient::P)),
                             QString::fromStdString(results_.text(row.quantity, Nutrient::N))}
                     .join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

void ResultsWindow::copyTable() {
    guarded(messages_, [this] { QGuiApplication::clipboard()->setText(tableText()); });
}

void ResultsWindow::setParametersFile(std::function<QString()> fileOfTexts) {
    parametersFile_ = std::move(fileOfTexts);
}

// The CSV of the command line for this one catchment, in the kind the user chose, replacing the
// file only when complete.
void ResultsWindow::saveResults() {
    guarded(messages_, [this] {
        const CsvFileChoice choice = dialogs_.resultsFile(this);
        if (choice.fileName.isEmpty()) return;
        const QString file = parametersFile_ ? parametersFile_() : QString();
        FileCalculation calculation;
        calculation.parameters = parameters_.texts();
        calculation.results = results_;
        calculation.coefficients = coefficients_;
        replaceFile(choice.fileName.toStdString(),
                    csvHeader(choice.dialect) + csvRecord(file.toStdString(), calculation, choice.dialect));
    });
}

// The catchment's report, printed or saved as a PDF file.
void ResultsWindow::makeReport() {
    guarded(messages_, [this] {
        reportOutput_.make(this, reportName(parameters_.texts()), [this](QPagedPaintDevice& device) {
            paintReport(device, parameters_.texts(), results_, coefficients_, QDate::currentDate());
        });
    });
}

void ResultsWindow::showAnalysis() {
    if (analysis_) guarded(messages_, [this] { showModal(*analysis_); });
}

// Ctrl+C copies the whole table wherever the focus is: a value field does not keep it for its
// own selection.
bool ResultsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && qobject_cast<QLineEdit*>(watched) &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        event->ignore();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace nutrient
