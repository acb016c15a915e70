#pragma once

// A chart tab for the bars' tests: a laid-out plot whose key axis shows 0 to 10 s and
// channel maps filled from a compact text, "key:value key:value | key:value | ...",
// one group per map ("nan" for a missing value).

#include "ChartPlot.h"
#include "GLWidget.h"

#include <QCoreApplication>
#include <QResizeEvent>
#include <QStringList>

#include <cmath>

inline void fillMaps(GLWidget* chart, const QString& text)
{
    chart->channelMaps.clear();
    for (const QString& group : text.split(QLatin1Char('|'))) {
        ChannelMap map(new QCPGraphDataContainer);
        for (const QString& pair : group.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
            const QStringList kv = pair.split(QLatin1Char(':'));
            const double value = kv.at(1) == QLatin1String("nan") ? std::nan("") : kv.at(1).toDouble();
            map->add(QCPGraphData(kv.at(0).toDouble(), value));
        }
        chart->channelMaps << map;
    }
}

// Resizes a plot that is not shown as a window would: its picture follows at once.
inline void resizePlot(QCustomPlot* plot, const QSize& size)
{
    const QSize old = plot->size();
    plot->resize(size);
    QResizeEvent event(size, old);
    QCoreApplication::sendEvent(plot, &event);
}

inline GLWidget* makeChart(const QString& maps = QString(), int width = 600)
{
    auto* chart = new GLWidget;
    auto* plot = new ChartPlot(chart);
    chart->setPlot(plot);
    plot->xAxis->setRange(0, 10);
    resizePlot(plot, QSize(width, 300));
    plot->replot();
    if (!maps.isEmpty())
        fillMaps(chart, maps);
    return chart;
}
