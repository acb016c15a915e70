#include "BarsFixture.h"
#include "ColorsAgent.h"
#include "RangeStatistics.h"
#include "ReportBar.h"
#include "Settings.h"
#include "UnitFormat.h"

#include <QLabel>
#include <QtTest>

#include <cfloat>
#include <limits>
#include <memory>

// The report bar: the nine values and three heads of each half, the window's frame, the
// channels without values, colours, language changes and what it keeps in the settings.
class TestReportBar : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void values_data();
    void values();
    void windowWithoutSamples();
    void colours();
    void translateKeepsTheFigures();
    void timeFormatReachesTheFrame();
    void visibilityStoredOnChange();
    void withoutChart();

private:
    static QStringList row(const ReportBar& bar, int channel, const QString& suffix);
};

namespace {
ChannelStatistics wholeRun(double max0, double max1, double max2)
{
    ChannelStatistics s = freshStatistics();
    const double maxima[] = {max0, max1, max2};
    for (int c = 0; c < 3; ++c) {
        if (std::isnan(maxima[c]))
            continue;
        s.channel[c].minimum = std::min(maxima[c] / 2, maxima[c]);
        s.channel[c].maximum = std::max(maxima[c] / 2, maxima[c]);
        s.channel[c].average = maxima[c] * 0.75;
    }
    s.latestKey = 60;
    s.count = 1000;
    return s;
}
} // namespace

void TestReportBar::init()
{
    Settings().clear();
}

QStringList TestReportBar::row(const ReportBar& bar, int channel, const QString& suffix)
{
    QStringList texts;
    for (const QString& kind : {QStringLiteral("Ch"), QStringLiteral("Min"), QStringLiteral("Max"), QStringLiteral("Average")}) {
        auto* label = bar.findChild<QLabel*>(QStringLiteral("label%1%2%3").arg(kind).arg(channel).arg(suffix));
        texts << (label ? label->text() : QStringLiteral("<missing>"));
    }
    return texts;
}

void TestReportBar::values_data()
{
    QTest::addColumn<double>("max0");
    QTest::addColumn<double>("max1");
    QTest::addColumn<double>("max2");
    QTest::addColumn<QStringList>("row0");
    QTest::addColumn<QStringList>("row1");
    QTest::addColumn<QStringList>("row2");
    const QString micro(QChar(0x03bc));
    const double none = std::nan("");
    QTest::newRow("milliamperes and volts")
        << 12345.0 << 3300.0 << 999.0 << QStringList{"#0: mA", "6.17", "12.35", "9.26"}
        << QStringList{"#1:  V", "1.65", "3.30", "2.48"} << QStringList{"#2: mV", "499.50", "999.00", "749.25"};
    QTest::newRow("microamperes, amperes")
        << 999.0 << 2000000.0 << 1000.0 << QStringList{"#0: " + micro + "A", "499.50", "999.00", "749.25"}
        << QStringList{"#1:  V", "1.00", "2.00", "1.50"} << QStringList{"#2:  V", "0.50", "1.00", "0.75"};
    QTest::newRow("channels without values")
        << none << none << 0.0 << QStringList{"#0: " + micro + "A", "0.0", "0.0", "0.0"}
        << QStringList{"#1: mV", "0.0", "0.0", "0.0"} << QStringList{"#2: mV", "0.00", "0.00", "0.00"};
    QTest::newRow("all negative is shown") << -4000.0 << -10.0 << none
                                           << QStringList{"#0: " + micro + "A", "-4000.00", "-2000.00", "-3000.00"}
                                           << QStringList{"#1: mV", "-10.00", "-5.00", "-7.50"}
                                           << QStringList{"#2: mV", "0.0", "0.0", "0.0"};
    QTest::newRow("beyond the int range, infinite") << 4e9 << std::numeric_limits<double>::infinity() << 5e9
                                              << QStringList{"#0:  A", "2000.00", "4000.00", "3000.00"}
                                              << QStringList{"#1:  V", "inf", "inf", "inf"}
                                              << QStringList{"#2:  V", "2500.00", "5000.00", "3750.00"};
}

