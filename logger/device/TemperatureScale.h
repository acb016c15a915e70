#pragma once

// The supply measures its two temperatures (channels 4 and 5) in degrees Celsius. A log
// recorded in degrees Fahrenheit holds them converted, and every unit shown for them
// says so; the scale is the log's own, kept in its header.

#include <QString>

bool isTemperatureChannel(int channel);

double toFahrenheit(double celsius);

// The unit a supply channel's values carry in a log of the given scale: a temperature
// channel's "C" reads "F" in a log recorded in Fahrenheit; every other unit stays.
QString unitInScale(int channel, const QString& unit, bool fahrenheit);
