#include "ChartAxis.h"
#include "ChartAxisRect.h"
#include "ChartPlot.h"

#include <QRubberBand>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

// Mouse behaviour of a chart plot: rubber-band zoom, axis drags with their limits, the
// Ctrl speed-up and the click tolerance.
class TestChartPlot : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void axisHitTest();
    void rubberBand_data();
    void rubberBand();
    void timeAxisDragPastLimit();
    void ctrlDragMovesFiveTimesAsFar();
    void valueAxisDragBeyondLimitsChangesNothing();
    void clickTolerance_data();
    void clickTolerance();
    void wheelIsOnlyAnnounced();

private:
    void send(QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons buttons,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
              Qt::MouseButton button = Qt::LeftButton);
    QPoint onTimeAxis(int x) const;
    QPoint inPlotArea(int dx, int dy) const;

    ChartPlot* m_plot = nullptr;
};

void TestChartPlot::init()
{
    m_plot = new ChartPlot;
    m_plot->resize(600, 400);
    m_plot->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    m_plot->axisRect()->setRangeDrag(Qt::Horizontal | Qt::Vertical);
    m_plot->xAxis->setRange(0, 10);
    m_plot->yAxis->setRange(0, 100);
    m_plot->yAxis2->setVisible(true);
    m_plot->yAxis2->setRange(0, 1000);
    m_plot->xAxis2->setVisible(true);
    m_plot->xAxis2->setRange(0, 1);
    m_plot->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_plot));
    m_plot->replot();
}

void TestChartPlot::cleanup()
{
    delete m_plot;
    m_plot = nullptr;
}

void TestChartPlot::send(QEvent::Type type, QPoint pos, Qt::MouseButton button,
                         Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers)
{
    QMouseEvent event(type, pos, m_plot->mapToGlobal(pos), button, buttons, modifiers);
    QApplication::sendEvent(m_plot, &event);
}

void TestChartPlot::drag(QPoint from, QPoint to, Qt::KeyboardModifiers modifiers, Qt::MouseButton button)
{
    send(QEvent::MouseButtonPress, from, button, button, modifiers);
    send(QEvent::MouseMove, (from + to) / 2, Qt::NoButton, button, modifiers);
    send(QEvent::MouseMove, to, Qt::NoButton, button, modifiers);
    send(QEvent::MouseButtonRelease, to, button, Qt::NoButton, modifiers);
}

QPoint TestChartPlot::onTimeAxis(int x) const
{
    return QPoint(x, m_plot->axisRect()->bottom() + 4);
}

QPoint TestChartPlot::inPlotArea(int dx, int dy) const
{
    return m_plot->axisRect()->topLeft() + QPoint(dx, dy);
}

void TestChartPlot::axisHitTest()
{
    const QCPAxisRect* rect = m_plot->axisRect();
    QCOMPARE(m_plot->axisAt(onTimeAxis(rect->center().x())), m_plot->xAxis);
    QCOMPARE(m_plot->axisAt(QPoint(rect->left() - 3, rect->center().y())), m_plot->yAxis);
    QCOMPARE(m_plot->axisAt(QPoint(rect->right() + 3, rect->center().y())), m_plot->yAxis2);
    QCOMPARE(m_plot->axisAt(QPoint(rect->center().x(), rect->top() - 3)), nullptr);
    QCOMPARE(m_plot->axisAt(rect->center()), nullptr);
    m_plot->yAxis->setVisible(false);
    m_plot->replot();
    QCOMPARE(m_plot->axisAt(QPoint(rect->left() - 3, rect->center().y())), nullptr);

    // Hovering the time axis explains it; a press there takes the pointing hand.
    send(QEvent::MouseMove, onTimeAxis(rect->center().x()), Qt::NoButton, Qt::NoButton);
    QVERIFY(QToolTip::text().startsWith(QStringLiteral("Use mouse to move time window")));
    QCOMPARE(m_plot->cursor().shape(), Qt::PointingHandCursor);
    send(QEvent::MouseMove, rect->center(), Qt::NoButton, Qt::NoButton);
    QCOMPARE(m_plot->cursor().shape(), Qt::ArrowCursor);

    send(QEvent::MouseButtonPress, onTimeAxis(rect->center().x()), Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(m_plot->pressedAxis.data(), m_plot->xAxis);
    QCOMPARE(m_plot->cursor().shape(), Qt::PointingHandCursor);
    send(QEvent::MouseButtonRelease, onTimeAxis(rect->center().x()), Qt::LeftButton, Qt::NoButton);
    QVERIFY(!m_plot->pressedAxis);
}

void TestChartPlot::rubberBand_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<bool>("zooms");
    QTest::addColumn<int>("releases");

    QTest::newRow("19 x 200 does nothing") << QSize(19, 200) << Qt::LeftButton << false << 2;
    QTest::newRow("200 x 19 does nothing") << QSize(200, 19) << Qt::LeftButton << false << 2;
    QTest::newRow("20 x 20 zooms") << QSize(20, 20) << Qt::LeftButton << true << 1;
    QTest::newRow("right button zooms too") << QSize(100, 50) << Qt::RightButton << true << 1;
}