void TestReportBar::values()
{
    QFETCH(double, max0);
    QFETCH(double, max1);
    QFETCH(double, max2);
    QFETCH(QStringList, row0);
    QFETCH(QStringList, row1);
    QFETCH(QStringList, row2);

    // The whole run comes from the chart's statistics; the window from its maps over the
    // displayed range, here the same values at three times inside 0 to 10 s.
    std::unique_ptr<GLWidget> chart(makeChart());
    chart->statistics = wholeRun(max0, max1, max2);
    QStringList groups;
    for (double m : {max0, max1, max2})
        groups << (std::isnan(m) ? QString()
                                  : QStringLiteral("1:%1 2:%2 3:%3")
                                        .arg(m / 2, 0, 'g', 17)
                                        .arg(m, 0, 'g', 17)
                                        .arg(m * 0.75, 0, 'g', 17));
    fillMaps(chart.get(), groups.join(QLatin1Char('|')));

    ReportBar bar;
    bar.updateReport(chart.get(), true);
    QCOMPARE(row(bar, 0, QString()), row0);
    QCOMPARE(row(bar, 1, QString()), row1);
    QCOMPARE(row(bar, 2, QString()), row2);
    QCOMPARE(row(bar, 0, QStringLiteral("_2")), row0);
    QCOMPARE(row(bar, 1, QStringLiteral("_2")), row1);
    QCOMPARE(row(bar, 2, QStringLiteral("_2")), row2);
    QCOMPARE(bar.fullStatistics().count, qint64(1000));
}

void TestReportBar::windowWithoutSamples()
{
    std::unique_ptr<GLWidget> chart(makeChart(QStringLiteral("11:500 12:700 | 11:3300")));
    chart->statistics = wholeRun(700, 3300, std::nan(""));
    chart->plot->xAxis->setRange(2.5, 7.25);
    ReportBar bar;
    bar.updateReport(chart.get(), true);
    for (int c = 0; c < 3; ++c) {
        const QStringList window = row(bar, c, QStringLiteral("_2"));
        QCOMPARE(window.mid(1), (QStringList{"0.0", "0.0", "0.0"}));
    }
    QCOMPARE(row(bar, 0, QString()).at(2), QStringLiteral("700.00"));
    // The frame runs from the displayed range's lower end to its upper end, since no
    // sample lies in between.
    QCOMPARE(bar.findChild<QLabel*>(QStringLiteral("labelFrame"))->text(), QStringLiteral("2.500s-7.250s"));

    // With samples the frame ends at the last sample walked, that of the last channel
    // holding points.
    chart->plot->xAxis->setRange(10, 20);
    bar.updateReport(chart.get(), true);
    QCOMPARE(bar.findChild<QLabel*>(QStringLiteral("labelFrame"))->text(), QStringLiteral("10.000s-11.000s"));
    QCOMPARE(row(bar, 0, QStringLiteral("_2")), (QStringList{"#0: " + QString(QChar(0x03bc)) + "A", "500.00", "700.00", "600.00"}));
}

void TestReportBar::colours()
{
    {
        ColorsAgent dark(1);
        dark.color(ColorsAgent::Report, 0) = QColor("#123456");
        dark.color(ColorsAgent::Report, 2) = QColor("#abcdef");
        dark.save();
    }
    ReportBar bar;
    bar.on_changeColorTheme(true);
    QCOMPARE(bar.styleSheet(), QStringLiteral("QWidget QLabel { color: white; }"));
    bar.on_changeColors();
    for (const char* name : {"labelCh0", "labelMin0_2", "labelAverage0"})
        QCOMPARE(bar.findChild<QLabel*>(name)->styleSheet(), QStringLiteral("QLabel { color: #123456; }"));
    QCOMPARE(bar.findChild<QLabel*>("labelMax2_2")->styleSheet(), QStringLiteral("QLabel { color: #abcdef; }"));
    bar.on_changeColorTheme(false);
    QCOMPARE(bar.styleSheet(), QStringLiteral("QWidget QLabel { color: black; }"));
}

