// The results window: the figures it shows for the standard catchment, the L < Lnat boxes,
// what a failed calculation leaves on screen, the chart buttons, the table on the clipboard,
// the results and the report saved or printed from its context menu, and a layout in which
// nothing is clipped.

#include "ui/results_window.h"

#include "fake_file_dialogs.h"
#include "model_fixture.h"
#include "saved_files.h"
#include "standard_set.h"
#include "ui/lazy_dialog.h"
#include "widgets.h"

#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QStyle>

#include <functional>
#include <vector>

using nutrient::Nutrient;
using nutrient::Parameter;
using nutrient::Quantity;
using nutrient::ResultsWindow;

using Target = nutrient::ReportTarget::Kind;
Q_DECLARE_METATYPE(Target)

namespace {

// The row captions as Ctrl+C puts them on the clipboard, in window order.
const char* const kCopiedCaptions[nutrient::kResultRowCount] = {
    "Нагрузка от точечных источников (Lp)",
    "Рассредоточенная эмиссия подстилающей поверхностью (Le)",
    "Нагрузка, сформированная в результате внесения минеральных удобрений (Lmf )",
    "Нагрузка, сформированной за счет животноводства и птицеводства (Lof)",
    "Нагрузка, сформированной атмосферными выпадениями (La)",
    "Поступление извне (Lex)",
    "Вынос биогенных веществ за пределы водосбора с выращенным урожаем (Lc)",
    "Суммарная биогеннаяй нагрузка на водосбор (Ltot)",
    "Удержание биогенных веществ водосбором и его гидрографической сетью (Lret)",
    "Вынос биогенных веществ с водосбора и нагрузки на водный объект (L)",
    "Фоновая (природная) компонента нагрузки  (Lnat)",
    "Модуль выноса с водосбора (кг/(км² год))",
    "Модуль фонового выноса (кг/(км² год))",
};

// The CSV of the standard set's results, with the given file field.
QByteArray standardCsv(const QString& fileField) {
    QByteArray csv =
        "file,object,Lp(P),Lp(N),Le(P),Le(N),Lmf(P),Lmf(N),Lof(P),Lof(N),La(P),La(N),Lex(P),Lex(N),"
        "Lc(P),Lc(N),Ltot(P),Ltot(N),Lret(P),Lret(N),L(P),L(N),Lnat(P),Lnat(N),M(P),M(N),Mnat(P),"
        "Mnat(N)\r\n" +
        fileField.toUtf8() + ",Частный водосбор Финского залива";
    for (const ShownResult& row : kStandardResults) csv += QByteArray(",") + row.p + "," + row.n;
    return csv + "\r\n";
}

// The rows the calculation writes before the runoff and water share are divided (steps up to
// the total load); the inflow row is written last of all.
const QList<Quantity> kWrittenBeforeRetention = {Quantity::Lp, Quantity::Le, Quantity::Lmf, Quantity::Lof,
                                                 Quantity::La, Quantity::Lc, Quantity::Ltot};

// Records the boxes, and what the window's L(P) field shows while each is up.
struct WatchingRecorder : Recorder {
    std::function<QString()> watch;
    QStringList seen;
    void error(const std::string& text) override {
        seen << watch();
        Recorder::error(text);
    }
    void failure(const std::string& text) override {
        seen << watch();
        Recorder::failure(text);
    }
};

// One program's worth of shared objects around a results window.
struct Session : BasicModel<WatchingRecorder> {
    QDialog sourceShares;
    QDialog budget;
    FakeDialogs dialogs;
    ResultsWindow window{parameters, results, coefficients, recorder, dialogs};

