// The two chart windows: what the pies and bars are handed when shown, the draw
// conditions, the order of the warnings, a conversion failure inside the handler, the charts'
// painting anywhere, and the pictures saved from the context menu.

#include "fake_file_dialogs.h"
#include "model_fixture.h"
#include "saved_files.h"
#include "ui/budget_window.h"
#include "ui/charts/bar_chart.h"
#include "ui/charts/pie_chart.h"
#include "ui/lazy_dialog.h"
#include "ui/source_share_window.h"

#include <QPainter>
#include <QtTest>

#include <functional>
#include <utility>
#include <vector>

using namespace nutrient;

using Overrides = std::vector<std::pair<ResultCell, std::string>>;
using Boxes = std::vector<RecordedBox>;

Q_DECLARE_METATYPE(Overrides)
Q_DECLARE_METATYPE(Boxes)

namespace {

const std::string kNegative = "Величина вклада различных источников не должна быть отрицательной!";
const std::string kDiffuse =
    "Вклад рассредоточенных источников в биогенную нагрузку отрицательный, проверьте "
    "правильность задания параметров!";
const QColor kLime(0x00, 0xFF, 0x00), kGreen(0x00, 0x80, 0x00), kYellow(0xFF, 0xFF, 0x00);
const QColor kRed(0xFF, 0x00, 0x00), kBlue(0x00, 0x00, 0xFF);

// The standard set calculated, with some result texts then replaced.
struct Calculated : Model {
    FakeDialogs dialogs;
    explicit Calculated(const Overrides& overrides = {}) {
        calculate(parameters, results, coefficients);
        for (const auto& [cell, text] : overrides) results.setText(cell.quantity, cell.nutrient, text);
    }
};

QStringList marks(const PieChart3D& pie) {
    QStringList texts;
    for (const PieSlice& slice : pie.figures()) texts << slice.mark;
    return texts;
}

}  // namespace

class ChartWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { setModalShowingForTests(true); }

    void standardSetPies() {
        Calculated c;
        SourceShareWindow window(c.results, c.coefficients, c.recorder, c.dialogs);
        showModal(window);
        QCOMPARE(window.windowTitle(), QString::fromUtf8("Графики"));
        QCOMPARE(window.size(), QSize(1014, 654));
        const std::vector<PieSlice> p = window.chartP().figures();
        QCOMPARE(p.size(), 3u);
        QCOMPARE(p[0].label, QStringLiteral("1  "));
        QCOMPARE(p[1].label, QStringLiteral("2  "));
        QCOMPARE(p[2].label, QStringLiteral("3  "));
        QCOMPARE(p[0].colour, kLime);
        QCOMPARE(p[1].colour, kGreen);
        QCOMPARE(p[2].colour, kYellow);
        // Lp * Rt, (L - Lnat) - Lp * Rt, Lnat with L = 3126.5, Lp = 212.0, Lnat = 300.0.
        QCOMPARE(p[0].value, 135.62769087764408);
        QCOMPARE(p[1].value, 2690.872309122356);
        QCOMPARE(p[2].value, 300.0);
        // The sum 3126.5 rounds half up to a whole number.
        QCOMPARE(marks(window.chartP()), QStringList({"4.34% of 3,127", "86.07% of 3,127", "9.6% of 3,127"}));
        QCOMPARE(marks(window.chartN()), QStringList({"6.47% of 15,066", "67.19% of 15,066", "26.35% of 15,066"}));
        QCOMPARE(c.recorder.boxes, Boxes{});
    }

    void pieConditions_data() {
        QTest::addColumn<Overrides>("overrides");
        QTest::addColumn<bool>("drawn");
        QTest::addColumn<Boxes>("boxes");
        const RecordedBox negative{"warning", kNegative}, diffuse{"warning", kDiffuse};
        const RecordedBox notANumber{"failure", "'abc' is not a valid floating point value"};
        QTest::newRow("Lp(N) zero") << Overrides{{{Quantity::Lp, Nutrient::N}, "0.0"}} << false << Boxes{};
        QTest::newRow("Lnat(N) zero") << Overrides{{{Quantity::Lnat, Nutrient::N}, "0.0"}} << false << Boxes{};
        QTest::newRow("L(P) negative") << Overrides{{{Quantity::L, Nutrient::P}, "-5.0"}} << false << Boxes{negative};
        QTest::newRow("L(P) and Lnat(P) negative")
            << Overrides{{{Quantity::L, Nutrient::P}, "-5.0"}, {{Quantity::Lnat, Nutrient::P}, "-1.0"}} << false
            << Boxes{negative, negative};
        QTest::newRow("crop removal of P above diffuse inputs")
            << Overrides{{{Quantity::Lc, Nutrient::P}, "6898.0"}} << false << Boxes{diffuse};
        QTest::newRow("crop removal of P just below diffuse inputs")
            << Overrides{{{Quantity::Lc, Nutrient::P}, "6897.8"}} << true << Boxes{};
        QTest::newRow("Lnat(N) negative, crop removal of N above inputs")
            << Overrides{{{Quantity::Lnat, Nutrient::N}, "-1.0"}, {{Quantity::Lc, Nutrient::N}, "40000.0"}} << false
            << Boxes{negative, diffuse};
        QTest::newRow("L(N) not a number")
            << Overrides{{{Quantity::L, Nutrient::N}, "abc"}} << false << Boxes{notANumber};
        // The draw condition stops at L(P); the warnings reach L(N) and fail there.
        QTest::newRow("L(P) negative, L(N) not a number")
            << Overrides{{{Quantity::L, Nutrient::P}, "-5.0"}, {{Quantity::L, Nutrient::N}, "abc"}} << false
            << Boxes{negative, notANumber};
    }

    void pieConditions() {
        QFETCH(Overrides, overrides);
        QFETCH(bool, drawn);
        QFETCH(Boxes, boxes);
        Calculated c(overrides);
        SourceShareWindow window(c.results, c.coefficients, c.recorder, c.dialogs);
        showModal(window);
        QVERIFY(window.isVisible());
        QCOMPARE(window.chartP().figures().size(), drawn ? 3u : 0u);
        QCOMPARE(window.chartN().figures().size(), drawn ? 3u : 0u);
        QCOMPARE(c.recorder.boxes, boxes);
    }

    void piesShownTwiceAreNotDoubled() {
        Calculated c;
        SourceShareWindow window(c.results, c.coefficients, c.recorder, c.dialogs);
        showModal(window);
        window.close();
        showModal(window);
        QCOMPARE(window.chartP().figures().size(), 3u);
        QCOMPARE(window.chartN().figures().size(), 3u);
    }

    // L - Lnat = 10 is less than Lp * Rt = 135.63: the second slice comes out negative.
    void negativeSecondSliceDrawnByMagnitude() {
        Calculated c(Overrides{{{Quantity::L, Nutrient::P}, "310.0"}});
        SourceShareWindow window(c.results, c.coefficients, c.recorder, c.dialogs);
        showModal(window);
        const std::vector<PieSlice> p = window.chartP().figures();
        QCOMPARE(p.size(), 3u);
        QCOMPARE(p[1].value, -125.6276908776441);
        // Total of the magnitudes 135.63 + 125.63 + 300 = 561.26, not the signed 310.
        QCOMPARE(marks(window.chartP()), QStringList({"24.17% of 561", "22.38% of 561", "53.45% of 561"}));
        QCOMPARE(c.recorder.boxes, Boxes{});
    }

    // While the last calculation has not completed, both windows report its own failure.
    void chartsAfterAStoppedCalculation_data() {
        QTest::addColumn<int>("parameter");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Boxes>("boxes");
        QTest::newRow("no water") << int(Parameter::WaterShare) << "0"
                                  << Boxes{{"failure", "Floating point division by zero"}};
        QTest::newRow("concentration not a number") << int(Parameter::ArableConcentrationP) << "x"
                                                    << Boxes{{"failure", "'x' is not a valid floating point value"}};
    }
    void chartsAfterAStoppedCalculation() {
        QFETCH(int, parameter);
        QFETCH(QString, text);
        QFETCH(Boxes, boxes);
        Calculated c;
        c.parameters.setText(static_cast<Parameter>(parameter), text.toStdString());
        QVERIFY_THROWS_EXCEPTION(Failure, calculate(c.parameters, c.results, c.coefficients));
        c.recorder.boxes.clear();
        SourceShareWindow pies(c.results, c.coefficients, c.recorder, c.dialogs);
        showModal(pies);
        QVERIFY(pies.isVisible());
        QCOMPARE(pies.chartP().figures().size(), 0u);
        QCOMPARE(c.recorder.boxes, boxes);
        c.recorder.boxes.clear();
        BudgetWindow bars(c.results, c.recorder, c.dialogs);
        showModal(bars);
        QVERIFY(bars.isVisible());
        QCOMPARE(bars.chartP().figures().size(), 0u);
        QCOMPARE(c.recorder.boxes, boxes);
    }

    void standardSetBudget() {
        Calculated c;
        BudgetWindow window(c.results, c.recorder, c.dialogs);
        showModal(window);
        QCOMPARE(window.windowTitle(), QStringLiteral("Graphics"));
        QCOMPARE(window.size(), QSize(1088, 666));
        const QStringList labels{"Lp", "Le", "Lmf", "Lof", "La", "Lex", "Lret", "Lc", "L"};
        const std::vector<double> p{212.0, 457.4, 633.0, 5723.9, 83.6, 0.0, -1760.5, -2222.9, -3126.5};
        const std::vector<double> n{1324.0, 7206.5, 3899.0, 23370.9, 0.0, 0.0, -5410.1, -15324.4, -15065.9};
        for (const auto& [chart, values] : {std::pair{&window.chartP(), p}, std::pair{&window.chartN(), n}}) {
            const std::vector<ChartBar>& bars = chart->figures();
            QCOMPARE(bars.size(), 9u);
            for (std::size_t i = 0; i < bars.size(); ++i) {
                QCOMPARE(bars[i].label, labels[i]);
                QCOMPARE(bars[i].value, values[i]);
                QCOMPARE(bars[i].colour, i < 6 ? kRed : kBlue);
            }
        }
        QCOMPARE(c.recorder.boxes, Boxes{});
    }

    void budgetConditions_data() {
        QTest::addColumn<Overrides>("overrides");
        QTest::addColumn<bool>("drawn");
        QTest::addColumn<Boxes>("boxes");
        const RecordedBox diffuse{"warning", kDiffuse};
        QTest::newRow("crop removal of N above diffuse inputs")
            << Overrides{{{Quantity::Lc, Nutrient::N}, "40000.0"}} << false << Boxes{diffuse};
        QTest::newRow("crop removal above diffuse inputs for both")
            << Overrides{{{Quantity::Lc, Nutrient::P}, "7000.0"}, {{Quantity::Lc, Nutrient::N}, "40000.0"}} << false
            << Boxes{diffuse, diffuse};
        QTest::newRow("negative loads still drawn")
            << Overrides{{{Quantity::L, Nutrient::P}, "-5.0"}, {{Quantity::Lp, Nutrient::P}, "-1.0"}} << true
            << Boxes{};
        QTest::newRow("Lc(P) not a number") << Overrides{{{Quantity::Lc, Nutrient::P}, "abc"}} << false
                                            << Boxes{{"failure", "'abc' is not a valid floating point value"}};
    }

    void budgetConditions() {
        QFETCH(Overrides, overrides);
        QFETCH(bool, drawn);
        QFETCH(Boxes, boxes);
        Calculated c(overrides);
        BudgetWindow window(c.results, c.recorder, c.dialogs);
        showModal(window);
        QVERIFY(window.isVisible());
        QCOMPARE(window.chartP().figures().size(), drawn ? 9u : 0u);
        QCOMPARE(window.chartN().figures().size(), drawn ? 9u : 0u);
        QCOMPARE(c.recorder.boxes, boxes);
    }

    void budgetShownTwiceIsNotDoubled() {
        Calculated c;
        BudgetWindow window(c.results, c.recorder, c.dialogs);
        showModal(window);
        window.close();
        showModal(window);
        QCOMPARE(window.chartP().figures().size(), 9u);
        QCOMPARE(window.chartN().figures().size(), 9u);
    }

    void picturesSavedFromTheContextMenu_data() {
        QTest::addColumn<bool>("budget");
        QTest::addColumn<QString>("name");
        QTest::addColumn<Obstacle>("obstacle");
        QTest::addColumn<QString>("failure");
        QTest::newRow("pies as PNG") << false << "pies.png" << Obstacle::None << "";
        QTest::newRow("budget as PNG") << true << "budget.png" << Obstacle::None << "";
        QTest::newRow("pies as PDF") << false << "pies.PDF" << Obstacle::None << "";
        QTest::newRow("budget as PDF") << true << "budget.pdf" << Obstacle::None << "";
        QTest::newRow("over a folder") << true << "budget.png" << Obstacle::Folder << "File access denied";
        QTest::newRow("medium full") << false << "pies.pdf" << Obstacle::FullMedium << "I/O error 27: File too large";
    }

    // PNG at twice the window's pixels; PDF a page of the window's size at 96 dots an inch,
    // its texts drawn as text.  A failed save shows its error and leaves what was there.
    void picturesSavedFromTheContextMenu() {
        QFETCH(bool, budget);
        QFETCH(QString, name);
        QFETCH(Obstacle, obstacle);
        QFETCH(QString, failure);
        Calculated c;
        SourceShareWindow pies(c.results, c.coefficients, c.recorder, c.dialogs);
        BudgetWindow bars(c.results, c.recorder, c.dialogs);
        QDialog& window = budget ? static_cast<QDialog&>(bars) : pies;
        showModal(window);
        QTemporaryDir dir;
        const QString picture = dir.filePath(name);
        c.dialogs.pictureAnswers << picture;
        QCOMPARE(window.contextMenuPolicy(), Qt::ActionsContextMenu);
        QCOMPARE(window.actions().size(), 1);
        QCOMPARE(window.actions()[0]->text(), QStringLiteral("Сохранить изображение…"));
        QVERIFY(saveAgainst(obstacle, picture, [&] { window.actions()[0]->trigger(); }));

        QCOMPARE(c.dialogs.shown, 1);
        if (!failure.isEmpty()) {
            QCOMPARE(c.recorder.boxes, (Boxes{{"failure", failure.toStdString()}}));
            QVERIFY(leftAsItWas(obstacle, picture));
            return;
        }
        QCOMPARE(c.recorder.boxes, Boxes{});
        if (name.endsWith(".png")) {
            QCOMPARE(QImage(picture).size(), window.size() * 2);
        } else {
            QCOMPARE(pdfPageCount(picture), 1);
            QCOMPARE(
                pdfInfo(picture, "Page size"),
                QStringLiteral("%1 x %2 pts").arg(qRound(window.width() * 0.75)).arg(qRound(window.height() * 0.75)));
            QVERIFY(pdfText(picture).contains(budget ? "Inputs (1) and outputs (2)" : "4.34% of 3,127"));
        }
    }

    // The picture dialog: a PNG unless PDF is chosen or named; the last name's kind offered.
    void pictureDialogNamesTheKind_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("chosen");
        QTest::addColumn<QString>("saved");
        QTest::newRow("no suffix, PNG chosen") << "chart" << 0 << "chart.png";
        QTest::newRow("no suffix, PDF chosen") << "chart" << 1 << "chart.pdf";
        QTest::newRow("PDF named, PNG chosen") << "chart.PDF" << 0 << "chart.PDF";
        QTest::newRow("another suffix") << "chart.v2" << 1 << "chart.v2.pdf";
    }
    void pictureDialogNamesTheKind() {
        QFETCH(QString, name);
        QFETCH(int, chosen);
        QFETCH(QString, saved);
        const QStringList filters{"PNG (*.png)", "PDF (*.pdf)"};
        QCOMPARE(withFilterSuffix(name, filters, filters[chosen]), saved);
        const auto dialog = makeExportDialog(nullptr, "", filters, "/tmp/" + saved);
        QCOMPARE(dialog->nameFilters(), filters);
        QCOMPARE(dialog->selectedNameFilter(), saved.endsWith(".pdf", Qt::CaseInsensitive) ? filters[1] : filters[0]);
        QCOMPARE(dialog->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(!dialog->testOption(QFileDialog::DontConfirmOverwrite));
    }

    // A report paints the charts anywhere on a page with the windows' own painting.
    void chartsPaintAnywhereAsInTheirWindow() {
        Calculated c;
        SourceShareWindow pies(c.results, c.coefficients, c.recorder, c.dialogs);
        BudgetWindow budget(c.results, c.recorder, c.dialogs);
        showModal(pies);
        showModal(budget);
        const QPoint offset(37, 21);
        auto same = [&](const ChartWidget& chart, const std::function<void(QPainter&, const QRectF&)>& paint) {
            QImage byWidget(chart.size() + QSize(60, 40), QImage::Format_ARGB32_Premultiplied);
            byWidget.fill(Qt::white);
            QImage byPaint = byWidget;
            const_cast<ChartWidget&>(chart).render(&byWidget, offset, QRegion(), QWidget::RenderFlags());
            QPainter painter(&byPaint);
            paint(painter, QRectF(offset, chart.size()));
            painter.end();
            return byWidget == byPaint;
        };
        for (const PieChart3D* pie : {&pies.chartP(), &pies.chartN()})
            QVERIFY(same(*pie,
                         [&](QPainter& p, const QRectF& r) { PieChart3D::paint(p, r, pie->look(), pie->figures()); }));
        for (const BarChart3D* bars : {&budget.chartP(), &budget.chartN()})
            QVERIFY(same(
                *bars, [&](QPainter& p, const QRectF& r) { BarChart3D::paint(p, r, bars->look(), bars->figures()); }));
    }
};

QTEST_MAIN(ChartWindowsTest)
#include "tst_charts.moc"
