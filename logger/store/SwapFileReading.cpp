#include "SwapFile.h"

#include "LoggerState.h"
#include "LogExtent.h"
#include "ProgressDialog.h"
#include "RecordFile.h"
#include "RecordLayout.h"
#include "WaitCursorGuard.h"

#include <QCoreApplication>
#include <QDebug>

#include <cfloat>

bool SwapFile::recordsReadable()
{
    if (m_header.samplePeriod == 0)
        return fail(SwapFileErrors::WrongVersion);
    if (m_channelList.isEmpty() || m_channelList.size() != m_header.channelCount)
        return fail(SwapFileErrors::WrongChannels);
    return true;
}

bool SwapFile::openRecords(RecordFile& records, int openCode)
{
    closeFile();
    if (!records.open(fileName())) {
        if (openCode != SwapFileErrors::None)
            fail(openCode);
        return false;
    }
    if (!recordsReadable())
        return false;
    applyRecordLayout(records);
    return true;
}

void SwapFile::applyRecordLayout(RecordFile& records)
{
    records.setRecordSize(RecordLayout::recordSize(m_header.channelCount), false);
    const LogExtent::Records found = LogExtent::findRecords(
        records.fileSize(), m_header,
        [&records](qint64 offset, qint64 length, char* out) { return records.readBytes(offset, length, out); });
    records.limitRecordCount(found.count);
    m_cutOff = found.cutOff;
    m_recordsHeld = records.recordCount();
}

ChannelStatistics SwapFile::statisticsOfRecords()
{
    ChannelStatistics statistics = freshStatistics();
    RecordFile records;
    if (!openRecords(records, SwapFileErrors::CantOpen))
        return statistics;
    const qint64 recordBytes = records.recordSize();
    const int values = int(m_channelList.size());
    // A supply's run keeps no figures per channel, only its time and sample count.
    const bool perChannel = !powerMode();
    const bool mapped = records.forEachWindow(
        0, records.recordCount(), m_mapWindowBytes, [&](const char* record, qint64 count, qint64) {
            for (qint64 r = 0; r < count; ++r, record += recordBytes) {
                const double key = readDoubleLE(record);
                if (!perChannel) {
                    statistics.latestKey = key;
                    ++statistics.count;
                    continue;
                }
                for (int i = 0; i < values; ++i)
                    accumulateSample(statistics, m_channelList.at(i), key,
                                     readDoubleLE(record + 8 * (i + 1)), i == 0);
            }
            return true;
        });
    if (!mapped)
        fail(SwapFileErrors::MappingError);
    return statistics;
}

bool SwapFile::readLastKey(RecordFile& records, double* key)
{
    *key = 0;
    if (records.recordCount() == 0)
        return true;
    if (!records.keyAt(records.recordCount() - 1, key))
        return fail(SwapFileErrors::MappingError);
    return true;
}

// The records of the time stretch [start, end]: the file's estimate says where to look,
// the keys themselves decide, so gaps left by lost packets and a first key other than 0
// still give exactly the stretch asked for.
bool SwapFile::readStretch(RecordFile& records, double start, double end, qint64* first,
                           qint64* last)
{
    // A negative or undefined width asks for nothing that can be read.
    if (!(end >= start))
        return fail(SwapFileErrors::WrongReadLength);
    const quint16 period = m_header.samplePeriod;
    if (!records.lowerBound(start, RecordLayout::estimatedIndex(start, period), first))
        return fail(SwapFileErrors::MappingError);
    const qint64 hint = std::max(*first, RecordLayout::estimatedIndex(end, period));
    if (!records.upperBound(end, hint, last))
        return fail(SwapFileErrors::MappingError);
    if (*last < *first)
        return fail(SwapFileErrors::WrongReadLength);
    return true;
}

bool SwapFile::readInto(RecordFile& records, qint64 first, qint64 last,
                        const QList<QCPGraphDataContainer*>& targets, ProgressDialog* dialog)
{
    const int values = int(targets.size());
    const qint64 recordBytes = records.recordSize();
    const qint64 total = last - first;
    QVector<QVector<QCPGraphData>> gathered(values);
    for (auto& points : gathered)
        points.reserve(qsizetype(total));
    bool cancelled = false;
    const bool mapped = records.forEachWindow(
        first, last, m_mapWindowBytes, [&](const char* record, qint64 count, qint64 at) {
            for (qint64 r = 0; r < count; ++r, record += recordBytes) {
                if (m_cancelRequested) {
                    m_wasCancelled = true;
                    cancelled = true;
                    return false;
                }
                const double key = readDoubleLE(record);
                for (int i = 0; i < values; ++i)
                    gathered[i].append(QCPGraphData(key, readDoubleLE(record + 8 * (i + 1))));
                const qint64 k = at + r - first;
                if (dialog && k % 10 == 0)
                    dialog->setValue(int(k * 100 / total));
            }
            return true;
        });
    for (int i = 0; i < values; ++i)
        insertOrReplace(*targets.at(i), gathered.at(i));
    if (!mapped)
        return fail(SwapFileErrors::MappingError);
    return !cancelled;
}

