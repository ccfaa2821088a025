// The whole program through its real windows: the typical use from parameters to charts,
// the figures of a calculation made before and after the parameters window was first opened,
// texts that survive closing and reopening every window, and Enter right after start-up.

#include "no_file_dialogs.h"
#include "recorder.h"
#include "standard_set.h"
#include "ui/modal.h"
#include "ui/program.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

using nutrient::Program;

namespace {

// A running program whose boxes are recorded and whose file dialogs are always cancelled.
struct Session {
    Recorder recorder;
    NoFileDialogs dialogs;
    Program program{recorder, dialogs};
    Session() { program.mainWindow().show(); }
};

QLineEdit* field(QWidget& window, const char* name) { return window.findChild<QLineEdit*>(QString::fromLatin1(name)); }

void click(QWidget& window, const char* buttonName) {
    auto* button = window.findChild<QPushButton*>(QString::fromLatin1(buttonName));
    QVERIFY2(button, buttonName);
    QVERIFY2(button->isVisible(), buttonName);
    button->click();
}

// Types the text over the field's whole text, key by key (Cyrillic included).
void retype(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    for (QChar letter : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(letter));
        QApplication::sendEvent(edit, &press);
    }
}

enum WindowIndex { Parameters = 2, Results, Help, SourceShares, Budget, Method };

QDialog& windowOf(Program& program, int index) {
    switch (index) {
    case Parameters:
        return program.parametersWindow();
    case Results:
        return program.resultsWindow();
    case Help:
        return program.helpWindow();
    case SourceShares:
        return program.sourceShareWindow();
    case Budget:
        return program.budgetWindow();
    default:
        return program.methodWindow();
    }
}

// Opens a window the way the user does: from the main window, or for the charts from the
// results window (opened first when it is not open).
void open(Program& program, int index) {
    QWidget& main = program.mainWindow();
    switch (index) {
    case Parameters:
        click(main, "BitBtn3");
        break;
    case Results:
        click(main, "BitBtn2");
        break;
    case Help:
        click(main, "BitBtn4");
        break;
    case Method:
        click(main, "BitBtn5");
        break;
    default:
        if (!program.resultsWindow().isVisible()) click(main, "BitBtn2");
        click(program.resultsWindow(), index == SourceShares ? "BitBtn2" : "BitBtn3");
    }
}

// Every text the window shows: caption, labels, fields, buttons, text views.
QStringList textsOf(QWidget& window) {
    QStringList texts{window.windowTitle()};
    for (QWidget* w : window.findChildren<QWidget*>()) {
        QString text;
        if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
        else if (auto* edit = qobject_cast<QLineEdit*>(w)) text = edit->text();
        else if (auto* button = qobject_cast<QPushButton*>(w)) text = button->text();
        else if (auto* view = qobject_cast<QPlainTextEdit*>(w)) text = view->toPlainText();
        else continue;
        texts << w->objectName() + QLatin1Char('=') + text;
    }
    return texts;
}

}  // namespace

class EndToEndTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { nutrient::setModalShowingForTests(true); }
    void typicalUseFromParametersToCharts();
    void calculationFigures_data();
    void calculationFigures();
    void derivedFieldsAreRecomputedWhenTheParametersWindowFirstShows();
    void windowsGetTheirControlsWhenFirstOpened_data();
    void windowsGetTheirControlsWhenFirstOpened();
    void closingAndReopeningKeepsEveryText_data();
    void closingAndReopeningKeepsEveryText();
    void enterRightAfterStartUpEndsTheProgram();
};

void EndToEndTest::typicalUseFromParametersToCharts() {
    Session session;
    Program& program = session.program;
    QWidget& main = program.mainWindow();

    open(program, Parameters);
    QDialog& parameters = program.parametersWindow();
    QVERIFY(parameters.isVisible() && parameters.isModal());
    retype(field(parameters, "Edit36"), QStringLiteral("300"));  // point sources of P
    QCOMPARE(program.parameters().text(nutrient::Parameter::PointSourcesP), std::string("300"));
    parameters.close();
    QVERIFY(!parameters.isVisible());

    open(program, Results);
    QDialog& results = program.resultsWindow();
    QVERIFY(results.isVisible() && results.isModal());
    // The new point-source load runs through the P column; the N column is the standard one.
    const QList<QPair<const char*, const char*>> shown = {
        {"Edit1", "300.0"},   {"Edit8", "4975.0"}, {"Edit10", "1792.2"}, {"Edit11", "3182.8"},  {"Edit5", "300.0"},
        {"Edit16", "122.66"}, {"Edit20", "11.56"}, {"Edit13", "1324.0"}, {"Edit19", "20476.0"}, {"Edit22", "15065.9"}};
    for (const auto& [name, text] : shown) QCOMPARE(field(results, name)->text(), QString(text));

    open(program, SourceShares);
    QVERIFY(program.sourceShareWindow().isVisible());
    program.sourceShareWindow().close();
    open(program, Budget);
    QVERIFY(program.budgetWindow().isVisible());
    program.budgetWindow().close();
    results.close();
    QVERIFY(!results.isVisible());

    click(main, "BitBtn1");  // "&Выход"
    QVERIFY(!main.isVisible());
    QCOMPARE(session.recorder.boxes, std::vector<RecordedBox>{});
}