void TestChartPlot::rubberBand()
{
    QFETCH(QSize, size);
    QFETCH(Qt::MouseButton, button);
    QFETCH(bool, zooms);
    QFETCH(int, releases);

    const QPoint from = inPlotArea(100, 100);
    const QPoint to = from + QPoint(size.width(), size.height());
    const double left = m_plot->xAxis->pixelToCoord(from.x());
    const double right = m_plot->xAxis->pixelToCoord(to.x());
    const double top = m_plot->yAxis->pixelToCoord(from.y());
    const double bottom = m_plot->yAxis->pixelToCoord(to.y());
    const double top2 = m_plot->yAxis2->pixelToCoord(from.y());
    const double bottom2 = m_plot->yAxis2->pixelToCoord(to.y());

    QSignalSpy released(m_plot, &QCustomPlot::mouseRelease);
    QSignalSpy moved(m_plot, &QCustomPlot::mouseMove);
    send(QEvent::MouseButtonPress, from, button, button);
    QVERIFY(m_plot->rubberBand && m_plot->rubberBand->isVisible());
    QCOMPARE(m_plot->cursor().shape(), Qt::CrossCursor);
    send(QEvent::MouseMove, to, Qt::NoButton, button);
    QCOMPARE(moved.count(), 0);
    send(QEvent::MouseButtonRelease, to, button, Qt::NoButton);
    QVERIFY(!m_plot->rubberBand->isVisible());
    QCOMPARE(released.count(), releases);

    if (zooms) {
        QCOMPARE(m_plot->xAxis->range(), QCPRange(left, right));
        QCOMPARE(m_plot->yAxis->range(), QCPRange(bottom, top));
        QCOMPARE(m_plot->yAxis2->range(), QCPRange(bottom2, top2));
    } else {
        QCOMPARE(m_plot->xAxis->range(), QCPRange(0, 10));
        QCOMPARE(m_plot->yAxis->range(), QCPRange(0, 100));
        QCOMPARE(m_plot->yAxis2->range(), QCPRange(0, 1000));
    }
    QCOMPARE(m_plot->xAxis2->range(), QCPRange(0, 1));
}

void TestChartPlot::timeAxisDragPastLimit()
{
    QSignalSpy border(m_plot, &ChartPlot::rangeBorderReached);
    QSignalSpy ranges(m_plot->xAxis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged));
    const int x = m_plot->axisRect()->center().x();
    const double perPixel = 10.0 / m_plot->axisRect()->width();
    // Dragging the time axis to the right asks for times before 0.
    send(QEvent::MouseButtonPress, onTimeAxis(x), Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, onTimeAxis(x + 50), Qt::NoButton, Qt::LeftButton);
    QCOMPARE(border.count(), 1);
    QVERIFY(qAbs(border.first().at(0).toDouble() + 50 * perPixel) < 1e-9);
    QVERIFY(qAbs(border.first().at(1).toDouble() - (10 - 50 * perPixel)) < 1e-9);
    QCOMPARE(m_plot->xAxis->range(), QCPRange(0, 10));
    QCOMPARE(ranges.count(), 0);
    send(QEvent::MouseButtonRelease, onTimeAxis(x + 50), Qt::LeftButton, Qt::NoButton);
}

