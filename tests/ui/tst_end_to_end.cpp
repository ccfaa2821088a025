// The whole program through its real windows: the typical use from parameters to charts,
// the figures of a calculation made before and after the parameters window was first opened,
// texts that survive closing and reopening every window, Enter right after start-up, and the
// question before parameters not yet saved are lost.

#include "fake_file_dialogs.h"
#include "recorder.h"
#include "standard_set.h"
#include "ui/lazy_dialog.h"
#include "ui/program.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using nutrient::Program;

namespace {

// A running program whose boxes are recorded and whose file dialogs are cancelled unless given
// an answer.
struct Session {
    Recorder recorder;
    FakeDialogs dialogs;
    Program program{recorder, dialogs, recorder};
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
    void closingWithUnsavedParametersAsks_data();
    void closingWithUnsavedParametersAsks();
    void unsavedMeansChangedSinceStartOpenSaveOrStandart_data();
    void unsavedMeansChangedSinceStartOpenSaveOrStandart();
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

    session.recorder.answers = {nutrient::Answer::No};
    click(main, "BitBtn1");  // "&Выход"
    QVERIFY(!main.isVisible());
    QCOMPARE(session.recorder.boxes, (std::vector<RecordedBox>{{"question", nutrient::kQuestionSaveChanges}}));
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

namespace {

enum Closing { ExitButton, Enter, Frame };

// Closes the main window as the user does.
void closeProgram(QDialog& main, int way) {
    switch (way) {
    case ExitButton:
        click(main, "BitBtn1");
        break;
    case Enter:
        QVERIFY(QTest::qWaitForWindowActive(&main));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        break;
    default:
        main.close();
    }
}

QStringList boxesOf(const Recorder& recorder) {
    QStringList boxes;
    for (const RecordedBox& box : recorder.boxes) boxes << QString::fromStdString(box.kind + ": " + box.text);
    return boxes;
}

const QString kAsked = QStringLiteral("question: Сохранить изменения параметров?");

}  // namespace

void EndToEndTest::closingWithUnsavedParametersAsks_data() {
    QTest::addColumn<int>("way");
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("savedAs");  // the save dialog's answer, relative to a scratch folder
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QStringList>("boxes");
    const QStringList asked{kAsked};
    QTest::newRow("Выход, Нет") << int(ExitButton) << int(nutrient::Answer::No) << "" << true << asked;
    QTest::newRow("frame, Отмена") << int(Frame) << int(nutrient::Answer::Cancel) << "" << false << asked;
    QTest::newRow("Enter, Да, saved") << int(Enter) << int(nutrient::Answer::Yes) << "variant" << true << asked;
    QTest::newRow("Выход, Да, dialog cancelled")
        << int(ExitButton) << int(nutrient::Answer::Yes) << "" << false << asked;
    QTest::newRow("frame, Да, name refused")
        << int(Frame) << int(nutrient::Answer::Yes) << "data.dat" << false
        << QStringList{kAsked, QStringLiteral("warning: Введите имя текстового файла.")};
    QTest::newRow("Enter, Да, save failed") << int(Enter) << int(nutrient::Answer::Yes) << "missing/variant.txt"
                                            << false << QStringList{kAsked, QStringLiteral("failure: File not found")};
}

void EndToEndTest::closingWithUnsavedParametersAsks() {
    QFETCH(int, way);
    QFETCH(int, answer);
    QFETCH(QString, savedAs);
    QFETCH(bool, closes);
    QFETCH(QStringList, boxes);
    QTemporaryDir folder;
    Session session;
    QDialog& main = session.program.mainWindow();
    session.program.parameters().setText(nutrient::Parameter::PointSourcesP, "300");
    session.recorder.answers = {nutrient::Answer(answer)};
    if (!savedAs.isEmpty()) session.dialogs.saveAnswers << folder.filePath(savedAs);

    closeProgram(main, way);
    QCOMPARE(main.isVisible(), !closes);
    QCOMPARE(boxesOf(session.recorder), boxes);
    QCOMPARE(session.dialogs.shown, answer == int(nutrient::Answer::Yes) ? 1 : 0);
    if (session.dialogs.shown) QCOMPARE(session.dialogs.lastParent, &main);  // not the hidden parameters window
    if (savedAs == QStringLiteral("variant")) {
        QFile saved(folder.filePath("variant.txt"));
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll().split('\n').value(27), QByteArray("300\r"));  // Lp(P), line 28
    }
}

void EndToEndTest::unsavedMeansChangedSinceStartOpenSaveOrStandart_data() {
    QTest::addColumn<QStringList>("steps");  // in the parameters window, opened first unless none
    QTest::addColumn<bool>("asked");
    QTest::newRow("right after start-up") << QStringList{} << false;
    // Showing the window re-derives the natural area and the runoff modulus only.
    QTest::newRow("window looked at") << QStringList{"look"} << false;
    QTest::newRow("typed") << QStringList{"type"} << true;
    QTest::newRow("typed, saved") << QStringList{"type", "Save"} << false;
    QTest::newRow("typed, opened") << QStringList{"type", "Open"} << false;
    QTest::newRow("opened, typed") << QStringList{"Open", "type"} << true;
    QTest::newRow("opened, Standart") << QStringList{"Open", "Standart"} << false;
}

void EndToEndTest::unsavedMeansChangedSinceStartOpenSaveOrStandart() {
    QFETCH(QStringList, steps);
    QFETCH(bool, asked);
    QTemporaryDir folder;
    // Another set than the standard one: Lp(P) 250.
    QFile other(folder.filePath("other.txt"));
    QVERIFY(other.open(QIODevice::WriteOnly));
    other.write(QByteArray::fromStdString(kStandardFileBytes).replace("\r\n212\r\n", "\r\n250\r\n"));
    other.close();
    Session session;
    Program& program = session.program;
    QDialog& parameters = program.parametersWindow();
    if (!steps.isEmpty()) open(program, Parameters);
    for (const QString& step : steps) {
        if (step == "type") retype(field(parameters, "Edit36"), QStringLiteral("300"));
        if (step == "Save") session.dialogs.saveAnswers << folder.filePath("saved.txt");
        if (step == "Open") session.dialogs.openAnswers << other.fileName();
        if (step == "Save" || step == "Open" || step == "Standart") {
            click(parameters, step == "Save" ? "BitBtn3" : step == "Open" ? "BitBtn2" : "BitBtn4");
        }
    }
    parameters.close();

    click(program.mainWindow(), "BitBtn1");  // asked, the recorder answers "Отмена"
    QCOMPARE(boxesOf(session.recorder), asked ? QStringList{kAsked} : QStringList{});
    QCOMPARE(program.mainWindow().isVisible(), asked);
}

QTEST_MAIN(EndToEndTest)
#include "tst_end_to_end.moc"
