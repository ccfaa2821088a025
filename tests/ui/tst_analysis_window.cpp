// The analysis window's scenario and sensitivity pages on the standard catchment: the figures a
// hydrologist reads, a scenario saved and computed again, bad input named without a box and
// without a change to the parameters, and the report's pages of both analyses.

#include "ui/analysis_window.h"

#include "analysis_session.h"
#include "model/file_calculation.h"
#include "saved_files.h"
#include "temp_folder.h"
#include "ui/analysis_page.h"
#include "ui/charts/tornado_chart.h"
#include "ui/lazy_dialog.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

#include <filesystem>

using namespace nutrient;

namespace {

// The scenario table: a row per result; per nutrient the baseline, the scenario, the change and
// the change in per cent.
int scenarioColumn(Nutrient nutrient) { return 2 + 4 * static_cast<int>(nutrient); }

struct Analysis : AnalysisSession {
    const ParameterTexts typed = parameters.texts();

    void check(const QStringList& boxes) const {
        for (const QString& box : boxes) child<QCheckBox>(box).setChecked(true);
    }
    QString scenarioL(Nutrient nutrient) const {
        return cell("scenarioResults", static_cast<int>(Quantity::L), scenarioColumn(nutrient));
    }
};

}  // namespace

class AnalysisWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setModalShowingForTests(true); }
    void targetVerdicts_data();
    void targetVerdicts();
    void aCutTakenIntoTheScenarioIsSavedAndComputesAsShown();
    void aVariantIsNeverSavedOverTheOpenFile_data();
    void aVariantIsNeverSavedOverTheOpenFile();
    void sensitivityOfTheStandardSet();
    void badInputIsNamedUnderItsFieldAndChangesNothing_data();
    void badInputIsNamedUnderItsFieldAndChangesNothing();
    void aBaselineThatFailsIsNamedOnBothPages();
    void theReportAddsThePagesOfTheAnalyses_data();
    void theReportAddsThePagesOfTheAnalyses();
};

void AnalysisWindowTest::targetVerdicts_data() {
    QTest::addColumn<QString>("nutrient");
    QTest::addColumn<QString>("load");
    QTest::addColumn<QStringList>("levers");
    QTest::addColumn<QString>("verdict");
    QTest::newRow("livestock to L(P) 2000")
        << "P"
        << "2000" << QStringList{"moves:P:livestock"}
        << "Цель достигнута при сокращении на 30.77 %: L(P) = 1999.7 т/год; L(N) = 9774.8 т/год";
    QTest::newRow("point sources to L(P) 2000")
        << "P"
        << "2000" << QStringList{"moves:P:point"}
        << "Цель недостижима этими рычагами: при сокращении на 100.00 % L(P) = 2990.8 т/год, на 135.7 т/год меньше "
           "исходной; L(N) = 14091.8 т/год";
    QTest::newRow("fertiliser and livestock to L(N) 12000")
        << "N"
        << "12000" << QStringList{"moves:N:fertiliser", "moves:N:livestock"}
        << "Цель достигнута при сокращении на 15.28 %: L(N) = 12000.0 т/год; L(P) = 2505.1 т/год";
    QTest::newRow("already met") << "P"
                                 << "3126.5" << QStringList{"moves:P:point"}
                                 << "Цель уже достигнута: L(P) = 3126.5 т/год";
    QTest::newRow("below the natural component")
        << "N"
        << "3969.2" << QStringList{"moves:N:point"}
        << "Цель ниже фоновой (природной) компоненты нагрузки: Lnat(N) = 3969.3 т/год";
    QTest::newRow("no lever") << "P"
                              << "2000" << QStringList{} << "Отметьте рычаги цели L(P) в столбце «Цель L(P)».";
}

void AnalysisWindowTest::targetVerdicts() {
    QFETCH(QString, nutrient);
    QFETCH(QString, load);
    QFETCH(QStringList, levers);
    QFETCH(QString, verdict);
    Analysis analysis;
    analysis.window.show();
    analysis.check(levers);
    analysis.type("target:" + nutrient, load);
    QCOMPARE(analysis.label("verdict:" + nutrient), verdict);
    QCOMPARE(analysis.recorder.boxes, Boxes{});
}

