#pragma once

#include <QChar>
#include <QList>
#include <QMap>
#include <QString>
#include <QtGlobal>

// 1 = times shown as seconds, 2 = as clock times; set by the options code.
extern int timeFormatMode;

// The micro sign used in every text (Greek small letter mu).
inline constexpr char16_t microSign = u'\u03bc';

// Values are held in the smallest unit (µA, mV); the scale divides them for display.
int unitScale(double magnitude);
QChar currentPrefix(int scale);
QChar voltagePrefix(int scale);
// The unit of values divided by the scale, in the program's language: "μA", "mA", " A"
// for currents and "mV", " V" for voltages (the prefixes above, the blank included).
QString currentUnit(int scale);
QString voltageUnit(int scale);

// The units of times, in the program's language: "μs", "ms", "s".
QString microsecondsUnit();
QString millisecondsUnit();
QString secondsUnit();

// "(10.000 kHz)" for a sample period in 100 µs units.
QString sampleRateText(int samplePeriod);

struct DurationParts
{
    int years = 0;
    int months = 0;
    int weeks = 0;
    int days = 0; // whole days since the last whole month, the whole weeks included
    int hours = 0;
    int minutes = 0;
    int seconds = 0;
};
DurationParts durationParts(quint64 seconds);

QString secondsText(double seconds, bool withUnit, int precision);
QString formatTime(double seconds, bool withUnit, int precision);
// The clock form that formatTime gives from a minute on, for any time: 0:05.250,
// 1:02:05.500, 1 1:00:00.000.
QString clockTimeText(double seconds);

// Labels of the time axis: ticks become "+<offset><unit>" relative to anchor ticks,
// whose absolute time goes into `anchors`; the time at the axis's left end, `axisStart`
// (the first tick may lie before it), goes into anchors[-1] after `startArrow` (the
// arrow the axis's font can draw).
void timeTickLabels(double tickStep, const QList<double>& ticks, QList<QString>& labels,
                    QMap<int, QString>& anchors, const QString& startArrow, double axisStart);
