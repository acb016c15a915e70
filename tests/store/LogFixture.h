#pragma once

// Small synthetic logs for the store's tests, written into the test's own temporary
// folder byte by byte, independent of the code under test.

#include "ChannelMaps.h"
#include "LogRecord.h"

#include <QByteArray>
#include <QString>
#include <QVector>

#include <functional>

struct LogPlan
{
    SwapFileHeader header = defaultSwapFileHeader();
    // Record k: key and the values of the recorded channels.
    QVector<double> keys;
    std::function<double(qint64 record, int position)> value = [](qint64 k, int p) {
        return double(k * 10 + p);
    };
    bool withReport = true;
    ChannelStatistics report = freshStatistics();
    QByteArray trailing; // bytes after the records (a partial record)
};

// An analyzer header for channels of `mask` (low byte), `period` in 100 µs units.
SwapFileHeader analyzerHeader(quint8 mask, quint16 period);

// Keys 0, p, 2p, ... for `count` records at `period` (100 µs units), starting at
// `firstKey`, with `gapRecords` sample periods missing after record `gapAfter`
// (gapAfter < 0: none).
QVector<double> evenKeys(qint64 count, quint16 period, double firstKey = 0,
                         qint64 gapAfter = -1, qint64 gapRecords = 0);

QByteArray buildLog(const LogPlan& plan);
QString writeLog(const QString& path, const LogPlan& plan);
QString writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readAll(const QString& path);

// Fresh maps, one per entry.
ChannelMaps emptyMaps(int count);
QVector<double> keysOf(const QCPGraphDataContainer& map);
QVector<double> valuesOf(const QCPGraphDataContainer& map);
// "key:value key:value ..." with ten significant digits.
QString describe(const QCPGraphDataContainer& map);
