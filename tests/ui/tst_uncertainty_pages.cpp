// The analysis window's pages "Неопределенность" and "Сверка с измерениями": the figures a user
// reads on the standard set, the refusals with their reasons, the ranges file and the variant
// file they save, the draws started anew on a change, and their two report pages, the same as
// the command line makes from the core's objects.  The reports are left in the build folder as
// analysis-report-window.pdf and analysis-report-core.pdf to be looked at.

#include "ui/analysis_report.h"
#include "ui/analysis_window.h"
#include "ui/measured_load_page.h"
#include "ui/uncertainty_page.h"
#include "ui/uncertainty_report.h"
#include "ui/uncertainty_runner.h"

#include "analysis_session.h"
#include "model_fixture.h"
#include "saved_files.h"
#include "standard_set.h"
#include "temp_folder.h"
#include "widgets.h"

#include "model/number_text.h"
#include "model/parameters_file.h"
#include "model/results_export.h"
#include "model/sensitivity.h"
#include "model/variant.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>

using namespace nutrient;

using Rows = std::vector<QStringList>;
Q_DECLARE_METATYPE(Rows)

namespace {

// Draws on an instrumented build may take long; nothing here measures how long.
constexpr int kPatience = 300000;

struct Session : AnalysisSession {
    using AnalysisSession::AnalysisSession;
    UncertaintyPage& uncertainty() { return *window.findChild<UncertaintyPage*>(); }
    MeasuredLoadPage& measured() { return *window.findChild<MeasuredLoadPage*>(); }
    UncertaintyRunner& runner() { return *window.findChild<UncertaintyRunner*>(); }
    // Types both ends of a parameter's range, then chooses its distribution (1 uniform, 2 triangular).
    void range(const char* symbol, const char* low, const char* high, int distribution = 1) {
        auto& table = child<QTableWidget>("RangesTable");
        for (int row = 0; row < table.rowCount(); ++row) {
            if (table.item(row, 0)->text() != QString::fromUtf8(symbol)) continue;
            table.item(row, 2)->setText(QString::fromUtf8(low));
            table.item(row, 3)->setText(QString::fromUtf8(high));
            static_cast<QComboBox*>(table.cellWidget(row, 4))->setCurrentIndex(distribution);
        }
    }
    bool drawsFinished() {
        return QTest::qWaitFor([&] { return !runner().running(); }, kPatience);
    }
    Rows rows(const char* table) {
        const auto& widget = child<QTableWidget>(table);
        Rows rows;
        for (int row = 0; row < widget.rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < widget.columnCount(); ++column)
                cells << (widget.item(row, column) ? widget.item(row, column)->text() : QString());
            rows.push_back(cells);
        }
        return rows;
    }
};

// What the core makes of the same ranges: the draws and their summary.
struct CoreRun {
    UncertaintyRun run;
    UncertaintySummary summary;
    CoreRun(const ParameterTexts& texts, const std::vector<UncertaintyRange>& ranges, std::size_t draws,
            std::uint64_t seed)
        : run(*runUncertainty(texts, ranges, {draws, seed, 0})), summary(summarize(run)) {}
};

const std::string kRangesFile =
    "parameter,low,high,distribution\r\n"
    "a(P),-20%,+20%,uniform\r\n"
    "N(poultry),10000000,14000000,triangular\r\n";

}  // namespace

class UncertaintyPagesTest : public QObject {
    Q_OBJECT
private slots:
    void measuredLoadFigures_data();
    void measuredLoadFigures();
    void aFittedVariantIsSavedNeverOverItsOwnFile();
    void withoutRangesEveryPercentileIsTheBaseline();
    void rangesSavedByTheWindowGiveTheCoresPercentiles();
    void aChangedRangeStartsTheDrawsAnew();
    void refusedInputsNameWhatIsWrong_data();
    void refusedInputsNameWhatIsWrong();
    void aRefusedRangesFileLeavesTheTable();
    void theReportPagesAreThoseOfTheCommandLine();
};

