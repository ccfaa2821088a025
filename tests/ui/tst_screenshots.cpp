// Renders every window of the program, as the user reaches it, to PNG files in the
// "screenshots" directory of the build folder, so that anyone can look at them.  The results
// and chart windows are taken after a calculation of the standard set, the analysis window's
// pages with the inputs a user would give them, the basin window with a basin of four
// sub-catchments.

#include "basin_files.h"
#include "no_file_dialogs.h"
#include "ui/lazy_dialog.h"
#include "ui/program.h"
#include "ui/uncertainty_runner.h"
#include "widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>

namespace {

// The build folder is the nearest directory upwards that holds the CMake cache.
QDir screenshotDirectory() {
    QDir dir(QCoreApplication::applicationDirPath());
    while (!dir.exists(QStringLiteral("CMakeCache.txt")) && dir.cdUp()) {
    }
    dir.mkpath(QStringLiteral("screenshots"));
    dir.cd(QStringLiteral("screenshots"));
    return dir;
}

void typeInto(QWidget& window, const char* fieldName, const QString& text) {
    typeKeys(namedChild<QLineEdit>(window, fieldName), text);
}

// A parameter's range on the page "Неопределенность", its distribution chosen by its caption.
void giveRange(QWidget& window, const QString& symbol, const QString& low, const QString& high,
               const QString& distribution) {
    auto* table = namedChild<QTableWidget>(window, "RangesTable");
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->item(row, 0)->text() != symbol) continue;
        table->item(row, 2)->setText(low);
        table->item(row, 3)->setText(high);
        auto* box = static_cast<QComboBox*>(table->cellWidget(row, 4));
        box->setCurrentIndex(box->findText(distribution));
    }
}

}  // namespace

class ScreenshotsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { nutrient::setModalShowingForTests(true); }
    void everyWindowAsTheUserReachesIt();

private:
    void take(QWidget& window, const QString& name);
    QDir dir_ = screenshotDirectory();
};

void ScreenshotsTest::take(QWidget& window, const QString& name) {
    QVERIFY2(window.isVisible(), qPrintable(name));
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    // The layouts a change asked for are done first, as the event loop does before it paints.
    QCoreApplication::sendPostedEvents();
    const QPixmap picture = window.grab();
    QCOMPARE(picture.size(), window.size());
    QVERIFY(picture.save(dir_.filePath(name + QStringLiteral(".png"))));
}

void ScreenshotsTest::everyWindowAsTheUserReachesIt() {
    Recorder recorder;
    NoFileDialogs dialogs;
    nutrient::Program program(recorder, dialogs, recorder);
    nutrient::MainWindow& main = program.mainWindow();
    main.show();
    take(main, QStringLiteral("1-main"));

    click(main, "BitBtn3");
    take(program.parametersWindow(), QStringLiteral("2-parameters"));
    program.parametersWindow().close();

    click(main, "BitBtn2");
    nutrient::ResultsWindow& results = program.resultsWindow();
    take(results, QStringLiteral("3-results"));
    click(results, "BitBtn2");
    take(program.sourceShareWindow(), QStringLiteral("5-source-shares"));
    program.sourceShareWindow().close();
    click(results, "BitBtn3");
    take(program.budgetWindow(), QStringLiteral("6-budget"));
    program.budgetWindow().close();
    results.close();

    click(main, "BitBtn4");
    take(program.helpWindow(), QStringLiteral("4-help"));
    program.helpWindow().close();
    click(main, "BitBtn5");
    take(program.methodWindow(), QStringLiteral("7-method"));
    QScrollBar* scroll = program.methodWindow().findChild<QPlainTextEdit*>()->verticalScrollBar();
    scroll->setValue(scroll->maximum());
    take(program.methodWindow(), QStringLiteral("7-method-end"));
    program.methodWindow().close();

    // The analyses: the livestock cut that brings L(P) down to 2000 t/yr, taken into the
    // scenario; the sensitivity of the standard set; the uncertainty of the load with three
    // ranges and a target; its check against measured loads.
    nutrient::AnalysisWindow& analysis = program.analysisWindow();
    nutrient::showModal(analysis);
    auto* pages = namedChild<QTabWidget>(analysis, "AnalysisPages");
    namedChild<QCheckBox>(analysis, "moves:P:livestock")->setChecked(true);
    typeInto(analysis, "target:P", QStringLiteral("2000"));
    click(analysis, "cutIntoScenario:P");
    take(analysis, QStringLiteral("scenario"));
    pages->setCurrentWidget(analysis.findChild<QWidget*>(QStringLiteral("SensitivityPage")));
    take(analysis, QStringLiteral("sensitivity"));
    pages->setCurrentWidget(analysis.findChild<QWidget*>(QStringLiteral("UncertaintyPage")));
    typeInto(analysis, "TargetP", QStringLiteral("3000"));
    giveRange(analysis, QStringLiteral("a(P)"), QStringLiteral("-20%"), QStringLiteral("+20%"),
              QStringLiteral("равномерное"));
    giveRange(analysis, QStringLiteral("Lp(P)"), QStringLiteral("190"), QStringLiteral("260"),
              QStringLiteral("треугольное"));
    giveRange(analysis, QStringLiteral("a(N)"), QStringLiteral("-20%"), QStringLiteral("+20%"),
              QStringLiteral("треугольное"));
    auto* runner = analysis.findChild<nutrient::UncertaintyRunner*>();
    QVERIFY(QTest::qWaitFor([&] { return !runner->running(); }, 300000));
    take(analysis, QStringLiteral("uncertainty"));
    pages->setCurrentWidget(analysis.findChild<QWidget*>(QStringLiteral("MeasuredLoadPage")));
    typeInto(analysis, "MeasuredP", QStringLiteral("2500"));
    typeInto(analysis, "MeasuredN", QStringLiteral("13500"));
    take(analysis, QStringLiteral("measured-load"));
    analysis.close();

    // A basin of four sub-catchments, one draining into another, with loads measured at three
    // outlets, from the main window's menu.
    BasinFolder basin;
    basin.writeParameters("upper.txt",
                          {{nutrient::Parameter::RunoffLayer, "250"}, {nutrient::Parameter::PointSourcesP, "80"}});
    basin.writeParameters("middle.txt");
    basin.writeParameters("east.txt",
                          {{nutrient::Parameter::RunoffLayer, "350"}, {nutrient::Parameter::WaterShare, "2"}});
    basin.writeParameters("west.txt",
                          {{nutrient::Parameter::RunoffLayer, "200"}, {nutrient::Parameter::PointSourcesP, "400"}});
    for (QAction* action : main.actions())
        if (action->text() == nutrient::kBasinAction) action->trigger();
    program.basinWindow().loadBasinFile(
        QString::fromStdString(basin.writeBasin("file,drains_into,observed_P\nupper.txt,middle.txt,\nmiddle.txt,,5850\n"
                                                "east.txt,,2620\nwest.txt,,2660\n")));
    take(program.basinWindow(), QStringLiteral("8-basin"));
    program.basinWindow().close();

    // The standard set calculates and charts without a single box.
    QCOMPARE(recorder.boxes, Boxes{});
}

QTEST_MAIN(ScreenshotsTest)
#include "tst_screenshots.moc"
