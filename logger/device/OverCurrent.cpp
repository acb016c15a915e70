#include "OverCurrent.h"

#include "Settings.h"

OverCurrent::OverCurrent(QObject* parent)
    : QObject(parent)
{
    Settings settings;
    settings.beginGroup(QStringLiteral("Main"));
    runLength = settings.value(QStringLiteral("overcurrent_length"), 20).toInt();
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
