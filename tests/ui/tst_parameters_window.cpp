// The parameters window: live binding to the parameter set, the warnings in the order the user
// sees them, the closing checks, Open/Save/Standart through a fake dialog seam, the keyboard
// order and the layout at 689 x 756.

#include "fake_file_dialogs.h"
#include "model_fixture.h"
#include "standard_set.h"
#include "ui/lazy_dialog.h"
#include "ui/parameters_window.h"

#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using nutrient::kParameters;

namespace {

const QString kNegativeArea = QStringLiteral("warning: Эта величина не может быть отрицательной!");
const QString kWaterShare = QStringLiteral("warning: Доля покрытия площади водосбора водой больше 100%!");
const QString kAreaSum = QStringLiteral("warning: Площадь водосбора меньше суммы частных площадей!");
const QString kEmptyNotANumber = QStringLiteral("failure: '' is not a valid floating point value");

// Types the text key by key; Cyrillic letters go as key events carrying their text.
void typeKeys(QWidget* widget, const QString& text) {
    for (QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClick(widget, char(c.unicode()));
        } else {
            QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}

// A parameters window over a set with the initial texts.
struct Fixture : BasicModel<> {
    Fixture() : BasicModel(false) {}
    FakeDialogs dialogs;
    nutrient::ParametersWindow window{parameters, recorder, dialogs};

    // The controls are built on first showing; looking at one builds them if need be.
    QLineEdit* field(const QString& name) {
        window.ensureBuilt();
        auto* edit = window.findChild<QLineEdit*>(name);
        if (!edit) qFatal("no field %s", qPrintable(name));
        return edit;
    }
    QPushButton* button(const char* name) {
        window.ensureBuilt();
        return window.findChild<QPushButton*>(name);
    }

    QStringList boxes() const {
        QStringList out;
        for (const RecordedBox& box : recorder.boxes) {
            out << QString::fromStdString(box.kind + ": " + box.text);
        }
        return out;
    }
    // The 40 texts the window shows, in file order.
    QStringList shownTexts() {
        QStringList out;
        for (const auto& p : kParameters) out << field(p.field)->text();
        return out;
    }
    void show() {
        nutrient::showModal(window);
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }
    // Selects the field's text and types over it, key by key.
    void typeOver(const QString& name, const QString& text) {
        QLineEdit* edit = field(name);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        typeKeys(edit, text);
    }
    // Empties the field with Backspace (the rule fires on the empty text), then types.
    void clearAndType(const QString& name, const QString& text) {
        QLineEdit* edit = field(name);
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

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The standard set as Save writes it.
QByteArray standardFileBytes() { return QByteArray::fromStdString(kStandardFileBytes); }

bool overlap(const QRect& a, const QRect& b) { return a.intersects(b); }

}  // namespace

class TestParametersWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { nutrient::setModalShowingForTests(true); }

    void showingRecomputesDerivedFieldsAndFocusesClose() {
        Fixture f;
        QCOMPARE(f.field("Edit26")->text(), QStringLiteral("22440"));
        QCOMPARE(f.field("Edit20")->text(), QStringLiteral("9.5"));
        f.show();
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Параметры"));
        QCOMPARE(f.window.size(), QSize(689, 756));
        QCOMPARE(f.window.minimumSize(), f.window.maximumSize());
        QCOMPARE(f.field("Edit26")->text(), QStringLiteral("22439.52"));
        QCOMPARE(f.field("Edit20")->text(), QStringLiteral("9.513"));
        QCOMPARE(f.window.focusWidget(), f.button("BitBtn1"));
        QCOMPARE(f.boxes(), QStringList());
    }

    // Texts changed before the window was ever shown are what its fields show.
    void fieldsBuiltOnFirstShowingTakeTheCurrentTexts() {
        Fixture f;
        f.parameters.setText(nutrient::Parameter::ObjectName, "Озеро Круглое");
        f.parameters.setText(nutrient::Parameter::ArableConcentrationP, "0.1");
        f.show();
        QStringList expected;
        for (const auto& p : kParameters) expected << QString::fromStdString(f.parameters.text(p.key));
        QCOMPARE(f.shownTexts(), expected);
        QCOMPARE(f.field("Edit38")->text(), QStringLiteral("Озеро Круглое"));
        QCOMPARE(f.field("Edit1")->text(), QStringLiteral("0.1"));
    }

    void showFailureStillOpensWindow() {
        Fixture f;
        f.parameters.setText(nutrient::Parameter::TotalArea, "");
        f.recorder.boxes.clear();
        f.show();
        QVERIFY(f.window.isVisible());
        QCOMPARE(f.boxes(), QStringList{kEmptyNotANumber});
        // The runoff modulus is not recomputed on a showing whose natural-area rule failed.
        QCOMPARE(f.field("Edit26")->text(), QStringLiteral("22440"));
        QCOMPARE(f.field("Edit20")->text(), QStringLiteral("9.5"));
        QVERIFY(f.window.focusWidget() != f.button("BitBtn1"));
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
        clearFirst ? f.clearAndType("Edit25", "120") : f.typeOver("Edit25", "120");
        QCOMPARE(f.boxes(), expected);
        QCOMPARE(f.field("Edit25")->text(), QStringLiteral("120"));
        QCOMPARE(f.field("Edit26")->text(), QStringLiteral("-8438.6"));

        f.recorder.boxes.clear();
        f.window.close();
        QCOMPARE(f.boxes(), QStringList{kWaterShare});
        QVERIFY(!f.window.isVisible());
    }

    void closingChecks_data() {
        QTest::addColumn<QStringList>("assignments");  // field, text, field, text ...
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("staysOpen");
        QTest::newRow("standard set") << QStringList{} << QStringList{} << false;
        QTest::newRow("sub-areas sum to the total") << QStringList{"Edit21", "3249"} << QStringList{} << false;
        QTest::newRow("sub-areas exceed the total")
            << QStringList{"Edit21", "3248.9"} << QStringList{kAreaSum} << false;
        QTest::newRow("water share 150") << QStringList{"Edit25", "150"} << QStringList{kWaterShare} << false;
        QTest::newRow("water share exactly 100") << QStringList{"Edit25", "100"} << QStringList{} << false;
        QTest::newRow("both, area first")
            << QStringList{"Edit21", "3000", "Edit25", "101"} << QStringList{kAreaSum, kWaterShare} << false;
        QTest::newRow("mixed area empty") << QStringList{"Edit24", ""} << QStringList{kEmptyNotANumber} << true;
        QTest::newRow("water share parsed after the area test")
            << QStringList{"Edit21", "3000", "Edit25", "x"}
            << QStringList{kAreaSum, QStringLiteral("failure: 'x' is not a valid floating point value")} << true;
    }
    void closingChecks() {
        QFETCH(QStringList, assignments);
        QFETCH(QStringList, expected);
        QFETCH(bool, staysOpen);
        Fixture f;
        f.show();
        for (int i = 0; i < assignments.size(); i += 2) {
            f.parameters.setText(*nutrient::parameterOfField(assignments[i].toStdString()),
                                 assignments[i + 1].toStdString());
        }
        f.recorder.boxes.clear();
        const QStringList before = f.shownTexts();
        f.window.close();
        QCOMPARE(f.boxes(), expected);
        QCOMPARE(f.window.isVisible(), staysOpen);
        QCOMPARE(f.shownTexts(), before);  // the checks change nothing
    }

    void escapeGoesThroughClosingChecks() {
        Fixture f;
        f.show();
        f.clearAndType("Edit24", "");
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QCOMPARE(f.boxes(), (QStringList{kEmptyNotANumber, kEmptyNotANumber}));
        QVERIFY(f.window.isVisible());
        QTest::keyClicks(f.field("Edit24"), "562");
        QTest::keyClick(&f.window, Qt::Key_Escape);
        QVERIFY(!f.window.isVisible());
    }

    void derivedFieldsFollowButCannotBeTyped() {
        Fixture f;
        f.show();
        QVERIFY(f.field("Edit26")->isReadOnly());
        QVERIFY(f.field("Edit20")->isReadOnly());
        QTest::keyClicks(f.field("Edit26"), "5");
        QTest::keyClicks(f.field("Edit20"), "5");
        QCOMPARE(f.field("Edit26")->text(), QStringLiteral("22439.52"));
        QCOMPARE(f.field("Edit20")->text(), QStringLiteral("9.513"));
        QCOMPARE(f.parameters.text(nutrient::Parameter::NaturalArea), std::string("22439.52"));

        f.typeOver("Edit5", "310");
        QCOMPARE(f.field("Edit20")->text(), QStringLiteral("9.8301"));
        f.typeOver("Edit22", "1700");
        QCOMPARE(f.field("Edit26")->text(), QStringLiteral("22423.52"));
        // Typing inside a text: the field is not rewritten, the cursor stays.
        QLineEdit* area = f.field("Edit21");
        area->setCursorPosition(2);
        QTest::keyClicks(area, "0");
        QCOMPARE(area->text(), QStringLiteral("250948"));
        QCOMPARE(area->cursorPosition(), 3);
        QCOMPARE(f.field("Edit26")->text(), QStringLiteral("245173.52"));
        QCOMPARE(f.boxes(), QStringList());
    }

    void saveExtendsAndRemembersTheName_data() {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");  // empty: nothing written
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("no extension") << "variant"
                                      << "variant.txt" << QStringList{};
        QTest::newRow("with .txt") << "variant.txt"
                                   << "variant.txt" << QStringList{};
        QTest::newRow("other extension") << "data.dat"
                                         << "" << QStringList{QStringLiteral("warning: Введите имя текстового файла.")};
    }
    void saveExtendsAndRemembersTheName() {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        Fixture f;
        f.show();
        f.dialogs.saveAnswers << dir.filePath(chosen);
        QTest::mouseClick(f.button("BitBtn3"), Qt::LeftButton);
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
        QTest::mouseClick(f.button("BitBtn3"), Qt::LeftButton);
        QCOMPARE(fileBytes(dir.filePath("variant.txt")), standardFileBytes());

        f.typeOver("Edit38", "Озеро");
        f.typeOver("Edit21", "30000");
        f.typeOver("Edit5", "280");
        f.typeOver("Edit33", "5");
        f.recorder.boxes.clear();
        f.dialogs.openAnswers << dir.filePath("variant.txt");
        QTest::mouseClick(f.button("BitBtn2"), Qt::LeftButton);
        QCOMPARE(f.shownTexts(), standardTexts());
        QCOMPARE(f.boxes(), QStringList());
    }

    // A line of a megabyte in W: the box quotes its first hundred characters, not all of it.
    void aMegabyteLineIsQuotedByItsFirstHundredCharacters() {
        QTemporaryDir dir;
        QByteArray bytes = standardFileBytes();
        bytes.replace("\r\n562\r\n1\r\n", "\r\n562\r\n" + QByteArray(1'000'000, '7') + "x\r\n");
        QFile file(dir.filePath("long.txt"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        Fixture f;
        f.show();
        f.recorder.boxes.clear();
        f.dialogs.openAnswers << file.fileName();
        QTest::mouseClick(f.button("BitBtn2"), Qt::LeftButton);
        QCOMPARE(f.boxes(), QStringList{"failure: '" + QString(100, u'7') + "…' is not a valid floating point value"});
    }

    void memoryRunningOutInAFileDialogEndsInAFailureBox() {
        Fixture f;
        f.show();
        const QStringList texts = f.shownTexts();
        f.dialogs.memoryRunsOut = true;
        QTest::mouseClick(f.button("BitBtn2"), Qt::LeftButton);
        QTest::mouseClick(f.button("BitBtn3"), Qt::LeftButton);
        QCOMPARE(f.boxes(), QStringList(2, QStringLiteral("failure: Out of memory")));
        QCOMPARE(f.shownTexts(), texts);
        QVERIFY(f.window.isVisible());
    }

    void cancelDoesNothingAlsoAfterASave() {
        QTemporaryDir dir;
        Fixture f;
        f.show();
        f.dialogs.saveAnswers << "" << dir.filePath("variant.txt") << "";
        f.dialogs.openAnswers << "";
        QTest::mouseClick(f.button("BitBtn3"), Qt::LeftButton);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{});
        QTest::mouseClick(f.button("BitBtn3"), Qt::LeftButton);

        f.typeOver("Edit22", "1700");
        const QStringList edited = f.shownTexts();
        QTest::mouseClick(f.button("BitBtn3"), Qt::LeftButton);
        QTest::mouseClick(f.button("BitBtn2"), Qt::LeftButton);
        QCOMPARE(fileBytes(dir.filePath("variant.txt")), standardFileBytes());
        QCOMPARE(f.shownTexts(), edited);
        QCOMPARE(f.dialogs.rememberedSaveNames, QStringList{dir.filePath("variant.txt")});
        QCOMPARE(f.boxes(), QStringList());
    }

    void standartRestoresAllTexts() {
        Fixture f;
        f.show();
        f.typeOver("Edit38", "Озеро");
        f.typeOver("Edit21", "1000");
        f.typeOver("Edit25", "150");
        f.typeOver("Edit5", "310");
        f.typeOver("Edit1", "0.3");
        f.typeOver("Edit35", "7");
        f.clearAndType("Edit23", "");
        f.recorder.boxes.clear();
        QTest::mouseClick(f.button("BitBtn4"), Qt::LeftButton);
        QCOMPARE(f.shownTexts(), standardTexts());
        QCOMPARE(f.field("Edit26")->text(), QStringLiteral("22439.52"));
        QCOMPARE(f.field("Edit20")->text(), QStringLiteral("9.513"));
        // A changes while Au is still empty: its rule fails.  Au then changes while the water
        // share is still 150: the natural area turns negative until W follows.
        QCOMPARE(f.boxes(), (QStringList{kEmptyNotANumber, kNegativeArea}));
    }

    void closingAndReopeningKeepsEveryText() {
        Fixture f;
        f.show();
        f.typeOver("Edit38", "Озеро Круглое");
        f.typeOver("Edit25", "2");
        f.typeOver("Edit1", "0.1");
        f.typeOver("Edit18", "-0.5");
        const QStringList typed = f.shownTexts();
        f.window.close();
        QVERIFY(!f.window.isVisible());
        f.show();
        QCOMPARE(f.shownTexts(), typed);
        QCOMPARE(f.boxes(), QStringList());
    }

    void keyboardOrder() {
        Fixture f;
        const QStringList expected{"Edit1",  "Edit2",   "Edit3",   "Edit4",  "Edit5",  "Edit9",  "Edit10",  "Edit11",
                                   "Edit12", "Edit13",  "Edit14",  "Edit17", "Edit19", "Edit15", "Edit16",  "Edit27",
                                   "Edit28", "Edit29",  "Edit30",  "Edit31", "Edit32", "Edit33", "Edit34",  "Edit35",
                                   "Edit21", "Edit22",  "Edit23",  "Edit24", "Edit25", "Edit26", "BitBtn1", "Edit36",
                                   "Edit37", "Edit6",   "Edit7",   "Edit8",  "Edit18", "Edit20", "Edit38",  "Edit39",
                                   "Edit40", "BitBtn2", "BitBtn3", "BitBtn4"};
        QStringList walked;
        QWidget* first = f.field("Edit1");
        QWidget* w = first;
        do {
            if (w->focusPolicy() & Qt::TabFocus) walked << w->objectName();
            w = w->nextInFocusChain();
        } while (w != first && walked.size() <= expected.size());
        QCOMPARE(walked, expected);

        f.show();
        f.field("Edit35")->setFocus();
        QTest::keyClick(f.field("Edit35"), Qt::Key_Tab);
        QCOMPARE(f.window.focusWidget(), f.field("Edit21"));
    }

    // Enter in a field does nothing; on a button it presses it; the close button has the focus
    // on showing, so Enter right away closes.
    void enterPressesOnlyButtons() {
        Fixture f;
        f.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        QCOMPARE(f.window.focusWidget(), f.button("BitBtn1"));
        for (const char* name : {"Edit21", "Edit38", "Edit26"}) {
            f.field(name)->setFocus();
            QTest::keyClick(f.field(name), Qt::Key_Return);
            QTest::keyClick(f.field(name), Qt::Key_Enter, Qt::KeypadModifier);
        }
        QVERIFY(f.window.isVisible());
        QCOMPARE(f.dialogs.shown, 0);
        f.typeOver("Edit22", "1700");
        f.button("BitBtn4")->setFocus();
        QTest::keyClick(f.button("BitBtn4"), Qt::Key_Return);
        QCOMPARE(f.field("Edit22")->text(), QStringLiteral("1684"));
        f.button("BitBtn1")->setFocus();
        QTest::keyClick(f.button("BitBtn1"), Qt::Key_Return);
        QVERIFY(!f.window.isVisible());
    }

    void buttonsAndToolTips() {
        Fixture f;
        f.show();
        QCOMPARE(f.button("BitBtn2")->text(), QStringLiteral("&Open"));
        QCOMPARE(f.button("BitBtn3")->text(), QStringLiteral("&Save"));
        QCOMPARE(f.button("BitBtn4")->text(), QStringLiteral("&Standart"));
        QCOMPARE(f.button("BitBtn1")->text(), QStringLiteral("&Close"));
        QVERIFY(!f.button("BitBtn1")->icon().isNull());
        // The close button ends the button row.
        for (const char* other : {"BitBtn2", "BitBtn3", "BitBtn4"}) {
            QVERIFY(f.button(other)->geometry().right() < f.button("BitBtn1")->geometry().left());
        }
        QCOMPARE(f.field("Edit5")->toolTip(),
                 QStringLiteral("y, мм/год\nОбычно 280–320 мм/год на водосборе Финского залива"));
        QCOMPARE(f.field("Edit15")->toolTip(), QStringLiteral("da(P), т/(год·км²)\nОбычно 0.002–0.005 т/(км²·год)"));
        QCOMPARE(f.field("Edit21")->toolTip(), QStringLiteral("A, км²"));
        QCOMPARE(f.field("Edit7")->toolTip(), QStringLiteral("b(P)"));
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
                for (int j = i + 1; j < column.size(); ++j) QVERIFY(!overlap(column[i], column[j]));
                for (const QRect& g : full) QVERIFY(!overlap(column[i], g));
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
            QLineEdit* edit = f.field(p.field);
            const QString caption = QString::fromUtf8(p.caption);
            bool found = false;
            for (auto* label : edit->parentWidget()->findChildren<QLabel*>()) {
                const QRect g = label->geometry();
                const QRect e = edit->geometry();
                const bool sameLine = g.right() < e.left() && g.top() < e.bottom() && g.bottom() > e.top();
                const bool lineAbove = g.left() < e.left() && g.bottom() < e.top() && e.top() - g.bottom() < 10;
                if (label->text() == caption && (sameLine || (lineAbove && qstrcmp(p.field, "Edit20") == 0))) {
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
                        !overlap(widgets[i]->geometry(), widgets[j]->geometry()),
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
            QLineEdit* edit = f.field(p.field);
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
        QFile variant(dir.filePath("variant.txt"));
        QVERIFY(variant.open(QIODevice::WriteOnly) && variant.write(standardFileBytes()) > 0);
        variant.close();
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

QTEST_MAIN(TestParametersWindow)
#include "tst_parameters_window.moc"
