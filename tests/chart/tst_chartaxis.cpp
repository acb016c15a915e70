#include "AxisRules.h"
#include "ChartAxis.h"
#include "ChartPlot.h"

#include <QSignalSpy>
#include <QtTest>

using namespace AxisRules;

class TestChartAxis : public QObject
{
    Q_OBJECT
private slots:
    void rangeLimits_data();
    void rangeLimits();
    void libraryPathsStayInsideLimits();
    void zoom_data();
    void zoom();
    void numberLabels_data();
    void numberLabels();
    void divisorAndUnitSignal();
    void receiverRewritesTicksAndLabels();
    void subTicks_data();
    void subTicks();
    void labelRows();
    void secondRowIsDrawn();
    void startArrowTheFontHas_data();
    void startArrowTheFontHas();
};

namespace {

struct AxisFixture
{
    AxisFixture()
    {
        plot.resize(600, 400);
        axis = plot.keyAxis();
    }
    ChartPlot plot;
    ChartAxis* axis;
};

} // namespace

void TestChartAxis::rangeLimits_data()
{
    QTest::addColumn<double>("rangeMin");
    QTest::addColumn<double>("rangeMax");
    QTest::addColumn<QCPRange>("current");
    QTest::addColumn<QCPRange>("request");
    QTest::addColumn<QCPRange>("expected");
    QTest::addColumn<int>("emissions");

    const QCPRange start(10, 100);
    QTest::newRow("below lower limit") << 0.0 << 1e7 << start << QCPRange(-5, 100) << QCPRange(0, 100) << 1;
    QTest::newRow("above upper limit") << 0.0 << 1e7 << start << QCPRange(10, 2e7) << QCPRange(10, 1e7) << 1;
    QTest::newRow("both ends beyond") << 0.0 << 1e7 << start << QCPRange(-1, 2e7) << QCPRange(0, 1e7) << 1;
    QTest::newRow("reversed request") << 0.0 << 1e7 << start << QCPRange(100, -5) << QCPRange(0, 100) << 1;
    QTest::newRow("voltage axis") << -100.0 << 5500.0 << QCPRange(-100, 5500) << QCPRange(-300, 50)
                                  << QCPRange(-100, 50) << 1;
    QTest::newRow("inside") << 0.0 << 1e7 << start << QCPRange(20, 30) << QCPRange(20, 30) << 1;
    QTest::newRow("same range") << 0.0 << 1e7 << start << start << start << 0;
    QTest::newRow("wholly beyond") << 0.0 << 1e7 << start << QCPRange(2e7, 3e7) << start << 0;
}

void TestChartAxis::rangeLimits()
{
    QFETCH(double, rangeMin);
    QFETCH(double, rangeMax);
    QFETCH(QCPRange, current);
    QFETCH(QCPRange, request);
    QFETCH(QCPRange, expected);
    QFETCH(int, emissions);

    // Both setters follow the same rules.
    for (const bool asPair : {true, false}) {
        AxisFixture f;
        f.axis->setRangeMin(rangeMin);
        f.axis->setRangeMax(rangeMax);
        f.axis->setRange(current);
        QSignalSpy one(f.axis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged));
        QSignalSpy two(f.axis, qOverload<const QCPRange&, const QCPRange&>(&QCPAxis::rangeChanged));
        if (asPair)
            f.axis->setRange(request.lower, request.upper);
        else
            f.axis->setRange(request);
        QCOMPARE(f.axis->range(), expected);
        QCOMPARE(one.count(), emissions);
        QCOMPARE(two.count(), emissions);
        if (emissions) {
            QCOMPARE(two.first().at(0).value<QCPRange>(), expected);
            QCOMPARE(two.first().at(1).value<QCPRange>(), current);
        }
    }
}

void TestChartAxis::libraryPathsStayInsideLimits()
{
    AxisFixture f;
    f.axis->setRangeMin(-100);
    f.axis->setRangeMax(5500);
    f.axis->setRange(0, 1000);
    QCPAxis* plain = f.axis;
    plain->setRange(-500, 100);
    QCOMPARE(f.axis->range(), QCPRange(-100, 100));
    plain->moveRange(10000);
    QCOMPARE(f.axis->range(), QCPRange(5300, 5500));
    plain->setRangeLower(-1000);
    QCOMPARE(f.axis->range().lower, -100.0);
    // Setting a limit leaves the current range alone.
    f.axis->setRangeMax(50);
    QCOMPARE(f.axis->range().upper, 5500.0);
}

