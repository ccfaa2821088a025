// The basin window: two standard sets side by side and draining one into the other, rows sorted
// by the values of a column, failed rows with their reasons beside the rows still computed,
// refused basin files in a box naming their rows, a double click that opens a row's file in the
// parameters window, the common retention fit applied after asking, the CSV saved and the
// report's pages.  The window with a failed row and the reports are left in the build folder to
// be looked at.

#include "ui/basin_window.h"

#include "basin_files.h"
#include "fake_file_dialogs.h"
#include "recorder.h"
#include "saved_files.h"
#include "ui/charts/pie_chart.h"
#include "ui/program.h"

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

#include <set>

using namespace nutrient;

Q_DECLARE_METATYPE(nutrient::Answer)

namespace {

QString suffixed(const char* name, Nutrient n) { return QString::fromLatin1(name) + QLatin1String(nutrientSymbol(n)); }

QString text(const std::string& utf8) { return QString::fromStdString(utf8); }

// A window with its boxes and dialogs recorded, over a folder of sub-catchments.
struct Session {
    Recorder recorder;
    FakeDialogs dialogs;
    BasinFolder folder;
    BasinWindow window{recorder, recorder, dialogs};

    // Writes the basin file and opens it as "Открыть…" does.
    void open(const std::string& basin) {
        dialogs.basinAnswers << text(folder.writeBasin(basin));
        window.openBasinFile();
    }
    QTableView* table(Nutrient n) const { return window.findChild<QTableView*>(suffixed("BasinRows", n)); }
    // A cell as the table shows it, rows in the table's order.
    QString cell(Nutrient n, int row, RowColumn column) const {
        const QAbstractItemModel* model = table(n)->model();
        return model->data(model->index(row, static_cast<int>(column))).toString();
    }
    QStringList files(Nutrient n) const {
        QStringList files;
        for (int row = 0; row < table(n)->model()->rowCount(); ++row) files << cell(n, row, RowColumn::File);
        return files;
    }
    QString label(const char* name, Nutrient n) const { return window.findChild<QLabel*>(suffixed(name, n))->text(); }
    QString messages() const { return window.findChild<QPlainTextEdit*>("BasinMessages")->toPlainText(); }
};

void clickHeading(QTableView& table, RowColumn column) {
    QHeaderView* header = table.horizontalHeader();
    const int section = static_cast<int>(column);
    QTest::mouseClick(
        header->viewport(), Qt::LeftButton, {},
        QPoint(header->sectionViewportPosition(section) + header->sectionSize(section) / 2, header->height() / 2));
}

const std::set<std::string> kTwoFiles = {"a.txt", "b.txt", "basin.csv"};

}  // namespace

class BasinWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setModalShowingForTests(true); }
    void showsTheFiguresOfTwoStandardSets_data();
    void showsTheFiguresOfTwoStandardSets();
    void sortsByTheValuesOfAColumn();
    void computesWhatDoesNotDependOnAFailedRow();
    void refusesABasinFileInABoxNamingItsRows_data();
    void refusesABasinFileInABoxNamingItsRows();
    void aDoubleClickOpensTheRowsFileAsOpenWould_data();
    void aDoubleClickOpensTheRowsFileAsOpenWould();
    void appliesTheRetentionFitAfterAsking_data();
    void appliesTheRetentionFitAfterAsking();
    void savesTheResultsAsCsv();
    void reportHasAsManyPagesAsItsRowsNeed_data();
    void reportHasAsManyPagesAsItsRowsNeed();
};

void BasinWindowTest::showsTheFiguresOfTwoStandardSets_data() {
    QTest::addColumn<QString>("basin");
    QTest::addColumn<QString>("drainsInto");  // of the first row
    QTest::addColumn<QString>("upstream");    // of the second row, t/yr of P
    QTest::addColumn<QString>("load");        // the second row's L(P)
    QTest::addColumn<QString>("modulus");     // the second row's M(P), inflow included
    QTest::newRow("side by side") << "file,drains_into\na.txt,\nb.txt,\n"
                                  << "водный объект"
                                  << "0.0"
                                  << "3126.5"
                                  << "120.49";
    QTest::newRow("first into second") << "file,drains_into\na.txt,b.txt\nb.txt,\n"
                                       << "b.txt"
                                       << "3126.5"
                                       << "6253.0"
                                       << "240.98";
}

