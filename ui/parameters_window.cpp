#include "ui/parameters_window.h"

#include "model/parameter_set.h"
#include "model/parameters_file.h"
#include "ui/file_dialogs.h"
#include "ui/message_boxes.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTextLayout>
#include <QVBoxLayout>

#include <functional>
#include <vector>

namespace nutrient {

namespace {

constexpr int kClientWidth = 689;
constexpr int kClientHeight = 756;
constexpr int kLeftColumnX = 8;
constexpr int kRightColumnX = 344;
constexpr int kColumnWidth = 337;
constexpr int kFullWidth = kRightColumnX + kColumnWidth - kLeftColumnX;
constexpr int kEdge = 8;       // from the client area's edges to the panels
constexpr int kPanelGap = 2;   // between panels stacked in a column

constexpr int kLabelPixels = 11;
constexpr int kCaptionPixels = 13;
constexpr int kFootnotePixels = 10;
constexpr int kFieldWidth = 64;

constexpr const char* kPhosphorus = "Фосфор";
constexpr const char* kNitrogen = "Азот";

// Natural area and runoff modulus are computed from other fields, never typed.
bool isDerived(const QString& field) { return field == u"Edit26" || field == u"Edit20"; }

// What a hydrologist usually finds on the Gulf of Finland catchment, as a hint beside the unit.
struct TypicalRange {
    const char* field;
    const char* text;
};
constexpr TypicalRange kTypicalRanges[] = {
    {"Edit5", "Обычно 280–320 мм/год на водосборе Финского залива"},
    {"Edit15", "Обычно 0.002–0.005 т/(км²·год)"},
};

// ---- The layout table -------------------------------------------------------------------

enum class Column { Top, Left, Right };

enum class CellKind {
    Title,    // the field's caption in the group-caption font
    Caption,  // the field's caption (bold row label)
    Field,    // the field itself
    Text,     // a bold label of its own text
    Heading,  // a column heading of its own text
};

struct Cell {
    CellKind kind;
    const char* text;                // the field name for Title, Caption and Field
    int span = 1;                    // grid columns taken
    const char* exponent = nullptr;  // raised after the unit's "м" (км², г/м³)
    int width = kFieldWidth;         // of a field; 0 = as wide as its column
};

Cell title(const char* field) { return {CellKind::Title, field}; }
Cell caption(const char* field, int span = 1, const char* exponent = nullptr) {
    return {CellKind::Caption, field, span, exponent};
}
Cell field(const char* name, int width = kFieldWidth) { return {CellKind::Field, name, 1, nullptr, width}; }
Cell text(const char* text, int span = 1, const char* exponent = nullptr) {
    return {CellKind::Text, text, span, exponent};
}
Cell heading(const char* text, int span = 1, const char* exponent = nullptr) {
    return {CellKind::Heading, text, span, exponent};
}
Cell blank(int span = 1) { return {CellKind::Text, "", span}; }

struct PanelLayout {
    Column column;
    const char* caption;          // group caption, nullptr for none
    const char* captionExponent;  // raised after the caption's unit
    std::vector<std::vector<Cell>> rows;
    std::vector<int> stretchColumns;  // grid columns that take the spare width
    std::vector<const char*> footnotes;
};

// Top to bottom within each column.  Captions, units and symbols of the fields come from the
// parameter table; only the window's own headings are written here.
const std::vector<PanelLayout>& panelLayouts() {
    static const std::vector<PanelLayout> layouts = {
        {Column::Top, nullptr, nullptr, {{title("Edit38"), field("Edit38", 0)}}, {1}, {}},
        {Column::Left,
         "Площади, км",
         "2",
         {{caption("Edit21"), field("Edit21")},
          {caption("Edit22"), field("Edit22")},
          {caption("Edit23"), field("Edit23")},
          {caption("Edit24"), field("Edit24")},
          {caption("Edit25"), field("Edit25")},
          {caption("Edit26"), field("Edit26")}},
         {0},
         {}},
        {Column::Left,
         "Внесение минеральных удобрений",
         nullptr,
         {{caption("Edit13"), field("Edit13")}, {caption("Edit14"), field("Edit14")}},
         {0},
         {}},
        {Column::Left,
         "Вынос с собранным урожаем ",
         nullptr,
         {{text("Модуль выноса биогенных веществ с урожаем, т/(год км   ) ", 2, "2")},
          {text(kPhosphorus), caption("Edit17"), field("Edit17")},
          {text(kNitrogen), caption("Edit19"), field("Edit19")}},
         {0},
         {}},
        {Column::Left,
         "Атмосферные выпадения",
         nullptr,
         {{text("т/(год км  )", 3, "2")},
          {text(kPhosphorus), caption("Edit15"), field("Edit15")},
          {text(kNitrogen), caption("Edit16"), field("Edit16")}},
         {0},
         {}},
        {Column::Left,
         "Коэф. для расчета удержания и выноса",
         nullptr,
         {{text(kPhosphorus), caption("Edit6"), field("Edit6"), caption("Edit7"), field("Edit7")},
          {text(kNitrogen), caption("Edit8"), field("Edit8"), caption("Edit18"), field("Edit18")},
          // The runoff modulus' caption is too long to share its line with the field.
          {caption("Edit20", 5, "2")},
          {blank(4), field("Edit20")}},
         {0},
         {}},
        {Column::Right,
         "Фермы и птицефабрики",
         nullptr,
         {{blank(), heading("Коэффициенты эмиссии, кг/год", 2),
           heading("Кол-во \n"
                   "животных,\n"
                   "участвующих \n"
                   "в формировании\n"
                   "нагрузки")},
          {blank(), heading(kPhosphorus), heading(kNitrogen), blank()},
          {caption("Edit27"), field("Edit27", 52), field("Edit32", 52), field("Edit33", 72)},
          {caption("Edit28"), field("Edit28", 52), field("Edit31", 52), field("Edit34", 72)},
          {caption("Edit29"), field("Edit29", 52), field("Edit30", 52), field("Edit35", 72)}},
         {0},
         {}},
        {Column::Right,
         "Точечные источники",
         nullptr,
         {{caption("Edit36"), field("Edit36")}, {caption("Edit37"), field("Edit37")}},
         {0},
         {}},
        {Column::Right,
         "Поступление извне",
         nullptr,
         {{caption("Edit39"), field("Edit39")}, {caption("Edit40"), field("Edit40")}},
         {0},
         {}},
        {Column::Right,
         "Эмиссия из почв",
         nullptr,
         {{heading("Концентрации", 2), heading("Концентрации", 2)},
          {heading("общего фосфора, г/м", 2, "3"), heading("общего азота, г/м", 2, "3")},
          {caption("Edit1"), field("Edit1"), caption("Edit9"), field("Edit9")},
          {caption("Edit2"), field("Edit2"), caption("Edit10"), field("Edit10")},
          {caption("Edit3"), field("Edit3"), caption("Edit11"), field("Edit11")},
          {caption("Edit4"), field("Edit4"), caption("Edit12"), field("Edit12")},
          {caption("Edit5", 3), field("Edit5")}},
         {0, 2},
         {"Индексы:", "f - пашня,      u - урбанизированные территории",
          "nat - естественный фон,   mix - смешанные территории"}},
    };
    return layouts;
}

// The keyboard walks the groups in this order, then the buttons.
constexpr const char* kKeyboardOrder[] = {
    "Edit1",  "Edit2",  "Edit3",  "Edit4",  "Edit5",  "Edit9",  "Edit10", "Edit11", "Edit12",  // soils
    "Edit13", "Edit14",                                                                      // fertilisers
    "Edit17", "Edit19",                                                                      // crop removal
    "Edit15", "Edit16",                                                                      // deposition
    "Edit27", "Edit28", "Edit29", "Edit30", "Edit31", "Edit32", "Edit33", "Edit34", "Edit35",  // farms
    "Edit21", "Edit22", "Edit23", "Edit24", "Edit25", "Edit26",                              // areas
    "BitBtn1",                                                                               // close
    "Edit36", "Edit37",                                                                      // point sources
    "Edit6",  "Edit7",  "Edit8",  "Edit18", "Edit20",                                        // retention
    "Edit38",                                                                                // object name
    "Edit39", "Edit40",                                                                      // inflow
    "BitBtn2", "BitBtn3", "BitBtn4",                                                         // button row
};

// ---- Labels -----------------------------------------------------------------------------

QFont pixelFont(int pixels, bool bold, bool italic = false) {
    QFont font;
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// A label whose unit carries a raised exponent (км², г/м³).  The exponent is a small label of
// its own, set at the top of the line right after the unit's last "м": captions such as
// "л/(с км   )" keep blanks there for it; when the unit ends the text, room is kept at the right.
class ExponentLabel : public QLabel {
public:
    ExponentLabel(const QString& text, const QString& exponent, const QFont& font, QWidget* parent)
        : QLabel(text, parent), exponent_(new QLabel(exponent, this)) {
        setFont(font);
        exponent_->setFont(pixelFont(font.pixelSize() * 7 / 10, font.bold(), font.italic()));
        exponent_->adjustSize();
        if (text.mid(unitEnd()).trimmed().isEmpty()) setContentsMargins(0, 0, exponent_->width(), 0);
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QLabel::resizeEvent(event);
        placeExponent();
    }

private:
    int unitEnd() const { return text().lastIndexOf(QChar(u'м')) + 1; }

    // Lays the text out as the label paints it and finds where the unit ends.
    void placeExponent() {
        const QRect area = contentsRect();
        const int unitEnd = this->unitEnd();
        QTextLayout layout(text(), font());
        QTextOption option;
        option.setWrapMode(wordWrap() ? QTextOption::WordWrap : QTextOption::ManualWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        qreal y = 0;
        QPointF at;
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(area.width());
            line.setPosition({0, y});
            if (unitEnd > line.textStart() && unitEnd <= line.textStart() + line.textLength()) {
                qreal indent = 0;
                if (alignment() & Qt::AlignHCenter) indent = (area.width() - line.naturalTextWidth()) / 2;
                if (alignment() & Qt::AlignRight) indent = area.width() - line.naturalTextWidth();
                at = {indent + line.cursorToX(unitEnd), y};
            }
            y += line.height() + qMax(0, fontMetrics().leading());
        }
        layout.endLayout();
        exponent_->move(area.left() + qRound(at.x()), area.top() + qRound(at.y()));
    }

    QLabel* exponent_;
};

QLabel* makeLabel(const QString& text, const char* exponent, const QFont& font, Qt::Alignment horizontal,
                  QWidget* parent, Qt::Alignment vertical = Qt::AlignVCenter) {
    QLabel* label = exponent ? new ExponentLabel(text, QString::fromUtf8(exponent), font, parent)
                             : new QLabel(text, parent);
    label->setFont(font);
    label->setWordWrap(true);
    // A label carrying an exponent is laid out from its top, where the exponent is placed.
    label->setAlignment(horizontal | (exponent ? Qt::AlignTop : vertical));
    return label;
}

QString captionOf(const char* field) { return QString::fromUtf8(findParameter(field)->caption); }

// Symbols such as "a=" or "Cf=" stand against the value they name.
Qt::Alignment captionAlignment(const QString& caption) {
    return caption.endsWith(u'=') ? Qt::AlignRight : Qt::AlignLeft;
}

QString fieldToolTip(const ParameterInfo& parameter) {
    QString tip = QString::fromUtf8(parameter.symbol);
    if (*parameter.unit) tip += QStringLiteral(", ") + QString::fromUtf8(parameter.unit);
    for (const TypicalRange& range : kTypicalRanges) {
        if (qstrcmp(range.field, parameter.field) == 0) tip += u'\n' + QString::fromUtf8(range.text);
    }
    return tip;
}

QFrame* makePanel(QWidget* parent) {
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    return panel;
}

struct PanelFonts {
    QFont caption = pixelFont(kCaptionPixels, true, true);
    QFont label = pixelFont(kLabelPixels, true);
    QFont heading = pixelFont(kLabelPixels, false);
    QFont footnote = pixelFont(kFootnotePixels, false);
};

using FieldFactory = std::function<QLineEdit*(const char* field, QWidget* panel)>;

QWidget* makeCell(const Cell& cell, const PanelFonts& fonts, const FieldFactory& makeField, QWidget* panel) {
    switch (cell.kind) {
    case CellKind::Title:
        return makeLabel(captionOf(cell.text), nullptr, fonts.caption, Qt::AlignLeft, panel);
    case CellKind::Caption:
        return makeLabel(captionOf(cell.text), cell.exponent, fonts.label, captionAlignment(captionOf(cell.text)),
                         panel);
    case CellKind::Field: {
        QLineEdit* edit = makeField(cell.text, panel);
        if (cell.width) edit->setFixedWidth(cell.width);
        return edit;
    }
    case CellKind::Text:
        return makeLabel(QString::fromUtf8(cell.text), cell.exponent, fonts.label, Qt::AlignLeft, panel);
    case CellKind::Heading:
        return makeLabel(QString::fromUtf8(cell.text), cell.exponent, fonts.heading, Qt::AlignHCenter, panel,
                         Qt::AlignBottom);
    }
    return nullptr;
}

// A sunken panel: the group caption on top, the rows in a grid, the footnotes below; spare
// height stays at the bottom.
QFrame* buildPanel(const PanelLayout& layout, const PanelFonts& fonts, const FieldFactory& makeField, QWidget* window) {
    QFrame* panel = makePanel(window);
    auto* box = new QVBoxLayout(panel);
    box->setContentsMargins(6, 3, 6, 4);
    box->setSpacing(3);
    if (layout.caption) {
        box->addWidget(makeLabel(QString::fromUtf8(layout.caption), layout.captionExponent, fonts.caption,
                                 Qt::AlignHCenter, panel));
    }
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    for (int row = 0; row < int(layout.rows.size()); ++row) {
        int column = 0;
        for (const Cell& cell : layout.rows[row]) {
            // A field narrower than its column stands centred under the column's heading.
            const Qt::Alignment alignment = cell.kind == CellKind::Field && cell.width ? Qt::AlignHCenter : Qt::Alignment();
            grid->addWidget(makeCell(cell, fonts, makeField, panel), row, column, 1, cell.span, alignment);
            column += cell.span;
        }
    }
    for (int column : layout.stretchColumns) grid->setColumnStretch(column, 1);
    box->addLayout(grid);
    for (const char* footnote : layout.footnotes) {
        box->addWidget(makeLabel(QString::fromUtf8(footnote), nullptr, fonts.footnote, Qt::AlignLeft, panel));
    }
    box->addStretch(1);
    return panel;
}

int naturalHeight(QWidget* panel, int width) {
    return panel->hasHeightForWidth() ? panel->heightForWidth(width) : panel->sizeHint().height();
}

// Stacks a column's panels at their natural heights and shares the spare height among them,
// so that both columns end level above the button row.
void stackColumn(const std::vector<QFrame*>& panels, int x, int top, int bottom) {
    std::vector<int> heights;
    int spare = bottom - top - kPanelGap * (int(panels.size()) - 1);
    for (QFrame* panel : panels) {
        heights.push_back(naturalHeight(panel, kColumnWidth));
        spare -= heights.back();
    }
    int y = top;
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const int share = spare / int(panels.size() - i);
        spare -= share;
        panels[i]->setGeometry(x, y, kColumnWidth, heights[i] + share);
        y += heights[i] + share + kPanelGap;
    }
}

}  // namespace

// ---- The window -----------------------------------------------------------------------------

TForm2::TForm2(ParameterSet& parameters, Messages& messages, FileDialogs& dialogs, QWidget* parent)
    : LazyDialog(parent), parameters_(parameters), messages_(messages), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Параметры"));
    setFont(pixelFont(kLabelPixels, false));
    setFixedSize(kClientWidth, kClientHeight);
    parameters_.setChangeListener([this](const std::string& field) { showFieldText(field); });
}