// A language change writes the figures of the last refresh again, in the new language:
// the bar never reads 0 for a measurement that has values. Before any refresh the form's
// own texts stay.
void TestReportBar::translateKeepsTheFigures()
{
    ReportBar bar;
    bar.on_translate();
    QCOMPARE(row(bar, 0, QString()), (QStringList{"#0, mA", "0", "0", "0"}));
    QCOMPARE(bar.findChild<QLabel*>(QStringLiteral("labelFrame"))->text(), QStringLiteral("0.00-10.00,s"));

    std::unique_ptr<GLWidget> chart(makeChart(QStringLiteral("1:5000 2:7000")));
    chart->statistics = wholeRun(5000, 3000, 2000);
    bar.updateReport(chart.get(), true);
    const QStringList full = row(bar, 0, QString());
    const QStringList window = row(bar, 0, QStringLiteral("_2"));
    const QString frame = bar.findChild<QLabel*>(QStringLiteral("labelFrame"))->text();
    QCOMPARE(full.at(2), QStringLiteral("5.00"));
    bar.on_translate();
    QCOMPARE(row(bar, 0, QString()), full);
    QCOMPARE(row(bar, 0, QStringLiteral("_2")), window);
    QCOMPARE(row(bar, 2, QString()), (QStringList{"#2:  V", "1.00", "2.00", "1.50"}));
    QCOMPARE(bar.findChild<QLabel*>(QStringLiteral("labelFrame"))->text(), frame);
}

// The window's frame is written in the time format of the moment: a change of format
// reaches it without a new refresh.
void TestReportBar::timeFormatReachesTheFrame()
{
    std::unique_ptr<GLWidget> chart(makeChart(QStringLiteral("61:5000 75.5:7000")));
    chart->plot->xAxis->setRange(61, 80);
    chart->statistics = wholeRun(5000, 3000, 2000);
    ReportBar bar;
    timeFormatMode = 1;
    bar.updateReport(chart.get(), true);
    auto* frame = bar.findChild<QLabel*>(QStringLiteral("labelFrame"));
    QCOMPARE(frame->text(), QStringLiteral("61.000s-75.500s"));
    timeFormatMode = 2;
    bar.refreshTexts();
    QCOMPARE(frame->text(), QStringLiteral("1:01.000-1:15.500"));
    timeFormatMode = 1;
}

void TestReportBar::visibilityStoredOnChange()
{
    std::unique_ptr<GLWidget> chart(makeChart(QStringLiteral("1:5000")));
    QWidget window;
    auto* bar = new ReportBar(&window);
    window.show();
    bar->updateReport(chart.get(), true);
    QCOMPARE(Settings().value(QStringLiteral("Main/report_bar")).toBool(), true);

    // Refreshes while the visibility stays do not write the settings file again.
    Settings().remove(QStringLiteral("Main/report_bar"));
    for (int i = 0; i < 20; ++i)
        bar->updateReport(chart.get(), true);
    QVERIFY(!Settings().contains(QStringLiteral("Main/report_bar")));

    bar->hide();
    bar->updateReport(chart.get(), true);
    QCOMPARE(Settings().value(QStringLiteral("Main/report_bar")).toBool(), false);
}

void TestReportBar::withoutChart()
{
    std::unique_ptr<GLWidget> chart(makeChart(QStringLiteral("1:5000")));
    chart->statistics = wholeRun(5000, 3000, 2000);
    ReportBar bar;
    bar.updateReport(chart.get(), true);
    chart.reset();
    // The last tab went: the labels keep their values, the records start afresh.
    bar.updateReport(nullptr, true);
    QCOMPARE(row(bar, 0, QString()).at(2), QStringLiteral("5.00"));
    QVERIFY(!hasValues(bar.fullStatistics().channel[0]));
    bar.on_changeColorTheme(true);
    bar.on_changeColors();
    bar.on_translate();
}

QTEST_MAIN(TestReportBar)
#include "tst_reportbar.moc"
