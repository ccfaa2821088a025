// Renders every window of the program, as the user reaches it, to PNG files in the
// "screenshots" directory of the build folder, so that anyone can look at them.  The results
// and chart windows are taken after a calculation of the standard set, the analysis window
// with a reduction target taken into its scenario.

#include "no_file_dialogs.h"
#include "recorder.h"
#include "ui/lazy_dialog.h"
#include "ui/program.h"

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QtTest>

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

void click(QWidget& window, const char* buttonName) {
    auto* button = window.findChild<QPushButton*>(QString::fromLatin1(buttonName));
    QVERIFY2(button, buttonName);
    button->click();
}

}  // namespace

class Screenshots : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { nutrient::setModalShowingForTests(true); }
    void everyWindowAsTheUserReachesIt();

private:
    void take(QWidget& window, const QString& name);
    QDir dir_ = screenshotDirectory();
};

void Screenshots::take(QWidget& window, const QString& name) {
    QVERIFY2(window.isVisible(), qPrintable(name));
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPixmap picture = window.grab();
    QCOMPARE(picture.size(), window.size());
    QVERIFY(picture.save(dir_.filePath(name + QStringLiteral(".png"))));
}

void Screenshots::everyWindowAsTheUserReachesIt() {
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
    // scenario, and the sensitivity of the standard set.
    nutrient::AnalysisWindow& analysis = program.analysisWindow();
    nutrient::showModal(analysis);
    analysis.findChild<QCheckBox*>(QStringLiteral("moves:P:livestock"))->setChecked(true);
    QTest::keyClicks(analysis.findChild<QLineEdit*>(QStringLiteral("target:P")), QStringLiteral("2000"));
    click(analysis, "cutIntoScenario:P");
    take(analysis, QStringLiteral("8-analysis-scenario"));
    analysis.findChild<QTabWidget*>()->setCurrentIndex(1);
    take(analysis, QStringLiteral("9-analysis-sensitivity"));
    analysis.close();

    // The standard set calculates and charts without a single box.
    QCOMPARE(recorder.boxes, std::vector<RecordedBox>{});
}

QTEST_MAIN(Screenshots)
#include "tst_screenshots.moc"
