#pragma once

// The arithmetic behind the chart axes' unit changes: the time axis's tick positions
// and step, and the titles of the value axes for the unit divisor their labels use.

#include <QList>
#include <QString>

class QCPRange;

// Tick positions of the time axis for `range`, one every `step` seconds from a round
// start below the range to the first tick past its end. The step follows the range's
// width in 0.1 ms units (0.1 ms up to 1 ms, then ten times more per decade); when
// fewer than six tick gaps would be visible it is halved, and failing that a tenth of
// the first step is taken.
void keyAxisTicks(const QCPRange& range, QList<double>& ticks, double& step);

// Labels of the navigation strip's time axis, without unit and in one form for the whole
// row: seconds with two decimals, or, in the clock time format once a tick inside `range`
// is a minute or more, the clock form for every tick (0:40.000 beside 1:00.000).
QList<QString> overviewTickLabels(const QList<double>& ticks, const QCPRange& range);

// Sub-ticks between two time ticks: nine for a decade step (0.001 s, 0.01 s, ...),
// four for the halved steps.
int keyAxisSubTickCount(double step);

// Title of an analyzer value axis: channel 0 is a current held in µA, the others are
// voltages held in mV; `divisor` (1, 1000, 1000000) is what the tick labels were
// divided by, so the title names the unit the labels are in.
QString analyzerAxisTitle(int channel, const QString& channelName, int divisor);

// Title of a supply value axis whose values are in `unit` (V, A, C, Hz).
QString supplyAxisTitle(const QString& graphName, const QString& unit, int divisor);