void TestChartAxis::zoom_data()
{
    QTest::addColumn<QCPRange>("current");
    QTest::addColumn<double>("factor");
    QTest::addColumn<double>("center");
    QTest::addColumn<QCPRange>("expected");
    QTest::addColumn<int>("emissions");

    QTest::newRow("narrower than 0.001") << QCPRange(0, 0.0015) << 0.5 << 0.0 << QCPRange(0, 0.0015) << 0;
    QTest::newRow("clamped at lower limit") << QCPRange(0, 100) << 2.0 << 50.0 << QCPRange(0, 150) << 1;
    QTest::newRow("zoom in") << QCPRange(0, 100) << 0.5 << 50.0 << QCPRange(25, 75) << 1;
    QTest::newRow("limits leave it unchanged") << QCPRange(0, 1e7) << 2.0 << 5e6 << QCPRange(0, 1e7) << 1;
}

void TestChartAxis::zoom()
{
    QFETCH(QCPRange, current);
    QFETCH(double, factor);
    QFETCH(double, center);
    QFETCH(QCPRange, expected);
    QFETCH(int, emissions);

    AxisFixture f;
    f.axis->setRange(current);
    QSignalSpy two(f.axis, qOverload<const QCPRange&, const QCPRange&>(&QCPAxis::rangeChanged));
    f.axis->scaleRange(factor, center);
    QCOMPARE(f.axis->range(), expected);
    QCOMPARE(two.count(), emissions);
    if (emissions)
        QCOMPARE(two.first().at(1).value<QCPRange>(), current);
}

void TestChartAxis::numberLabels_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("divisor");
    QTest::addColumn<QString>("label");

    QTest::newRow("groups") << 1234.5 << 1 << "1 234.5";
    QTest::newRow("six digits") << 123456.0 << 1 << "123 456";
    QTest::newRow("negative") << -1234.0 << 1 << "-1 234";
    QTest::newRow("short negative") << -100.0 << 1 << "-100";
    QTest::newRow("divided") << 1500.0 << 1000 << "1.5";
    QTest::newRow("mega") << 2500000.0 << 1000000 << "2.5";
    QTest::newRow("six significant digits") << 999999.4 << 1 << "999 999";
    QTest::newRow("exponent form stays") << 0.00001 << 1 << "1e-05";
}

void TestChartAxis::numberLabels()
{
    QFETCH(double, value);
    QFETCH(int, divisor);
    QFETCH(QString, label);
    QCOMPARE(numberTickLabel(value, divisor, QLocale::c()), label);
}

void TestChartAxis::divisorAndUnitSignal()
{
    QCOMPARE(labelDivisor(999), 1);
    QCOMPARE(labelDivisor(2500), 1000);
    QCOMPARE(labelDivisor(2.5e6), 1000000);

    AxisFixture f;
    f.axis->setRange(0, 2600);
    QList<int> divisors;
    QList<QString> labels;
    QList<double> ticks;
    connect(f.axis, &ChartAxis::axisUnitChanged, this,
            [&](QCPAxis* axis, int upper, QList<double>& t, QList<QString>& l) {
                QCOMPARE(axis, f.axis);
                divisors.append(upper);
                ticks = t;
                labels = l;
            });
    f.plot.replot();
    QVERIFY(!divisors.isEmpty());
    QCOMPARE(divisors.last(), 1000);
    const int at1500 = int(ticks.indexOf(1500.0));
    QVERIFY(at1500 >= 0);
    QCOMPARE(labels[at1500], QStringLiteral("1.5"));
    QCOMPARE(f.axis->tickVectorLabels().at(f.axis->tickVector().indexOf(1500.0)), QStringLiteral("1.5"));
}

void TestChartAxis::receiverRewritesTicksAndLabels()
{
    AxisFixture f;
    f.axis->setRange(0.5, 3.5);
    f.axis->setUseTickLabelMap(true);
    connect(f.axis, &ChartAxis::axisUnitChanged, this,
            [&](QCPAxis*, int, QList<double>& t, QList<QString>& l) {
                // A receiver may replace the ticks (even ones outside the range) and labels.
                t = {0, 1, 2, 3, 4};
                l = {"a", "b", "", "d"};
                f.axis->generateSubTicks(1);
                f.axis->tickLabelMap = {{2, "anchor"}, {-1, "start"}};
                QCOMPARE(f.axis->visibleTickRange(), qMakePair(1, 3));
            });
    f.plot.replot();
    QCOMPARE(f.axis->tickVector(), QList<double>({1, 2, 3}));
    QCOMPARE(f.axis->tickVectorLabels(), QList<QString>({"b", "", "d"}));
    QCOMPARE(f.axis->subTickCount(), 1);
}

