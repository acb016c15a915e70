#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

struct LogSummary;

// The window's texts that are built from data. What the window keeps on screen is kept
// as data and its texts are built from it in the language of the moment: a language
// switch builds them again, so nothing stays in the language it was first written in.

// What the status line says.
struct StatusMessage
{
    enum Kind {
        None,
        Output,    // green: the written file, which a click opens the folder of
        Failed,    // red: a conversion failed, with its ReaderError code
        Canceled,  // blue
        WrongName, // red: Start was pressed for a name that is no file
        Refused,   // red: the chosen file cannot be read as a log, with its code
        CutOff,    // orange: the chosen log ends early, with the samples it holds
    };
    Kind kind = None;
    QString name;       // Output: the written file; Failed in a batch: the log's file name
    int code = 0;       // Failed, Refused
    qint64 samples = 0; // CutOff

    static StatusMessage output(const QString& fileName) { return {Output, fileName, 0, 0}; }
    static StatusMessage failed(int code, const QString& logName = QString()) { return {Failed, logName, code, 0}; }
    static StatusMessage canceled() { return {Canceled, QString(), 0, 0}; }
    static StatusMessage wrongName() { return {WrongName, QString(), 0, 0}; }
    static StatusMessage refused(int code) { return {Refused, QString(), code, 0}; }
    static StatusMessage cutOff(qint64 samples) { return {CutOff, QString(), 0, samples}; }
};

// The status line's text: an HTML fragment with the message's font colour, or empty.
QString statusLineText(const StatusMessage& message);

// The summary of a log as the window lists it, with its start time written as the
// language `languageCode` writes dates; empty for a summary that is not valid.
QString summaryText(const LogSummary& summary, const QString& languageCode);

// A part of the box at the end of a batch lists at most this many lines, so that a batch
// of hundreds of logs still gives a box that fits on the screen.
inline constexpr int batchListLines = 12;

// The box at the end of a batch: the logs that were not converted (each line a log and
// its reason) and the logs that were cut off (each a log and its samples); empty when
// both lists are. A list too long for its part ends in a line that says how many more
// logs there are.
QString batchReportText(const QStringList& failed, const QStringList& cutOff);
