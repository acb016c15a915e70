#include "BarsFixture.h"
#include "ColorDialogs.h"
#include "LoggerState.h"
#include "MarkerBar.h"
#include "MarkerLine.h"
#include "RangeStatistics.h"
#include "Settings.h"

#include <QSignalSpy>
#include <QtTest>

#include <cfloat>
#include <memory>

// The time markers: statistics between two times, the distance text, placing, dragging,
// colours, stored positions, the tool tip, and a bar that outlives its chart tab.
class TestMarkerBar : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void statistics_data();
    void statistics();
    void distance_data();
    void distance();
    void placedAndDragged();
    void inertWhileMeasuring();
    void restoredFromSettings_data();
    void restoredFromSettings();
    void colourChoice();
    void toolTip();
    void followsRangeAndSize();
    void placedOnceThePlotIsLaidOut();
    void outlivesItsChart();
};

namespace {
QPoint at(double x)
{
    return QPoint(int(std::lround(x)), 12);
}

// The tag's point, where a person would press it.
QPoint tagOf(const Marker* m)
{
    return at(m->x + 13);
}
} // namespace

void TestMarkerBar::init()
{
    Settings().clear();
    measuringActive = false;
}

void TestMarkerBar::cleanup()
{
    measuringActive = false;
    setColorDialogResponder(nullptr);
}

void TestMarkerBar::statistics_data()
{
    QTest::addColumn<QString>("maps");
    QTest::addColumn<double>("lower");
    QTest::addColumn<double>("upper");
    // per channel 0..2: minimum, maximum, average; NaN for a channel without values
    QTest::addColumn<QList<double>>("expected");
    QTest::addColumn<double>("lastKey");

    const double none = std::nan("");
    QTest::newRow("both ends included") << "1:100 2:200 3:600 4:300 5:900 | 2:-5 3:-1 | " << 2.0 << 4.0
                                        << QList<double>{200, 600, 1100.0 / 3, -5, -1, -3, none, none, none} << 3.0;
    QTest::newRow("missing values are skipped") << "1:1 2:nan 3:3" << 0.0 << 10.0
                                                << QList<double>{1, 3, 2, none, none, none, none, none, none} << 3.0;
    QTest::newRow("zero is a value") << "1:0 2:0 | 1:0" << 0.0 << 10.0
                                     << QList<double>{0, 0, 0, 0, 0, 0, none, none, none} << 1.0;
    QTest::newRow("nothing in the range") << "1:5 2:6 | 1:7" << 3.0 << 4.0
                                          << QList<double>{none, none, none, none, none, none, none, none, none}
                                          << 4.0;
    QTest::newRow("fourth map walked, not counted") << "1:5 | 1:6 | 1:7 | 1:8 2:9" << 0.0 << 3.0
                                                    << QList<double>{5, 5, 5, 6, 6, 6, 7, 7, 7} << 2.0;
}

void TestMarkerBar::statistics()
{
    QFETCH(QString, maps);
    QFETCH(double, lower);
    QFETCH(double, upper);
    QFETCH(QList<double>, expected);
    QFETCH(double, lastKey);

    std::unique_ptr<GLWidget> chart(makeChart(maps));
    ChannelStatistics out = freshStatistics();
    channelStatistics(chart.get(), QCPRange(lower, upper), out);
    for (int c = 0; c < 3; ++c) {
        const ChannelStatistics::Channel& values = out.channel[c];
        if (std::isnan(expected[3 * c])) {
            QVERIFY2(!hasValues(values), qPrintable(QString::number(c)));
            continue;
        }
        QVERIFY(hasValues(values));
        QCOMPARE(values.minimum, expected[3 * c]);
        QCOMPARE(values.maximum, expected[3 * c + 1]);
        QCOMPARE(values.average, expected[3 * c + 2]);
    }
    QCOMPARE(out.latestKey, lastKey);
    QCOMPARE(out.lowerKey, lower);
    QCOMPARE(out.count, qint64(0));

    // Without a plot nothing is filled.
    ChannelStatistics untouched = freshStatistics();
    channelStatistics(nullptr, QCPRange(lower, upper), untouched);
    QCOMPARE(untouched.latestKey, 0.0);
}

