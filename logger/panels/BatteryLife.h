#pragma once

#include <QString>

// The texts of the battery-life calculator, kept apart from its window.

// How long `capacity` mAh lasts at `current` mA: the largest non-zero unit and the next
// one, e.g. "4 months, 5 days"; "The battery is too low" under one second. A current that
// is zero, negative or not a number, or a life too long to count, gives the fixed text "--".
QString batteryLifeText(double capacityMah, double currentMa);

// "<start> : <end> [<duration><unit>]" of an averaging period, in seconds.
QString periodText(double start, double end);

// An average current in mA in its best unit, e.g. "2.50mA"; "--- mA" when not a number.
QString averageCurrentText(double currentMa);