// Whichever way they drain, the water body receives 6253.0 t/yr of P, never 9379.5; each row
// adds 120.49 kg/(km² yr) of its own and half of the basin's load.
void BasinWindowTest::showsTheFiguresOfTwoStandardSets() {
    QFETCH(QString, basin);
    QFETCH(QString, drainsInto);
    QFETCH(QString, upstream);
    QFETCH(QString, load);
    QFETCH(QString, modulus);
    Session s;
    s.folder.writeParameters("a.txt");
    s.folder.writeParameters("b.txt");
    s.open(basin.toStdString());

    QCOMPARE(s.cell(Nutrient::P, 0, RowColumn::DrainsInto), drainsInto);
    QCOMPARE(s.cell(Nutrient::P, 1, RowColumn::Upstream), upstream);
    QCOMPARE(s.cell(Nutrient::P, 1, RowColumn::L), load);
    QCOMPARE(s.cell(Nutrient::P, 1, RowColumn::M), modulus);
    for (int row = 0; row < 2; ++row) {
        QCOMPARE(s.cell(Nutrient::P, row, RowColumn::Area), "25948");
        QCOMPARE(s.cell(Nutrient::P, row, RowColumn::OwnModulus), "120.49");
        QCOMPARE(s.cell(Nutrient::N, row, RowColumn::OwnExport), "15065.9");
        for (Nutrient n : kNutrients) {
            QCOMPARE(s.cell(n, row, RowColumn::Share), "50.00");
            QCOMPARE(s.cell(n, row, RowColumn::Rank), "1");
        }
    }
    QCOMPARE(s.label("BasinTotals", Nutrient::P),
             "Площадь бассейна: 51896 км²\nНагрузка на водный объект: 6253.0 т/год\n"
             "Природная составляющая: 600.0 т/год\nМодуль выноса: 120.49 кг/(км² год)");
    QVERIFY(s.label("BasinTotals", Nutrient::N).contains("Нагрузка на водный объект: 30131.8 т/год"));
    QCOMPARE(s.window.findChild<PieChart3D*>("BasinPieP")->figures().front().mark, "4.34% of 6,253");
    QCOMPARE(s.window.findChild<QTableView*>("BasinRowsP")->model()->headerData(6, Qt::Horizontal).toString(),
             "M\nс притоком,\nкг/(км² год)");
    QCOMPARE(s.recorder.boxes, std::vector<RecordedBox>{});
    QCOMPARE(s.folder.names(), kTwoFiles);
}

// A click on a heading sorts by value ("15..." after "3126.5"), a second click the other way;
// the row without a figure stays last, its reason with it.
void BasinWindowTest::sortsByTheValuesOfAColumn() {
    Session s;
    s.folder.writeParameters("a.txt");
    s.folder.writeParameters("b.txt", {{Parameter::PointSourcesP, "20000"}});
    s.folder.writeParameters("c.txt", {{Parameter::PointSourcesP, "0"}});
    s.open("file,drains_into\nx.txt,\na.txt,\nb.txt,\nc.txt,\n");
    s.window.show();
    QTableView& table = *s.table(Nutrient::P);
    QCOMPARE(s.files(Nutrient::P), (QStringList{"x.txt", "a.txt", "b.txt", "c.txt"}));

    clickHeading(table, RowColumn::L);
    QCOMPARE(s.files(Nutrient::P), (QStringList{"c.txt", "a.txt", "b.txt", "x.txt"}));
    // The failed row's reason spans its figures where the row now stands.
    const int area = static_cast<int>(RowColumn::Area);
    QCOMPARE(table.columnSpan(0, area), 1);
    QCOMPARE(table.columnSpan(3, area), static_cast<int>(kRowColumns.size()) - area);
    QCOMPARE(s.cell(Nutrient::P, 2, RowColumn::L).size(), 7);
    clickHeading(table, RowColumn::L);
    QCOMPARE(s.files(Nutrient::P), (QStringList{"b.txt", "a.txt", "c.txt", "x.txt"}));
    clickHeading(table, RowColumn::File);
    QCOMPARE(s.files(Nutrient::P), (QStringList{"a.txt", "b.txt", "c.txt", "x.txt"}));
    // The other nutrient's table keeps its own order.
    QCOMPARE(s.files(Nutrient::N), (QStringList{"x.txt", "a.txt", "b.txt", "c.txt"}));
}