void TestMarkerBar::distance_data()
{
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("text");
    const QString micro(QChar(0x03bc));
    QTest::newRow("microseconds") << 0.00025 << QStringLiteral("250 ") + micro + QStringLiteral("s");
    QTest::newRow("zero") << 0.0 << QStringLiteral("0 ") + micro + QStringLiteral("s");
    QTest::newRow("milliseconds") << 0.0125 << QStringLiteral("12.5 ms");
    QTest::newRow("half a second") << 0.5 << QStringLiteral("500.0 ms");
    QTest::newRow("seconds") << 2.5 << QStringLiteral("2.50 s");
}

void TestMarkerBar::distance()
{
    QFETCH(double, seconds);
    QFETCH(QString, text);
    QCOMPARE(distanceText(seconds), text);
}

void TestMarkerBar::placedAndDragged()
{
    std::unique_ptr<GLWidget> chart(makeChart());
    QCPAxis* key = chart->plot->xAxis;
    MarkerBar bar;
    bar.resize(600, 24);
    QSignalSpy added(&bar, &MarkerBar::markerAdded);
    QSignalSpy moved(&bar, &MarkerBar::markerMoved);

    bar.loadMarkers(chart.get());
    QCOMPARE(added.count(), 1);
    Marker* t1 = bar.marker(0);
    Marker* t2 = bar.marker(1);
    QVERIFY(t1 && t2 && !bar.marker(2) && !bar.marker(-1));
    QCOMPARE(added.first().at(0).value<Marker*>(), t1);
    QCOMPARE(t1->name, QStringLiteral("T1"));
    QCOMPARE(t1->time, 5.0);
    QCOMPARE(t1->x, key->coordToPixel(5));
    QCOMPARE(t2->x, t1->x + 16);
    QCOMPARE(t2->time, key->pixelToCoord(t2->x));
    QCOMPARE(t1->partner, t2);
    QCOMPARE(t2->partner, t1);
    QCOMPARE(t1->shape.boundingRect(), QRectF(t1->x + 5, 1, 16, 21));
    QVERIFY(bar.statusText().endsWith(QStringLiteral("  ... ")));
    QVERIFY(bar.statusText().startsWith(QStringLiteral("T1: 5.00s, T2: ")));

    // A second load only rebinds: no new pair.
    bar.loadMarkers(chart.get());
    QCOMPARE(added.count(), 1);
    QVERIFY(!bar.createMarkers());

    // Dragging T1 to 8 s; beyond the visible range it stays at its last place.
    const double x8 = key->coordToPixel(8);
    QTest::mousePress(&bar, Qt::LeftButton, {}, tagOf(t1));
    QTest::mouseMove(&bar, at(x8));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(t1->x, double(at(x8).x()));
    QVERIFY(qAbs(t1->time - 8) < 0.05);
    QTest::mouseMove(&bar, at(key->coordToPixel(10) + 20));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(t1->x, double(at(x8).x()));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, at(x8));

    // Where the tags overlap T2 wins; a press beside both tags grabs nothing.
    t2->moveTo(t1->x, t1->time);
    const double x2 = key->coordToPixel(2);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(tagOf(t1).x(), 23));
    QTest::mouseMove(&bar, at(x2));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, at(x2));
    QCOMPARE(t2->x, double(at(x2).x()));
    QCOMPARE(t1->x, double(at(x8).x()));
    QTest::mousePress(&bar, Qt::LeftButton, {}, at(x8 - 40));
    QTest::mouseMove(&bar, at(x2 + 30));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, at(x2 + 30));
    QCOMPARE(t1->x, double(at(x8).x()));
    QCOMPARE(t2->x, double(at(x2).x()));
}