void TForm2::build() {
    buildPanels();
    setKeyboardOrder();
}

TForm2::~TForm2() { parameters_.setChangeListener(nullptr); }

QLineEdit* TForm2::makeField(const char* name, QWidget* panel) {
    const ParameterInfo& parameter = *findParameter(name);
    const QString fieldName = QString::fromLatin1(name);
    auto* edit = new QLineEdit(QString::fromStdString(parameters_.getText(name)), panel);
    edit->setObjectName(fieldName);
    edit->setToolTip(fieldToolTip(parameter));
    edit->setReadOnly(isDerived(fieldName));
    connect(edit, &QLineEdit::textEdited, this, [this, field = parameter.field](const QString& text) {
        fieldEdited(field, text);
    });
    fields_.insert(fieldName, edit);
    return edit;
}

void TForm2::buildPanels() {
    const PanelFonts fonts;
    const FieldFactory fieldFactory = [this](const char* field, QWidget* panel) { return makeField(field, panel); };
    QFrame* top = nullptr;
    std::vector<QFrame*> left;
    std::vector<QFrame*> right;
    for (const PanelLayout& layout : panelLayouts()) {
        QFrame* panel = buildPanel(layout, fonts, fieldFactory, this);
        if (layout.column == Column::Top) {
            top = panel;
        } else {
            (layout.column == Column::Left ? left : right).push_back(panel);
        }
    }
    QWidget* buttons = buildButtonRow();

    const int topHeight = naturalHeight(top, kFullWidth);
    top->setGeometry(kLeftColumnX, kEdge, kFullWidth, topHeight);
    const int buttonsHeight = naturalHeight(buttons, kFullWidth);
    const int buttonsTop = kClientHeight - kEdge - buttonsHeight;
    buttons->setGeometry(kLeftColumnX, buttonsTop, kFullWidth, buttonsHeight);
    const int columnsTop = kEdge + topHeight + kPanelGap;
    const int columnsBottom = buttonsTop - kPanelGap;
    stackColumn(left, kLeftColumnX, columnsTop, columnsBottom);
    stackColumn(right, kRightColumnX, columnsTop, columnsBottom);
}

