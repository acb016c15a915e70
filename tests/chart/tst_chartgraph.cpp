#include "ChartGraph.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>

// A chart line's reduction of dense points to what a pixel column can show.
class TestChartGraph : public QObject
{
    Q_OBJECT
private slots:
    void keepsEachColumnsExtremes_data();
    void keepsEachColumnsExtremes();
    void drawsTheSameLineAsEveryPoint_data();
    void drawsTheSameLineAsEveryPoint();
};

namespace {
// A noisy signal with single-sample spikes both ways, as a sleeping device that wakes.
QVector<QCPGraphData> noisySignal(int count, double keyStep, bool flat = false)
{
    QRandomGenerator random(7);
    QVector<QCPGraphData> data;
    double value = 50;
    for (int i = 0; i < count; ++i) {
        if (!flat)
            value = std::clamp(value + random.bounded(2.0) - 1.0, 10.0, 90.0);
        double shown = value;
        if (!flat && i % 997 == 500)
            shown = 99;
        if (!flat && i % 1511 == 700)
            shown = 1;
        data.append(QCPGraphData(i * keyStep, shown));
    }
    return data;
}
} // namespace

void TestChartGraph::keepsEachColumnsExtremes_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<double>("keyStep");
    QTest::addColumn<double>("pixelsPerKey");
    QTest::addColumn<bool>("flat");
    // Keys and scales are binary fractions, so that a point's column is exact.
    QTest::newRow("dense") << 40000 << 1.0 / 256 << 4.0 << false;
    QTest::newRow("dense, pixels against the keys") << 40000 << 1.0 / 256 << -4.0 << false;
    QTest::newRow("flat") << 4000 << 1.0 / 256 << 4.0 << true;
    QTest::newRow("a column per point") << 300 << 1.0 << 2.0 << false;
    QTest::newRow("two points") << 2 << 1.0 / 256 << 1.0 << false;
    QTest::newRow("none") << 0 << 1.0 << 1.0 << false;
}

void TestChartGraph::keepsEachColumnsExtremes()
{
    QFETCH(int, count);
    QFETCH(double, keyStep);
    QFETCH(double, pixelsPerKey);
    QFETCH(bool, flat);
    const QVector<QCPGraphData> data = noisySignal(count, keyStep, flat);
    PixelScale scale;
    scale.key = 3.0;
    scale.pixel = 17.0;
    scale.pixelsPerKey = pixelsPerKey;
    QVector<QCPGraphData> line;
    reduceToPixelColumns(data.constData(), data.constData() + data.size(), scale, line);

    if (data.size() <= 2 || std::abs(pixelsPerKey * keyStep) >= 1) {
        QCOMPARE(line.size(), data.size()); // nothing to reduce
        for (int i = 0; i < data.size(); ++i)
            QCOMPARE(line[i].key, data[i].key);
        return;
    }
    QVERIFY(line.size() < data.size() / 10);
    // Every point drawn is one of the data, in the data's order.
    int at = 0;
    for (const QCPGraphData& point : line) {
        while (at < data.size() && (data[at].key != point.key || data[at].value != point.value))
            ++at;
        QVERIFY2(at < data.size(), qPrintable(QString::number(point.key)));
        ++at;
    }
    // Per pixel column (the positions that round to one pixel): its first and last point
    // and its extremes, and no more than those four.
    struct Span
    {
        double low = HUGE_VAL, high = -HUGE_VAL;
        double firstKey = 0, lastKey = 0;
        int points = 0;
    };
    QMap<qint64, Span> given, drawn;
    const auto column = [&](double key) { return qint64(std::floor(scale.pixelOf(key) + 0.5)); };
    const auto add = [](Span& span, const QCPGraphData& point) {
        if (span.points++ == 0)
            span.firstKey = point.key;
        span.lastKey = point.key;
        span.low = std::min(span.low, point.value);
        span.high = std::max(span.high, point.value);
    };
    for (const QCPGraphData& point : data)
        add(given[column(point.key)], point);
    for (const QCPGraphData& point : line)
        add(drawn[column(point.key)], point);
    QCOMPARE(drawn.keys(), given.keys());
    for (auto it = given.cbegin(); it != given.cend(); ++it) {
        const Span& shown = drawn[it.key()];
        QCOMPARE(shown.firstKey, it->firstKey);
        QCOMPARE(shown.lastKey, it->lastKey);
        QCOMPARE(shown.low, it->low);
        QCOMPARE(shown.high, it->high);
        QVERIFY(shown.points <= (flat ? 2 : 4));
    }
}