void UncertaintyPagesTest::measuredLoadFigures_data() {
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QString>("measuredP");
    QTest::addColumn<int>("coefficient");
    QTest::addColumn<QStringList>("checkP");   // the check's row of P
    QTest::addColumn<QStringList>("fittedP");  // L, Lret, Lnat of P recomputed
    QTest::addColumn<QString>("shown");        // the notes, or the refusal above the tables
    const QStringList none;
    QTest::newRow("fit a") << Edits{} << "2500" << 0
                           << QStringList{"Фосфор", "2500", "3126.5", "+25.1", "0.51156", "a(P) = 22.5515552144082"}
                           << QStringList{"2500.0", "2387.0", "239.9"} << "";
    QTest::newRow("fit b") << Edits{} << "2500" << 1
                           << QStringList{"Фосфор", "2500", "3126.5", "+25.1", "0.51156", "b(P) = -0.774696938891862"}
                           << QStringList{"2500.0", "2387.0", "239.9"} << "";
    QTest::newRow("the load computed gives a back")
        << Edits{} << "3126.5" << 0
        << QStringList{"Фосфор", "3126.5", "3126.5", "+0.0", "0.63976", "a(P) = 13.2996950588027"}
        << QStringList{"3126.5", "1760.5", "300.0"} << "";
    QTest::newRow("Rt_obs at least 1") << Edits{} << "5000" << 0
                                       << QStringList{"Фосфор", "5000", "3126.5", "-37.5", "1.02312", "не подобрано"}
                                       << none
                                       << "Фосфор: не подобрано: The measured load exceeds what the catchment "
                                          "receives (Rt_obs = 1.02312): a source is missing.";
    QTest::newRow("Rt_obs at most 0") << Edits{{Parameter::InflowP, "600"}} << "500" << 0
                                      << QStringList{"Фосфор", "500", "3726.5", "+645.3", "-0.02046", "не подобрано"}
                                      << none
                                      << "Фосфор: не подобрано: The measured load is not above the inflow from "
                                         "outside (Rt_obs = -0.02046): nothing would come from the catchment.";
    QTest::newRow("HL = 1, fit b") << Edits{{Parameter::WaterShare, "29.96595"}} << "2500" << 1
                                   << QStringList{"Фосфор", "2500", "333.9", "-86.6", "0.52364", "не подобрано"} << none
                                   << "Фосфор: не подобрано: The hydraulic load is 1 m/yr, where the exponent b "
                                      "changes nothing: fit a instead.";
    QTest::newRow("not a number") << Edits{} << "2500 t" << 0 << none << none
                                  << "Measured load of P: '2500 t' is not a valid floating point value.";
    QTest::newRow("zero") << Edits{} << "0" << 0 << none << none
                          << "Measured load of P: '0' is not a measured load: it must be above zero.";
}

void UncertaintyPagesTest::measuredLoadFigures() {
    QFETCH(Edits, edits);
    QFETCH(QString, measuredP);
    QFETCH(int, coefficient);
    QFETCH(QStringList, checkP);
    QFETCH(QStringList, fittedP);
    QFETCH(QString, shown);
    Session s(edits);
    s.window.show();
    s.child<QComboBox>("FittedCoefficient").setCurrentIndex(coefficient);
    s.type("MeasuredP", measuredP);

    const Rows check = s.rows("Check");
    QCOMPARE(check[0], checkP.isEmpty() ? QStringList(6, QString()) : checkP);
    const Rows results = s.rows("FittedResults");
    const QStringList fitted = fittedP.isEmpty()
                                   ? QStringList(3, QString())
                                   : QStringList{results[int(Quantity::L)][2], results[int(Quantity::Lret)][2],
                                                 results[int(Quantity::Lnat)][2]};
    if (!fittedP.isEmpty()) QCOMPARE(fitted, fittedP);
    QCOMPARE(results[int(Quantity::L)][1], fittedP.isEmpty() ? QString() : QStringLiteral("3126.5"));
    QCOMPARE(s.label("CheckNotes") + s.label("CheckRefusal"), shown);
    QCOMPARE(s.child<QPushButton>("SaveVariant").isEnabled(), !fittedP.isEmpty());
    QCOMPARE(s.recorder.boxes, std::vector<RecordedBox>{});
}

// The variant opens as an ordinary parameters file giving the recomputed results; over the
// file the parameters came from it is refused and that file stays as it was.
void UncertaintyPagesTest::aFittedVariantIsSavedNeverOverItsOwnFile() {
    TempFolder folder;
    const QString own = QString::fromStdString(folder / "own.txt");
    QVERIFY(writeFileBytes(own, QByteArray::fromStdString(kStandardFileBytes)));
    Session s;
    s.window.setParametersFile([&] { return own; });
    s.window.show();
    s.type("MeasuredP", "2500");

    s.dialogs.saveAnswers << QString::fromStdString(folder / "fitted") << own;
    s.measured().saveVariant();
    Model opened;
    loadParameters(opened.parameters, folder / "fitted.txt", opened.recorder);
    const Computation variant = computeVariant(opened.parameters.texts());
    QCOMPARE(variant.results.text(Quantity::L, Nutrient::P), "2500.0");
    QCOMPARE(variant.parameters[int(Parameter::RetentionCoefficientP)], "22.5515552144082");

    s.measured().saveVariant();
    QCOMPARE(
        s.recorder.boxes,
        (std::vector<RecordedBox>{{"failure", "A variant is not saved over the parameters file it is made from: '" +
                                                  own.toStdString() + "'"}}));
    QCOMPARE(fileBytes(own).toStdString(), kStandardFileBytes);
    QCOMPARE(s.dialogs.rememberedSaveNames, (QStringList{QString::fromStdString(folder / "fitted.txt"), own}));
}