void TestMarkerBar::inertWhileMeasuring()
{
    std::unique_ptr<GLWidget> chart(makeChart());
    MarkerBar bar;
    bar.resize(600, 24);
    bar.loadMarkers(chart.get());
    Marker* t1 = bar.marker(0);
    const double x = t1->x;
    setColorDialogResponder([](const QColor&, const QString&) { return QColor(Qt::red); });

    measuringActive = true;
    QCOMPARE(bar.statusText(), QStringLiteral("T1: --, T2: --, dT: --   "));
    QSignalSpy moved(&bar, &MarkerBar::markerMoved);
    QTest::mousePress(&bar, Qt::RightButton, {}, tagOf(t1));
    QTest::mouseMove(&bar, at(x - 100));
    QTest::mouseRelease(&bar, Qt::RightButton, {}, at(x - 100));
    QCOMPARE(moved.count(), 0);
    QCOMPARE(t1->x, x);
    QCOMPARE(t1->color, QColor(Qt::black));
}

void TestMarkerBar::restoredFromSettings_data()
{
    QTest::addColumn<QVariant>("stored1");
    QTest::addColumn<QVariant>("stored2");
    QTest::addColumn<double>("x1");
    QTest::addColumn<double>("x2");
    // The strip spans x 0 to 599: its centre is 299.
    QTest::newRow("inside the strip") << QVariant(100.0) << QVariant(250.5) << 100.0 << 250.5;
    QTest::newRow("beyond the right edge") << QVariant(900.0) << QVariant(-3.0) << 299.0 << 315.0;
    QTest::newRow("no second position") << QVariant(120.0) << QVariant() << 120.0 << -1.0;
    QTest::newRow("not a number") << QVariant(QStringLiteral("abc")) << QVariant(QStringLiteral("nan")) << 0.0
                                  << 315.0;
}

void TestMarkerBar::restoredFromSettings()
{
    QFETCH(QVariant, stored1);
    QFETCH(QVariant, stored2);
    QFETCH(double, x1);
    QFETCH(double, x2);
    {
        Settings settings;
        settings.setValue(QStringLiteral("Main/marker-1"), stored1);
        if (stored2.isValid())
            settings.setValue(QStringLiteral("Main/marker-2"), stored2);
        settings.setValue(QStringLiteral("Main/marker-color"), QStringLiteral("#ff0000"));
    }
    std::unique_ptr<GLWidget> chart(makeChart());
    MarkerBar bar;
    bar.setGeometry(0, 0, 600, 24);
    bar.loadMarkers(chart.get());
    const Marker* t1 = bar.marker(0);
    const Marker* t2 = bar.marker(1);
    QCOMPARE(t1->x, x1);
    QCOMPARE(t1->time, chart->plot->xAxis->pixelToCoord(x1));
    // Without a stored second position T2 keeps the place it was created at.
    const double expected2 = x2 < 0 ? chart->plot->xAxis->coordToPixel(5) + 16 : x2;
    QCOMPARE(t2->x, expected2);
    QCOMPARE(t1->color, QColor(Qt::red));
    QCOMPARE(t2->color, QColor(Qt::red));
}

