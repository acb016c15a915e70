#pragma once

// The supply's side of a logging run, in text: the "LOG" command that starts it, the
// sample rates the log format can date exactly, and the supply's text replies.

#include <QList>
#include <QString>

class PowerPacket;

// A log's sample period is stored as a whole number of 100 µs steps, and every sample is
// dated from it. Only rates that divide 10000 Hz give an exact period, so only those are
// offered: any other rate would drift away from the supply's own clock.
bool isSupplyRate(int rate);
// The supported rate closest to `rate` (the lower one on a tie); 1 below the range,
// 10000 above it.
int nearestSupplyRate(int rate);
// The sample period of a supported rate in 100 µs steps.
quint16 supplySamplePeriod(int rate);

// What a "LOG<rate>C<digits>\n" command asks for.
struct PowerLogRequest
{
    bool valid = false;
    int rate = 0;          // samples per second
    quint16 mask = 0;      // bit n = channel n
    QList<int> channels;   // channel numbers in command order
};

// Reads a start command as the supply does: the rate in decimal before "C", then one
// hexadecimal digit per channel. Not valid when the text is not a log command, the rate
// is not a supported one, no channel follows, a digit is no hexadecimal digit or a
// channel is named twice.
PowerLogRequest parsePowerLogCommand(const QString& command);

// A text reply of the supply: its text up to the carriage return, trimmed. A reply
// without the carriage return is cut short or damaged; it is never taken as a state.
struct PowerReply
{
    enum Kind { On, Off, Other };
    Kind kind = Other;
    QString text;
};
PowerReply parsePowerReply(const PowerPacket& packet);
