#include "OverCurrent.h"

#include "Settings.h"

#include <limits>

OverCurrent::OverCurrent(QObject* parent)
    : QObject(parent)
{
    Settings settings;
    settings.beginGroup(QStringLiteral("Main"));
    // A negative length would report an over-current at the first test of every run,
    // before any sample; an edited value that is none gives the usual length.
    runLength = int(boundedValue(settings, QStringLiteral("overcurrent_length"), runLength, 0,
                                 std::numeric_limits<int>::max()));
    // Written back at once so that the key is there to be edited after the first run.
    settings.setValue(QStringLiteral("overcurrent_length"), runLength);
    settings.endGroup();
}

OverCurrent* OverCurrent::instance()
{
    static OverCurrent* detector = new OverCurrent(nullptr);
    return detector;
}

void OverCurrent::feed(double value)
{
    if (value >= threshold)
        ++runCount;
    else
        runCount = -1; // a NaN compares false and breaks the run too
}

bool OverCurrent::isTripped()
{
    if (runCount >= runLength && !tripped) {
        tripped = true;
        return true;
    }
    return false;
}

void OverCurrent::reset()
{
    runCount = -1;
    tripped = false;
}
