#pragma once

#include <QObject>

// Watches the live current channel for a sustained current above the limit and
// reports it once per measurement: a run of more than `runLength` consecutive samples
// at or above the threshold trips the latch; only `reset` re-arms it.
class OverCurrent : public QObject
{
    Q_OBJECT
public:
    static constexpr double threshold = 1200000.0; // µA

    explicit OverCurrent(QObject* parent = nullptr);

    static OverCurrent* instance();

    void feed(double value);
    bool isTripped();
    void reset();

    int length() const { return runLength; }

private:
    int runCount = -1;
    bool tripped = false;
    int runLength = 20;
};