void TestChartAxis::subTicks_data()
{
    QTest::addColumn<QList<double>>("ticks");
    QTest::addColumn<int>("count");
    QTest::addColumn<QCPRange>("range");
    QTest::addColumn<QList<double>>("expected");

    QTest::newRow("between and beyond visible ticks")
        << QList<double>{0, 10, 20, 30} << 1 << QCPRange(2, 22) << QList<double>{5, 15};
    QTest::newRow("edges of the range")
        << QList<double>{0, 10, 20} << 4 << QCPRange(3, 14) << QList<double>{4, 6, 8, 12, 14};
    QTest::newRow("no tick inside") << QList<double>{0, 10, 20} << 1 << QCPRange(11, 16)
                                    << QList<double>{15};
    QTest::newRow("count zero") << QList<double>{0, 10} << 0 << QCPRange(0, 10) << QList<double>{};
}

void TestChartAxis::subTicks()
{
    QFETCH(QList<double>, ticks);
    QFETCH(int, count);
    QFETCH(QCPRange, range);
    QFETCH(QList<double>, expected);
    QCOMPARE(subTickPositions(ticks, count, range, visibleTickBounds(ticks, range)), expected);
}

void TestChartAxis::labelRows()
{
    LabelThinning thinning;
    QVERIFY(thinning.accept(0, 40));
    QVERIFY(!thinning.accept(30, 40));
    QVERIFY(thinning.accept(60, 40));

    const auto width = [](const QString& text) { return int(text.size()) * 10; };
    // "start" takes 5..55. "near" lies on it; "centred" has its tick right of the start
    // label's end, but its text (30..90) reaches back over it; "far" begins at 105.
    const QMap<int, QString> map{{-1, "start"}, {0, "near"}, {1, "centred"}, {2, "far"}, {7, "missing tick"}};
    const QList<RowLabel> row = secondRowLabels(map, {10, 60, 120}, 5, width);
    QCOMPARE(row.size(), 2);
    QCOMPARE(row[0].text, QStringLiteral("start"));
    QVERIFY(row[0].atLeftEdge);
    QCOMPARE(row[0].left, 5.0);
    QCOMPARE(row[1].text, QStringLiteral("far"));
    QCOMPARE(row[1].position, 120.0);
    QCOMPARE(row[1].left, 105.0);
}

void TestChartAxis::secondRowIsDrawn()
{
    const auto render = [](bool withMap) {
        AxisFixture f;
        f.axis->setRange(0, 10);
        f.axis->setUseTickLabelMap(true);
        connect(f.axis, &ChartAxis::axisUnitChanged, f.axis,
                [&f, withMap](QCPAxis*, int, QList<double>& t, QList<QString>& l) {
                    l = QList<QString>(t.size());
                    if (withMap)
                        f.axis->tickLabelMap = {{-1, "WWWWWW"}, {5, "MMMMMM"}};
                });
        return f.plot.toPixmap(600, 400).toImage();
    };
    QVERIFY(render(true) != render(false));
}

void TestChartAxis::startArrowTheFontHas_data()
{
    QTest::addColumn<QList<uint>>("glyphs");
    QTest::addColumn<QString>("arrow");
    QTest::newRow("every arrow") << QList<uint>{0x2B9C, 0x2190} << QString(QChar(0x2B9C));
    QTest::newRow("no heavy arrow") << QList<uint>{0x2190} << QString(QChar(0x2190));
    QTest::newRow("no arrow at all") << QList<uint>{} << QStringLiteral("<");
}

// The start label's arrow is one the font can draw; with the fonts of this machine too.
void TestChartAxis::startArrowTheFontHas()
{
    QFETCH(QList<uint>, glyphs);
    QFETCH(QString, arrow);
    QCOMPARE(startArrow([&glyphs](char32_t c) { return glyphs.contains(uint(c)); }), arrow);

    AxisFixture f;
    const QString drawn = f.axis->startArrow();
    const QFontMetrics metrics(f.axis->labelFont());
    QVERIFY2(drawn == QStringLiteral("<") || metrics.inFontUcs4(drawn.toUcs4().value(0)),
             qPrintable(QString::number(drawn.toUcs4().value(0), 16)));
}

QTEST_MAIN(TestChartAxis)
#include "tst_chartaxis.moc"
