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
#include <memory>
#include <utility>
#include <vector>

using namespace nutrient;

using Overrides = std::vector<std::pair<ResultCell, std::string>>;
enum class Charts { Pies, Budget };

Q_DECLARE_METATYPE(Overrides)
Q_DECLARE_METATYPE(Charts)

namespace {

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

// One of the two chart windows over the calculation, not yet shown.
std::unique_ptr<ChartWindow> chartWindow(Charts charts, Calculated& c) {
    if (charts == Charts::Pies)
        return std::make_unique<SourceShareWindow>(c.results, c.coefficients, c.recorder, c.dialogs);
    return std::make_unique<BudgetWindow>(c.results, c.recorder, c.dialogs);
}

// How many figures the window's P and N charts hold.
QList<std::size_t> figureCounts(const ChartWindow& window) {
    if (const auto* pies = qobject_cast<const SourceShareWindow*>(&window))
        return {pies->chartP().figures().size(), pies->chartN().figures().size()};
    const auto& bars = static_cast<const BudgetWindow&>(window);
    return {bars.chartP().figures().size(), bars.chartN().figures().size()};
}

// Shows the chart window over the calculation: each of its charts holds `figures`, and the
// window showed `boxes`.
void expectShown(Charts charts, Calculated& c, std::size_t figures, const Boxes& boxes) {
    const auto window = chartWindow(charts, c);
    showModal(*window);
    QVERIFY(window->isVisible());
    QCOMPARE(figureCounts(*window), QList<std::size_t>(2, figures));
    QCOMPARE(c.recorder.boxes, boxes);
}

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

    void drawConditions_data() {
        QTest::addColumn<Charts>("charts");
        QTest::addColumn<Overrides>("overrides");
        QTest::addColumn<int>("figures");  // in each chart: none when not drawn
        QTest::addColumn<Boxes>("boxes");
        const RecordedBox negative{"warning", kWarnNegativeContribution}, diffuse{"warning", kWarnNegativeDiffuse};
        const RecordedBox notANumber{"failure", notANumberMessage("abc")};
        const Charts pies = Charts::Pies, budget = Charts::Budget;
        QTest::newRow("pies: Lp(N) zero") << pies << Overrides{{{Quantity::Lp, Nutrient::N}, "0.0"}} << 0 << Boxes{};
        QTest::newRow("pies: Lnat(N) zero")
            << pies << Overrides{{{Quantity::Lnat, Nutrient::N}, "0.0"}} << 0 << Boxes{};
        QTest::newRow("pies: L(P) negative")
            << pies << Overrides{{{Quantity::L, Nutrient::P}, "-5.0"}} << 0 << Boxes{negative};
        QTest::newRow("pies: L(P) and Lnat(P) negative")
            << pies << Overrides{{{Quantity::L, Nutrient::P}, "-5.0"}, {{Quantity::Lnat, Nutrient::P}, "-1.0"}} << 0
            << Boxes{negative, negative};
        QTest::newRow("pies: crop removal of P above diffuse inputs")
            << pies << Overrides{{{Quantity::Lc, Nutrient::P}, "6898.0"}} << 0 << Boxes{diffuse};
        QTest::newRow("pies: crop removal of P just below diffuse inputs")
            << pies << Overrides{{{Quantity::Lc, Nutrient::P}, "6897.8"}} << 3 << Boxes{};
        QTest::newRow("pies: Lnat(N) negative, crop removal of N above inputs")
            << pies << Overrides{{{Quantity::Lnat, Nutrient::N}, "-1.0"}, {{Quantity::Lc, Nutrient::N}, "40000.0"}} << 0
            << Boxes{negative, diffuse};
        QTest::newRow("pies: L(N) not a number")
            << pies << Overrides{{{Quantity::L, Nutrient::N}, "abc"}} << 0 << Boxes{notANumber};
        // The draw condition stops at L(P); the warnings reach L(N) and fail there.
        QTest::newRow("pies: L(P) negative, L(N) not a number")
            << pies << Overrides{{{Quantity::L, Nutrient::P}, "-5.0"}, {{Quantity::L, Nutrient::N}, "abc"}} << 0
            << Boxes{negative, notANumber};
        QTest::newRow("budget: crop removal of N above diffuse inputs")
            << budget << Overrides{{{Quantity::Lc, Nutrient::N}, "40000.0"}} << 0 << Boxes{diffuse};
        QTest::newRow("budget: crop removal above diffuse inputs for both")
            << budget << Overrides{{{Quantity::Lc, Nutrient::P}, "7000.0"}, {{Quantity::Lc, Nutrient::N}, "40000.0"}}
            << 0 << Boxes{diffuse, diffuse};
        QTest::newRow("budget: negative loads still drawn")
            << budget << Overrides{{{Quantity::L, Nutrient::P}, "-5.0"}, {{Quantity::Lp, Nutrient::P}, "-1.0"}} << 9
            << Boxes{};
        QTest::newRow("budget: Lc(P) not a number")
            << budget << Overrides{{{Quantity::Lc, Nutrient::P}, "abc"}} << 0 << Boxes{notANumber};
    }
    void drawConditions() {
        QFETCH(Charts, charts);
        QFETCH(Overrides, overrides);
        QFETCH(int, figures);
        QFETCH(Boxes, boxes);
        Calculated c(overrides);
        expectShown(charts, c, figures, boxes);
    }