    explicit Session(bool standard = true) : BasicModel(standard) {
        recorder.watch = [this] { return text(Quantity::L, Nutrient::P); };
        window.setChartWindows(sourceShares, budget);
    }
    QString text(Quantity quantity, Nutrient nutrient) const { return field(window, quantity, nutrient)->text(); }
};

// Everything of the P load except its natural part set to nothing: the water body then gets
// exactly its natural load, L(P) and Lnat(P) both 148.5 * Rt(P).
const Edits kOnlyNaturalPhosphorus = {
    {Parameter::TotalArea, "10000"},    {Parameter::ArableArea, "0"},      {Parameter::UrbanArea, "0"},
    {Parameter::MixedArea, "0"},        {Parameter::PointSourcesP, "0"},   {Parameter::FertiliserP, "0"},
    {Parameter::DepositionP, "0"},      {Parameter::CattleEmissionP, "0"}, {Parameter::PigEmissionP, "0"},
    {Parameter::PoultryEmissionP, "0"}, {Parameter::CropRemovalP, "0"}};

// Room for text inside a line edit: its width less the frame and the edit's own margins.
int textRoom(const QLineEdit& field) {
    return field.width() - 2 * field.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) - 4;
}

}  // namespace

class ResultsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { nutrient::setModalShowingForTests(true); }
    void standardSetShowsItsFiguresWithoutBox();
    void initialTextsGiveOtherFigures();
    void loadBelowBackgroundIsReportedPerNutrient_data();
    void loadBelowBackgroundIsReportedPerNutrient();
    void failedCalculationOpensWithTheRowsItWrote_data();
    void failedCalculationOpensWithTheRowsItWrote();
    void reopeningKeepsTextsAndRereadsTheName();
    void chartButtonsOpenTheirWindowsOverThisOne();
    void copyPutsTheTableOnTheClipboard_data();
    void copyPutsTheTableOnTheClipboard();
    void theWindowsMenuComesUpOverANumber();
    void resultsForASpreadsheet();
    void nothingIsClippedOrOverlapping();
    void menuAndShortcuts_data();
    void menuAndShortcuts();
    void resultsAndReportLeaveTheProgram_data();
    void resultsAndReportLeaveTheProgram();
};

void ResultsWindowTest::standardSetShowsItsFiguresWithoutBox() {
    Session s;
    s.window.show();
    for (const ShownResult& row : kStandardResults) {
        QCOMPARE(s.text(row.quantity, Nutrient::P), QString::fromUtf8(row.p));
        QCOMPARE(s.text(row.quantity, Nutrient::N), QString::fromUtf8(row.n));
    }
    QCOMPARE(s.recorder.boxes, Boxes{});
    QCOMPARE(s.window.windowTitle(), QStringLiteral("Результаты расчетов"));
    QCOMPARE(s.window.findChild<QLabel*>("Label2")->text(), QStringLiteral("Частный водосбор Финского залива"));
    QCOMPARE(s.window.focusWidget(), button(s.window, "BitBtn1"));
}

// Before the parameters window is first shown the derived natural area and runoff modulus
// read "22440" and "9.5": the N emission and every figure after the retention change (worked
// out by hand from Rt(P) = 0.63946, Rt(N) = 0.73566 at HL = 29.925); the rest stays.
void ResultsWindowTest::initialTextsGiveOtherFigures() {
    Session s(false);
    s.window.show();
    for (const nutrient::ResultRow& row : nutrient::kResultRows) {
        for (Nutrient nutrient : nutrient::kNutrients)
            QCOMPARE(s.text(row.quantity, nutrient),
                     QString::fromStdString(standardText(row.quantity, nutrient, true)));
    }
    QCOMPARE(s.recorder.boxes, Boxes{});
}

void ResultsWindowTest::loadBelowBackgroundIsReportedPerNutrient_data() {
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<int>("boxes");
    QTest::addColumn<bool>("phosphorusAtBackground");
    QTest::newRow("crop removal of P very high") << Edits{{Parameter::CropRemovalP, "10"}} << 1 << false;
    QTest::newRow("crop removal of N very high") << Edits{{Parameter::CropRemovalN, "30"}} << 1 << false;
    QTest::newRow("both very high") << Edits{{Parameter::CropRemovalP, "10"}, {Parameter::CropRemovalN, "30"}} << 2
                                    << false;
    QTest::newRow("L(P) shown equal to Lnat(P)") << kOnlyNaturalPhosphorus << 0 << true;
}

