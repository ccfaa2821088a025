#include "ui/parameters_window.h"

#include "model/parameters_file.h"
#include "ui/captions.h"
#include "ui/file_dialogs.h"
#include "ui/window_parts.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextLayout>
#include <QVBoxLayout>

#include <functional>
#include <optional>
#include <vector>

namespace nutrient {

namespace {

constexpr int kClientWidth = 689;
constexpr int kClientHeight = 756;
constexpr int kLeftColumnX = 8;
constexpr int kRightColumnX = 344;
constexpr int kColumnWidth = 337;
constexpr int kFullWidth = kRightColumnX + kColumnWidth - kLeftColumnX;
constexpr int kEdge = 8;      // from the client area's edges to the panels
constexpr int kPanelGap = 2;  // between panels stacked in a column

constexpr int kLabelPixels = 11;
constexpr int kCaptionPixels = 13;
constexpr int kFootnotePixels = 10;
constexpr int kFieldWidth = 64;

constexpr const char* kPhosphorus = "Фосфор";
constexpr const char* kNitrogen = "Азот";

// Natural area and runoff modulus are computed from other fields, never typed.
bool isDerived(Parameter parameter) {
    return parameter == Parameter::NaturalArea || parameter == Parameter::RunoffModulus;
}

// What a hydrologist usually finds on the Gulf of Finland catchment, as a hint beside the unit.
struct TypicalRange {
    Parameter parameter;
    const char* text;
};
constexpr TypicalRange kTypicalRanges[] = {
    {Parameter::RunoffLayer, "Обычно 280–320 мм/год на водосборе Финского залива"},
    {Parameter::DepositionP, "Обычно 0.002–0.005 т/(км²·год)"},
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
    Parameter parameter;             // of Title, Caption and Field
    const char* text = "";           // of Text and Heading
    int span = 1;                    // grid columns taken
    const char* exponent = nullptr;  // raised after the unit's "м" (км², г/м³)
    int width = kFieldWidth;         // of a field; 0 = as wide as its column
};

Cell title(Parameter parameter) { return {CellKind::Title, parameter}; }
Cell caption(Parameter parameter, int span = 1, const char* exponent = nullptr) {
    return {CellKind::Caption, parameter, "", span, exponent};
}
Cell field(Parameter parameter, int width = kFieldWidth) { return {CellKind::Field, parameter, "", 1, nullptr, width}; }
Cell text(const char* text, int span = 1, const char* exponent = nullptr) {
    return {CellKind::Text, {}, text, span, exponent};
}
Cell heading(const char* text, int span = 1, const char* exponent = nullptr) {
    return {CellKind::Heading, {}, text, span, exponent};
}
Cell blank(int span = 1) { return {CellKind::Text, {}, "", span}; }

struct PanelLayout {
    Column column;
    std::optional<ParameterGroup> group;  // whose caption the panel shows; none for the object name
    std::vector<std::vector<Cell>> rows;
    std::vector<int> stretchColumns;  // grid columns that take the spare width
    std::vector<const char*> footnotes;
};

// Top to bottom within each column.  Captions, units and symbols of the fields come from the
// parameter table; only the window's own headings are written here.
const std::vector<PanelLayout>& panelLayouts() {
    static const std::vector<PanelLayout> layouts = {
        {Column::Top, std::nullopt, {{title(Parameter::ObjectName), field(Parameter::ObjectName, 0)}}, {1}, {}},
        {Column::Left,
         ParameterGroup::Areas,
         {{caption(Parameter::TotalArea), field(Parameter::TotalArea)},
          {caption(Parameter::ArableArea), field(Parameter::ArableArea)},
          {caption(Parameter::UrbanArea), field(Parameter::UrbanArea)},
          {caption(Parameter::MixedArea), field(Parameter::MixedArea)},
          {caption(Parameter::WaterShare), field(Parameter::WaterShare)},
          {caption(Parameter::NaturalArea), field(Parameter::NaturalArea)}},
         {0},
         {}},
        {Column::Left,
         ParameterGroup::Fertilisers,
         {{caption(Parameter::FertiliserP), field(Parameter::FertiliserP)},
          {caption(Parameter::FertiliserN), field(Parameter::FertiliserN)}},
         {0},
         {}},
        {Column::Left,
         ParameterGroup::CropRemoval,
         {{text("Модуль выноса биогенных веществ с урожаем, т/(год км   ) ", 2, "2")},
          {text(kPhosphorus), caption(Parameter::CropRemovalP), field(Parameter::CropRemovalP)},
          {text(kNitrogen), caption(Parameter::CropRemovalN), field(Parameter::CropRemovalN)}},
         {0},
         {}},
        {Column::Left,
         ParameterGroup::Deposition,
         {{text("т/(год км  )", 3, "2")},
          {text(kPhosphorus), caption(Parameter::DepositionP), field(Parameter::DepositionP)},
          {text(kNitrogen), caption(Parameter::DepositionN), field(Parameter::DepositionN)}},
         {0},
         {}},
        {Column::Left,
         ParameterGroup::Retention,
         {{text(kPhosphorus), caption(Parameter::RetentionCoefficientP), field(Parameter::RetentionCoefficientP),
           caption(Parameter::RetentionExponentP), field(Parameter::RetentionExponentP)},
          {text(kNitrogen), caption(Parameter::RetentionCoefficientN), field(Parameter::RetentionCoefficientN),
           caption(Parameter::RetentionExponentN), field(Parameter::RetentionExponentN)},
          // The runoff modulus' caption is too long to share its line with the field.
          {caption(Parameter::RunoffModulus, 5, "2")},
          {blank(4), field(Parameter::RunoffModulus)}},
         {0},
         {}},
        {Column::Right,
         ParameterGroup::Farms,
         {{blank(), heading("Коэффициенты эмиссии, кг/год", 2),
           heading("Кол-во \n"
                   "животных,\n"
                   "участвующих \n"
                   "в формировании\n"
                   "нагрузки")},
          {blank(), heading(kPhosphorus), heading(kNitrogen), blank()},
          {caption(Parameter::CattleEmissionP), field(Parameter::CattleEmissionP, 52),
           field(Parameter::CattleEmissionN, 52), field(Parameter::Cattle, 72)},
          {caption(Parameter::PigEmissionP), field(Parameter::PigEmissionP, 52), field(Parameter::PigEmissionN, 52),
           field(Parameter::Pigs, 72)},
          {caption(Parameter::PoultryEmissionP), field(Parameter::PoultryEmissionP, 52),
           field(Parameter::PoultryEmissionN, 52), field(Parameter::Poultry, 72)}},
         {0},
         {}},
        {Column::Right,
         ParameterGroup::PointSources,
         {{caption(Parameter::PointSourcesP), field(Parameter::PointSourcesP)},
          {caption(Parameter::PointSourcesN), field(Parameter::PointSourcesN)}},
         {0},
         {}},
        {Column::Right,
         ParameterGroup::Inflow,
         {{caption(Parameter::InflowP), field(Parameter::InflowP)},
          {caption(Parameter::InflowN), field(Parameter::InflowN)}},
         {0},
         {}},
        {Column::Right,
         ParameterGroup::Soils,
         {{heading("Концентрации", 2), heading("Концентрации", 2)},
          {heading("общего фосфора, г/м", 2, "3"), heading("общего азота, г/м", 2, "3")},
          {caption(Parameter::ArableConcentrationP), field(Parameter::ArableConcentrationP),
           caption(Parameter::ArableConcentrationN), field(Parameter::ArableConcentrationN)},
          {caption(Parameter::UrbanConcentrationP), field(Parameter::UrbanConcentrationP),
           caption(Parameter::UrbanConcentrationN), field(Parameter::UrbanConcentrationN)},
          {caption(Parameter::NaturalConcentrationP), field(Parameter::NaturalConcentrationP),
           caption(Parameter::NaturalConcentrationN), field(Parameter::NaturalConcentrationN)},
          {caption(Parameter::MixedConcentrationP), field(Parameter::MixedConcentrationP),
           caption(Parameter::MixedConcentrationN), field(Parameter::MixedConcentrationN)},
          {caption(Parameter::RunoffLayer, 3), field(Parameter::RunoffLayer)}},
         {0, 2},
         {"Индексы:", "f - пашня,      u - урбанизированные территории",
          "nat - естественный фон,   mix - смешанные территории"}},
    };
    return layouts;
}

// The keyboard walks the groups in this order, then the buttons.
constexpr const char* kKeyboardOrder[] = {
    "Edit1",   "Edit2",   "Edit3",   "Edit4",  "Edit5",  "Edit9",  "Edit10", "Edit11", "Edit12",  // soils
    "Edit13",  "Edit14",                                                                          // fertilisers
    "Edit17",  "Edit19",                                                                          // crop removal
    "Edit15",  "Edit16",                                                                          // deposition
    "Edit27",  "Edit28",  "Edit29",  "Edit30", "Edit31", "Edit32", "Edit33", "Edit34", "Edit35",  // farms
    "Edit21",  "Edit22",  "Edit23",  "Edit24", "Edit25", "Edit26",                                // areas
    "BitBtn1",                                                                                    // close
    "Edit36",  "Edit37",                                                                          // point sources
    "Edit6",   "Edit7",   "Edit8",   "Edit18", "Edit20",                                          // retention
    "Edit38",                                                                                     // object name
    "Edit39",  "Edit40",                                                                          // inflow
    "BitBtn2", "BitBtn3", "BitBtn4",                                                              // button row
};

// ---- Labels -----------------------------------------------------------------------------

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

// A panel's label, wrapped at word boundaries.  A label carrying an exponent is laid out from
// its top, where the exponent is placed.
QLabel* panelLabel(const QString& text, const char* exponent, const QFont& font, Qt::Alignment horizontal,
                   QWidget* parent, Qt::Alignment vertical = Qt::AlignVCenter) {
    QLabel* label = exponent ? new ExponentLabel(text, QString::fromUtf8(exponent), font, parent) : new QLabel(parent);
    setUpLabel(label, text, font, horizontal | (exponent ? Qt::AlignTop : vertical));
    label->setWordWrap(true);
    return label;
}

QString captionOf(Parameter parameter) { return QString::fromUtf8(info(parameter).caption); }

// Symbols such as "a=" or "Cf=" stand against the value they name.
Qt::Alignment captionAlignment(const QString& caption) {
    return caption.endsWith(u'=') ? Qt::AlignRight : Qt::AlignLeft;
}

QString fieldToolTip(const ParameterInfo& parameter) {
    QString tip = QString::fromUtf8(parameter.symbol);
    if (*parameter.unit) tip += QStringLiteral(", ") + QString::fromUtf8(parameter.unit);
    for (const TypicalRange& range : kTypicalRanges) {
        if (range.parameter == parameter.key) tip += u'\n' + QString::fromUtf8(range.text);
    }
    return tip;
}

struct PanelFonts {
    QFont caption = pixelFont(kCaptionPixels, true, true);
    QFont label = pixelFont(kLabelPixels, true);
    QFont heading = pixelFont(kLabelPixels, false);
    QFont footnote = pixelFont(kFootnotePixels, false);
};

using FieldFactory = std::function<QLineEdit*(Parameter parameter, QWidget* panel)>;

QWidget* makeCell(const Cell& cell, const PanelFonts& fonts, const FieldFactory& makeField, QWidget* panel) {
    switch (cell.kind) {
    case CellKind::Title:
        return panelLabel(captionOf(cell.parameter), nullptr, fonts.caption, Qt::AlignLeft, panel);
    case CellKind::Caption:
        return panelLabel(captionOf(cell.parameter), cell.exponent, fonts.label,
                          captionAlignment(captionOf(cell.parameter)), panel);
    case CellKind::Field: {
        QLineEdit* edit = makeField(cell.parameter, panel);
        if (cell.width) edit->setFixedWidth(cell.width);
        return edit;
    }
    case CellKind::Text:
        return panelLabel(QString::fromUtf8(cell.text), cell.exponent, fonts.label, Qt::AlignLeft, panel);
    case CellKind::Heading:
        return panelLabel(QString::fromUtf8(cell.text), cell.exponent, fonts.heading, Qt::AlignHCenter, panel,
                          Qt::AlignBottom);
    }
    return nullptr;
}

// A sunken panel: the group caption on top, the rows in a grid, the footnotes below; spare
// height stays at the bottom.
QFrame* buildPanel(const PanelLayout& layout, const PanelFonts& fonts, const FieldFactory& makeField, QWidget* window) {
    QFrame* panel = sunkenPanel(window);
    auto* box = new QVBoxLayout(panel);
    box->setContentsMargins(6, 3, 6, 4);
    box->setSpacing(3);
    if (layout.group) {
        const ParameterGroupInfo& group = groupInfo(*layout.group);
        box->addWidget(
            panelLabel(QString::fromUtf8(group.caption), group.exponent, fonts.caption, Qt::AlignHCenter, panel));
    }
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(3);
    for (int row = 0; row < int(layout.rows.size()); ++row) {
        int column = 0;
        for (const Cell& cell : layout.rows[row]) {
            // A field narrower than its column stands centred under the column's heading.
            const Qt::Alignment alignment =
                cell.kind == CellKind::Field && cell.width ? Qt::AlignHCenter : Qt::Alignment();
            grid->addWidget(makeCell(cell, fonts, makeField, panel), row, column, 1, cell.span, alignment);
            column += cell.span;
        }
    }
    for (int column : layout.stretchColumns) grid->setColumnStretch(column, 1);
    box->addLayout(grid);
    for (const char* footnote : layout.footnotes) {
        box->addWidget(panelLabel(QString::fromUtf8(footnote), nullptr, fonts.footnote, Qt::AlignLeft, panel));
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

ParametersWindow::ParametersWindow(ParameterSet& parameters, Messages& messages, FileDialogs& dialogs, QWidget* parent)
    : LazyDialog(&messages, parent), parameters_(parameters), messages_(messages), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Параметры"));
    setFont(pixelFont(kLabelPixels, false));
    setFixedSize(kClientWidth, kClientHeight);
    parameters_.setChangeListener([this](Parameter parameter) { showFieldText(parameter); });
}

void ParametersWindow::build() {
    buildPanels();
    setKeyboardOrder();
}

ParametersWindow::~ParametersWindow() { parameters_.setChangeListener(nullptr); }

QLineEdit* ParametersWindow::makeField(Parameter parameter, QWidget* panel) {
    auto* edit = new QLineEdit(QString::fromStdString(parameters_.text(parameter)), panel);
    edit->setObjectName(QString::fromLatin1(info(parameter).field));
    edit->setToolTip(fieldToolTip(info(parameter)));
    edit->setReadOnly(isDerived(parameter));
    connect(edit, &QLineEdit::textEdited, this,
            [this, parameter](const QString& text) { fieldEdited(parameter, text); });
    fields_[static_cast<int>(parameter)] = edit;
    return edit;
}

void ParametersWindow::buildPanels() {
    const PanelFonts fonts;
    const FieldFactory fieldFactory = [this](Parameter parameter, QWidget* panel) {
        return makeField(parameter, panel);
    };
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

QWidget* ParametersWindow::buildButtonRow() {
    QFrame* panel = sunkenPanel(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(8, 6, 8, 6);
    const auto button = [&](const char* name, const QString& text) {
        QPushButton* b = makeButton(panel, name, text);
        b->setAutoDefault(false);  // Enter is handled by keyPressEvent
        b->setMinimumWidth(88);
        row->addWidget(b);
        return b;
    };
    openButton_ = button("BitBtn2", QStringLiteral("&Open"));
    saveButton_ = button("BitBtn3", QStringLiteral("&Save"));
    standardButton_ = button("BitBtn4", QStringLiteral("&Standart"));
    row->addStretch(1);
    closeButton_ = makeCloseButton(*this, panel);
    closeButton_->setAutoDefault(false);
    closeButton_->setMinimumWidth(88);
    row->addWidget(closeButton_);

    connect(openButton_, &QPushButton::clicked, this, &ParametersWindow::openParametersFile);
    connect(saveButton_, &QPushButton::clicked, this, [this] { saveParametersFile(this); });
    connect(standardButton_, &QPushButton::clicked, this, &ParametersWindow::restoreStandard);
    return panel;
}

void ParametersWindow::setKeyboardOrder() {
    QWidget* previous = nullptr;
    for (const char* name : kKeyboardOrder) {
        QWidget* next = findChild<QWidget*>(QString::fromLatin1(name));
        if (previous) setTabOrder(previous, next);
        previous = next;
    }
}

// Typing is an ordinary change of the parameter: its change rule runs, and the derived fields
// it rewrites come back through the change listener.
void ParametersWindow::fieldEdited(Parameter parameter, const QString& text) {
    guarded(messages_, [&] { parameters_.setText(parameter, text.toStdString()); });
}

// Shows a parameter's new text.  The field being typed into already holds it and is left
// alone, so its cursor stays where the user is typing.  Before the window is first shown there
// are no fields yet: they take the current texts when built.
void ParametersWindow::showFieldText(Parameter parameter) {
    QLineEdit* edit = fields_[static_cast<int>(parameter)];
    const QString text = QString::fromStdString(parameters_.text(parameter));
    if (edit && edit->text() != text) edit->setText(text);
}

void ParametersWindow::refresh() {
    parameters_.applyShowRule();
    closeButton_->setFocus();
}

void ParametersWindow::closeEvent(QCloseEvent* event) {
    if (passesClosingChecks()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool ParametersWindow::passesClosingChecks() {
    return guarded(messages_, [&] { parameters_.checkOnClose(); });
}

void ParametersWindow::reject() { close(); }

// Enter presses the button that has the focus and does nothing in a field.  A dialog would
// otherwise make a button the default on showing, and Enter in any field would press "&Open".
void ParametersWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (auto* button = qobject_cast<QPushButton*>(focusWidget())) button->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ParametersWindow::openParametersFile() {
    guarded(messages_, [&] {
        const QString name = dialogs_.openFileName(this);
        if (!name.isEmpty()) loadParametersFile(name.toStdString());
    });
    raise();
    activateWindow();
}

void ParametersWindow::loadParametersFile(const std::string& fileName) {
    guarded(messages_, [&] {
        loadParameters(parameters_, fileName, messages_);
        // A name not ending in "txt" is refused with a warning, and nothing is read.
        if (hasTextExtension(fileName)) fileName_ = QString::fromStdString(fileName);
    });
}

// The dialog remembers the name the save took (".txt" appended), also when the save failed.
bool ParametersWindow::saveParametersFile(QWidget* dialogParent) {
    bool saved = false;
    guarded(messages_, [&] {
        const QString name = dialogs_.saveFileName(dialogParent);
        if (name.isEmpty()) return;
        const std::string fileName = withTextExtension(name.toStdString());
        guarded(messages_, [&] { saved = saveParameters(parameters_, fileName, messages_).has_value(); });
        dialogs_.rememberSaveName(QString::fromStdString(fileName));
        if (saved) fileName_ = QString::fromStdString(fileName);
    });
    return saved;
}

bool ParametersWindow::settleUnsavedChanges(Questions& questions, QWidget* dialogParent) {
    if (!parameters_.hasUnsavedChanges()) return true;
    switch (questions.ask(kQuestionSaveChanges)) {
    case Answer::Yes:
        return saveParametersFile(dialogParent);
    case Answer::No:
        return true;
    case Answer::Cancel:
        break;
    }
    return false;
}

// Open and Save leave the texts unchanged from the file; Standart from the standard set.
QString ParametersWindow::fileOfTexts() const { return parameters_.hasUnsavedChanges() ? QString() : fileName_; }

void ParametersWindow::restoreStandard() {
    fileName_.clear();
    guarded(messages_, [&] { parameters_.applyStandard(); });
}

}  // namespace nutrient
