#include "SampleClock.h"

#include <cmath>

double samplePeriodSeconds(quint16 rateWord)
{
    return rateWord * 0.1 / 1000.0;
}

qint64 redatedRunStart(qint64 nowMs, quint16 rateWord, int rows)
{
    return nowMs - qint64(rateWord * rows * 0.1);
}

bool measuringLimitReached(double nextKey, int limitSeconds)
{
    return limitSeconds != -1 && nextKey >= limitSeconds;
}

bool windowFlushDue(qint64 nowMs, qint64 runStartMs)
{
    return nowMs - runStartMs > liveWindowMs;
}

double windowFlushCut(double lastKey)
{
    return lastKey + 0.02 - 10.0;
}

int liveMapPoints(quint16 rateWord)
{
    // Half a second past the window covers the flush's own delay and a busy window.
    constexpr double heldSeconds = liveWindowMs / 1000.0 + 0.5;
    if (rateWord == 0)
        return 0;
    return 2 * int(std::ceil(heldSeconds / samplePeriodSeconds(rateWord)));
}

bool liveMapCompactionDue(double oldestKey, double cut)
{
    constexpr double everySeconds = 2.0;
    return std::floor(oldestKey / everySeconds) != std::floor(cut / everySeconds);
}

void SampleClock::restart(quint16 rateWord)
{
    m_period = samplePeriodSeconds(rateWord);
    m_lastIndex = 0;
    m_wrapOffset = 0;
}

PacketTiming SampleClock::date(quint32 index, int rows)
{
    index &= quint32(counterRange - 1);
    PacketTiming timing;
    timing.previousNumber = m_lastIndex + m_wrapOffset;
    // The field counts samples modulo 2^24: a smaller number than the last one means
    // the counter went round, and the samples go on counting from 2^24.
    if (index < m_lastIndex)
        m_wrapOffset += counterRange;
    m_lastIndex = index;
    timing.number = index + m_wrapOffset;
    timing.lost = timing.number - timing.previousNumber > quint64(rows);
    timing.firstKey = double(timing.number) * m_period;
    timing.nextKey = double(timing.number + quint64(rows)) * m_period;
    return timing;
}
