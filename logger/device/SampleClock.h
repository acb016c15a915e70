#pragma once

#include <QtGlobal>

// Dating of the analyzer's samples. A measurement report carries the number of its
// first sample in a 24-bit field; every sample is dated from that number and the run's
// sample period, never from the clock, so lost reports leave a gap and no shift.

// Sample period in seconds of a sample-rate word (units of 100 µs).
double samplePeriodSeconds(quint16 rateWord);

// The run start re-dated by a report that carries sample number 0: its first sample
// was taken one report length before now.
qint64 redatedRunStart(qint64 nowMs, quint16 rateWord, int rows);

// True when the key that follows a report's last sample reaches the measuring-time
// limit (seconds, -1 = no limit).
bool measuringLimitReached(double nextKey, int limitSeconds);

// The live chart keeps the last 10 s of points; older ones go to the swap file once the
// run has lasted strictly more than 10 s.
inline constexpr qint64 liveWindowMs = 10000;
bool windowFlushDue(qint64 nowMs, qint64 runStartMs);
// Points with a key below this cut leave the chart (last − 9.98 s).
double windowFlushCut(double lastKey);
// Room a recording's live map is given at the start: twice the most points it holds
// (the window and a moment of points not yet flushed), so that a whole window of flushed
// room at its front can be taken before the points are moved back within the block.
int liveMapPoints(quint16 rateWord);
// True when a flush that moved the live map's oldest key from `oldestKey` to `cut` is the
// one to move its points back within their block: once per two seconds of points, so
// that the flushed room never takes more than a fifth of the block.
bool liveMapCompactionDue(double oldestKey, double cut);

struct PacketTiming
{
    double firstKey = 0;       // key of the report's first sample
    double nextKey = 0;        // key that follows the report's last sample
    bool lost = false;         // samples are missing before this report
    quint64 previousNumber = 0; // absolute number of the previous report's first sample
    quint64 number = 0;         // absolute number of this report's first sample
};

class SampleClock
{
public:
    static constexpr quint64 counterRange = quint64(1) << 24;

    void restart(quint16 rateWord);
    PacketTiming date(quint32 index, int rows);

    double period() const { return m_period; }
    quint64 wrapOffset() const { return m_wrapOffset; }

private:
    double m_period = samplePeriodSeconds(1);
    quint32 m_lastIndex = 0;
    quint64 m_wrapOffset = 0;
};