void ResultsWindowTest::loadBelowBackgroundIsReportedPerNutrient() {
    QFETCH(Edits, edits);
    QFETCH(int, boxes);
    QFETCH(bool, phosphorusAtBackground);
    Session s;
    s.edit(edits);
    s.window.show();
    QCOMPARE(s.recorder.boxes, Boxes(boxes, {"error", nutrient::kErrorBelowBackground}));
    QVERIFY(s.window.isVisible());
    QCOMPARE(s.recorder.seen, QStringList(boxes, s.text(Quantity::L, Nutrient::P)));
    if (phosphorusAtBackground) {
        QCOMPARE(s.text(Quantity::Ltot, Nutrient::P), QStringLiteral("148.5"));
        QCOMPARE(s.text(Quantity::L, Nutrient::P), s.text(Quantity::Lnat, Nutrient::P));
    }
}

void ResultsWindowTest::failedCalculationOpensWithTheRowsItWrote_data() {
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QList<Quantity>>("written");
    // The crop removal would raise the L < Lnat box, had the check run.
    QTest::newRow("no water share") << Edits{{Parameter::CropRemovalP, "10"}, {Parameter::WaterShare, "0"}}
                                    << nutrient::kDivisionByZero << kWrittenBeforeRetention;
    QTest::newRow("point load not a number")
        << Edits{{Parameter::CropRemovalP, "10"}, {Parameter::PointSourcesP, "12,5"}}
        << QString::fromStdString(nutrient::notANumberMessage("12,5")) << QList<Quantity>{};
}

// The figures of the earlier run must not stay beside the new ones.
void ResultsWindowTest::failedCalculationOpensWithTheRowsItWrote() {
    QFETCH(Edits, edits);
    QFETCH(QString, failure);
    QFETCH(QList<Quantity>, written);
    Session s;
    s.window.show();
    s.window.close();
    s.edit(edits);
    s.window.show();
    QCOMPARE(s.recorder.boxes, (Boxes{{"failure", failure.toStdString()}}));
    QCOMPARE(s.recorder.seen, QStringList{QString()});  // no old L(P) beneath the box
    QVERIFY(s.window.isVisible());
    for (const nutrient::ResultRow& row : nutrient::kResultRows) {
        for (Nutrient nutrient : nutrient::kNutrients)
            QVERIFY2(s.text(row.quantity, nutrient).isEmpty() != written.contains(row.quantity), row.symbol);
    }
}

void ResultsWindowTest::reopeningKeepsTextsAndRereadsTheName() {
    Session s;
    s.window.show();
    click(s.window, "BitBtn1");
    QVERIFY(!s.window.isVisible());
    QCOMPARE(s.text(Quantity::L, Nutrient::N), QStringLiteral("15065.9"));
    s.parameters.setText(Parameter::ObjectName, "Озеро <b>Ильмень</b>");
    s.window.show();
    for (const ShownResult& row : kStandardResults)
        QCOMPARE(s.text(row.quantity, Nutrient::N), QString::fromUtf8(row.n));
    QCOMPARE(s.window.findChild<QLabel*>("Label2")->text(), QStringLiteral("Озеро <b>Ильмень</b>"));
    QCOMPARE(s.window.findChild<QLabel*>("Label2")->textFormat(), Qt::PlainText);
    QCOMPARE(s.recorder.boxes, Boxes{});
}

void ResultsWindowTest::chartButtonsOpenTheirWindowsOverThisOne() {
    Session s;
    s.window.show();
    click(s.window, "BitBtn2");
    QVERIFY(s.sourceShares.isVisible() && s.sourceShares.isModal());
    QVERIFY(!s.budget.isVisible());
    s.sourceShares.close();
    click(s.window, "BitBtn3");
    QVERIFY(s.budget.isVisible() && s.budget.isModal());
    QVERIFY(s.window.isVisible());
    s.budget.close();
}

void ResultsWindowTest::copyPutsTheTableOnTheClipboard_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("wholeTable");
    QTest::newRow("close button") << "BitBtn1" << false << true;
    const QString modulus = nutrient::resultField(Quantity::M, Nutrient::P);
    QTest::newRow("value field, nothing selected") << modulus << false << true;
    QTest::newRow("value field, its text selected") << modulus << true << true;
}

