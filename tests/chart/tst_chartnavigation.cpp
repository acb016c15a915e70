#include "ChartNavigation.h"

#include <QtTest>

#include <cmath>

namespace {
QCPGraphDataContainer points(const QList<QPair<double, double>>& list)
{
    QCPGraphDataContainer data;
    for (const auto& [key, value] : list)
        data.add(QCPGraphData(key, value));
    return data;
}
} // namespace

// The arithmetic of the chart gestures: value fitting, pointer snapping, centring and
// the window read after a drag past the loaded records.
class TestChartNavigation : public QObject
{
    Q_OBJECT
private slots:
    void valueRange_data()
    {
        QTest::addColumn<QList<double>>("values"); // at keys 0, 1, 2, ...
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::addColumn<double>("expectedLower");
        QTest::addColumn<double>("expectedUpper");
        const double nan = std::nan("");
        QTest::newRow("flat at 5: twice the centre") << QList<double>{5, 5, 5} << 0.0 << 2.0 << 0.0 << 10.0;
        QTest::newRow("flat at 0") << QList<double>{0, 0} << 0.0 << 1.0 << 0.0 << 0.0;
        QTest::newRow("100 to 101: 100.5 +- 15") << QList<double>{100, 101} << 0.0 << 1.0 << 85.5 << 115.5;
        QTest::newRow("wide spread as it is") << QList<double>{10, 50, 30} << 0.0 << 2.0 << 10.0 << 50.0;
        QTest::newRow("both ends of the keys count") << QList<double>{1, 900, 20, 1000} << 1.0 << 2.0 << 20.0 << 900.0;
        QTest::newRow("NaN skipped") << QList<double>{10, nan, 50} << 0.0 << 2.0 << 10.0 << 50.0;
        QTest::newRow("nothing in the keys") << QList<double>{10, 50} << 5.0 << 9.0 << 0.0 << 0.0;
        QTest::newRow("empty") << QList<double>{} << 0.0 << 9.0 << 0.0 << 0.0;
    }
    void valueRange()
    {
        QFETCH(QList<double>, values);
        QFETCH(double, lower);
        QFETCH(double, upper);
        QFETCH(double, expectedLower);
        QFETCH(double, expectedUpper);
        QCPGraphDataContainer data;
        for (int i = 0; i < values.size(); ++i)
            data.add(QCPGraphData(i, values[i]));
        const QCPRange range = valueRangeOf(&data, QCPRange(lower, upper));
        QCOMPARE(range.lower, expectedLower);
        QCOMPARE(range.upper, expectedUpper);
        QCOMPARE(valueRangeOf(nullptr, QCPRange(0, 1)).upper, 0.0);
    }

    void snapping_data()
    {
        QTest::addColumn<double>("pointer");
        QTest::addColumn<double>("key");
        QTest::newRow("left of the first point") << -3.0 << 1.0;
        QTest::newRow("right of the last point") << 99.0 << 4.0;
        QTest::newRow("nearer the earlier") << 1.9 << 1.0;
        QTest::newRow("nearer the later") << 2.6 << 3.0;
        QTest::newRow("halfway takes the later") << 2.0 << 3.0;
        QTest::newRow("on a point") << 3.0 << 3.0;
    }
    void snapping()
    {
        QFETCH(double, pointer);
        QFETCH(double, key);
        const QCPGraphDataContainer data = points({{1, 10}, {3, 30}, {4, 40}});
        QCOMPARE(nearestKey(data, pointer), key);
        QCOMPARE(nearestKey(QCPGraphDataContainer(), pointer), -1.0);
        // Another channel's map answers for the snapped key: its value, 0 without a
        // point there, NaN when it holds nothing.
        QCOMPARE(valueAtKey(data, key), key * 10);
        QCOMPARE(valueAtKey(data, 2.5), 0.0);
        QVERIFY(std::isnan(valueAtKey(QCPGraphDataContainer(), key)));
    }

    void centring_data()
    {
        QTest::addColumn<double>("centre");
        QTest::addColumn<double>("dataUpper");
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::newRow("near the start") << 2.0 << 60.0 << 0.0 << 10.0;
        QTest::newRow("near the end") << 58.0 << 60.0 << 50.0 << 60.0;
        QTest::newRow("inside") << 30.0 << 60.0 << 25.0 << 35.0;
        QTest::newRow("record shorter than the width") << 3.0 << 4.0 << 0.0 << 10.0;
    }
    void centring()
    {
        QFETCH(double, centre);
        QFETCH(double, dataUpper);
        QFETCH(double, lower);
        QFETCH(double, upper);
        const QCPRange range = centredKeyRange(centre, 10, dataUpper);
        QCOMPARE(range.lower, lower);
        QCOMPARE(range.upper, upper);
    }

    void borderMoves_data()
    {
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::addColumn<double>("centre");
        QTest::addColumn<bool>("read");
        QTest::newRow("below 0: to the start, nothing read") << -2.0 << 8.0 << 5.0 << false;
        QTest::newRow("past the end: centred on the request") << 52.0 << 62.0 << 57.0 << true;
        QTest::newRow("before the window") << 12.0 << 22.0 << 17.0 << true;
        QTest::newRow("centre at least 5") << 0.5 << 4.5 << 5.0 << true;
    }
    void borderMoves()
    {
        QFETCH(double, lower);
        QFETCH(double, upper);
        QFETCH(double, centre);
        QFETCH(bool, read);
        const BorderMove move = borderMove(lower, upper, 10, 5);
        QCOMPARE(move.centre, centre);
        QCOMPARE(move.read, read);
    }
};

QTEST_MAIN(TestChartNavigation)
#include "tst_chartnavigation.moc"
