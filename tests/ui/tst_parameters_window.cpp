// The parameters window: live binding to the parameter set, the warnings in the order the user
// sees them, the closing checks, Open/Save/Standart through a fake dialog seam, the keyboard
// order and the layout at 689 x 756.

#include "fake_file_dialogs.h"
#include "saved_files.h"
#include "standard_set.h"
#include "ui/lazy_dialog.h"
#include "ui/parameters_window.h"
#include "widgets.h"

#include <QFrame>
#include <QLabel>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <initializer_list>

using nutrient::kParameters;
using nutrient::Parameter;

namespace {

const QString kNegativeArea = boxLine("warning", nutrient::kWarnNegativeArea);
const QString kWaterShare = boxLine("warning", nutrient::kWarnWaterShare);
const QString kAreaSum = boxLine("warning", nutrient::kWarnAreaSum);
const QString kEmptyNotANumber = boxLine("failure", nutrient::notANumberMessage(""));

// A parameters window over a set with the initial texts.
struct Fixture : BasicModel<> {
    Fixture() : BasicModel(false) {}
    FakeDialogs dialogs;
    nutrient::ParametersWindow window{parameters, recorder, dialogs};

    // The controls are built on first showing; looking at one builds them if need be.
    QLineEdit* field(Parameter parameter) {
        window.ensureBuilt();
        return ::field(window, parameter);
    }
    QStringList boxes() const { return boxLines(recorder); }
    // The 40 texts the window shows, in file order.
    QStringList shownTexts() {
        QStringList out;
        for (const auto& p : kParameters) out << field(p.key)->text();
        return out;
    }
    void show() {
        nutrient::showModal(window);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    // Selects each field's text and types over it, key by key.
    void typeOver(std::initializer_list<std::pair<Parameter, const char*>> edits) {
        for (const auto& [parameter, text] : edits) ::typeOver(field(parameter), QString::fromUtf8(text));
    }
    // Empties the field with Backspace (the rule fires on the empty text), then types.
    void clearAndType(Parameter parameter, const QString& text) {
        QLineEdit* edit = field(parameter);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        typeKeys(edit, text);
    }
};

QStringList standardTexts() {
    QStringList out;
    for (const auto& p : kParameters) out << QString::fromUtf8(p.standardText);
    return out;
}

// The standard set as Save writes it.
QByteArray standardFileBytes() { return QByteArray::fromStdString(kStandardFileBytes); }

// The object names of the fields, in the order given.
template <class... Parameters>
QStringList fieldNames(Parameters... parameters) {
    return {nutrient::info(parameters).field...};
}

}  // namespace

class ParametersWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { nutrient::setModalShowingForTests(true); }

    void showingRecomputesDerivedFieldsAndFocusesClose() {
        Fixture f;
        QCOMPARE(f.field(Parameter::NaturalArea)->text(), QStringLiteral("22440"));
        QCOMPARE(f.field(Parameter::RunoffModulus)->text(), QStringLiteral("9.5"));
        f.show();
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Параметры"));
        QCOMPARE(f.window.size(), QSize(689, 756));
        QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
        QCOMPARE(f.field(Parameter::NaturalArea)->text(), QStringLiteral("22439.52"));
        QCOMPARE(f.field(Parameter::RunoffModulus)->text(), QStringLiteral("9.513"));
        QCOMPARE(f.window.focusWidget(), button(f.window, "BitBtn1"));
        QCOMPARE(f.boxes(), QStringList());
    }

    // Texts changed before the window was ever shown are what its fields show.
    void fieldsBuiltOnFirstShowingTakeTheCurrentTexts() {
        Fixture f;
        f.edit({{Parameter::ObjectName, "Озеро Круглое"}, {Parameter::ArableConcentrationP, "0.1"}});
        f.show();
        QStringList expected;
        for (const auto& p : kParameters) expected << QString::fromStdString(f.parameters.text(p.key));
        QCOMPARE(f.shownTexts(), expected);
        QCOMPARE(f.field(Parameter::ObjectName)->text(), QStringLiteral("Озеро Круглое"));
        QCOMPARE(f.field(Parameter::ArableConcentrationP)->text(), QStringLiteral("0.1"));
    }