void UncertaintyPagesTest::withoutRangesEveryPercentileIsTheBaseline() {
    Session s;
    s.window.show();
    QVERIFY(s.drawsFinished());
    const Computation& baseline = s.window.baseline();
    for (const QStringList& row : s.rows("Statistics")) {
        const std::string key = row[0].toStdString();
        const Nutrient nutrient = key.ends_with("(P)") ? Nutrient::P : Nutrient::N;
        std::string expected = formatFixed(baseline.coefficients.rt(nutrient), kTransportCoefficientDecimals);
        for (const ResultRow& result : kResultRows)
            if (key == resultKey(result.quantity, nutrient))
                expected = baseline.results.text(result.quantity, nutrient);
        QCOMPARE(row.mid(1), QStringList(4, QString::fromStdString(expected)));
    }
    QCOMPARE(s.label("UncertaintyNotes"), "Рассчитано реализаций: 10000 из 10000.");
}

// The file the window writes is the core's, and the core's run on it shows the window's figures.
void UncertaintyPagesTest::rangesSavedByTheWindowGiveTheCoresPercentiles() {
    TempFolder folder;
    Session s;
    s.window.show();
    s.type("Draws", "2000");
    s.type("Seed", "7");
    s.type("TargetP", "3000");
    s.range("a(P)", "-20%", "+20%");
    s.range("N(poultry)", "10000000", "14000000", 2);
    QVERIFY(s.drawsFinished());

    s.dialogs.saveRangesAnswers << QString::fromStdString(folder / "ranges.csv");
    s.uncertainty().saveRanges();
    QCOMPARE(fileBytes(QString::fromStdString(folder / "ranges.csv")).toStdString(), kRangesFile);
    const ParameterTexts& texts = s.window.baseline().parameters;
    CoreRun core(texts, loadRanges(folder / "ranges.csv", texts), 2000, 7);
    core.summary = summarize(core.run, {3000.0L, std::nullopt});
    QCOMPARE(s.rows("Statistics"), uncertaintyRows(core.summary));
    QCOMPARE(s.label("UncertaintyNotes"), uncertaintyNotes(core.summary).join('\n'));
    QVERIFY(s.label("UncertaintyNotes").contains("Доля реализаций с L(P) не больше 3000: "));
    QCOMPARE(s.child<HistogramChart>("HistogramN").figures(),
             histogramFigures(core.summary, Nutrient::N, core.run.baseline));

    // Opened into a fresh window, the file gives back the same ranges.
    Session other;
    other.window.show();
    other.dialogs.openRangesAnswers << QString::fromStdString(folder / "ranges.csv");
    other.uncertainty().openRanges();
    QCOMPARE(other.uncertainty().ranges(), s.uncertainty().ranges());
    QCOMPARE(s.recorder.boxes, std::vector<RecordedBox>{});
}

// Only the draws of the inputs as they stand are ever shown.
void UncertaintyPagesTest::aChangedRangeStartsTheDrawsAnew() {
    Session s;
    s.window.show();
    s.type("Draws", "1000");
    QVERIFY(s.drawsFinished());
    QSignalSpy finished(&s.runner(), &UncertaintyRunner::finished);
    s.range("Lp(P)", "100", "300");
    s.range("Lp(P)", "150", "250");
    QVERIFY(finished.wait(kPatience));
    QCOMPARE(finished.count(), 1);
    const CoreRun core(s.window.baseline().parameters,
                       {{Parameter::PointSourcesP, "150", "250", Distribution::Uniform}}, 1000, 1);
    QCOMPARE(s.rows("Statistics"), uncertaintyRows(core.summary));
}

void UncertaintyPagesTest::refusedInputsNameWhatIsWrong_data() {
    QTest::addColumn<QString>("field");  // typed into, or a parameter's range "low high distribution"
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("low above high") << "Lp(P)"
                                    << "+10% -10% 1"
                                    << "Lp(P): the low end 233.2 is above the high end 190.8.";
    QTest::newRow("triangular without the value")
        << "Lp(P)"
        << "220 230 2"
        << "Lp(P): a triangular range must hold the value 212, its most likely one.";
    QTest::newRow("percentage without its sign")
        << "Cf(P)"
        << "10% +10% 1"
        << "Cf(P): '10%' is a percentage without its sign: write '-10%' or '+10%'";
    QTest::newRow("no draws") << "Draws"
                              << "0"
                              << "'0' is not a number of draws from 1 to 1000000.";
    QTest::newRow("seed") << "Seed"
                          << "-1"
                          << "'-1' is not a seed: a whole number from 0 to 18446744073709551615.";
    QTest::newRow("target") << "TargetN"
                            << "12 000"
                            << "'N=12 000': the target is not a number.";
}

