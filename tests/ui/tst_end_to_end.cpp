// The whole program through its real windows: the typical use from parameters to charts,
// the figures of a calculation made before and after the parameters window was first opened,
// texts that survive closing and reopening every window, Enter right after start-up, and the
// question before parameters not yet saved are lost.

#include "fake_file_dialogs.h"
#include "saved_files.h"
#include "standard_set.h"
#include "ui/lazy_dialog.h"
#include "ui/program.h"
#include "widgets.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <functional>

using nutrient::Nutrient;
using nutrient::Parameter;
using nutrient::Program;
using nutrient::Quantity;

namespace {

// A running program whose boxes are recorded and whose file dialogs are cancelled unless given
// an answer.
struct Session {
    Recorder recorder;
    FakeDialogs dialogs;
    Program program{recorder, dialogs, recorder};
    Session() { program.mainWindow().show(); }
};

enum WindowIndex { Parameters, Results, Help, SourceShares, Budget, Method };

QDialog& windowOf(Program& program, int index) {
    QDialog* const windows[] = {&program.parametersWindow(),  &program.resultsWindow(), &program.helpWindow(),
                                &program.sourceShareWindow(), &program.budgetWindow(),  &program.methodWindow()};
    return *windows[index];
}

// Opens a window the way the user does: a chart from the results window (opened first when it
// is not open), any other from the main window.
void open(Program& program, int index) {
    const char* const buttons[] = {"BitBtn3", "BitBtn2", "BitBtn4", "BitBtn2", "BitBtn3", "BitBtn5"};
    const bool chart = index == SourceShares || index == Budget;
    if (chart && !program.resultsWindow().isVisible()) open(program, Results);
    click(chart ? static_cast<QWidget&>(program.resultsWindow()) : program.mainWindow(), buttons[index]);
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
    typeOver(field(parameters, Parameter::PointSourcesP), "300");
    QCOMPARE(program.parameters().text(Parameter::PointSourcesP), std::string("300"));
    parameters.close();
    QVERIFY(!parameters.isVisible());

    open(program, Results);
    QDialog& results = program.resultsWindow();
    QVERIFY(results.isVisible() && results.isModal());
    // The new point-source load runs through the P column; the N column is the standard one.
    const std::vector<std::pair<Quantity, const char*>> phosphorus = {
        {Quantity::Lp, "300.0"},   {Quantity::Ltot, "4975.0"}, {Quantity::Lret, "1792.2"}, {Quantity::L, "3182.8"},
        {Quantity::Lnat, "300.0"}, {Quantity::M, "122.66"},    {Quantity::Mnat, "11.56"}};
    for (const auto& [quantity, text] : phosphorus)
        QCOMPARE(field(results, quantity, Nutrient::P)->text(), QString(text));
    for (const ShownResult& row : kStandardResults)
        QCOMPARE(field(results, row.quantity, Nutrient::N)->text(), QString(row.n));

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
    QCOMPARE(session.recorder.boxes, (Boxes{{"question", nutrient::kQuestionSaveChanges}}));
}

namespace {

// The 26 result fields as field=text, in window order.
QStringList resultLines(const std::function<QString(Quantity, Nutrient)>& text) {
    QStringList lines;
    for (const nutrient::ResultRow& row : nutrient::kResultRows) {
        for (Nutrient nutrient : nutrient::kNutrients)
            lines << QString::fromLatin1(nutrient::resultField(row.quantity, nutrient)) + '=' +
                         text(row.quantity, nutrient);
    }
    return lines;
}

}  // namespace

void EndToEndTest::calculationFigures_data() {
    QTest::addColumn<bool>("parametersOpenedFirst");
    // Right after start-up the natural area reads "22440" and the runoff modulus "9.5";
    // opening the parameters window makes them "22439.52" and "9.513".
    QTest::newRow("right after start-up") << false;
    QTest::newRow("after the parameters window") << true;
}

void EndToEndTest::calculationFigures() {
    QFETCH(bool, parametersOpenedFirst);
    Session session;
    if (parametersOpenedFirst) {
        open(session.program, Parameters);
        session.program.parametersWindow().close();
    }
    open(session.program, Results);
    QWidget& results = session.program.resultsWindow();
    QCOMPARE(
        resultLines([&](Quantity quantity, Nutrient nutrient) { return field(results, quantity, nutrient)->text(); }),
        resultLines([&](Quantity quantity, Nutrient nutrient) {
            return QString::fromStdString(standardText(quantity, nutrient, !parametersOpenedFirst));
        }));
    QCOMPARE(session.recorder.boxes, Boxes{});
}

void EndToEndTest::derivedFieldsAreRecomputedWhenTheParametersWindowFirstShows() {
    Session session;
    nutrient::ParametersWindow& parameters = session.program.parametersWindow();
    parameters.ensureBuilt();  // its fields, not yet shown
    QCOMPARE(field(parameters, Parameter::NaturalArea)->text(), QStringLiteral("22440"));
    QCOMPARE(field(parameters, Parameter::RunoffModulus)->text(), QStringLiteral("9.5"));
    open(session.program, Parameters);
    QCOMPARE(field(parameters, Parameter::NaturalArea)->text(), QStringLiteral("22439.52"));
    QCOMPARE(field(parameters, Parameter::RunoffModulus)->text(), QStringLiteral("9.513"));
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
    typeOver(field(program.parametersWindow(), Parameter::ObjectName), "Озеро Копанское");
    typeOver(field(program.parametersWindow(), Parameter::InflowP), "12.5");
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
    QCOMPARE(session.recorder.boxes, Boxes{});
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

const QString kAsked = boxLine("question", nutrient::kQuestionSaveChanges);

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
    QTest::newRow("frame, Да, name refused") << int(Frame) << int(nutrient::Answer::Yes) << "data.dat" << false
                                             << QStringList{kAsked, boxLine("warning", nutrient::kWarnNotTextFile)};
    QTest::newRow("Enter, Да, save failed")
        << int(Enter) << int(nutrient::Answer::Yes) << "missing/variant.txt" << false
        << QStringList{kAsked, boxLine("failure", nutrient::kFileNotFound)};
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
    session.program.parameters().setText(Parameter::PointSourcesP, "300");
    session.recorder.answers = {nutrient::Answer(answer)};
    if (!savedAs.isEmpty()) session.dialogs.saveAnswers << folder.filePath(savedAs);

    closeProgram(main, way);
    QCOMPARE(main.isVisible(), !closes);
    QCOMPARE(boxLines(session.recorder), boxes);
    QCOMPARE(session.dialogs.shown, answer == int(nutrient::Answer::Yes) ? 1 : 0);
    if (session.dialogs.shown) QCOMPARE(session.dialogs.lastParent, &main);  // not the hidden parameters window
    if (savedAs == QStringLiteral("variant"))                                // Lp(P), line 28
        QCOMPARE(fileBytes(folder.filePath("variant.txt")).split('\n').value(27), QByteArray("300\r"));
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
    const QString other = folder.filePath("other.txt");
    QVERIFY(writeFileBytes(other, QByteArray::fromStdString(kStandardFileBytes).replace("\r\n212\r\n", "\r\n250\r\n")));
    Session session;
    Program& program = session.program;
    QDialog& parameters = program.parametersWindow();
    if (!steps.isEmpty()) open(program, Parameters);
    for (const QString& step : steps) {
        if (step == "type") typeOver(field(parameters, Parameter::PointSourcesP), "300");
        if (step == "Save") session.dialogs.saveAnswers << folder.filePath("saved.txt");
        if (step == "Open") session.dialogs.openAnswers << other;
        if (step == "Save" || step == "Open" || step == "Standart") {
            click(parameters, step == "Save" ? "BitBtn3" : step == "Open" ? "BitBtn2" : "BitBtn4");
        }
    }
    parameters.close();

    click(program.mainWindow(), "BitBtn1");  // asked, the recorder answers "Отмена"
    QCOMPARE(boxLines(session.recorder), asked ? QStringList{kAsked} : QStringList{});
    QCOMPARE(program.mainWindow().isVisible(), asked);
}

QTEST_MAIN(EndToEndTest)
#include "tst_end_to_end.moc"