    void showFailureStillOpensWindow() {
        Fixture f;
        f.edit({{Parameter::TotalArea, ""}});
        f.show();
        QVERIFY(f.window.isVisible());
        QCOMPARE(f.boxes(), QStringList{kEmptyNotANumber});
        // The runoff modulus is not recomputed on a showing whose natural-area rule failed.
        QCOMPARE(f.field(Parameter::NaturalArea)->text(), QStringLiteral("22440"));
        QCOMPARE(f.field(Parameter::RunoffModulus)->text(), QStringLiteral("9.5"));
        QVERIFY(f.window.focusWidget() != button(f.window, "BitBtn1"));
    }

    void typingWaterShare_data() {
        QTest::addColumn<bool>("clearFirst");
        QTest::addColumn<QStringList>("expected");
        // "1" gives back the shown natural area, "12" a positive one; only "120" warns.
        QTest::newRow("typed over the selection") << false << QStringList{kNegativeArea, kWaterShare};
        QTest::newRow("emptied, then typed") << true << QStringList{kEmptyNotANumber, kNegativeArea, kWaterShare};
    }
    void typingWaterShare() {
        QFETCH(bool, clearFirst);
        QFETCH(QStringList, expected);
        Fixture f;
        f.show();
        clearFirst ? f.clearAndType(Parameter::WaterShare, "120") : f.typeOver({{Parameter::WaterShare, "120"}});
        QCOMPARE(f.boxes(), expected);
        QCOMPARE(f.field(Parameter::WaterShare)->text(), QStringLiteral("120"));
        QCOMPARE(f.field(Parameter::NaturalArea)->text(), QStringLiteral("-8438.6"));

        f.recorder.boxes.clear();
        f.window.close();
        QCOMPARE(f.boxes(), QStringList{kWaterShare});
        QVERIFY(!f.window.isVisible());
    }

    void closingChecks_data() {
        QTest::addColumn<Edits>("edits");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("staysOpen");
        const Parameter area = Parameter::TotalArea, water = Parameter::WaterShare;
        QTest::newRow("standard set") << Edits{} << QStringList{} << false;
        QTest::newRow("sub-areas sum to the total") << Edits{{area, "3249"}} << QStringList{} << false;
        QTest::newRow("sub-areas exceed the total") << Edits{{area, "3248.9"}} << QStringList{kAreaSum} << false;
        QTest::newRow("water share 150") << Edits{{water, "150"}} << QStringList{kWaterShare} << false;
        QTest::newRow("water share exactly 100") << Edits{{water, "100"}} << QStringList{} << false;
        QTest::newRow("both, area first")
            << Edits{{area, "3000"}, {water, "101"}} << QStringList{kAreaSum, kWaterShare} << false;
        QTest::newRow("mixed area empty") << Edits{{Parameter::MixedArea, ""}} << QStringList{kEmptyNotANumber} << true;
        QTest::newRow("water share parsed after the area test")
            << Edits{{area, "3000"}, {water, "x"}}
            << QStringList{kAreaSum, boxLine("failure", nutrient::notANumberMessage("x"))} << true;
    }
    void closingChecks() {
        QFETCH(Edits, edits);
        QFETCH(QStringList, expected);
        QFETCH(bool, staysOpen);
        Fixture f;
        f.show();
        f.edit(edits);
        const QStringList before = f.shownTexts();
        f.window.close();
        QCOMPARE(f.boxes(), expected);
        QCOMPARE(f.window.isVisible(), staysOpen);
        QCOMPARE(f.shownTexts(), before);  // the checks change nothing
    }

    void escapeGoesThroughClosingChecks() {
        Fixture f;
        f.show();
        f.clearAndType(Parameter::MixedArea, "");
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QCOMPARE(f.boxes(), (QStringList{kEmptyNotANumber, kEmptyNotANumber}));
        QVERIFY(f.window.isVisible());
        typeKeys(f.field(Parameter::MixedArea), "562");
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QVERIFY(!f.window.isVisible());
    }