// A missing file fails and the row draining into it is not computed; a row whose calculation
// stops fails with the conversion error; the row beside them is computed all the same.  No box
// comes up and nothing is written.  The window is left as basin_window.png.
void BasinWindowTest::computesWhatDoesNotDependOnAFailedRow() {
    Session s;
    s.folder.writeParameters("a.txt");
    s.folder.writeParameters("b.txt");
    s.folder.writeParameters("c.txt", {{Parameter::PointSourcesP, "abc"}});
    s.open("file,drains_into\nx.txt,b.txt\nb.txt,\na.txt,\nc.txt,\n");
    const QStringList reasons = {"File not found.",
                                 "Not computed: it receives the load of line 2 ('x.txt'), which failed", "",
                                 "'abc' is not a valid floating point value."};
    // A row not computed says why in place of its figures.
    for (int row : {0, 1, 3}) QCOMPARE(s.cell(Nutrient::P, row, RowColumn::Area), reasons[row]);
    QCOMPARE(s.cell(Nutrient::P, 1, RowColumn::L), "");
    QCOMPARE(s.cell(Nutrient::P, 2, RowColumn::L), "3126.5");
    QCOMPARE(s.cell(Nutrient::N, 2, RowColumn::Rank), "1");
    QCOMPARE(s.cell(Nutrient::N, 2, RowColumn::Share), "");
    QCOMPARE(s.label("BasinTotals", Nutrient::N), "No totals: 3 of 4 sub-catchments were not computed.");
    QVERIFY(s.window.findChild<PieChart3D*>("BasinPieN")->figures().empty());
    QVERIFY(s.messages().contains(
        "x.txt: File not found.\nb.txt: Not computed: it receives the load of line 2 ('x.txt'), which failed\n"));
    QCOMPARE(s.recorder.boxes, std::vector<RecordedBox>{});
    QCOMPARE(s.folder.names(), (std::set<std::string>{"a.txt", "b.txt", "c.txt", "basin.csv"}));

    s.window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&s.window));
    QVERIFY(s.window.grab().save(QCoreApplication::applicationDirPath() + "/basin_window.png"));
}

void BasinWindowTest::refusesABasinFileInABoxNamingItsRows_data() {
    QTest::addColumn<QByteArray>("basin");  // empty: no file of that name
    QTest::addColumn<QString>("box");
    QTest::newRow("cycle") << QByteArray("file,drains_into\na.txt,b.txt\nb.txt,a.txt\n")
                           << "Line 2 ('a.txt'), line 3 ('b.txt'): they drain into each other in a cycle.";
    QTest::newRow("unknown") << QByteArray("file,drains_into\na.txt,x.txt\n")
                             << "Line 2 ('a.txt'): drains into 'x.txt', which no row lists.";
    QTest::newRow("duplicate") << QByteArray("file,drains_into\na.txt,\n./a.txt,\n")
                               << "Line 3 ('./a.txt'): the file is listed again, first on line 2 ('a.txt')";
    QTest::newRow("missing") << QByteArray() << "File not found.";
}

// The box names the rows; the basin shown before stays, and nothing is written.
void BasinWindowTest::refusesABasinFileInABoxNamingItsRows() {
    QFETCH(QByteArray, basin);
    QFETCH(QString, box);
    Session s;
    s.folder.writeParameters("a.txt");
    s.folder.writeParameters("b.txt");
    s.open("file,drains_into\na.txt,\nb.txt,\n");
    const QString shown = s.window.findChild<QLabel*>("BasinFile")->text();
    const std::string refused = s.folder / "refused.csv";
    if (!basin.isEmpty()) writeBytes(refused, basin.toStdString());
    s.dialogs.basinAnswers << text(refused);
    s.window.openBasinFile();

    QCOMPARE(s.recorder.boxes.size(), 1u);
    QCOMPARE(s.recorder.boxes[0].kind, "failure");
    QCOMPARE(text(s.recorder.boxes[0].text), box);
    QCOMPARE(s.messages(), text("Файл бассейна не открыт: " + refused + "\n") + box);
    QCOMPARE(s.window.findChild<QLabel*>("BasinFile")->text(), shown);
    QCOMPARE(s.files(Nutrient::P), (QStringList{"a.txt", "b.txt"}));
    std::set<std::string> files = kTwoFiles;
    if (!basin.isEmpty()) files.insert("refused.csv");
    QCOMPARE(s.folder.names(), files);
}

void BasinWindowTest::aDoubleClickOpensTheRowsFileAsOpenWould_data() {
    QTest::addColumn<bool>("unsaved");
    QTest::addColumn<Answer>("answer");
    QTest::addColumn<bool>("opened");
    QTest::newRow("nothing unsaved") << false << Answer::Cancel << true;
    QTest::newRow("unsaved, not to be saved") << true << Answer::No << true;
    QTest::newRow("unsaved, cancelled") << true << Answer::Cancel << false;
}