QWidget* TForm2::buildButtonRow() {
    QFrame* panel = makePanel(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 6, 8, 6);
    const auto button = [&](const char* name, const QString& text) {
        auto* b = new QPushButton(text, panel);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);  // Enter is handled by keyPressEvent
        b->setMinimumWidth(88);
        row->addWidget(b);
        return b;
    };
    BitBtn2 = button("BitBtn2", QStringLiteral("&Open"));
    BitBtn3 = button("BitBtn3", QStringLiteral("&Save"));
    BitBtn4 = button("BitBtn4", QStringLiteral("&Standart"));
    row->addStretch(1);
    BitBtn1 = makeCloseButton(*this, panel);
    BitBtn1->setAutoDefault(false);
    BitBtn1->setMinimumWidth(88);
    row->addWidget(BitBtn1);

    connect(BitBtn2, &QPushButton::clicked, this, &TForm2::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TForm2::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TForm2::BitBtn4Click);
    return panel;
}

void TForm2::setKeyboardOrder() {
    QWidget* previous = nullptr;
    for (const char* name : kKeyboardOrder) {
        QWidget* next = findChild<QWidget*>(QString::fromLatin1(name));
        if (previous) setTabOrder(previous, next);
        previous = next;
    }
}

// Typing is an ordinary change of the parameter: its change rule runs, and the derived fields
// it rewrites come back through the change listener.
void TForm2::fieldEdited(const char* field, const QString& text) {
    guarded(messages_, [&] { parameters_.setText(field, text.toStdString()); });
}