    void derivedFieldsFollowButCannotBeTyped() {
        Fixture f;
        f.show();
        QVERIFY(f.field(Parameter::NaturalArea)->isReadOnly());
        QVERIFY(f.field(Parameter::RunoffModulus)->isReadOnly());
        typeKeys(f.field(Parameter::NaturalArea), "5");
        typeKeys(f.field(Parameter::RunoffModulus), "5");
        QCOMPARE(f.field(Parameter::NaturalArea)->text(), QStringLiteral("22439.52"));
        QCOMPARE(f.field(Parameter::RunoffModulus)->text(), QStringLiteral("9.513"));
        QCOMPARE(f.parameters.text(Parameter::NaturalArea), std::string("22439.52"));

        f.typeOver({{Parameter::RunoffLayer, "310"}});
        QCOMPARE(f.field(Parameter::RunoffModulus)->text(), QStringLiteral("9.8301"));
        f.typeOver({{Parameter::ArableArea, "1700"}});
        QCOMPARE(f.field(Parameter::NaturalArea)->text(), QStringLiteral("22423.52"));
        // Typing inside a text: the field is not rewritten, the cursor stays.
        QLineEdit* area = f.field(Parameter::TotalArea);
        area->setCursorPosition(2);
        typeKeys(area, "0");
        QCOMPARE(area->text(), QStringLiteral("250948"));
        QCOMPARE(area->cursorPosition(), 3);
        QCOMPARE(f.field(Parameter::NaturalArea)->text(), QStringLiteral("245173.52"));
        QCOMPARE(f.boxes(), QStringList());
    }

