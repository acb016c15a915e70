#include "CaptureTitle.h"
#include "ChannelInfo.h"
#include "ChartAxis.h"
#include "ChartColors.h"
#include "ChartPlot.h"
#include "DeviceDescriptions.h"
#include "GLWidget.h"
#include "LoggerState.h"
#include "SwapFile.h"
#include "UnitFormat.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cfloat>
#include <cmath>

// The chart tab: graphs and value axes per channel for the analyzer and for a supply
// selection, running statistics, data ranges, colours, title and the swap file's fate.
class TestGLWidget : public QObject
{
    Q_OBJECT
private slots:
    void cleanup();
    void analyzerChannels();
    void supplySelection();
    void statistics_data();
    void statistics();
    void dataRangeAndClearing();
    void colours();
    void title_data();
    void title();
    void titleWraps_data();
    void titleWraps();
    void swapFileFate_data();
    void swapFileFate();

private:
    GLWidget* makeTab(const QList<int>& selection);
};

namespace {

QCPGraphData point(double key, double value)
{
    return QCPGraphData(key, value);
}

} // namespace

void TestGLWidget::cleanup()
{
    powerSupplyConnected = false;
    power600Model = false;
    ChannelInfo::clearTable();
}

GLWidget* TestGLWidget::makeTab(const QList<int>& selection)
{
    auto* tab = new GLWidget;
    tab->setPlot(new ChartPlot(tab));
    tab->addChannels(selection);
    return tab;
}

void TestGLWidget::analyzerChannels()
{
    createDefaults();
    GLWidget* tab = new GLWidget;
    tab->setPlot(new ChartPlot(tab));
    QSignalSpy added(tab, &GLWidget::channelsAdded);
    tab->addChannels({});
    QCOMPARE(added.count(), 1);
    QCustomPlot* plot = tab->plot;
    QCOMPARE(tab->channelMaps.size(), 3);
    QCOMPARE(plot->graphCount(), 4);
    QCOMPARE(plot->graph(0)->name(), QStringLiteral("#0: Current"));

    struct Expected
    {
        QCPAxis::AxisType side;
        double rangeMin, rangeMax;
        QCPRange range;
        QString label;
    };
    const Expected expected[] = {
        {QCPAxis::atLeft, 0, 2100000, QCPRange(0, 1000), "#0: Current, mA"},
        {QCPAxis::atRight, -100, 5500, QCPRange(-100, 5500), "#1: Voltage, V"},
        {QCPAxis::atRight, -100, 5500, QCPRange(-100, 5500), "#2: Voltage, V"},
    };
    for (int channel = 0; channel < 3; ++channel) {
        ChartAxis* axis = chartAxis(plot->graph(channel)->valueAxis());
        QVERIFY(axis);
        QCOMPARE(axis->axisType(), expected[channel].side);
        QCOMPARE(axis->rangeMin(), expected[channel].rangeMin);
        QCOMPARE(axis->rangeMax(), expected[channel].rangeMax);
        QCOMPARE(axis->range(), expected[channel].range);
        QCOMPARE(axis->label(), expected[channel].label);
        QVERIFY(axis->visible());
        QCOMPARE(axis->tickLabelRotation(), -90.0);
        QCOMPARE(axis->labelColor(), plot->graph(channel)->pen().color());
        QCOMPARE(plot->graph(channel)->data(), tab->channelMaps[channel]);
    }
    QVERIFY(qobject_cast<Axis*>(plot->graph(0)->valueAxis()));
    QVERIFY(plot->graph(1)->valueAxis() != plot->yAxis2);
    QCOMPARE(plot->graph(2)->valueAxis(), plot->yAxis2);

    // The cursor-line graph comes last, on the hidden default left axis.
    QCPGraph* cursor = plot->graph(3);
    QCOMPARE(cursor->valueAxis(), plot->yAxis);
    QVERIFY(!plot->yAxis->visible());
    QCOMPARE(plot->yAxis->range(), QCPRange(0, 1));
    QVERIFY(!tab->channelMaps.contains(cursor->data()));

    QSignalSpy forwarded(tab, &GLWidget::axisRangeChanged);
    chartAxis(plot->graph(0)->valueAxis())->setRange(0, 5000);
    QCOMPARE(forwarded.count(), 1);
    QCOMPARE(forwarded.first().at(0).value<QCPRange>(), QCPRange(0, 5000));
    QCOMPARE(forwarded.first().at(2).value<QCPAxis*>(), plot->graph(0)->valueAxis());
    delete tab;
}

