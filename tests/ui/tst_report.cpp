// The report: its pages and the texts a reader finds in them (read back with poppler's
// pdfinfo and pdftotext), for a set whose charts are drawn, sets whose charts are not, texts
// too long for their lines and a calculation that failed.  Each report is left in the build
// folder as report-<row>.pdf (blanks and commas made dashes) to be looked at.

#include "ui/report.h"

#include "model_fixture.h"
#include "saved_files.h"

#include <QDate>
#include <QtTest>

using namespace nutrient;

Q_DECLARE_METATYPE(Edits)

namespace {

const std::string kLongName = [] {
    std::string name;
    for (int i = 0; i < 60; ++i) name += "Озеро Ильмень ";
    return name + std::string(300, 'x');
}();

const char* const kPiesNotDrawn = "Диаграммы долевого вклада источников не построены";
const char* const kBudgetNotDrawn = "Диаграммы баланса биогенных веществ не построены";

}  // namespace

class ReportTest : public QObject {
    Q_OBJECT
private slots:
    void pagesAndTexts_data();
    void pagesAndTexts();
    void aNameOfAMillionCharactersLeavesTheFirstPageItsTables();
};

void ReportTest::pagesAndTexts_data() {
    QTest::addColumn<Edits>("edits");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    // The object, the date, parameters with caption, unit and the km² of the runoff modulus,
    // results as the window shows them, the marks of both pies and the bars' labels, and the
    // method's reference.
    QTest::newRow("standard set") << Edits{}
                                  << QStringList{"Частный водосбор Финского залива",
                                                 "Дата: 08.12.2026",
                                                 "Площади, км²",
                                                 "A Общая площадь водосбора 25948 км²",
                                                 "9.513 л/(с·км²)",
                                                 "стока, л/(с км²)",
                                                 "Lex(N) Азотная нагрузка, т/год 0 т/год",
                                                 "Результаты расчета формирования биогенной нагрузки, т/год",
                                                 "Фосфор Азот",
                                                 "Нагрузка от точечных источников (Lp) 212.0 1324.0",
                                                 "(L) 3126.5 15065.9",
                                                 "Модуль фонового выноса (кг/(км² год)) 11.56 152.97",
                                                 "4.34% of 3,127",
                                                 "26.35% of 15,066",
                                                 "Inputs (1) and outputs (2) of nutrient budget",
                                                 "Lret",
                                                 "(Методика Института Сарвенского)",
                                                 "Behrendt H., Opitz D.",
                                                 "Страница 2 из 2"}
                                  << QStringList{kPiesNotDrawn, kBudgetNotDrawn, "не рассчитаны"};
    // The pies need a positive point load; the budget does not.
    QTest::newRow("no point sources of N")
        << Edits{{Parameter::PointSourcesN, "0"}}
        << QStringList{kPiesNotDrawn, "Inputs (1) and outputs (2) of nutrient budget"} << QStringList{kBudgetNotDrawn};
    QTest::newRow("crop removal of N above the diffuse inputs")
        << Edits{{Parameter::CropRemovalN, "30"}} << QStringList{kPiesNotDrawn, kBudgetNotDrawn}
        << QStringList{"Inputs (1)"};
    // A name of any length and a figure of three hundred digits are cut short on their lines.
    QTest::newRow("long name, huge point load")
        << Edits{{Parameter::ObjectName, kLongName.c_str()}, {Parameter::PointSourcesP, "1e300"}}
        << QStringList{"Озеро Ильмень Озеро", "…", "Страница 2 из 2"}
        << QStringList{"00000000000000000000000000000000"};
    // A natural area that its own areas contradict is used as stored, and pointed out.
    QTest::newRow("stored natural area") << Edits{{Parameter::TotalArea, "30000"}, {Parameter::NaturalArea, "22439.52"}}
                                         << QStringList{"Замечание: the natural area '22439.52' differs from"}
                                         << QStringList{};
    // The run stops at the transport coefficients: the rows before them are shown, the others
    // are empty, and no chart can be drawn.
    QTest::newRow("no water share") << Edits{{Parameter::WaterShare, "0"}}
                                    << QStringList{"(Lp) 212.0 1324.0",
                                                   "Расчет остановлен: Floating point division by zero. Пустые "
                                                   "строки не рассчитаны.",
                                                   "источников не построены: расчет остановлен: Floating point "
                                                   "division by zero.",
                                                   "веществ не построены: расчет остановлен: Floating point "
                                                   "division by zero."}
                                    << QStringList{"3126.5", "Inputs (1)"};
}

void ReportTest::pagesAndTexts() {
    QFETCH(Edits, edits);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    Model model;
    model.edit(edits);
    failureText([&] { calculate(model.parameters, model.results, model.coefficients); });

    const QByteArray pdf = reportPdf(model.parameters.texts(), model.results, model.coefficients, QDate(2026, 12, 8));
    const QString tag = QString::fromUtf8(QTest::currentDataTag()).replace(QRegularExpression("\\W+"), "-");
    const QString file = QCoreApplication::applicationDirPath() + "/report-" + tag + ".pdf";
    QVERIFY(writeFileBytes(file, pdf));

    QCOMPARE(pdfPageCount(file), 2);
    const QString text = pdfText(file);
    for (const QString& phrase : present) QVERIFY2(text.contains(phrase), qPrintable(phrase));
    for (const QString& phrase : absent) QVERIFY2(!text.contains(phrase), qPrintable(phrase));
}

// Such a name once took 41 s to lay out and pushed the parameters and the results off page 1.
void ReportTest::aNameOfAMillionCharactersLeavesTheFirstPageItsTables() {
    Model model;
    model.parameters.setText(Parameter::ObjectName, std::string(1'100'000, 'x'));
    calculate(model.parameters, model.results, model.coefficients);
    const QString file = QCoreApplication::applicationDirPath() + "/report-huge-name.pdf";
    QVERIFY(writeFileBytes(file, reportPdf(model.parameters.texts(), model.results, model.coefficients, QDate())));
    QCOMPARE(pdfPageCount(file), 2);
    QCOMPARE(pdfInfo(file, "Title"), QString(300, 'x') + "…");
    const QString firstPage = popplerOutput("pdftotext", {"-l", "1", file, "-"}).simplified();
    for (const char* phrase : {"Параметры водосбора", "Результаты расчета формирования биогенной нагрузки, т/год"})
        QVERIFY2(firstPage.contains(QString::fromUtf8(phrase)), phrase);
}

QTEST_MAIN(ReportTest)
#include "tst_report.moc"