    void shownTwiceIsNotDoubled_data() {
        QTest::addColumn<Charts>("charts");
        QTest::addColumn<int>("figures");
        QTest::newRow("pies") << Charts::Pies << 3;
        QTest::newRow("budget") << Charts::Budget << 9;
    }
    void shownTwiceIsNotDoubled() {
        QFETCH(Charts, charts);
        QFETCH(int, figures);
        Calculated c;
        const auto window = chartWindow(charts, c);
        showModal(*window);
        window->close();
        showModal(*window);
        QCOMPARE(figureCounts(*window), QList<std::size_t>(2, figures));
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
        QTest::addColumn<Charts>("charts");
        QTest::addColumn<int>("parameter");
        QTest::addColumn<QString>("text");
        QTest::addColumn<Boxes>("boxes");
        for (const auto& [charts, name] : {std::pair(Charts::Pies, "pies"), std::pair(Charts::Budget, "budget")}) {
            QTest::addRow("%s: no water", name)
                << charts << int(Parameter::WaterShare) << "0" << Boxes{{"failure", kDivisionByZero}};
            QTest::addRow("%s: concentration not a number", name)
                << charts << int(Parameter::ArableConcentrationP) << "x" << Boxes{{"failure", notANumberMessage("x")}};
        }
    }
    void chartsAfterAStoppedCalculation() {
        QFETCH(Charts, charts);
        QFETCH(int, parameter);
        QFETCH(QString, text);
        QFETCH(Boxes, boxes);
        Calculated c;
        c.parameters.setText(static_cast<Parameter>(parameter), text.toStdString());
        QVERIFY_THROWS_EXCEPTION(Failure, calculate(c.parameters, c.results, c.coefficients));
        c.recorder.boxes.clear();
        expectShown(charts, c, 0, boxes);
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

    void picturesSavedFromTheContextMenu_data() {
        QTest::addColumn<Charts>("charts");
        QTest::addColumn<QString>("name");
        QTest::addColumn<Obstacle>("obstacle");
        QTest::addColumn<QString>("failure");
        const Charts pies = Charts::Pies, budget = Charts::Budget;
        QTest::newRow("pies as PNG") << pies << "pies.png" << Obstacle::None << "";
        QTest::newRow("budget as PNG") << budget << "budget.png" << Obstacle::None << "";
        QTest::newRow("pies as PDF") << pies << "pies.PDF" << Obstacle::None << "";
        QTest::newRow("budget as PDF") << budget << "budget.pdf" << Obstacle::None << "";
        QTest::newRow("over a folder") << budget << "budget.png" << Obstacle::Folder << kFileAccessDenied;
        QTest::newRow("medium full") << pies << "pies.pdf" << Obstacle::FullMedium << "I/O error 27: File too large";
    }

    // PNG at twice the window's pixels; PDF a page of the window's size at 96 dots an inch,
    // its texts drawn as text.  A failed save shows its error and leaves what was there.
    void picturesSavedFromTheContextMenu() {
        QFETCH(Charts, charts);
        QFETCH(QString, name);
        QFETCH(Obstacle, obstacle);
        QFETCH(QString, failure);
        Calculated c;
        const std::unique_ptr<ChartWindow> shown = chartWindow(charts, c);
        QDialog& window = *shown;
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
            QVERIFY(
                pdfText(picture).contains(charts == Charts::Budget ? "Inputs (1) and outputs (2)" : "4.34% of 3,127"));
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