void TestGLWidget::supplySelection()
{
    powerSupplyConnected = true;
    createDefaultsPower();
    GLWidget* tab = makeTab({1, 4, 6});
    QCustomPlot* plot = tab->plot;
    QCOMPARE(tab->channelMaps.size(), 3);
    QCOMPARE(plot->graphCount(), 4);
    const int channels[] = {1, 4, 6};
    const QCPAxis::AxisType sides[] = {QCPAxis::atRight, QCPAxis::atLeft, QCPAxis::atRight};
    for (int i = 0; i < 3; ++i) {
        const ChannelInfo info(static_cast<quint8>(channels[i]));
        auto* axis = qobject_cast<AxisPower*>(plot->graph(i)->valueAxis());
        QVERIFY(axis);
        QCOMPARE(axis->channel, channels[i]);
        QCOMPARE(axis->axisType(), sides[i]);
        QCOMPARE(axis->rangeMin(), info.lower);
        QCOMPARE(axis->rangeMax(), info.upper);
        QCOMPARE(axis->range(), QCPRange(info.lower, info.upper));
        QCOMPARE(axis->numberPrecision(), info.precision);
        QCOMPARE(axis->subTickCount(), 5);
        QCOMPARE(axis->labelColor(), chartColor(channels[i]));
        QCOMPARE(axis->label(), QStringLiteral("#%1: %2, %3").arg(channels[i]).arg(info.name(), info.unit()));
    }
    QCOMPARE(plot->graph(0)->name(), QStringLiteral("#1: 13.8V Current"));
    delete tab;
}

void TestGLWidget::statistics_data()
{
    QTest::addColumn<QList<double>>("values");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("maximum");
    QTest::addColumn<double>("average");
    QTest::addColumn<qint64>("count");

    const double nan = std::nan("");
    QTest::newRow("mixed") << QList<double>{3, 1, 2} << 1.0 << 3.0 << 2.0 << qint64(3);
    QTest::newRow("NaN ignored") << QList<double>{nan, 4, nan} << 4.0 << 4.0 << 4.0 << qint64(1);
    QTest::newRow("all negative") << QList<double>{-5, -2, -8} << -8.0 << -2.0 << -5.0 << qint64(3);
    QTest::newRow("all zero") << QList<double>{0, 0} << 0.0 << 0.0 << 0.0 << qint64(2);
    QTest::newRow("empty channel") << QList<double>{} << DBL_MAX << DBL_MIN << 0.0 << qint64(0);
}

void TestGLWidget::statistics()
{
    QFETCH(QList<double>, values);
    QFETCH(double, minimum);
    QFETCH(double, maximum);
    QFETCH(double, average);
    QFETCH(qint64, count);

    GLWidget tab;
    double key = 0;
    for (const double value : values)
        tab.accumulateStatistics(1, point(key += 0.5, value), true);
    const ChannelStatistics::Channel& c = tab.statistics.channel[1];
    QCOMPARE(c.minimum, minimum);
    QCOMPARE(c.maximum, maximum);
    QCOMPARE(c.average, average);
    QCOMPARE(tab.statistics.count, count);
    // Untouched channels keep the markers of a fresh record.
    QCOMPARE(tab.statistics.channel[0].maximum, DBL_MIN);
    QCOMPARE(tab.statistics.channel[2].minimum, DBL_MAX);
}

void TestGLWidget::dataRangeAndClearing()
{
    createDefaults();
    GLWidget* tab = makeTab({});
    QVERIFY(tab->isEmpty());
    QCOMPARE(tab->dataRange(), QCPRange(0, 0));
    tab->channelMaps[1]->add(QCPGraphData(2.0, 1));
    tab->channelMaps[1]->add(QCPGraphData(7.5, 1));
    tab->channelMaps[2]->add(QCPGraphData(0.5, 1));
    QVERIFY(!tab->isEmpty());
    QCOMPARE(tab->dataRange(), QCPRange(2.0, 7.5));
    tab->clearData();
    QVERIFY(tab->isEmpty());
    QCOMPARE(tab->channelMaps.size(), 3);

    // A channel outside 0..2 moves the key and the count only.
    tab->accumulateStatistics(5, point(3.0, 42), true);
    QCOMPARE(tab->statistics.latestKey, 3.0);
    QCOMPARE(tab->statistics.count, qint64(1));
    QCOMPARE(tab->statistics.channel[0].sum, 0.0);
    delete tab;
}