bool SwapFile::readWindow(double centre, double width, ChannelMaps& maps)
{
    WaitCursorGuard waitCursor;
    startReading();
    RecordFile records;
    QList<QCPGraphDataContainer*> targets;
    if (!openRecords(records, SwapFileErrors::None) || !resolveMaps(maps, powerMode(), &targets))
        return false;
    const RecordLayout::Stretch stretch = RecordLayout::windowStretch(centre, width, m_endTime);
    qint64 first = 0;
    qint64 last = 0;
    if (!readStretch(records, stretch.start, stretch.end, &first, &last))
        return false;
    return readInto(records, first, last, targets, nullptr);
}

bool SwapFile::openLog(const QString& fileName, RecordFile& records, int openCode)
{
    startReading();
    closeFile();
    m_file.setFileName(fileName);
    if (!records.open(fileName))
        return fail(openCode);
    return readHeader();
}

bool SwapFile::loadRecords(const QString& fileName, int seconds, ChannelMaps& maps,
                           ProgressDialog* dialog, bool supplyForm)
{
    RecordFile records;
    if (!openLog(fileName, records, SwapFileErrors::ReadFailed))
        return false;
    if (!supplyForm && m_header.deviceKind == LogFormat::PowerSupply) {
        powerSupplyConnected = true;
        return loadPowerLog(fileName, seconds, maps);
    }
    if (!supplyForm && m_header.deviceKind == LogFormat::PowerSupply600) {
        power600Model = true;
        return loadPowerLog(fileName, seconds, maps);
    }
    QList<QCPGraphDataContainer*> targets;
    if (!recordsReadable() || !resolveMaps(maps, supplyForm, &targets))
        return false;
    applyRecordLayout(records);
    if (!readLastKey(records, &m_endTime))
        return false;
    // The first `seconds` of the log, counted from its first record.
    double firstKey = 0;
    if (records.recordCount() > 0 && !records.keyAt(0, &firstKey))
        return fail(SwapFileErrors::MappingError);
    qint64 last = 0;
    if (!records.lowerBound(firstKey + seconds,
                            RecordLayout::estimatedIndex(seconds, m_header.samplePeriod), &last))
        return fail(SwapFileErrors::MappingError);
    if (!readInto(records, 0, last, targets, dialog))
        return false;
    if (supplyForm)
        return true;
    dialog->setValue(0);
    const int channel = m_channelList.constFirst();
    return decimate(fileName, channel, 0, thresholdOf(channel), dialog);
}

namespace {
void showLoadDialog(ProgressDialog& dialog, SwapFile* file)
{
    QObject::connect(&dialog, &ProgressDialog::canceled, file, [file] {
        qDebug() << "on_actionLoad canceled";
        file->cancel();
    });
    dialog.setWindowModality(Qt::WindowModal);
    dialog.show();
    QCoreApplication::processEvents();
}
} // namespace

bool SwapFile::loadWithDialog(const QString& fileName, int seconds, ChannelMaps& maps,
                              bool supplyForm)
{
    ProgressDialog dialog(0, 100);
    showLoadDialog(dialog, this);
    const bool loaded = loadRecords(fileName, seconds, maps, &dialog, supplyForm);
    dialog.hide();
    return loaded;
}

bool SwapFile::load(const QString& fileName, int seconds, ChannelMaps& maps)
{
    return loadWithDialog(fileName, seconds, maps, false);
}

bool SwapFile::loadPowerLog(const QString& fileName, int seconds, ChannelMaps& maps)
{
    return loadWithDialog(fileName, seconds, maps, true);
}

bool SwapFile::readEndTime()
{
    closeFile();
    startReading();
    RecordFile records;
    if (!records.open(fileName()))
        return false;
    if (!readHeader())
        return false;
    applyRecordLayout(records);
    return readLastKey(records, &m_endTime);
}

double SwapFile::channelAverage(const QCPRange& window, int channel)
{
    startReading();
    const int position = int(m_channelList.indexOf(channel));
    if (position < 0)
        return DBL_MAX;
    WaitCursorGuard waitCursor;
    RecordFile records;
    if (!openRecords(records, SwapFileErrors::None))
        return DBL_MAX;
    const RecordLayout::Stretch stretch = RecordLayout::windowStretch(
        (window.lower + window.upper) / 2, window.upper - window.lower, m_endTime);
    qint64 first = 0;
    qint64 last = 0;
    if (!readStretch(records, stretch.start, stretch.end, &first, &last))
        return DBL_MAX;
    const qint64 recordBytes = records.recordSize();
    const int valueOffset = 8 * (position + 1);
    double sum = 0;
    qint64 count = 0;
    const bool mapped = records.forEachWindow(
        first, last, m_mapWindowBytes, [&](const char* record, qint64 n, qint64) {
            for (qint64 r = 0; r < n; ++r, record += recordBytes)
                sum += readDoubleLE(record + valueOffset);
            count += n;
            return true;
        });
    if (!mapped) {
        fail(SwapFileErrors::MappingError);
        return DBL_MAX;
    }
    return count > 0 ? sum / double(count) : DBL_MAX;
}
