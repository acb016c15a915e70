#include "GLWidget.h"

#include "CaptureTitle.h"
#include "ChartTitleItem.h"
#include "LoggerState.h"
#include "OwnSignals.h"
#include "SwapFile.h"

GLWidget::GLWidget(QWidget* parent)
    : QWidget(parent)
    , swapFile(new SwapFile(this))
    , statistics(freshStatistics())
{
}

GLWidget::~GLWidget()
{
    // Deleting the plot below must not reach the window through the tab's own signals.
    disconnectOwnSignals(this, staticMetaObject);
    for (const ChannelMap& map : std::as_const(channelMaps))
        map->clear();
    channelMaps.clear();
    if (!keepFile)
        swapFile->remove();
    delete plot;
    delete swapFile;
}

void GLWidget::setPlot(QCustomPlot* newPlot)
{
    if (plot) {
        plot->hide();
        plot->setEnabled(false);
    }
    plot = newPlot;
    if (!plot)
        return;
    plot->setEnabled(true);
    plot->show();
}

void GLWidget::updateTitle()
{
    if (!plot)
        return;
    if (titleItem) {
        plot->removeItem(titleItem);
        titleItem = nullptr;
    }
    // A tab that records nothing (yet) has no title: the header's defaults, or those of
    // a start the instrument refused, name no rate the tab records.
    if (!swapFile->holdsCapture())
        return;
    const QString text =
        captureTitle(swapFile->header(), swapFile->channelList(), powerMode(), swapFile->endTime());
    if (text.isEmpty())
        return;
    auto* item = new ChartTitleItem(plot);
    item->setObjectName(QStringLiteral("measurementTitle"));
    item->setColor(Qt::gray);
    item->setPen(Qt::NoPen);
    item->setText(text);
    // Kept at the top centre of the first axis rect, also when the tab is resized.
    item->position->setType(QCPItemPosition::ptAxisRectRatio);
    item->position->setAxisRect(plot->axisRect());
    item->position->setCoords(0.5, 0.0);
    item->setPositionAlignment(Qt::AlignTop | Qt::AlignHCenter);
    item->setTextAlignment(Qt::AlignTop | Qt::AlignHCenter);
    QFont font = item->font();
    font.setWeight(QFont::Bold);
    font.setPointSize(10);
    item->setFont(font);
    item->setVisible(true);
    titleItem = item;
}

void GLWidget::accumulateStatistics(int channel, const QCPGraphData& point, bool countSample)
{
    accumulateSample(statistics, channel, point.key, point.value, countSample);
}

bool GLWidget::isEmpty() const
{
    for (const ChannelMap& map : channelMaps) {
        if (!map->isEmpty())
            return false;
    }
    return true;
}

void GLWidget::clearData()
{
    for (const ChannelMap& map : std::as_const(channelMaps))
        map->clear();
}

QCPRange GLWidget::dataRange() const
{
    for (const ChannelMap& map : channelMaps) {
        if (!map->isEmpty())
            return QCPRange(map->constBegin()->key, (map->constEnd() - 1)->key);
    }
    return QCPRange(0, 0);
}

void GLWidget::repaint()
{
    if (plot)
        plot->replot(QCustomPlot::rpRefreshHint);
    // The tab is painted with the next pass of the event loop, as one paint with whatever
    // else changed by then: a recording's replot and the copy to the screen are then two
    // short pieces of the window's work rather than one long one.
    QWidget::update();
}