void TestGLWidget::colours()
{
    QCOMPARE(chartColors().size(), 8);
    QCOMPARE(chartColor(-3), QColor(Qt::red));
    QCOMPARE(chartColor(9), QColor(Qt::green));
    QCOMPARE(chartColor(13), QColor("#f67209"));
    QCOMPARE(chartColor(100), QColor(Qt::darkGreen));
}

void TestGLWidget::title_data()
{
    QTest::addColumn<quint8>("mask");
    QTest::addColumn<quint16>("period");
    QTest::addColumn<bool>("power");
    QTest::addColumn<double>("endTime");
    QTest::addColumn<QString>("expected");

    QTest::newRow("analyzer") << quint8(7) << quint16(1) << false << 0.0
                              << "Channels: #0, #1, #2,  Sample rate: 1(10.000 kHz)";
    QTest::newRow("analyzer with time") << quint8(7) << quint16(10) << false << 2.5
                                        << "Channels: #0, #1, #2,  Sample rate: 10(1.000 kHz), Measurement time: 2.500s";
    QTest::newRow("supply") << quint8(7) << quint16(100) << true << 0.0
                            << "Channels: #0, #1, #2,  Sample rate: 100 Hz";
    QTest::newRow("supply damaged period") << quint8(7) << quint16(0) << true << 0.0
                                           << "Channels: #0, #1, #2,  Sample rate: 0 Hz";
    QTest::newRow("no channels") << quint8(0) << quint16(1) << false << 0.0 << QString();
}

void TestGLWidget::title()
{
    QFETCH(quint8, mask);
    QFETCH(quint16, period);
    QFETCH(bool, power);
    QFETCH(double, endTime);
    QFETCH(QString, expected);
    SwapFileHeader header = defaultSwapFileHeader();
    header.channelMask = mask;
    header.samplePeriod = period;
    QCOMPARE(captureTitle(header, {0, 1, 2}, power, endTime), expected);
}

// The title breaks only at blanks, into lines no wider than the room, and gives its
// text back when the breaks are read as blanks; a word wider than the room stays whole.
void TestGLWidget::titleWraps_data()
{
    QTest::addColumn<QString>("room"); // a text as wide as the room
    QTest::addColumn<QStringList>("lines");
    const QString title = QStringLiteral("Channels: #0, #1, #2,  Sample rate: 10(1.000 kHz)");
    QTest::newRow("fits") << title << QStringList{title};
    QTest::newRow("two lines") << QStringLiteral("Channels: #0, #1, #2,  Sampl")
                               << QStringList{QStringLiteral("Channels: #0, #1, #2, "),
                                              QStringLiteral("Sample rate: 10(1.000 kHz)")};
    QTest::newRow("narrower than a word")
        << QStringLiteral("#")
        << QStringList{QStringLiteral("Channels:"), QStringLiteral("#0,"), QStringLiteral("#1,"),
                       QStringLiteral("#2,"), QStringLiteral(" Sample"), QStringLiteral("rate:"),
                       QStringLiteral("10(1.000"), QStringLiteral("kHz)")};
}

void TestGLWidget::titleWraps()
{
    QFETCH(QString, room);
    QFETCH(QStringList, lines);
    const QFontMetrics metrics(QFont(QStringLiteral("Sans"), 10, QFont::Bold));
    const QString title = QStringLiteral("Channels: #0, #1, #2,  Sample rate: 10(1.000 kHz)");
    const QString wrapped = wrapTitle(title, metrics, metrics.horizontalAdvance(room));
    QCOMPARE(wrapped.split(QLatin1Char('\n')), lines);
    QCOMPARE(QString(wrapped).replace(QLatin1Char('\n'), QLatin1Char(' ')), title);
}

void TestGLWidget::swapFileFate_data()
{
    QTest::addColumn<bool>("keepFile");
    QTest::newRow("kept") << true;
    QTest::newRow("unsaved") << false;
}

void TestGLWidget::swapFileFate()
{
    QFETCH(bool, keepFile);
    QTemporaryDir dir;
    const QString name = dir.filePath(QStringLiteral("Capture 1.tmp"));
    auto* tab = new GLWidget;
    tab->setPlot(new ChartPlot(tab));
    QVERIFY(tab->swapFile->create(name));
    tab->keepFile = keepFile;
    QPointer<QCustomPlot> plot = tab->plot;
    delete tab;
    QVERIFY(!plot);
    QCOMPARE(QFile::exists(name), keepFile);
}

QTEST_MAIN(TestGLWidget)
#include "tst_glwidget.moc"