void ResultsWindowTest::copyPutsTheTableOnTheClipboard() {
    QFETCH(QString, focus);
    QFETCH(bool, selected);
    QFETCH(bool, wholeTable);
    Session s;
    s.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    auto* target = s.window.findChild<QWidget*>(focus);
    target->setFocus();
    if (selected) static_cast<QLineEdit*>(target)->selectAll();
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);

    QStringList expected;
    for (int i = 0; i < nutrient::kResultRowCount; ++i)
        expected << QString::fromUtf8(kCopiedCaptions[i]) + '\t' + kStandardResults[i].p + '\t' + kStandardResults[i].n;
    QCOMPARE(QGuiApplication::clipboard()->text(), wholeTable ? expected.join('\n') : QStringLiteral("120.49"));
}

// A right click on a number brings up the window's menu, not the field's.
void ResultsWindowTest::theWindowsMenuComesUpOverANumber() {
    Session s;
    s.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    QStringList shown;
    QTimer::singleShot(0, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        for (const QAction* action : menu->actions()) shown << action->text();
        menu->close();
    });
    QLineEdit* number = field(s.window, Quantity::M, Nutrient::P);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5), number->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(number, &rightClick);
    QCOMPARE(shown, (QStringList{"Копировать", "Сохранить результаты…", "Отчет…", "Анализ…"}));
}

// Captions with their leaders inside their labels and clear of the fields, values whole in
// their fields, no two controls on top of each other; the picture is left in the build folder.
void ResultsWindowTest::nothingIsClippedOrOverlapping() {
    Session s;
    s.window.show();
    QCOMPARE(s.window.size(), QSize(639, 590));

    std::vector<QWidget*> controls;
    for (QLabel* label : s.window.findChildren<QLabel*>()) {
        const QStringList lines = label->text().split('\n');
        QVERIFY2(label->height() >= lines.size() * label->fontMetrics().height() - 2, qPrintable(label->text()));
        for (const QString& line : lines)
            QVERIFY2(label->fontMetrics().horizontalAdvance(line) <= label->width(), qPrintable(line));
        if (label->text() != "2") controls.push_back(label);
    }
    int leaders = 0;
    for (const QLabel* label : s.window.findChildren<QLabel*>())
        if (label->text().endsWith("....")) ++leaders;
    QCOMPARE(leaders, 13);
    for (QLineEdit* field : s.window.findChildren<QLineEdit*>()) {
        QVERIFY2(field->fontMetrics().horizontalAdvance(field->text()) <= textRoom(*field),
                 qPrintable(field->objectName()));
        QCOMPARE(field->width(), 60);
        QVERIFY(field->isReadOnly());
        controls.push_back(field);
    }
    for (QPushButton* button : s.window.findChildren<QPushButton*>()) controls.push_back(button);
    const QRect client(QPoint(0, 0), s.window.size());
    for (QWidget* a : controls) {
        const QRect ra(a->mapTo(&s.window, QPoint(0, 0)), a->size());
        QVERIFY2(client.contains(ra), qPrintable(a->objectName()));
        for (QWidget* b : controls) {
            const QRect rb(b->mapTo(&s.window, QPoint(0, 0)), b->size());
            QVERIFY2(a == b || !ra.intersects(rb), qPrintable(a->objectName() + " / " + b->objectName()));
        }
    }

    const QString picture = QCoreApplication::applicationDirPath() + "/results_window.png";
    QVERIFY(s.window.grab().save(picture));
}

void ResultsWindowTest::menuAndShortcuts_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<int>("dialogs");  // shown by the keys
    QTest::newRow("copy") << 0 << "Копировать" << QKeySequence("Ctrl+C") << 0;
    QTest::newRow("save results") << 1 << "Сохранить результаты…" << QKeySequence("Ctrl+S") << 1;
    QTest::newRow("report") << 2 << "Отчет…" << QKeySequence("Ctrl+P") << 1;
    QTest::newRow("analysis") << 3 << "Анализ…" << QKeySequence("Ctrl+Shift+A") << 0;
}