// The page says why and shows no figure; the parameters stay as they were.
void UncertaintyPagesTest::refusedInputsNameWhatIsWrong() {
    QFETCH(QString, field);
    QFETCH(QString, text);
    QFETCH(QString, refusal);
    Session s;
    s.window.show();
    const QStringList range = text.split(' ');
    if (field.contains('(')) s.range(qPrintable(field), qPrintable(range[0]), qPrintable(range[1]), range[2].toInt());
    else s.type(qPrintable(field), text);
    QCOMPARE(s.label("UncertaintyRefusal"), refusal);
    QVERIFY(!s.runner().running());
    QCOMPARE(s.rows("Statistics")[2].mid(1), QStringList(4, QString()));
    QVERIFY(s.uncertainty().reportPages().empty());
    QCOMPARE(s.parameters.texts(), s.window.baseline().parameters);
}

void UncertaintyPagesTest::aRefusedRangesFileLeavesTheTable() {
    TempFolder folder;
    const std::string file = folder / "bad.csv";
    QVERIFY(writeFileBytes(QString::fromStdString(file),
                           QByteArray::fromStdString(kRangesFile + "Lp(P),abc,230,uniform\r\n")));
    Session s;
    s.window.show();
    s.range("Lp(P)", "200", "220");
    s.dialogs.openRangesAnswers << QString::fromStdString(file);
    s.uncertainty().openRanges();
    QCOMPARE(s.recorder.boxes,
             (std::vector<RecordedBox>{{"failure", "Line 4, low: 'abc' is not a valid floating point value"}}));
    QCOMPARE(s.uncertainty().ranges(),
             (std::vector<UncertaintyRange>{{Parameter::PointSourcesP, "200", "220", Distribution::Uniform}}));
}

// The window's report holds both pages after the sensitivity's (the scenario page shows nothing
// to report), exactly as the command line's functions paint them
// from the core's objects.
void UncertaintyPagesTest::theReportPagesAreThoseOfTheCommandLine() {
    Session s;
    s.window.show();
    s.type("Draws", "2000");
    s.range("a(P)", "-20%", "+20%");
    s.type("MeasuredP", "2500");
    QVERIFY(s.drawsFinished());
    const QString folder = QCoreApplication::applicationDirPath();
    s.dialogs.report = {ReportTarget::Kind::PdfFile, folder + "/analysis-report-window.pdf"};
    s.window.makeReport();

    const Computation& baseline = s.window.baseline();
    const CoreRun core(baseline.parameters, {{Parameter::RetentionCoefficientP, "-20%", "+20%", Distribution::Uniform}},
                       2000, 1);
    const MeasuredLoadCheck check =
        checkAgainstMeasured(baseline.parameters, {"2500", std::nullopt}, FittedCoefficient::A);
    const QString corePdf = folder + "/analysis-report-core.pdf";
    QVERIFY(writeFileBytes(corePdf,
                           reportPdf(baseline.parameters, baseline.results, baseline.coefficients, QDate::currentDate(),
                                     {sensitivityReportPage(sensitivityTable(baseline, kDefaultSensitivityStep)),
                                      uncertaintyReportPage(core.run, core.summary), measuredLoadReportPage(check)})));
    const QString text = pdfText(corePdf);
    QCOMPARE(pdfText(s.dialogs.report.fileName), text);
    for (const char* phrase :
         {"Неопределенность нагрузки: метод Монте-Карло",
          "Реализаций: 2000, начальное число: 1. Диапазоны: a(P) от "
          "-20% до +20%, равномерное.",
          "L(P) 3127.0 2932.7 3121.0 3341.1", "Рассчитано реализаций: 2000 из 2000.", "Фосфор: нагрузка L, т/год",
          "базовый 3126.5", "Сверка с измеренной нагрузкой", "Подбирается коэффициент удержания a.",
          "Фосфор 2500 3126.5 +25.1 0.51156 a(P) = 22.5515552144082", "(L) 3126.5 2500.0 15065.9 15065.9",
          "(Lret) 1760.5 2387.0", "среднемноголетней"})
        QVERIFY2(text.contains(QString::fromUtf8(phrase)), phrase);
    QCOMPARE(s.recorder.boxes, std::vector<RecordedBox>{});
}

QTEST_MAIN(UncertaintyPagesTest)
#include "tst_uncertainty_pages.moc"
