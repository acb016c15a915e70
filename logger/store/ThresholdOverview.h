#pragma once

// The step graph of the threshold overview: 0 where a channel stays below its level, the
// threshold where it is at or above it, with a nearly vertical step at every crossing.
// Points are collected in the order they arise and settled once: sorted by key, a later
// point replacing an earlier one with the same key.

#include <QVector>

#include <qcustomplot.h>

class ThresholdOverview
{
public:
    // `level` is what values are compared with; `height` is drawn for high stretches.
    ThresholdOverview(double level, double height);

    void add(double key, double value);

    // Every mapped window of the file starts low.
    void startWindow() { m_high = false; }
    void addRecord(double key, double value)
    {
        if (key != key) // a record without a time cannot be placed
            return;
        const bool above = value >= m_level; // a NaN counts as below
        if (above == m_high)
            return;
        if (above) {
            add(key - 0.0001, 0.0);
            add(key, m_height);
        } else {
            add(key - 0.00001, m_height);
            add(key, 0.0);
        }
        m_high = above;
    }
    // Closes a stretch left high at the last record of a window.
    void endWindow(double lastKey);

    // The settled points, sorted by key, one per key.
    QVector<QCPGraphData> points() const;

private:
    QVector<QCPGraphData> m_points;
    double m_level;
    double m_height;
    bool m_high = false;
};
