#pragma once

#include "ChannelMaps.h"
#include "DeviceControl.h"
#include "LogRecord.h"

#include <qcustomplot.h>

#include <QColor>
#include <QList>
#include <QMutex>
#include <QWidget>

class SwapFile;

// One capture tab: the plot of one measurement run or opened log, one data map per
// channel that the channel's graph shows, the capture settings, the running statistics
// that become the log's report block, and the tab's swap file. The main window creates
// it, fills its maps (holding mapMutex) and drives its ranges; the tab has no timer or
// thread of its own. Its plot should be a ChartPlot, whose axes keep their limits.
class GLWidget : public QWidget
{
    Q_OBJECT
public:
    explicit GLWidget(QWidget* parent = nullptr);
    ~GLWidget() override;

    // Hides and disables the previous plot, then shows and enables `plot`; the tab owns it.
    void setPlot(QCustomPlot* plot);

    // One graph and value axis per channel of channelTable (for a supply only the listed
    // channels), then the cursor-line graph; emits channelsAdded.
    void addChannels(const QList<int>& selection);
    void addChannel(int channel, const QColor& colour);
    void addPowerChannel(int channel, int index);

    // Rebuilds the title line above the plot from the swap file's header; none while the
    // file holds no capture.
    void updateTitle();

    // Adds one sample to statistics; callers hold mapMutex during a run.
    void accumulateStatistics(int channel, const QCPGraphData& point, bool countSample);

    bool isEmpty() const;
    void clearData();
    // Key range of the first channel map that holds points; (0, 0) when all are empty.
    QCPRange dataRange() const;

    QCustomPlot* plot = nullptr;
    ChannelMaps channelMaps;
    DeviceControl deviceControl;
    // True while the tab holds nothing unsaved; an unsaved tab deletes its swap file.
    bool keepFile = true;
    // Set when the end of a run could not be written to the swap file: those points
    // stay in channelMaps and the report block is still missing; saving writes both.
    bool tailUnwritten = false;
    // Set once the user has been told that the tab's log file is gone from the disk.
    bool fileGoneReported = false;
    SwapFile* swapFile = nullptr;
    QMutex mapMutex;
    ChannelStatistics statistics;
    QCPItemText* titleItem = nullptr;

public slots:
    // Replots with the refresh hint, then has the tab repainted.
    void repaint();

signals:
    // The range change of a value axis made by addChannel or addPowerChannel.
    void axisRangeChanged(const QCPRange& newRange, const QCPRange& oldRange, QCPAxis* axis);
    void channelsAdded();

private:
    QCPGraph* addChannelGraph(int channel, const QColor& colour);
    void setUpValueAxis(QCPGraph* graph, QCPAxis* axis, const QString& label);
};
