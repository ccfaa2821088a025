#include "ui/results_window.h"

#include "ui/message_boxes.h"
#include "ui/modal.h"

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QShortcut>
#include <QStringList>
#include <QStyle>

namespace nutrient {

namespace {

constexpr const char* kBelowBackground =
    "Расчитанное значение биогенной нагрузки на водоем меньше значения фоновой нагрузки! "
    "Проверьте  правильность задания параметров модели или уменьшите значение выноса биогенов "
    "с урожаем.";

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
int valuePixels(int rowIndex) {
    const int row = rowIndex + 1;
    return row == 6 || row >= 11 ? 11 : 12;
}

// The captions of the moduli leave blanks after "км" where the raised "2" of km² stands.
const QString kSquareUnit = QStringLiteral("км ");

QFont pixelFont(const QFont& base, int pixels, bool bold) {
    QFont font = base;
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

QLabel* textLabel(QWidget* parent, int number, const QString& text, const QFont& font,
                  const QRect& geometry, Qt::Alignment alignment) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("Label%1").arg(number));
    label->setTextFormat(Qt::PlainText);
    label->setFont(font);
    label->setAlignment(alignment);
    label->setGeometry(geometry);
    label->setText(text);
    return label;
}

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

// The caption as plain text: the raised "2" written as "²" in place of its blanks.
QString captionWithSquareSign(const QString& caption) {
    const qsizetype at = caption.indexOf(kSquareUnit);
    if (at < 0) return caption;
    qsizetype rest = at + kSquareUnit.size();
    while (rest < caption.size() && caption.at(rest) == QLatin1Char(' ')) ++rest;
    return caption.left(at + 2) + QStringLiteral("² ") + caption.mid(rest);
}

}  // namespace

TForm3::TForm3(const ParameterSet& parameters, LoadResults& results, RetentionShared& shared,
               Messages& messages, QWidget* parent)
    : LazyDialog(parent), parameters_(parameters), results_(results), shared_(shared),
      messages_(messages) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Результаты расчетов"));
    setFixedSize(kClientWidth, kClientHeight);
}

void TForm3::build() {
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setGeometry(0, 0, kClientWidth, kClientHeight);

    buildHeadings(panel);
    buildRows(panel);
    buildButtons(panel);
    showResults();

    auto* copy = new QShortcut(QKeySequence::Copy, this);
    connect(copy, &QShortcut::activated, this, &TForm3::copyTable);
}

void TForm3::buildHeadings(QWidget* panel) {
    const QFont heading = pixelFont(font(), kHeadingPixels, true);
    const int lineWidth = kClientWidth - 2 * kCaptionLeft;
    textLabel(panel, 1, QStringLiteral("Результаты расчета формирования биогенной нагрузки, т/год"),
              heading, QRect(kCaptionLeft, 8, lineWidth, 18), Qt::AlignCenter);
    Label2 = textLabel(panel, 2, QString(), heading, QRect(kCaptionLeft, 28, lineWidth, 18),
                       Qt::AlignCenter);
    // Each heading centred over its column of fields.
    const int overhang = (kNFieldLeft - kPFieldLeft - kFieldWidth) / 2;
    const int headingWidth = kFieldWidth + 2 * overhang;
    textLabel(panel, 3, QStringLiteral("Фосфор"), heading,
              QRect(kPFieldLeft - overhang, 52, headingWidth, 18), Qt::AlignCenter);
    textLabel(panel, 4, QStringLiteral("Азот"), heading,
              QRect(kNFieldLeft - overhang, 52, headingWidth, 18), Qt::AlignCenter);
}

void TForm3::buildRows(QWidget* panel) {
    const QFont captionFont = pixelFont(font(), kCaptionPixels, false);
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
        textLabel(panel, 5 + i, lines.join(QLatin1Char('\n')), captionFont,
                  QRect(kCaptionLeft, lastLineTop - (lines.size() - 1) * lineHeight, captionWidth,
                        lines.size() * lineHeight),
                  Qt::AlignLeft | Qt::AlignTop);
        if (addSquareExponent(panel, exponentNumber, lines.last(), metrics, lastLineTop))
            ++exponentNumber;
        addValueFields(panel, i, fieldTop);
        rowTop = fieldTop + kFieldHeight + gap;
    }
}

// The raised "2" of km², over the blanks the caption leaves for it.
bool TForm3::addSquareExponent(QWidget* panel, int labelNumber, const QString& line,
                               const QFontMetrics& metrics, int lineTop) {
    const qsizetype unitAt = line.indexOf(kSquareUnit);
    if (unitAt < 0) return false;
    const int x = kCaptionLeft + metrics.horizontalAdvance(line.left(unitAt + 2));
    textLabel(panel, labelNumber, QStringLiteral("2"), pixelFont(font(), kExponentPixels, false),
              QRect(x, lineTop - 3, 8, kExponentPixels + 3), Qt::AlignLeft | Qt::AlignTop);
    return true;
}

