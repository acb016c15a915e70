// The over-current detector: a run of samples at or above the threshold, its length
// from the settings.
#include "OverCurrent.h"
#include "Settings.h"

#include <QtTest>

#include <cmath>

class TestOverCurrent : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("OverCurrent"));
    }
    void init() { QFile::remove(Settings::filePath()); }

    void overCurrent_data()
    {
        QTest::addColumn<QVariant>("stored"); // invalid: not in the settings
        QTest::addColumn<int>("length");      // the length used, and written back
        QTest::addColumn<QList<QList<double>>>("packets");
        QTest::addColumn<QList<bool>>("trips");
        const double hi = 1500000.0, lo = 1000.0;
        const QList<double> twenty(20, hi);
        QTest::newRow("21st sample trips at its packet, once")
            << QVariant() << 20 << QList<QList<double>>{twenty, {hi}, {hi, hi}, QList<double>(30, hi)}
            << QList<bool>{false, true, false, false};
        QList<double> broken(25, hi);
        broken << lo;
        QTest::newRow("a run broken inside the packet is not reported")
            << QVariant() << 20 << QList<QList<double>>{broken, {hi}} << QList<bool>{false, false};
        QList<double> exact(21, OverCurrent::threshold);
        QTest::newRow("the threshold itself counts")
            << QVariant() << 20 << QList<QList<double>>{exact} << QList<bool>{true};
        QList<double> withNan(20, hi);
        withNan << std::nan("") << hi;
        QTest::newRow("NaN breaks the run") << QVariant() << 20 << QList<QList<double>>{withNan} << QList<bool>{false};
        QTest::newRow("length from the settings") << QVariant(5) << 5
            << QList<QList<double>>{QList<double>(5, hi), {hi}} << QList<bool>{false, true};
        QTest::newRow("length 0: the first sample at the threshold")
            << QVariant(0) << 0 << QList<QList<double>>{{}, {hi}} << QList<bool>{false, true};
        // An edited file: no false alarm at the start of every run, the usual length.
        QTest::newRow("negative length") << QVariant(-5) << 20
            << QList<QList<double>>{{}, {lo}, twenty, {hi}} << QList<bool>{false, false, false, true};
        QTest::newRow("length that is no number") << QVariant(QStringLiteral("abc")) << 20
            << QList<QList<double>>{{}, {hi}, QList<double>(20, hi)} << QList<bool>{false, false, true};
    }
    void overCurrent()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, length);
        QFETCH(QList<QList<double>>, packets);
        QFETCH(QList<bool>, trips);
        if (stored.isValid()) {
            Settings s;
            s.setValue("Main/overcurrent_length", stored);
        }
        OverCurrent detector;
        QCOMPARE(detector.length(), length);
        QCOMPARE(Settings().value("Main/overcurrent_length").toString(), QString::number(length));
        for (int i = 0; i < packets.size(); ++i) {
            for (double v : packets[i])
                detector.feed(v);
            QCOMPARE(detector.isTripped(), trips[i]);
        }
        // After a reset a new run of length + 1 trips again.
        detector.reset();
        for (int i = 0; i <= detector.length(); ++i)
            detector.feed(2000000.0);
        QVERIFY(detector.isTripped());
    }
};

QTEST_GUILESS_MAIN(TestOverCurrent)
#include "tst_overcurrent.moc"