void AnalysisWindowTest::aCutTakenIntoTheScenarioIsSavedAndComputesAsShown() {
    Analysis analysis;
    analysis.window.show();
    analysis.type("percent:point:N", "-50");
    analysis.check({"moves:P:livestock"});
    analysis.type("target:P", "2000");
    analysis.child<QPushButton>("cutIntoScenario:P").click();
    QCOMPARE(analysis.child<QLineEdit>("percent:livestock").text(), "-30.77");
    QCOMPARE(analysis.child<QLineEdit>("percent:point:N").text(), "");
    QCOMPARE(analysis.scenarioL(Nutrient::P), "1999.7");
    QCOMPARE(analysis.scenarioL(Nutrient::N), "9774.8");

    const TempFolder folder;
    analysis.dialogs.saveAnswers << QString::fromStdString(folder / "variant");
    analysis.child<QPushButton>("saveVariant").click();
    const std::string saved = folder / "variant.txt";
    QCOMPARE(analysis.dialogs.rememberedSaveNames, QStringList{QString::fromStdString(saved)});
    const FileCalculation computed = calculateFile(saved);
    QVERIFY(computed.computed);
    for (const ResultRow& row : kResultRows)
        for (Nutrient nutrient : kNutrients)
            QCOMPARE(QString::fromStdString(computed.results.text(row.quantity, nutrient)),
                     analysis.cell("scenarioResults", static_cast<int>(row.quantity), scenarioColumn(nutrient)));
    QCOMPARE(analysis.recorder.boxes, Boxes{});
    QVERIFY(analysis.parameters.texts() == analysis.typed);
}

void AnalysisWindowTest::aVariantIsNeverSavedOverTheOpenFile_data() {
    QTest::addColumn<QString>("answer");
    QTest::newRow("its name") << "gulf.txt";
    QTest::newRow("its name without the extension") << "gulf";
    QTest::newRow("a link to it") << "link.txt";
}

void AnalysisWindowTest::aVariantIsNeverSavedOverTheOpenFile() {
    QFETCH(QString, answer);
    const TempFolder folder;
    const std::string open = folder / "gulf.txt";
    writeBytes(open, "saved by the user");
    std::filesystem::create_symlink(open, folder / "link.txt");
    Analysis analysis;
    analysis.window.setParametersFile([&] { return QString::fromStdString(open); });
    analysis.window.show();
    analysis.type("percent:point:P", "-50");
    analysis.dialogs.saveAnswers << QString::fromStdString(folder / answer.toStdString());
    analysis.child<QPushButton>("saveVariant").click();
    const std::string refused = folder / (answer.endsWith(".txt") ? answer : answer + ".txt").toStdString();
    QCOMPARE(
        analysis.recorder.boxes,
        (Boxes{{"failure", "A variant is not saved over the parameters file it is made from: '" + refused + "'"}}));
    QCOMPARE(readBytes(open), "saved by the user");
}

void AnalysisWindowTest::sensitivityOfTheStandardSet() {
    Analysis analysis;
    analysis.window.show();
    const QStringList topOfP{"b(P)", "2757.1", "3464.8", "707.7", "1.139"};
    for (int c = 0; c < topOfP.size(); ++c) QCOMPARE(analysis.cell("sensitivity:P", 0, c), topOfP[c]);
    QCOMPARE(analysis.cell("sensitivity:P", 1, 4), "0.705");
    QCOMPARE(analysis.cell("sensitivity:N", 0, 0), "df(N)");
    QCOMPARE(analysis.cell("sensitivity:N", 0, 4), "-0.748");
    QCOMPARE(analysis.label("sensitivitySkipped"), "Не изменялись (равны нулю): da(N), Lex(P), Lex(N)");

    const std::vector<TornadoBar>& bars = analysis.child<TornadoChart>("tornado:P").figures();
    QCOMPARE(bars.size(), 12u);
    QCOMPARE(bars.front(), (TornadoBar{"b(P)", 2757.1, 3464.8, 3126.5}));
    QCOMPARE(analysis.child<TornadoChart>("tornado:N").look().title, "L(N) = 15065.9 т/год");

    analysis.type("sensitivityStep", "5");
    QCOMPARE(analysis.child<QTableWidget>("sensitivity:P").horizontalHeaderItem(1)->text(), "L при −5 %");
    QCOMPARE(analysis.cell("sensitivity:P", 0, 0), "b(P)");
}

void AnalysisWindowTest::badInputIsNamedUnderItsFieldAndChangesNothing_data() {
    QTest::addColumn<QString>("lever");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("problem");
    QTest::newRow("a percentage that is no number")
        << ""
        << "percent:point:P"
        << "abc"
        << "scenarioProblems"
        << "'Точечные источники (P): abc %': the percentage is not a number.";
    QTest::newRow("a percentage below -100")
        << ""
        << "percent:livestock"
        << "-101"
        << "scenarioProblems"
        << "'Поголовье скота и птицы: -101 %': the percentage is outside -100 ... +1000.";
    QTest::newRow("a target that is no number") << "moves:P:point"
                                                << "target:P"
                                                << "1e"
                                                << "verdict:P"
                                                << "'L(P)=1e': the target is not a number.";
    QTest::newRow("a negative target") << "moves:N:fertiliser"
                                       << "target:N"
                                       << "-1"
                                       << "verdict:N"
                                       << "'L(N)=-1': the target is negative.";
    QTest::newRow("a step of zero") << ""
                                    << "sensitivityStep"
                                    << "0"
                                    << "sensitivityProblem"
                                    << "The sensitivity step '0' is outside 0 ... 100: give a percentage above 0.";
}