void TestMarkerBar::colourChoice()
{
    std::unique_ptr<GLWidget> chart(makeChart());
    MarkerBar bar;
    bar.resize(600, 24);
    bar.show();
    bar.loadMarkers(chart.get());
    Marker* t1 = bar.marker(0);
    Marker* t2 = bar.marker(1);
    QStringList titles;
    QColor answer = Qt::red;
    setColorDialogResponder([&](const QColor& initial, const QString& title) {
        titles << title + QLatin1Char('/') + initial.name();
        return answer;
    });

    // A left click picks nothing; a right click on T2 recolours both.
    QTest::mouseClick(&bar, Qt::LeftButton, {}, tagOf(t2));
    QVERIFY(titles.isEmpty());
    QTest::mouseClick(&bar, Qt::RightButton, {}, tagOf(t2));
    QCOMPARE(titles, QStringList{QStringLiteral("Marker's color/#000000")});
    QCOMPARE(t1->color, QColor(Qt::red));
    QCOMPARE(t2->color, QColor(Qt::red));

    // Cancelled: both stay red. A right click beside the tags asks nothing.
    answer = QColor();
    QTest::mouseClick(&bar, Qt::RightButton, {}, tagOf(t1));
    QCOMPARE(titles.size(), 2);
    QCOMPARE(t1->color, QColor(Qt::red));
    QTest::mouseClick(&bar, Qt::RightButton, {}, at(t1->x - 60));
    QCOMPARE(titles.size(), 2);

    // The lines on the chart take the colour and go with the strip.
    auto* line = new MarkerLine(&bar, chart->plot);
    QCOMPARE(line->selectTest(QPointF(t1->x, 50), false), -1.0);
    chart->plot->setNotAntialiasedElements(QCP::aeAll);
    t1->moveTo(300, chart->plot->xAxis->pixelToCoord(300));
    chart->plot->replot();
    const QImage shown = chart->plot->toPixmap(600, 300).toImage();
    const QRect area = chart->plot->axisRect()->rect();
    QCOMPARE(QColor(shown.pixel(int(t1->x), area.center().y())), QColor(Qt::red));
    bar.hide();
    const QImage hidden = chart->plot->toPixmap(600, 300).toImage();
    QVERIFY(QColor(hidden.pixel(int(t1->x), area.center().y())) != QColor(Qt::red));
}

void TestMarkerBar::toolTip()
{
    // Channel 0 in microamperes, 1 and 2 in millivolts; channel 2 has nothing between
    // the markers at 1 s and 3 s.
    std::unique_ptr<GLWidget> chart(
        makeChart(QStringLiteral("0:1 1:12345 2:2000 3:500 4:99999 | 1:3300 2:3100 3:3000 | 0:900 5:800")));
    MarkerBar bar;
    bar.resize(600, 24);
    bar.loadMarkers(chart.get());
    bar.marker(0)->moveTo(100, 1.0);
    bar.marker(1)->moveTo(300, 3.0);
    bar.updateToolTip();
    QCOMPARE(bar.toolTipText(), QStringLiteral("Length: 2.00 s\n"
                                               "#0: mA\n   min 0.50\n   max 12.35\n   average 4.95\n"
                                               "#1:  V\n   min 3.00\n   max 3.30\n   average 3.13\n"));

    // A stretch without samples holds only its length; the markers may be in any order.
    bar.marker(0)->moveTo(100, 4.5);
    bar.marker(1)->moveTo(300, 4.25);
    bar.updateToolTip();
    QCOMPARE(bar.toolTipText(), QStringLiteral("Length: 250.0 ms\n"));
}

void TestMarkerBar::followsRangeAndSize()
{
    std::unique_ptr<GLWidget> chart(makeChart());
    QCPAxis* key = chart->plot->xAxis;
    MarkerBar bar;
    bar.resize(600, 24);
    bar.loadMarkers(chart.get());
    Marker* t1 = bar.marker(0);
    const double x = t1->x;

    // Scrolling: the tag stays, its time changes.
    const QCPRange old = key->range();
    key->setRange(10, 20);
    bar.on_rangeChanged(key->range(), old, key);
    QCOMPARE(t1->x, x);
    QCOMPARE(t1->time, 15.0);
    bar.on_rangeChanged(key->range(), old, chart->plot->yAxis);
    QCOMPARE(t1->time, 15.0);

    // Resizing: the time stays, the tag moves.
    resizePlot(chart->plot, QSize(300, 300));
    bar.on_sizeChanged();
    QCOMPARE(t1->time, 15.0);
    QCOMPARE(t1->x, key->coordToPixel(15));
    QVERIFY(t1->x < x);
}

