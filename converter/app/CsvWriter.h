#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include "RowText.h"

#include <string>

class QIODevice;

// Writes converted records as CSV lines to a device. Lines are gathered into a block
// and written whole lines at a time; a write that the device does not take completely
// is a failure.
class CsvWriter
{
public:
    // `base` invalid: the time column holds seconds; valid: clock time from that base.
    CsvWriter(QIODevice* out, char separator, const QDateTime& base, qint16 samplePeriod, int channelCount);
    ~CsvWriter();

    bool writeHeader(const QList<int>& channels);
    // values: the key, then one value per channel.
    bool writeRow(const double* values);
    bool flush();

private:
    bool writeBytes(const char* data, qint64 size);

    QIODevice* m_out;
    std::string m_separator;
    QDateTime m_base;
    ClockTimeText m_clock;
    int m_channelCount;
    std::string m_block;
};