// Shows a parameter's new text.  The field being typed into already holds it and is left
// alone, so its cursor stays where the user is typing.  Before the window is first shown there
// are no fields yet: they take the current texts when built.
void TForm2::showFieldText(const std::string& field) {
    QLineEdit* edit = fields_.value(QString::fromStdString(field));
    const QString text = QString::fromStdString(parameters_.getText(field));
    if (edit && edit->text() != text) edit->setText(text);
}

void TForm2::showEvent(QShowEvent* event) {
    LazyDialog::showEvent(event);
    if (event->spontaneous()) return;
    centreOnScreen(*this);
    FormShow();
}

void TForm2::FormShow() {
    ensureBuilt();
    guarded(messages_, [&] {
        parameters_.applyShowRule();
        BitBtn1->setFocus();
    });
}

void TForm2::closeEvent(QCloseEvent* event) {
    if (FormClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool TForm2::FormClose() {
    return guarded(messages_, [&] { parameters_.checkOnClose(); });
}

void TForm2::reject() { close(); }

// Enter presses the button that has the focus and does nothing in a field.  A dialog would
// otherwise make a button the default on showing, and Enter in any field would press "&Open".
void TForm2::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TForm2::BitBtn2Click() {
    const QString name = dialogs_.openFileName(this);
    if (!name.isEmpty()) guarded(messages_, [&] { loadParameters(parameters_, name.toStdString()); });
    raise();
    activateWindow();
}

void TForm2::BitBtn3Click() {
    const QString name = dialogs_.saveFileName(this);
    if (name.isEmpty()) return;
    std::string fileName = name.toStdString();
    guarded(messages_, [&] { saveParameters(parameters_, fileName); });
    dialogs_.rememberSaveName(QString::fromStdString(fileName));
}

void TForm2::BitBtn4Click() {
    guarded(messages_, [&] { parameters_.applyStandard(); });
}

}  // namespace nutrient