// From the main window's menu: the basin window, then a row's file in the parameters window,
// after the question about parameters not yet saved.
void BasinWindowTest::aDoubleClickOpensTheRowsFileAsOpenWould() {
    QFETCH(bool, unsaved);
    QFETCH(Answer, answer);
    QFETCH(bool, opened);
    Recorder recorder;
    FakeDialogs dialogs;
    BasinFolder folder;
    folder.writeParameters("a.txt", {{Parameter::ObjectName, "Lake A"}});
    folder.writeParameters("b.txt", {{Parameter::ObjectName, "Lake B"}});
    Program program(recorder, dialogs, recorder);
    program.mainWindow().show();
    QVERIFY(QTest::qWaitForWindowActive(&program.mainWindow()));
    QTest::keySequence(&program.mainWindow(), QKeySequence("Ctrl+Shift+B"));
    BasinWindow& window = program.basinWindow();
    QVERIFY(window.isVisible());
    dialogs.basinAnswers << text(folder.writeBasin("file,drains_into\na.txt,b.txt\nb.txt,\n"));
    window.findChild<QPushButton*>("OpenBasin")->click();
    if (unsaved) program.parameters().setText(Parameter::PointSourcesP, "300");
    recorder.answers = {answer};

    QTableView* table = window.findChild<QTableView*>("BasinRowsN");
    const QPoint second = table->visualRect(table->model()->index(1, static_cast<int>(RowColumn::File))).center();
    // A double click comes after a click.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, second);

    const std::vector<RecordedBox> question = {{"question", kQuestionSaveChanges}};
    QCOMPARE(recorder.boxes, unsaved ? question : std::vector<RecordedBox>{});
    QCOMPARE(program.parametersWindow().isVisible(), opened);
    if (opened) {
        QTRY_COMPARE(program.parameters().text(Parameter::ObjectName), "Lake B");
        QCOMPARE(program.parametersWindow().fileOfTexts(), text(folder / "b.txt"));
    } else {
        QCOMPARE(program.parameters().text(Parameter::PointSourcesP), "300");
    }
}

void BasinWindowTest::appliesTheRetentionFitAfterAsking_data() {
    QTest::addColumn<Answer>("answer");
    QTest::newRow("yes") << Answer::Yes;
    QTest::newRow("no") << Answer::No;
}

// Three outlets at different hydraulic loads give a fit of P (N has no measured loads), in the
// window and the report; "Да" writes a new file beside each row's with the fitted a and b,
// "Нет" writes nothing.
void BasinWindowTest::appliesTheRetentionFitAfterAsking() {
    QFETCH(Answer, answer);
    Session s;
    s.folder.writeParameters("r0.txt", {{Parameter::RunoffLayer, "200"}});
    s.folder.writeParameters("r1.txt");
    s.folder.writeParameters("r2.txt", {{Parameter::RunoffLayer, "450"}, {Parameter::WaterShare, "2"}});
    s.open("file,drains_into,observed_P\nr0.txt,,2500\nr1.txt,,3000\nr2.txt,,3500\n");
    const RetentionFit& fit = *s.window.analysis()->fits[0];
    QVERIFY2(fit.fitted(), fit.refusal.c_str());
    QCOMPARE(s.label("BasinFit", Nutrient::P), text("a = " + fit.a + ", b = " + fit.b + "\nR² = " + fit.rSquared));
    QCOMPARE(s.window.findChild<QTableWidget*>("BasinOutletsP")->rowCount(), 3);
    QCOMPARE(s.window.findChild<QTableWidget*>("BasinOutletsP")->item(1, 2)->text(), "3000");
    QCOMPARE(s.label("BasinFit", Nutrient::N), "Измеренных нагрузок в файле бассейна нет");
    // The report has the fit's page, left as basin-report-fit.pdf.
    const QString pdf = QCoreApplication::applicationDirPath() + "/basin-report-fit.pdf";
    s.dialogs.report = {ReportTarget::Kind::PdfFile, pdf};
    s.window.makeReport();
    QVERIFY(pdfText(pdf).contains(text("a = " + fit.a + ", b = " + fit.b + ", R² = " + fit.rSquared)));
    s.recorder.answers = {answer};
    s.window.findChild<QPushButton*>("ApplyFit")->click();

    QCOMPARE(s.recorder.boxes.size(), 1u);
    QCOMPARE(s.recorder.boxes[0].kind, "question");
    std::set<std::string> files = {"r0.txt", "r1.txt", "r2.txt", "basin.csv"};
    if (answer == Answer::Yes) {
        files.insert({"r0-fit.txt", "r1-fit.txt", "r2-fit.txt"});
        QVERIFY(s.messages().contains(text("r1.txt → " + s.folder / "r1-fit.txt")));
        const std::string written = readBytes(s.folder / "r2-fit.txt");
        QVERIFY(written.find("\r\n" + fit.a + "\r\n" + fit.b + "\r\n1.9\r\n-0.49\r\n") != std::string::npos);
    }
    QCOMPARE(s.folder.names(), files);
}