void ResultsWindowTest::menuAndShortcuts() {
    QFETCH(int, action);
    QFETCH(QString, text);
    QFETCH(QKeySequence, keys);
    QFETCH(int, dialogs);
    Session s;
    s.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    QCOMPARE(s.window.contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(s.window.actions().size(), 4);
    QCOMPARE(s.window.actions()[action]->text(), text);
    QCOMPARE(s.window.actions()[action]->shortcut(), keys);
    QTest::keySequence(&s.window, keys);
    QCOMPARE(s.dialogs.shown, dialogs);
    QCOMPARE(s.recorder.boxes, Boxes{});
}

void ResultsWindowTest::resultsAndReportLeaveTheProgram_data() {
    QTest::addColumn<int>("action");
    QTest::addColumn<QString>("parametersFile");
    QTest::addColumn<Target>("target");
    QTest::addColumn<QString>("fileField");  // of the CSV
    QTest::addColumn<Obstacle>("obstacle");
    QTest::addColumn<QString>("failure");
    QTest::newRow("results of typed parameters") << 1 << "" << Target::None << "" << Obstacle::None << "";
    QTest::newRow("results of a parameters file") << 1 << "/data/Ладога, вариант 2.txt" << Target::None
                                                  << "\"/data/Ладога, вариант 2.txt\"" << Obstacle::None << "";
    QTest::newRow("results, medium full")
        << 1 << "" << Target::None << "" << Obstacle::FullMedium << "I/O error 27: File too large";
    QTest::newRow("report as PDF") << 2 << "" << Target::PdfFile << "" << Obstacle::None << "";
    QTest::newRow("report printed") << 2 << "" << Target::Printer << "" << Obstacle::None << "";
    QTest::newRow("report cancelled") << 2 << "" << Target::None << "" << Obstacle::None << "";
    QTest::newRow("report over a folder")
        << 2 << "" << Target::PdfFile << "" << Obstacle::Folder << nutrient::kFileAccessDenied;
}

// The CSV holds this catchment as the command line writes it; the report has its two pages,
// whether saved or printed.  A failed save shows its error and leaves what was there.
void ResultsWindowTest::resultsAndReportLeaveTheProgram() {
    QFETCH(int, action);
    QFETCH(Target, target);
    QFETCH(QString, parametersFile);
    QFETCH(QString, fileField);
    QFETCH(Obstacle, obstacle);
    QFETCH(QString, failure);
    Session s;
    s.window.show();
    if (!parametersFile.isEmpty()) s.window.setParametersFile([&] { return parametersFile; });
    QTemporaryDir dir;
    const QString saved = dir.filePath("saved");
    s.dialogs.resultsAnswers << saved;
    s.dialogs.report = {target, saved};
    s.dialogs.printedTo = saved;
    QVERIFY(saveAgainst(obstacle, saved, [&] { s.window.actions()[action]->trigger(); }));

    QCOMPARE(s.dialogs.shown, 1);
    // A PDF is offered under the object's name.
    if (action == 2) QCOMPARE(QFileInfo(s.dialogs.offeredPdf).fileName(), "Частный водосбор Финского залива.pdf");
    if (!failure.isEmpty()) {
        QCOMPARE(s.recorder.boxes, (Boxes{{"failure", failure.toStdString()}}));
        QVERIFY(leftAsItWas(obstacle, saved));
        return;
    }
    QCOMPARE(s.recorder.boxes, Boxes{});
    if (action == 1) {
        QCOMPARE(fileBytes(saved), standardCsv(fileField));
    } else if (target == Target::None) {
        QVERIFY(!QFile::exists(saved));
    } else {
        QCOMPARE(pdfPageCount(saved), 2);
        const QString text = pdfText(saved);
        QVERIFY(text.contains("Частный водосбор Финского залива"));
        QVERIFY(text.contains("(L) 3126.5 15065.9"));
    }
}

// A spreadsheet on a Russian desktop reads semicolons, decimal commas and a byte-order mark.
void ResultsWindowTest::resultsForASpreadsheet() {
    Session s;
    s.window.show();
    QTemporaryDir dir;
    const QString saved = dir.filePath("saved.csv");
    s.dialogs.resultsAnswers << saved;
    s.dialogs.resultsDialect = nutrient::kRussianSpreadsheetCsv;
    s.window.saveResults();
    QByteArray expected = standardCsv("").replace(',', ';').replace('.', ',');
    QCOMPARE(fileBytes(saved), "\xEF\xBB\xBF" + expected);
}

QTEST_MAIN(ResultsWindowTest)
#include "tst_results_window.moc"
