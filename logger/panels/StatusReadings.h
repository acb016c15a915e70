#pragma once

#include <QString>

// How the Status panel turns a device reading into the text of a value box and the unit
// of its caption. Readings come from the instrument as floats and may be NaN or infinite.

// The reading divided by its unit scale, two decimals; "--" for a value that is not finite.
QString readingText(double value);

// The reading as a whole number for choosing a unit prefix: truncated, and held to the
// int range so that a huge reading cannot overflow the conversion.
int prefixMagnitude(double value);

// "<name>, <unit>", the name being the caption's text before its first comma (the whole
// caption when it has none).
QString captionWithUnit(const QString& caption, const QString& unit);