// Ctrl+S writes the basin's CSV as the command line writes it, into the file the user names.
void BasinWindowTest::savesTheResultsAsCsv() {
    Session s;
    s.folder.writeParameters("a.txt");
    s.folder.writeParameters("b.txt");
    s.open("file,drains_into\na.txt,b.txt\nb.txt,\n");
    s.window.show();
    QVERIFY(QTest::qWaitForWindowActive(&s.window));
    const std::string saved = s.folder / "results.csv";
    s.dialogs.resultsAnswers << text(saved);
    QTest::keySequence(&s.window, QKeySequence::Save);

    const std::string csv = readBytes(saved);
    QCOMPARE(csv, basinCsv(analyseBasin(readBasinFile(s.folder / "basin.csv"))));
    QVERIFY(
        csv.ends_with("\r\n,,,total,,,,,,,,,,,,,,,,,,,,,6253.0,30131.8,600.0,7938.6,120.49,580.62,,,51896,"
                      ",,,,,,,,,,,,,,,,,,,,,,,\r\n"));
    QCOMPARE(s.recorder.boxes, std::vector<RecordedBox>{});
}

void BasinWindowTest::reportHasAsManyPagesAsItsRowsNeed_data() {
    QTest::addColumn<int>("rows");      // standard sets side by side
    QTest::addColumn<bool>("missing");  // one more row, of a missing file
    QTest::addColumn<int>("pages");
    QTest::addColumn<QStringList>("present");
    QTest::newRow("two") << 2 << false << 1
                         << QStringList{"Бассейн: basin.csv",
                                        "Подбассейны: фосфор",
                                        "Подбассейны: азот",
                                        "3 r1.txt водный объект 25948 3126.5 300.0 120.49 0.0 3126.5 120.49 50.00 1",
                                        "Нагрузка на водный объект, т/год 6253.0 30131.8",
                                        "4.34% of 6,253",
                                        "Страница 1 из 1"};
    QTest::newRow("a hundred and twenty")
        << 120 << false << 5
        << QStringList{"Подбассейны: фосфор (продолжение)", "121 r119.txt водный объект 25948 3126.5",
                       "Подбассейны: азот (продолжение)", "Страница 5 из 5"};
    QTest::newRow("a missing file") << 2 << true << 1
                                    << QStringList{"No totals: 1 of 3 sub-catchments were not computed.",
                                                   "Не рассчитаны", "4 x.txt File not found."};
}

// The report of the window's basin, as PDF: the rows' tables continue over the pages they need.
// Each is left in the build folder as basin-report-<rows>.pdf.
void BasinWindowTest::reportHasAsManyPagesAsItsRowsNeed() {
    QFETCH(int, rows);
    QFETCH(bool, missing);
    QFETCH(int, pages);
    QFETCH(QStringList, present);
    Session s;
    std::string basin = "file,drains_into\n";
    for (int i = 0; i < rows; ++i) {
        const std::string file = "r" + std::to_string(i) + ".txt";
        s.folder.writeParameters(file);
        basin += file + ",\n";
    }
    s.open(basin + (missing ? "x.txt,\n" : ""));
    const QString pdf = QCoreApplication::applicationDirPath() +
                        QStringLiteral("/basin-report-%1%2.pdf").arg(rows).arg(missing ? "-missing" : "");
    s.dialogs.report = {ReportTarget::Kind::PdfFile, pdf};
    s.window.makeReport();

    QCOMPARE(s.recorder.boxes, std::vector<RecordedBox>{});
    QCOMPARE(QFileInfo(s.dialogs.offeredPdf).fileName(), "basin.pdf");
    QCOMPARE(pdfPageCount(pdf), pages);
    const QString shown = pdfText(pdf);
    for (const QString& phrase : present) QVERIFY2(shown.contains(phrase), qPrintable(phrase));
}

QTEST_MAIN(BasinWindowTest)
#include "tst_basin_window.moc"