void TestMarkerBar::placedOnceThePlotIsLaidOut()
{
    // A new tab's plot has not been laid out when the bar first sees it: its pixels mean
    // nothing yet. The pair is placed, with its stored colour and places, once it is.
    Settings().setValue(QStringLiteral("Main/marker-1"), 200.0);
    Settings().setValue(QStringLiteral("Main/marker-color"), QStringLiteral("#00ff00"));
    auto chart = std::make_unique<GLWidget>();
    auto* plot = new ChartPlot(chart.get());
    chart->setPlot(plot);
    plot->xAxis->setRange(0, 10);
    MarkerBar bar;
    bar.setGeometry(0, 0, 600, 24);
    QSignalSpy added(&bar, &MarkerBar::markerAdded);
    bar.loadMarkers(chart.get());
    QCOMPARE(added.count(), 1);

    resizePlot(plot, QSize(600, 300));
    const Marker* t1 = bar.marker(0);
    const Marker* t2 = bar.marker(1);
    QCOMPARE(t1->x, 200.0);
    QCOMPARE(t1->time, plot->xAxis->pixelToCoord(200));
    QCOMPARE(t2->x, plot->xAxis->coordToPixel(5) + 16);
    QCOMPARE(t2->time, plot->xAxis->pixelToCoord(t2->x));
    QCOMPARE(t1->color, QColor(Qt::green));

    // Later layout changes of the plot keep the times and move the tags.
    const double time = t1->time;
    resizePlot(plot, QSize(400, 300));
    QCOMPARE(t1->time, time);
    QCOMPARE(t1->x, plot->xAxis->coordToPixel(time));
}

void TestMarkerBar::outlivesItsChart()
{
    auto* chart = makeChart(QStringLiteral("1:5"));
    MarkerBar bar;
    bar.resize(600, 24);
    bar.loadMarkers(chart);
    auto* line = new MarkerLine(&bar, chart->plot);
    Q_UNUSED(line);
    const double x = bar.marker(0)->x;
    delete chart;

    // The last tab went: nothing of the bar may reach the freed plot or chart.
    bar.on_sizeChanged();
    bar.on_changeColorTheme(true);
    QCPAxis* none = nullptr;
    bar.on_rangeChanged(QCPRange(0, 1), QCPRange(0, 2), none);
    bar.updateToolTip();
    QCOMPARE(bar.toolTipText(), QStringLiteral("Length: ") + distanceText(std::fabs(bar.marker(0)->time - bar.marker(1)->time)) + QLatin1Char('\n'));
    QTest::mousePress(&bar, Qt::LeftButton, {}, tagOf(bar.marker(0)));
    QTest::mouseMove(&bar, at(x - 50));
    QTest::mouseRelease(&bar, Qt::RightButton, {}, at(x - 50));
    QCOMPARE(bar.marker(0)->x, x);
    bar.grab();
    QHoverEvent hover(QEvent::HoverEnter, bar.textRect().center(), bar.textRect().center(), bar.textRect().center());
    QApplication::sendEvent(&bar, &hover);
    bar.loadMarkers(nullptr);
    QCOMPARE(bar.markerCount(), 2);

    // A plot draws the lines while its strip shows, and none once the strip went first.
    std::unique_ptr<GLWidget> other(makeChart());
    // The plot holds no graph: nothing else on it is blue.
    const QColor lineColour(Qt::blue);
    const auto lineAt = [&other](int x) {
        const QImage picture = other->plot->toPixmap().toImage();
        const QRect area = other->plot->axisRect()->rect();
        for (int column = x - 1; column <= x + 1; ++column) {
            for (int y = area.top() + 2; y < area.bottom() - 2; ++y) {
                const QColor c = picture.pixelColor(column, y);
                if (c.blue() > 200 && c.red() < 180 && c.green() < 180)
                    return true;
            }
        }
        return false;
    };
    int lineX = 0;
    {
        MarkerBar gone;
        gone.resize(600, 24);
        gone.show();
        gone.loadMarkers(other.get());
        new MarkerLine(&gone, other->plot);
        gone.marker(0)->color = lineColour;
        lineX = int(std::lround(gone.marker(0)->x));
        QVERIFY(lineAt(lineX));
    }
    QVERIFY(!lineAt(lineX));
}

QTEST_MAIN(TestMarkerBar)
#include "tst_markerbar.moc"
