// The number texts of the chart marks and axis, and figures of the pies at their limits.

#include "model/load_calculation.h"
#include "model/messages.h"
#include "model/number_text.h"
#include "ui/chart_figures.h"

#include <QtTest>

#include <cmath>
#include <string>

using namespace nutrient;

Q_DECLARE_METATYPE(long double)

namespace {

// Results with only the P texts the source-share pies read.
LoadResults shareResults(const char* lp, const char* load, const char* background) {
    LoadResults results;
    results.setText(findResultRow("Lp")->pField, lp);
    results.setText(findResultRow("L")->pField, load);
    results.setText(findResultRow("Lnat")->pField, background);
    return results;
}

}  // namespace

class ChartFiguresTest : public QObject {
    Q_OBJECT
private slots:
    void groupedNumber_data() {
        QTest::addColumn<long double>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("text");
        QTest::newRow("half rounds up") << 3126.5L << 0 << "3,127";
        QTest::newRow("half of a small number") << 2.5L << 0 << "3";
        QTest::newRow("exact binary half, not to even") << 0.125L << 2 << "0.13";
        // 2.675 as a double is 2.67499999999999982: below the half, also in 18 digits.
        QTest::newRow("double just below the half")
            << static_cast<long double>(2.675) << 2 << "2.67";
        // Just below 1234.5 in extended precision, but 1234.50000000000000 in 18 digits.
        QTest::newRow("18-digit form on the half") << std::nextafter(1234.5L, 0.0L) << 0 << "1,235";
        QTest::newRow("groups of three") << 1234567.891L << 2 << "1,234,567.89";
        QTest::newRow("carry into a new group") << 999.999L << 2 << "1,000";
        QTest::newRow("trailing zeros dropped") << 9.6L << 2 << "9.6";
        QTest::newRow("whole hundred") << 100.0L << 2 << "100";
        QTest::newRow("zero") << 0.0L << 0 << "0";
        QTest::newRow("negative tick") << -4000.0L << 3 << "-4,000";
        QTest::newRow("negative rounding to zero has no sign") << -0.0004L << 3 << "0";
        QTest::newRow("axis fraction") << -0.35L << 3 << "-0.35";
    }

    void groupedNumber() {
        QFETCH(long double, value);
        QFETCH(int, decimals);
        QFETCH(QString, text);
        QCOMPARE(nutrient::groupedNumber(value, decimals), text);
    }

    void regionalSeparators() {
        setSeparators({",", " "});
        const QString grouped = nutrient::groupedNumber(1234.5L, 2);
        const QString mark = pieMark(4.338L, 3126.5L);
        setSeparators({});
        QCOMPARE(grouped, QStringLiteral("1 234,5"));
        QCOMPARE(mark, QStringLiteral("4,34% of 3 127"));
    }

    // With all three slices zero every share reads 100.
    void zeroSumReadsHundred() {
        const std::vector<PieSlice> slices =
            sourceShareSlices(shareResults("0.0", "0.0", "0.0"), RetentionShared{}, Nutrient::P);
        QCOMPARE(slices.size(), 3u);
        for (const PieSlice& slice : slices) QCOMPARE(slice.mark, QStringLiteral("100% of 0"));
    }

    // A result beyond the range of the chart's doubles stops with an overflow, never INF.
    void valueBeyondDoubleOverflows() {
        const LoadResults results = shareResults("1e400", "1e401", "1.0");
        try {
            sourceShareSlices(results, RetentionShared{0.5, 0.5}, Nutrient::P);
            QFAIL("no failure");
        } catch (const Failure& failure) {
            QCOMPARE(std::string(failure.what()), std::string(kOverflow));
        }
    }
};

QTEST_MAIN(ChartFiguresTest)
#include "tst_chart_figures.moc"