void TestChartGraph::drawsTheSameLineAsEveryPoint_data()
{
    QTest::addColumn<bool>("reversed");
    QTest::newRow("left to right") << false;
    QTest::newRow("right to left") << true;
}

// The reduced line against the library's drawing of every single point, about a hundred
// points per pixel: each spike is drawn where it is, and in every column the line
// reaches as high and as low as the full one, give or take the pixel that a steep
// segment may land in either side.
void TestChartGraph::drawsTheSameLineAsEveryPoint()
{
    QFETCH(bool, reversed);
    const QVector<QCPGraphData> data = noisySignal(60000, 0.001, false);
    QRect plotArea;
    const auto render = [&](bool reduced) {
        QCustomPlot plot;
        plot.resize(500, 300);
        plot.xAxis->setRange(7.3, 52.9); // the data reach past both edges
        plot.xAxis->setRangeReversed(reversed);
        plot.yAxis->setRange(0, 100);
        QCPGraph* graph = reduced ? new ChartGraph(plot.xAxis, plot.yAxis) : new QCPGraph(plot.xAxis, plot.yAxis);
        graph->setAdaptiveSampling(reduced);
        graph->setAntialiased(false);
        graph->setPen(QPen(Qt::red));
        graph->data()->set(data, true);
        const QImage image = plot.toPixmap(500, 300).toImage().convertToFormat(QImage::Format_RGB32);
        plotArea = plot.axisRect()->rect();
        return image;
    };
    const QImage everyPoint = render(false);
    const QImage reduced = render(true);
    const QRgb red = qRgb(255, 0, 0);
    const auto reach = [&](const QImage& image, int x) {
        int top = image.height(), bottom = -1;
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) == red) {
                top = std::min(top, y);
                bottom = y;
            }
        return std::make_pair(top, bottom);
    };
    // Columns whose line reaches the spikes' heights (99 and 1 on a 0..100 axis).
    const auto spikeColumns = [&](const QImage& image) {
        QList<int> columns;
        for (int x = 0; x < image.width(); ++x) {
            const auto [top, bottom] = reach(image, x);
            if (bottom >= 0 && (top <= plotArea.top() + 4 || bottom >= plotArea.bottom() - 4))
                columns << x;
        }
        return columns;
    };
    const QList<int> spikes = spikeColumns(everyPoint);
    QVERIFY(spikes.size() >= 60);
    const QList<int> reducedSpikes = spikeColumns(reduced);
    const auto near = [](const QList<int>& columns, int x) {
        return columns.contains(x - 1) || columns.contains(x) || columns.contains(x + 1);
    };
    for (int x : spikes)
        QVERIFY2(near(reducedSpikes, x), qPrintable(QStringLiteral("spike lost at column %1").arg(x)));
    for (int x : reducedSpikes)
        QVERIFY2(near(spikes, x), qPrintable(QStringLiteral("spike drawn at column %1").arg(x)));

    int compared = 0;
    for (int x = plotArea.left() + 2; x < plotArea.right() - 2; ++x) {
        const auto wanted = reach(everyPoint, x);
        int top = reduced.height(), bottom = -1;
        for (int near = x - 1; near <= x + 1; ++near) {
            const auto drawn = reach(reduced, near);
            top = std::min(top, drawn.first);
            bottom = std::max(bottom, drawn.second);
        }
        const auto shown = reach(reduced, x);
        QVERIFY2(shown.second >= 0 && top <= wanted.first + 4 && bottom >= wanted.second - 4,
                 qPrintable(QStringLiteral("column %1: %2..%3 drawn as %4..%5")
                                .arg(x)
                                .arg(wanted.first)
                                .arg(wanted.second)
                                .arg(shown.first)
                                .arg(shown.second)));
        ++compared;
    }
    QVERIFY(compared > 400);
}

QTEST_MAIN(TestChartGraph)
#include "tst_chartgraph.moc"