namespace {

// The standard results as shown, with the texts the initial natural area and runoff modulus
// change when they are used.
QStringList shownResults(bool initialTexts) {
    QStringList shown;
    for (const ShownResult& row : kStandardResults) {
        for (auto [nutrient, text] :
             {std::pair(nutrient::Nutrient::P, row.p), std::pair(nutrient::Nutrient::N, row.n)}) {
            const char* field = nutrient::resultField(row.quantity, nutrient);
            for (const ChangedResult& changed : kInitialTextResults)
                if (initialTexts && qstrcmp(changed.field, field) == 0) text = changed.text;
            shown << QString::fromLatin1(field) + '=' + QString::fromUtf8(text);
        }
    }
    return shown;
}

}  // namespace

void EndToEndTest::calculationFigures_data() {
    QTest::addColumn<bool>("parametersOpenedFirst");
    QTest::addColumn<QStringList>("fieldsAndTexts");
    // Right after start-up the natural area reads "22440" and the runoff modulus "9.5";
    // opening the parameters window makes them "22439.52" and "9.513".
    QTest::newRow("right after start-up") << false << shownResults(true);
    QTest::newRow("after the parameters window") << true << shownResults(false);
}

void EndToEndTest::calculationFigures() {
    QFETCH(bool, parametersOpenedFirst);
    QFETCH(QStringList, fieldsAndTexts);
    Session session;
    if (parametersOpenedFirst) {
        open(session.program, Parameters);
        session.program.parametersWindow().close();
    }
    open(session.program, Results);
    QDialog& results = session.program.resultsWindow();
    for (const QString& entry : fieldsAndTexts) {
        const QString name = entry.section('=', 0, 0);
        QCOMPARE(name + '=' + field(results, qPrintable(name))->text(), entry);
    }
    QCOMPARE(session.recorder.boxes, std::vector<RecordedBox>{});
}

void EndToEndTest::derivedFieldsAreRecomputedWhenTheParametersWindowFirstShows() {
    Session session;
    nutrient::ParametersWindow& parameters = session.program.parametersWindow();
    parameters.ensureBuilt();  // its fields, not yet shown
    QCOMPARE(field(parameters, "Edit26")->text(), QStringLiteral("22440"));
    QCOMPARE(field(parameters, "Edit20")->text(), QStringLiteral("9.5"));
    open(session.program, Parameters);
    QCOMPARE(field(parameters, "Edit26")->text(), QStringLiteral("22439.52"));
    QCOMPARE(field(parameters, "Edit20")->text(), QStringLiteral("9.513"));
}

void EndToEndTest::windowsGetTheirControlsWhenFirstOpened_data() { closingAndReopeningKeepsEveryText_data(); }

// Start-up builds the main window's controls only: a window's controls, fonts and pictures
// cost their time when the user first opens it.
void EndToEndTest::windowsGetTheirControlsWhenFirstOpened() {
    QFETCH(int, window);
    Session session;
    QDialog& opened = windowOf(session.program, window);
    QVERIFY(!session.program.mainWindow().findChildren<QWidget*>().isEmpty());
    QVERIFY(opened.findChildren<QWidget*>().isEmpty());
    open(session.program, window);
    QVERIFY(opened.isVisible());
    QVERIFY(opened.findChild<QPushButton*>() || opened.findChild<QPlainTextEdit*>());
}

void EndToEndTest::closingAndReopeningKeepsEveryText_data() {
    QTest::addColumn<int>("window");
    QTest::newRow("Параметры") << int(Parameters);
    QTest::newRow("Результаты расчетов") << int(Results);
    QTest::newRow("Помощь") << int(Help);
    QTest::newRow("Графики") << int(SourceShares);
    QTest::newRow("Graphics") << int(Budget);
    QTest::newRow("Описание методики") << int(Method);
}

void EndToEndTest::closingAndReopeningKeepsEveryText() {
    QFETCH(int, window);
    Session session;
    Program& program = session.program;
    // Something of the user's own in the texts: a renamed object with its own inflow of P.
    open(program, Parameters);
    retype(field(program.parametersWindow(), "Edit38"), QStringLiteral("Озеро Копанское"));
    retype(field(program.parametersWindow(), "Edit39"), QStringLiteral("12.5"));
    if (window != Parameters) program.parametersWindow().close();

    if (window != Parameters) open(program, window);
    QDialog& shown = windowOf(program, window);
    QVERIFY(shown.isVisible() && shown.isModal());
    const QStringList before = textsOf(shown);
    shown.close();
    QVERIFY(!shown.isVisible());
    open(program, window);
    QVERIFY(shown.isVisible());
    QCOMPARE(textsOf(shown), before);
    QVERIFY(before.join('\n').contains(window == Parameters || window == Results ? QStringLiteral("Озеро Копанское")
                                                                                 : shown.windowTitle()));
    QCOMPARE(session.recorder.boxes, std::vector<RecordedBox>{});
}

void EndToEndTest::enterRightAfterStartUpEndsTheProgram() {
    Session session;
    QDialog& main = session.program.mainWindow();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(!main.isVisible());
    for (int index = Parameters; index <= Method; ++index) QVERIFY(!windowOf(session.program, index).isVisible());
}

QTEST_MAIN(EndToEndTest)
#include "tst_end_to_end.moc"
