#pragma once

// The arithmetic behind the chart gestures of the main window, free of widgets: the
// value range a value axis fits to, the sample the pointer snaps to, the time range
// centred on a time inside the loaded records, and the window that a drag or zoom past
// the loaded records reads next.

#include <qcustomplot.h>

// The range a value axis shows for `data` over the keys [keys.lower, keys.upper] (both
// ends included, NaN values skipped): (min, max) of the values, or, for a flat or nearly
// flat stretch, thirty times its height around its centre (twice the centre when it is
// perfectly flat) and never below 0. (0, 0) when there is no value to fit.
QCPRange valueRangeOf(const QCPGraphDataContainer* data, const QCPRange& keys);

// The key of the point of `data` nearest to `t`, with `t` first clamped into the keys
// the data holds; of two equally near points the later one. -1 when `data` is empty.
double nearestKey(const QCPGraphDataContainer& data, double t);

// The value of the point with exactly `key`: 0 when there is none, NaN for empty data.
double valueAtKey(const QCPGraphDataContainer& data, double key);

// A time range `width` wide centred on `centre`, moved back to end at `dataUpper` when
// it would run past it, and starting at 0 when it would begin before 0.
QCPRange centredKeyRange(double centre, double width, double dataUpper);

// What a drag or zoom that asked for the keys [lower, upper] beyond the loaded records
// leads to: the centre of the range shown next (`width` wide), and whether a new window
// of records is to be read around it. A request reaching below 0 goes to the start of
// the record; any other is centred on its own middle, never below `minimumCentre`.
struct BorderMove
{
    double centre = 0;
    bool read = false;
};
BorderMove borderMove(double lower, double upper, double width, double minimumCentre);