void TestChartPlot::ctrlDragMovesFiveTimesAsFar()
{
    const int x = m_plot->axisRect()->center().x();
    const double perPixel = 10.0 / m_plot->axisRect()->width();
    m_plot->xAxis->setRange(100, 110);
    drag(onTimeAxis(x), onTimeAxis(x - 10));
    QVERIFY(qAbs(m_plot->xAxis->range().lower - (100 + 10 * perPixel)) < 1e-9);

    m_plot->xAxis->setRange(100, 110);
    drag(onTimeAxis(x), onTimeAxis(x - 10), Qt::ControlModifier);
    QVERIFY(qAbs(m_plot->xAxis->range().lower - (100 + 50 * perPixel)) < 1e-9);
    QVERIFY(qAbs(m_plot->xAxis->range().size() - 10) < 1e-9);

    // A drag on a value axis moves that axis only.
    const QPoint onLeft(m_plot->axisRect()->left() - 3, m_plot->axisRect()->center().y());
    m_plot->yAxis->setRange(100, 200);
    drag(onLeft, onLeft - QPoint(0, 20));
    QVERIFY(m_plot->yAxis->range().lower < 100);
    QCOMPARE(m_plot->yAxis2->range(), QCPRange(0, 1000));
}

void TestChartPlot::valueAxisDragBeyondLimitsChangesNothing()
{
    ChartAxis* right = chartAxis(m_plot->yAxis2);
    right->setRangeMin(-100);
    right->setRangeMax(5500);
    right->setRange(-100, 5500);
    const QPoint onRight(m_plot->axisRect()->right() + 3, m_plot->axisRect()->center().y());
    drag(onRight, onRight + QPoint(0, 30));
    QCOMPARE(right->range(), QCPRange(-100, 5500));
    drag(onRight, onRight - QPoint(0, 30));
    QCOMPARE(right->range(), QCPRange(-100, 5500));
}

void TestChartPlot::clickTolerance_data()
{
    QTest::addColumn<QPoint>("travel");
    QTest::addColumn<bool>("click");
    QTest::newRow("still") << QPoint(0, 0) << true;
    QTest::newRow("4 px") << QPoint(2, 2) << true;
    QTest::newRow("5 px") << QPoint(3, 2) << false;
}

void TestChartPlot::clickTolerance()
{
    QFETCH(QPoint, travel);
    QFETCH(bool, click);

    QCPGraph* graph = m_plot->addGraph();
    graph->setData({0, 10}, {50, 50});
    m_plot->replot();
    QSignalSpy clicks(m_plot, &QCustomPlot::plottableClick);
    QSignalSpy released(m_plot, &QCustomPlot::mouseRelease);
    const QPoint on(m_plot->axisRect()->center().x(), int(m_plot->yAxis->coordToPixel(50)));
    send(QEvent::MouseButtonPress, on, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, on + travel, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, on + travel, Qt::LeftButton, Qt::NoButton);
    QCOMPARE(clicks.count(), click ? 1 : 0);
    QCOMPARE(released.count(), 2);
}

void TestChartPlot::wheelIsOnlyAnnounced()
{
    QSignalSpy wheels(m_plot, &QCustomPlot::mouseWheel);
    const QPoint at = inPlotArea(50, 50);
    QWheelEvent event(at, m_plot->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_plot, &event);
    QCOMPARE(wheels.count(), 1);
    QCOMPARE(m_plot->xAxis->range(), QCPRange(0, 10));
    QCOMPARE(m_plot->yAxis->range(), QCPRange(0, 100));
}

QTEST_MAIN(TestChartPlot)
#include "tst_chartplot.moc"