void TForm3::addValueFields(QWidget* panel, int rowIndex, int top) {
    QFont valueFont = pixelFont(font(), valuePixels(rowIndex), true);
    valueFont.setLetterSpacing(QFont::AbsoluteSpacing, kValueLetterSpacing);
    const ResultRow& row = kResultRows[rowIndex];
    const char* names[2] = {row.pField, row.nField};
    const int lefts[2] = {kPFieldLeft, kNFieldLeft};
    for (int column = 0; column < 2; ++column) {
        auto* field = new QLineEdit(panel);
        field->setObjectName(QString::fromLatin1(names[column]));
        field->setReadOnly(true);
        field->setFont(valueFont);
        field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        field->setGeometry(lefts[column], top, kFieldWidth, kFieldHeight);
        field->installEventFilter(this);
        fields_[rowIndex][column] = field;
    }
}

void TForm3::buildButtons(QWidget* panel) {
    const QIcon checkMark(QStringLiteral(":/images/checkmark.png"));
    BitBtn2 = new QPushButton(checkMark, QStringLiteral("&Graphics 1"), panel);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(kCaptionLeft + 100, kButtonTop, kButtonWidth, kButtonHeight);

    BitBtn1 = makeCloseButton(*this, panel);
    BitBtn1->setGeometry((kClientWidth - kButtonWidth) / 2, kButtonTop, kButtonWidth,
                         kButtonHeight);

    BitBtn3 = new QPushButton(checkMark, QStringLiteral("&Graphic 2"), panel);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    BitBtn3->setGeometry(kClientWidth - kCaptionLeft - 100 - kButtonWidth, kButtonTop, kButtonWidth,
                         kButtonHeight);

    // The chart windows open over this one, which stays open beneath them.
    connect(BitBtn2, &QPushButton::clicked, this, &TForm3::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm3::BitBtn3Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);
}

void TForm3::setChartWindows(QDialog& sourceShares, QDialog& budget) {
    sourceShares_ = &sourceShares;
    budget_ = &budget;
}

void TForm3::showEvent(QShowEvent* event) {
    LazyDialog::showEvent(event);
    // A window restored by the window system is not shown anew: no recalculation then.
    if (event->spontaneous()) return;
    centreOnScreen(*this);
    FormShow();
}

void TForm3::FormShow() {
    ensureBuilt();
    Label2->setText(QString::fromStdString(parameters_.getText("Edit38")));
    BitBtn1->setFocus();
    guarded(messages_, [&] {
        {
            // The fields show what this run wrote, and the rows a failed run emptied, before
            // any box comes up over them.
            const auto showFields = qScopeGuard([this] { showResults(); });
            calculate(parameters_, results_, shared_);
        }
        warnIfBelowBackground(Nutrient::P);
        warnIfBelowBackground(Nutrient::N);
    });
}

void TForm3::showResults() {
    for (int i = 0; i < kResultRowCount; ++i) {
        const char* names[2] = {kResultRows[i].pField, kResultRows[i].nField};
        for (int column = 0; column < 2; ++column) {
            QLineEdit* field = fields_[i][column];
            field->setText(QString::fromStdString(results_.text(names[column])));
            // A text wider than the field shows its beginning, sign and leading digits.
            field->setCursorPosition(0);
        }
    }
}

// The load reaching the water body cannot be smaller than its natural part: a crop removal
// set too high, or parameters that do not belong together, make it so.  Compared as shown.
void TForm3::warnIfBelowBackground(Nutrient nutrient) {
    if (results_.value("L", nutrient) < results_.value("Lnat", nutrient))
        messages_.error(kBelowBackground);
}

void TForm3::BitBtn2Click() {
    if (sourceShares_) showModal(*sourceShares_);
}

void TForm3::BitBtn3Click() {
    if (budget_) showModal(*budget_);
}

QString TForm3::tableText() const {
    QStringList lines;
    // The fields show exactly these texts once the window has been shown.
    for (const ResultRow& row : kResultRows) {
        lines << QStringList{captionWithSquareSign(QString::fromUtf8(row.caption)),
                             QString::fromStdString(results_.text(row.pField)),
                             QString::fromStdString(results_.text(row.nField))}
                     .join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n'));
}

void TForm3::copyTable() { QGuiApplication::clipboard()->setText(tableText()); }

// A value field with a selection copies that selection; without one, Ctrl+C in it copies
// the whole table like anywhere else in the window.
bool TForm3::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* field = qobject_cast<QLineEdit*>(watched);
        if (field && !field->hasSelectedText() &&
            static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
            event->ignore();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace nutrient
