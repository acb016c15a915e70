// The time axis's tick steps and sub-ticks.
#include "AxisUnits.h"

#include <QtTest>

#include <qcustomplot.h>

#include <cmath>

class TestAxisUnits : public QObject
{
    Q_OBJECT
private slots:
    // The time axis's step follows the range's width; with five or fewer visible tick
    // gaps it is halved, then cut to a tenth of the first step.
    void keyAxisSteps_data()
    {
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::addColumn<double>("step");
        QTest::addColumn<int>("subTicks");
        QTest::newRow("10 s") << 1500.0 << 1510.0 << 1.0 << 9;
        QTest::newRow("0.5 s: 0.1 s steps halved") << 0.0 << 0.5 << 0.05 << 4;
        QTest::newRow("0.5 ms") << 0.0003 << 0.0008 << 0.00005 << 4;
        QTest::newRow("2 hours") << 0.0 << 7200.0 << 1000.0 << 9;
        QTest::newRow("3 hours: a tenth of 10000 s") << 0.0 << 10800.0 << 1000.0 << 9;
        QTest::newRow("12 days") << 0.0 << 1000000.0 << 100000.0 << 4;
        QTest::newRow("empty range") << 3.0 << 3.0 << 0.00001 << 4;
    }
    void keyAxisSteps()
    {
        QFETCH(double, lower);
        QFETCH(double, upper);
        QFETCH(double, step);
        QFETCH(int, subTicks);
        QList<double> ticks;
        double actual = 0;
        keyAxisTicks(QCPRange(lower, upper), ticks, actual);
        QCOMPARE(actual, step);
        QCOMPARE(keyAxisSubTickCount(actual), subTicks);
        QVERIFY(ticks.size() >= 2);
        QVERIFY(ticks.first() <= lower);
        QVERIFY(ticks.last() > upper);
        QVERIFY(ticks.at(ticks.size() - 2) <= upper);
        for (int i = 1; i < ticks.size(); ++i)
            QVERIFY(std::fabs(ticks[i] - ticks[i - 1] - step) < step * 1e-6);
    }

    // A ten-second window whose lower end carries the rounding of a sample time
    // (44.000000000000007 to 54) is ten seconds wide: its ticks count from a whole ten,
    // where the labels' anchors are, not from a multiple of nine.
    void keyAxisTicksOfARoundedWindow_data()
    {
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::addColumn<double>("first");
        QTest::newRow("lower end above 44") << 44000 * 0.001 + 1e-14 << 54.0 << 40.0;
        QTest::newRow("upper end below 54") << 44.0 << 54.0 - 1e-12 << 40.0;
        QTest::newRow("one second") << 7.0 + 1e-14 << 8.0 << 7.0;
    }
    void keyAxisTicksOfARoundedWindow()
    {
        QFETCH(double, lower);
        QFETCH(double, upper);
        QFETCH(double, first);
        QList<double> ticks;
        double step = 0;
        keyAxisTicks(QCPRange(lower, upper), ticks, step);
        QVERIFY(!ticks.isEmpty());
        QCOMPARE(ticks.first(), first);
    }
};

QTEST_MAIN(TestAxisUnits)
#include "tst_axisunits.moc"