    void saveExtendsAndRemembersTheName_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("written");  // empty: nothing written
        QTest::newRow("no extension") << "variant" << QStringList{} << "variant.txt";
        QTest::newRow("with .txt") << "variant.txt" << QStringList{} << "variant.txt";
        QTest::newRow("other extension") << "data.dat" << QStringList{boxLine("warning", nutrient::kWarnNotTextFile)}
                                         << "";
    }
    void saveExtendsAndRemembersTheName() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        Fixture f;
        f.show();
        f.dialogs.saveAnswers << dir.filePath(chosen);
        click(f.window, "BitBtn3");
        QCOMPARE(f.boxes(), expected);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), written.isEmpty() ? QStringList{} : QStringList{written});
        QCOMPARE(f.dialogs.rememberedSaveNames, QStringList{dir.filePath(written.isEmpty() ? chosen : written)});
        if (!written.isEmpty()) QCOMPARE(fileBytes(dir.filePath(written)), standardFileBytes());
    }

    void saveThenOpenRestoresEveryText() {
        QTemporaryDir dir;
        Fixture f;
        f.show();
        f.dialogs.saveAnswers << dir.filePath("variant");
        click(f.window, "BitBtn3");
        QCOMPARE(fileBytes(dir.filePath("variant.txt")), standardFileBytes());

        f.typeOver({{Parameter::ObjectName, "Озеро"},
                    {Parameter::TotalArea, "30000"},
                    {Parameter::RunoffLayer, "280"},
                    {Parameter::Cattle, "5"}});
        f.recorder.boxes.clear();
        f.dialogs.openAnswers << dir.filePath("variant.txt");
        click(f.window, "BitBtn2");
        QCOMPARE(f.shownTexts(), standardTexts());
        QCOMPARE(f.boxes(), QStringList());
    }

    // A line of a megabyte in W: the box quotes its first hundred characters, not all of it.
    void aMegabyteLineIsQuotedByItsFirstHundredCharacters() {
        QTemporaryDir dir;
        const QByteArray line = QByteArray(1'000'000, '7') + "x";
        QVERIFY(writeFileBytes(dir.filePath("long.txt"),
                               standardFileBytes().replace("\r\n562\r\n1\r\n", "\r\n562\r\n" + line + "\r\n")));
        Fixture f;
        f.show();
        f.recorder.boxes.clear();
        f.dialogs.openAnswers << dir.filePath("long.txt");
        click(f.window, "BitBtn2");
        QCOMPARE(f.boxes(), QStringList{boxLine("failure", nutrient::notANumberMessage(line.toStdString()))});
        QVERIFY(f.boxes()[0].startsWith("failure: '" + QString(100, u'7') + "…' "));
    }

    void memoryRunningOutInAFileDialogEndsInAFailureBox() {
        Fixture f;
        f.show();
        const QStringList texts = f.shownTexts();
        f.dialogs.memoryRunsOut = true;
        click(f.window, "BitBtn2");
        click(f.window, "BitBtn3");
        QCOMPARE(f.boxes(), QStringList(2, boxLine("failure", nutrient::kOutOfMemory)));
        QCOMPARE(f.shownTexts(), texts);
        QVERIFY(f.window.isVisible());
    }

    void cancelDoesNothingAlsoAfterASave() {
        QTemporaryDir dir;
        Fixture f;
        f.show();
        f.dialogs.saveAnswers << "" << dir.filePath("variant.txt") << "";
        f.dialogs.openAnswers << "";
        click(f.window, "BitBtn3");
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{});
        click(f.window, "BitBtn3");

        f.typeOver({{Parameter::ArableArea, "1700"}});
        const QStringList edited = f.shownTexts();
        click(f.window, "BitBtn3");
        click(f.window, "BitBtn2");
        QCOMPARE(fileBytes(dir.filePath("variant.txt")), standardFileBytes());
        QCOMPARE(f.shownTexts(), edited);
        QCOMPARE(f.dialogs.rememberedSaveNames, QStringList{dir.filePath("variant.txt")});
        QCOMPARE(f.boxes(), QStringList());
    }

    void standartRestoresAllTexts() {
        Fixture f;
        f.show();
        f.typeOver({{Parameter::ObjectName, "Озеро"},
                    {Parameter::TotalArea, "1000"},
                    {Parameter::WaterShare, "150"},
                    {Parameter::RunoffLayer, "310"},
                    {Parameter::ArableConcentrationP, "0.3"},
                    {Parameter::Poultry, "7"}});
        f.clearAndType(Parameter::UrbanArea, "");
        f.recorder.boxes.clear();
        click(f.window, "BitBtn4");
        QCOMPARE(f.shownTexts(), standardTexts());
        QCOMPARE(f.field(Parameter::NaturalArea)->text(), QStringLiteral("22439.52"));
        QCOMPARE(f.field(Parameter::RunoffModulus)->text(), QStringLiteral("9.513"));
        // A changes while Au is still empty: its rule fails.  Au then changes while the water
        // share is still 150: the natural area turns negative until W follows.
        QCOMPARE(f.boxes(), (QStringList{kEmptyNotANumber, kNegativeArea}));
    }

    void closingAndReopeningKeepsEveryText() {
        Fixture f;
        f.show();
        f.typeOver({{Parameter::ObjectName, "Озеро Круглое"},
                    {Parameter::WaterShare, "2"},
                    {Parameter::ArableConcentrationP, "0.1"},
                    {Parameter::RetentionExponentN, "-0.5"}});
        const QStringList typed = f.shownTexts();
        f.window.close();
        QVERIFY(!f.window.isVisible());
        f.show();
        QCOMPARE(f.shownTexts(), typed);
        QCOMPARE(f.boxes(), QStringList());
    }

    void keyboardOrder() {
        Fixture f;
        using enum Parameter;
        const QStringList expected =
            fieldNames(ArableConcentrationP, UrbanConcentrationP, NaturalConcentrationP, MixedConcentrationP,
                       RunoffLayer, ArableConcentrationN, UrbanConcentrationN, NaturalConcentrationN,
                       MixedConcentrationN, FertiliserP, FertiliserN, CropRemovalP, CropRemovalN, DepositionP,
                       DepositionN, CattleEmissionP, PigEmissionP, PoultryEmissionP, PoultryEmissionN, PigEmissionN,
                       CattleEmissionN, Cattle, Pigs, Poultry, TotalArea, ArableArea, UrbanArea, MixedArea, WaterShare,
                       NaturalArea)
            << "BitBtn1"
            << fieldNames(PointSourcesP, PointSourcesN, RetentionCoefficientP, RetentionExponentP,
                          RetentionCoefficientN, RetentionExponentN, RunoffModulus, ObjectName, InflowP, InflowN)
            << QStringList{"BitBtn2", "BitBtn3", "BitBtn4"};
        QStringList walked;
        QWidget* first = f.field(Parameter::ArableConcentrationP);
        QWidget* w = first;
        do {
            if (w->focusPolicy() & Qt::TabFocus) walked << w->objectName();
            w = w->nextInFocusChain();
        } while (w != first && walked.size() <= expected.size());
        QCOMPARE(walked, expected);

        f.show();
        f.field(Parameter::Poultry)->setFocus();
        QTest::keyClick(f.field(Parameter::Poultry), Qt::Key_Tab);
        QCOMPARE(f.window.focusWidget(), f.field(Parameter::TotalArea));
    }

    // Enter in a field does nothing; on a button it presses it; the close button has the focus
    // on showing, so Enter right away closes.
    void enterPressesOnlyButtons() {
        Fixture f;
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        QCOMPARE(f.window.focusWidget(), button(f.window, "BitBtn1"));
        for (Parameter p : {Parameter::TotalArea, Parameter::ObjectName, Parameter::NaturalArea}) {
            f.field(p)->setFocus();
            QTest::keyClick(f.field(p), Qt::Key_Return);
            QTest::keyClick(f.field(p), Qt::Key_Enter, Qt::KeypadModifier);
        }
        QVERIFY(f.window.isVisible());
        QCOMPARE(f.dialogs.shown, 0);
        f.typeOver({{Parameter::ArableArea, "1700"}});
        button(f.window, "BitBtn4")->setFocus();
        QTest::keyClick(button(f.window, "BitBtn4"), Qt::Key_Return);
        QCOMPARE(f.field(Parameter::ArableArea)->text(), QStringLiteral("1684"));
        button(f.window, "BitBtn1")->setFocus();
        QTest::keyClick(button(f.window, "BitBtn1"), Qt::Key_Return);
        QVERIFY(!f.window.isVisible());
    }

    void buttonsAndToolTips() {
        Fixture f;
        f.show();
        QCOMPARE(button(f.window, "BitBtn2")->text(), QStringLiteral("&Open"));
        QCOMPARE(button(f.window, "BitBtn3")->text(), QStringLiteral("&Save"));
        QCOMPARE(button(f.window, "BitBtn4")->text(), QStringLiteral("&Standart"));
        QCOMPARE(button(f.window, "BitBtn1")->text(), QStringLiteral("&Close"));
        QVERIFY(!button(f.window, "BitBtn1")->icon().isNull());
        // The close button ends the button row.
        for (const char* other : {"BitBtn2", "BitBtn3", "BitBtn4"}) {
            QVERIFY(button(f.window, other)->geometry().right() < button(f.window, "BitBtn1")->geometry().left());
        }
        QCOMPARE(f.field(Parameter::RunoffLayer)->toolTip(),
                 QStringLiteral("y, мм/год\nОбычно 280–320 мм/год на водосборе Финского залива"));
        QCOMPARE(f.field(Parameter::DepositionP)->toolTip(),
                 QStringLiteral("da(P), т/(год·км²)\nОбычно 0.002–0.005 т/(км²·год)"));
        QCOMPARE(f.field(Parameter::TotalArea)->toolTip(), QStringLiteral("A, км²"));
        QCOMPARE(f.field(Parameter::RetentionExponentP)->toolTip(), QStringLiteral("b(P)"));
    }

    void panelsAndCaptions() {
        Fixture f;
        f.show();
        QList<QRect> left, right, full;
        for (auto* frame : f.window.findChildren<QFrame*>(Qt::FindDirectChildrenOnly)) {
            if (frame->frameStyle() != (QFrame::Panel | QFrame::Sunken)) continue;
            const QRect g = frame->geometry();
            QVERIFY(QRect(0, 0, 689, 756).contains(g));
            if (g.x() == 8 && g.width() == 673) full << g;
            else if (g.x() == 8 && g.width() == 337) left << g;
            else if (g.x() == 344 && g.width() == 337) right << g;
            else QFAIL(qPrintable(QStringLiteral("stray panel at %1,%2").arg(g.x()).arg(g.y())));
        }
        QCOMPARE(full.size(), 2);
        QCOMPARE(left.size(), 5);
        QCOMPARE(right.size(), 4);
        for (const QList<QRect>& column : {left, right}) {
            for (int i = 0; i < column.size(); ++i) {
                for (int j = i + 1; j < column.size(); ++j) QVERIFY(!column[i].intersects(column[j]));
                for (const QRect& g : full) QVERIFY(!column[i].intersects(g));
            }
        }

        QStringList groupCaptions;
        QStringList exponents;
        for (auto* label : f.window.findChildren<QLabel*>()) {
            const QFont font = label->font();
            if (font.pixelSize() == 13 && font.bold() && font.italic()) groupCaptions << label->text();
            if (label->text() == u"2" || label->text() == u"3") {
                auto* unit = qobject_cast<QLabel*>(label->parentWidget());
                QVERIFY(unit && unit->text().contains(u'м'));
                exponents << unit->text() + u'^' + label->text();
            }
        }
        groupCaptions.sort();
        exponents.sort();
        QStringList expectedCaptions{"Название объекта",     "Площади, км",
                                     "Фермы и птицефабрики", "Внесение минеральных удобрений",
                                     "Точечные источники",   "Вынос с собранным урожаем ",
                                     "Поступление извне",    "Атмосферные выпадения",
                                     "Эмиссия из почв",      "Коэф. для расчета удержания и выноса"};
        expectedCaptions.sort();
        QCOMPARE(groupCaptions, expectedCaptions);
        QStringList expectedExponents{
            "Площади, км^2",         "Модуль выноса биогенных веществ с урожаем, т/(год км   ) ^2",
            "т/(год км  )^2",        "Cр. многолетний модуль стока, л/(с км   )^2",
            "общего фосфора, г/м^3", "общего азота, г/м^3"};
        expectedExponents.sort();
        QCOMPARE(exponents, expectedExponents);
    }

    // Every field has its caption to its left on the same line, within the same panel (the
    // runoff modulus: on the line above).
    void captionsStandBesideTheirFields() {
        Fixture f;
        f.show();
        for (const auto& p : kParameters) {
            QLineEdit* edit = f.field(p.key);
            const QString caption = QString::fromUtf8(p.caption);
            bool found = false;
            for (auto* label : edit->parentWidget()->findChildren<QLabel*>()) {
                const QRect g = label->geometry();
                const QRect e = edit->geometry();
                const bool sameLine = g.right() < e.left() && g.top() < e.bottom() && g.bottom() > e.top();
                const bool lineAbove = g.left() < e.left() && g.bottom() < e.top() && e.top() - g.bottom() < 10;
                if (label->text() == caption && (sameLine || (lineAbove && p.key == Parameter::RunoffModulus))) {
                    found = true;
                }
            }
            QVERIFY2(found, p.field);
        }
    }

    // Nothing clipped or overlapping: every label's text fits its box, every standard text its
    // field, and no two widgets of a panel overlap.
    void nothingClippedOrOverlapping() {
        Fixture f;
        f.show();
        for (auto* panel : f.window.findChildren<QFrame*>(Qt::FindDirectChildrenOnly)) {
            const QList<QWidget*> widgets = panel->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
            for (int i = 0; i < widgets.size(); ++i) {
                QVERIFY2(panel->contentsRect().contains(widgets[i]->geometry()), qPrintable(widgets[i]->objectName()));
                for (int j = i + 1; j < widgets.size(); ++j) {
                    QVERIFY2(
                        !widgets[i]->geometry().intersects(widgets[j]->geometry()),
                        qPrintable(QStringLiteral("%1 / %2").arg(widgets[i]->objectName(), widgets[j]->objectName())));
                }
            }
        }
        for (auto* label : f.window.findChildren<QLabel*>()) {
            const QRect area = label->contentsRect();
            const QString text = label->text();
            QVERIFY2(label->heightForWidth(label->width()) <= label->height() || !label->wordWrap(), qPrintable(text));
            for (const QString& word : text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)) {
                QVERIFY2(label->fontMetrics().horizontalAdvance(word) <= area.width(), qPrintable(text));
            }
            if (auto* unit = qobject_cast<QLabel*>(label->parentWidget())) {
                QVERIFY2(unit->rect().contains(label->geometry()), qPrintable(unit->text()));
            }
        }
        for (const auto& p : kParameters) {
            QLineEdit* edit = f.field(p.key);
            QVERIFY2(edit->fontMetrics().horizontalAdvance(QString::fromUtf8(p.standardText)) + 8 <= edit->width(),
                     p.field);
        }
    }

    void fileDialogsAreSetUpAlike_data() {
        QTest::addColumn<int>("mode");
        QTest::newRow("open") << int(QFileDialog::AcceptOpen);
        QTest::newRow("save") << int(QFileDialog::AcceptSave);
    }
    void fileDialogsAreSetUpAlike() {
        QFETCH(int, mode);
        QTemporaryDir dir;
        const auto dialog =
            nutrient::makeParametersFileDialog(nullptr, QFileDialog::AcceptMode(mode), dir.filePath("variant.txt"));
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptMode(mode));
        QCOMPARE(dialog->nameFilters(), QStringList{"*.txt"});
        QCOMPARE(dialog->defaultSuffix(), QString());
        QCOMPARE(dialog->fileMode(), QFileDialog::AnyFile);
        QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(QDir(dialog->directory()).canonicalPath(), QDir(dir.path()).canonicalPath());
    }

    // The saved results name the parameters file while the texts are still what it holds.
    void fileOfTheTexts_data() {
        QTest::addColumn<QStringList>("steps");  // "open NAME", "save NAME", "edit", "standard"
        QTest::addColumn<QString>("file");
        QTest::newRow("opened") << QStringList{"open variant.txt"} << "variant.txt";
        QTest::newRow("saved, extension added") << QStringList{"save other"} << "other.txt";
        QTest::newRow("opened, then edited") << QStringList{"open variant.txt", "edit"} << "";
        QTest::newRow("edited, then saved") << QStringList{"edit", "save other.txt"} << "other.txt";
        QTest::newRow("save refused") << QStringList{"open variant.txt", "save data.dat"} << "variant.txt";
        QTest::newRow("missing file") << QStringList{"open missing.txt"} << "";
        QTest::newRow("opened, then Standart") << QStringList{"open variant.txt", "standard"} << "";
    }
    void fileOfTheTexts() {
        QFETCH(QStringList, steps);
        QFETCH(QString, file);
        Fixture f;
        QTemporaryDir dir;
        QVERIFY(writeFileBytes(dir.filePath("variant.txt"), standardFileBytes()));
        for (const QString& step : steps) {
            const QString name = dir.filePath(step.section(' ', 1));
            if (step.startsWith("open")) {
                f.dialogs.openAnswers << name;
                f.window.openParametersFile();
            } else if (step.startsWith("save")) {
                f.dialogs.saveAnswers << name;
                f.window.saveParametersFile(&f.window);
            } else if (step == "standard") {
                f.window.restoreStandard();
            } else {
                f.parameters.setText(nutrient::Parameter::TotalArea, "25000");
            }
        }
        QCOMPARE(f.window.fileOfTexts(), file.isEmpty() ? QString() : dir.filePath(file));
    }

    void renderScreenshot() {
        Fixture f;
        f.show();
        const QString path = QCoreApplication::applicationDirPath() + "/parameters_window.png";
        QVERIFY(f.window.grab().save(path));
    }
};

QTEST_MAIN(ParametersWindowTest)
#include "tst_parameters_window.moc"
