#pragma once

#include "LogRecord.h"

#include <QByteArray>
#include <QString>

#include <vector>

// Synthetic logs for the converter's tests, written with the shared record layout.
namespace TestLogs {

// One record: the key, then one value per channel.
using Record = std::vector<double>;

SwapFileHeader header(quint8 channelMask, quint16 samplePeriod = 10, qint32 version = 4);
// A header of the second supply model as the logger writes it: the channels in
// channelMask32 and channelNumbers32, channelMask left at 1.
SwapFileHeader header600(quint32 channelMask32, quint16 samplePeriod = 10);

// Value of channel position c in a record with key t: distinct and easy to check.
double valueAt(double key, int c);

// Keys as the logger makes them: sample number × period, numbered from 0; the sample
// numbers in [gapFrom, gapTo) are lost.
std::vector<Record> records(int count, quint16 samplePeriod, int channels, int gapFrom = -1, int gapTo = -1);

// The bytes of a whole log: header block, records, and the report block when asked.
QByteArray logBytes(const SwapFileHeader& header, qint64 creationTime, const std::vector<Record>& records,
                    bool withReport = true);

bool writeFile(const QString& path, const QByteArray& bytes);

// A log of `count` records with the given channel mask and period.
QString writeLog(const QString& path, quint8 channelMask, int count, quint16 samplePeriod = 10,
                 qint64 creationTime = 0, qint32 version = 4);

} // namespace TestLogs
