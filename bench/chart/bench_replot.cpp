// Replot time of a chart tab holding a full 10 s window at 10 kHz on three channels
// (300,000 points), against a stock plot of the library with the same three graphs and
// data, measured in the same run.

#include "ChannelInfo.h"
#include "ChartAxis.h"
#include "ChartPlot.h"
#include "DeviceDescriptions.h"
#include "GLWidget.h"
#include "UnitFormat.h"

#include <QApplication>
#include <QElapsedTimer>

#include <cmath>
#include <cstdio>

namespace {

constexpr int samples = 100000; // 10 s at 10 kHz
constexpr int rounds = 30;
const QSize plotSize(1400, 700);

QVector<QCPGraphData> channelData(int channel)
{
    QVector<QCPGraphData> data;
    data.reserve(samples);
    for (int i = 0; i < samples; ++i) {
        const double t = i * 0.0001;
        const double base = channel == 0 ? 500.0 : 3300.0;
        data.append(QCPGraphData(t, base + 200.0 * std::sin(t * 40.0 + channel) + (i % 7)));
    }
    return data;
}

void useTimeLabels(ChartAxis* axis)
{
    // The main window's labels of the time axis: offsets from anchors in a second row.
    axis->setUseTickLabelMap(true);
    QObject::connect(axis, &ChartAxis::axisUnitChanged, axis,
                     [axis](QCPAxis*, int, QList<double>& ticks, QList<QString>& labels) {
                         if (ticks.size() < 2)
                             return;
                         labels.clear();
                         QMap<int, QString> anchors;
                         timeTickLabels(ticks[1] - ticks[0], ticks, labels, anchors, axis->startArrow(),
                                        axis->range().lower);
                         axis->tickLabelMap = anchors;
                     });
}

double millisecondsPerReplot(QCustomPlot* plot)
{
    plot->replot(QCustomPlot::rpImmediateRefresh);
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i)
        plot->replot(QCustomPlot::rpImmediateRefresh);
    return timer.nsecsElapsed() / 1e6 / rounds;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    createDefaults();

    GLWidget tab;
    auto* chartPlot = new ChartPlot(&tab);
    tab.setPlot(chartPlot);
    tab.addChannels({});
    for (int channel = 0; channel < 3; ++channel)
        tab.channelMaps[channel]->set(channelData(channel), true);
    chartPlot->keyAxis()->setRange(0, 10);
    useTimeLabels(chartPlot->keyAxis());
    chartPlot->resize(plotSize);
    tab.resize(plotSize);
    tab.show();

    QCustomPlot stock;
    stock.resize(plotSize);
    QCPAxis* left = stock.yAxis;
    QCPAxis* right = stock.axisRect()->addAxis(QCPAxis::atRight);
    QCPAxis* right2 = stock.yAxis2;
    right2->setVisible(true);
    const QColor colours[] = {Qt::red, Qt::green, Qt::blue};
    QCPAxis* valueAxes[] = {left, right, right2};
    for (int channel = 0; channel < 3; ++channel) {
        QCPGraph* graph = stock.addGraph(stock.xAxis, valueAxes[channel]);
        graph->setPen(QPen(colours[channel]));
        graph->data()->set(channelData(channel), true);
        valueAxes[channel]->setTickLabelRotation(-90);
        valueAxes[channel]->setLabel(QStringLiteral("#%1").arg(channel));
    }
    left->setRange(0, 1000);
    right->setRange(-100, 5500);
    right2->setRange(-100, 5500);
    stock.xAxis->setRange(0, 10);
    stock.show();

    // Alternate the two plots so that both see the same machine state.
    double chartTotal = 0, stockTotal = 0;
    for (int pass = 0; pass < 3; ++pass) {
        chartTotal += millisecondsPerReplot(chartPlot);
        stockTotal += millisecondsPerReplot(&stock);
    }
    const double chart = chartTotal / 3, reference = stockTotal / 3;
    std::printf("replot of 3 x %d points, %dx%d px, %d replots x 3 passes\n", samples,
                plotSize.width(), plotSize.height(), rounds);
    std::printf("chart tab (ChartPlot, GLWidget): %8.2f ms per replot\n", chart);
    std::printf("stock QCustomPlot              : %8.2f ms per replot\n", reference);
    std::printf("ratio chart / stock            : %8.2f (target <= 1.5)\n", chart / reference);
    return 0;
}
