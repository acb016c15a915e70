#include "GLWidget.h"

#include "ChannelInfo.h"
#include "ChartAxis.h"
#include "ChartGraph.h"
#include "ChartColors.h"
#include "ColorsAgent.h"
#include "LoggerState.h"
#include "PlotColors.h"
#include "Settings.h"

#include <QDebug>

namespace {

// Value axes of the analyzer's current channel and of its voltage channels.
constexpr double currentLimitUpper = 2100000.0;
constexpr double voltageLimitLower = -100.0;
constexpr double voltageLimitUpper = 5500.0;

QString graphName(int channel, const ChannelInfo& info)
{
    return QStringLiteral("#%1: %2").arg(channel).arg(info.name());
}

void setLimitsAndRange(ChartAxis* axis, double lower, double upper, const QCPRange& range)
{
    axis->setRangeMin(lower);
    axis->setRangeMax(upper);
    axis->setRange(range);
}

} // namespace

void GLWidget::addChannels(const QList<int>& selection)
{
    for (const ChannelMap& map : std::as_const(channelMaps))
        map->clear();
    channelMaps.clear();
    if (!plot)
        return;

    QList<QColor> colours;
    {
        const bool dark = Settings().value(QStringLiteral("Options/dark-color"), false).toBool();
        ColorsAgent theme(dark);
        for (int channel = 0; channel < ColorsAgent::channelCount; ++channel)
            colours.append(theme.color(ColorsAgent::Chart, channel));
    }

    const int count = ChannelInfo::channelCount();
    qDebug() << "GLWidget::addChannels " << count << count << selection;
    int added = 0;
    for (int channel = 0; channel < count; ++channel) {
        if (powerMode()) {
            if (selection.contains(channel))
                addPowerChannel(channel, added++);
        } else {
            addChannel(channel, colours[channel % ColorsAgent::channelCount]);
        }
    }

    // The main window draws its mouse cursor line with this last graph, on the hidden
    // default left axis whose range 0..1 spans the plot's height.
    QCPGraph* cursor = plot->addGraph(plot->xAxis, plot->yAxis);
    cursor->setPen(QPen(Qt::black));
    cursor->setData(ChannelMap(new QCPGraphDataContainer));
    plot->yAxis->setVisible(false);
    if (ChartAxis* axis = chartAxis(plot->yAxis))
        axis->setRange(0, 1);
    else
        plot->yAxis->setRange(0, 1);
    cursor->setVisible(true);

    emit channelsAdded();
}

QCPGraph* GLWidget::addChannelGraph(int channel, const QColor& colour)
{
    QCPGraph* graph = new ChartGraph(plot->xAxis, plot->yAxis);
    graph->setPen(QPen(colour));
    const ChannelMap map(new QCPGraphDataContainer);
    channelMaps.append(map);
    graph->setData(map);
    graph->setName(graphName(channel, ChannelInfo(quint8(channel))));
    return graph;
}

void GLWidget::setUpValueAxis(QCPGraph* graph, QCPAxis* axis, const QString& label)
{
    graph->setValueAxis(axis);
    setGraphColor(axis, graph->pen().color());
    axis->setLabel(label);
    axis->setTickLabelRotation(-90);
    axis->setTickLength(8, 0);
    axis->setSubTickLength(4, 0);
    axis->setVisible(true);
    connect(axis, qOverload<const QCPRange&, const QCPRange&>(&QCPAxis::rangeChanged), this,
            [this, axis](const QCPRange& newRange, const QCPRange& oldRange) {
                emit axisRangeChanged(newRange, oldRange, axis);
            });
}

void GLWidget::addChannel(int channel, const QColor& colour)
{
    QCPGraph* graph = addChannelGraph(channel, colour);
    QCPAxisRect* rect = plot->axisRect();

    ChartAxis* axis = nullptr;
    QString unit;
    if (channel == 0) {
        plot->yAxis->setVisible(false);
        axis = new Axis(rect, QCPAxis::atLeft);
        rect->addAxis(QCPAxis::atLeft, axis);
        setLimitsAndRange(axis, 0.0, currentLimitUpper, QCPRange(0, 1000));
        unit = QStringLiteral(", mA");
    } else {
        // Channel 2 takes the plot's own right axis; every other voltage channel a new one.
        axis = channel == 2 ? chartAxis(plot->yAxis2) : nullptr;
        if (!axis) {
            axis = new ChartAxis(rect, QCPAxis::atRight);
            rect->addAxis(QCPAxis::atRight, axis);
        }
        setLimitsAndRange(axis, voltageLimitLower, voltageLimitUpper,
                          QCPRange(voltageLimitLower, voltageLimitUpper));
        unit = QStringLiteral(", V");
    }
    setUpValueAxis(graph, axis, graph->name() + unit);
    axis->setAutoSubTicks(true);
    axis->setNumberPrecision(1);
    axis->setAutoTickCount(10);
}

void GLWidget::addPowerChannel(int channel, int index)
{
    const ChannelInfo info(static_cast<quint8>(channel));
    QCPGraph* graph = addChannelGraph(channel, chartColor(channel));
    qDebug() << "addPowerChannel: chan =" << channel << ", index =" << index << graph->name();

    const QCPAxis::AxisType side = index % 2 == 0 ? QCPAxis::atRight : QCPAxis::atLeft;
    QCPAxisRect* rect = plot->axisRect();
    auto* axis = new AxisPower(rect, side, channel);
    rect->addAxis(side, axis);
    setLimitsAndRange(axis, info.lower, info.upper, QCPRange(info.lower, info.upper));

    setUpValueAxis(graph, axis, graph->name() + QStringLiteral(", ") + info.unit());
    // Tick steps stay automatic; every tick gap gets five sub-ticks.
    axis->setAutoSubTicks(false);
    axis->generateSubTicks(5);
    axis->setNumberPrecision(info.precision);
    axis->setAutoTickCount(10);
}