void AnalysisWindowTest::badInputIsNamedUnderItsFieldAndChangesNothing() {
    QFETCH(QString, lever);
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, label);
    QFETCH(QString, problem);
    Analysis analysis;
    analysis.window.show();
    if (!lever.isEmpty()) analysis.check({lever});
    analysis.type(field, typed);
    QCOMPARE(analysis.label(label), problem);
    QVERIFY(!analysis.child<QLineEdit>(field).styleSheet().isEmpty());
    if (field.startsWith("percent")) {
        QVERIFY(!analysis.child<QPushButton>("saveVariant").isEnabled());
        QCOMPARE(analysis.scenarioL(Nutrient::P), "");
    }
    QCOMPARE(analysis.recorder.boxes, Boxes{});
    QVERIFY(analysis.parameters.texts() == analysis.typed);

    // Corrected, the problem goes.
    analysis.type(field, "10");
    QCOMPARE(analysis.label(label).contains(problem), false);
    QVERIFY(analysis.child<QLineEdit>(field).styleSheet().isEmpty());
}

void AnalysisWindowTest::aBaselineThatFailsIsNamedOnBothPages() {
    Analysis analysis;
    analysis.parameters.setText(Parameter::WaterShare, "0");
    const ParameterTexts typed = analysis.parameters.texts();
    analysis.window.show();
    analysis.check({"moves:P:point"});
    analysis.type("target:P", "2000");
    QCOMPARE(analysis.label("scenarioProblems"),
             "Результаты исходного варианта не могут быть приняты: Floating point division by zero.");
    const QString cannotBeTaken = "The baseline's results cannot be taken: Floating point division by zero.";
    QCOMPARE(analysis.label("verdict:P"), cannotBeTaken);
    QCOMPARE(analysis.label("sensitivityProblem"), cannotBeTaken);
    QCOMPARE(analysis.child<QTableWidget>("sensitivity:P").rowCount(), 0);
    QVERIFY(analysis.window.pages()[1]->reportPages().empty());
    QCOMPARE(analysis.recorder.boxes, Boxes{});
    QVERIFY(analysis.parameters.texts() == typed);
}

void AnalysisWindowTest::theReportAddsThePagesOfTheAnalyses_data() {
    QTest::addColumn<bool>("withScenario");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    const QStringList sensitivity{"Чувствительность нагрузки на водный объект, шаг s = 10 %",
                                  "1 b(P) 2757.1 3464.8 707.7 1.139 df(N)", "-0.748",
                                  "Не изменялись (равны нулю): da(N), Lex(P), Lex(N)", "параметр уменьшен"};
    QTest::newRow("sensitivity alone") << false << 3 << sensitivity << QStringList{"Сценарий сокращения нагрузки"};
    QTest::newRow("scenario and target")
        << true << 4
        << sensitivity + QStringList{"Сценарий сокращения нагрузки",
                                     "Рычаги: Поголовье скота и птицы: -30.77 %",
                                     "N(cattle): 108030 → 74789.169",
                                     "Цель: L(P) ≤ 2000 т/год, рычаги: Поголовье скота и птицы. Цель достигнута при "
                                     "сокращении на 30.77 %: L(P) = 1999.7",
                                     "(L) 3126.5 1999.7 -1126.8 -36.04",
                                     "Страница 4 из 4"}
        << QStringList{};
}

void AnalysisWindowTest::theReportAddsThePagesOfTheAnalyses() {
    QFETCH(bool, withScenario);
    QFETCH(int, pages);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    Analysis analysis;
    analysis.window.show();
    if (withScenario) {
        analysis.type("percent:livestock", "-30.77");
        analysis.check({"moves:P:livestock"});
        analysis.type("target:P", "2000");
    }
    const QString tag = QString::fromUtf8(QTest::currentDataTag()).replace(' ', '-');
    const QString file = QCoreApplication::applicationDirPath() + "/report-analysis-" + tag + ".pdf";
    analysis.dialogs.report = {ReportTarget::Kind::PdfFile, file};
    analysis.window.makeReport();
    QCOMPARE(analysis.recorder.boxes, Boxes{});
    QCOMPARE(pdfPageCount(file), pages);
    const QString text = pdfText(file);
    for (const QString& phrase : present) QVERIFY2(text.contains(phrase), qPrintable(phrase));
    for (const QString& phrase : absent) QVERIFY2(!text.contains(phrase), qPrintable(phrase));
}

QTEST_MAIN(AnalysisWindowTest)
#include "tst_analysis_window.moc"
