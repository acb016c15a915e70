#include "SwapFile.h"

#include "LoggerState.h"
#include "RecordLayout.h"

#include <QDebug>
#include <QMutexLocker>
#include <QThreadPool>
#include <QtConcurrent/QtConcurrentRun>

#include <algorithm>
#include <vector>

namespace {
// Records are gathered into blocks of about this size and written with one call each.
constexpr qint64 writeBlockBytes = 1 << 20;
} // namespace

bool SwapFile::resolveMaps(const ChannelMaps& maps, bool supplyForm,
                           QList<QCPGraphDataContainer*>* targets)
{
    targets->clear();
    if (m_channelList.isEmpty() || m_channelList.size() != m_header.channelCount)
        return fail(SwapFileErrors::WrongChannels);
    for (int position = 0; position < m_channelList.size(); ++position) {
        const int index = supplyForm ? position : m_channelList.at(position);
        if (index >= maps.size() || !maps.at(index))
            return fail(SwapFileErrors::WrongChannels);
        targets->append(maps.at(index).data());
    }
    return true;
}

bool SwapFile::append(const ChannelMaps& maps, bool freeMaps)
{
    QMutexLocker lock(&m_appendMutex);
    if (!m_file.isOpen()
        && !m_file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered)) {
        qInfo() << "SwapFile::append FAILED to open file";
        return fail(SwapFileErrors::WriteFailed);
    }
    QList<QCPGraphDataContainer*> sources;
    if (!resolveMaps(maps, powerMode(), &sources))
        return false;

    const int values = int(sources.size());
    const qint64 recordBytes = RecordLayout::recordSize(values);
    qint64 records = sources.first()->size();
    std::vector<QCPGraphDataContainer::const_iterator> positions;
    for (QCPGraphDataContainer* source : std::as_const(sources)) {
        records = std::min<qint64>(records, source->size());
        positions.push_back(source->constBegin());
    }

    // What a refused write left after the last record written goes first, so that every
    // record lies where readers look for it and none is written twice. While it cannot
    // go, nothing is written: the caller keeps the records for the next try.
    if (m_recordsEnd >= 0) {
        if (!m_file.resize(m_recordsEnd))
            return fail(SwapFileErrors::WriteFailed);
        m_recordsEnd = -1;
    }
    qint64 end = m_file.size();

    const qint64 perBlock = std::max<qint64>(1, writeBlockBytes / recordBytes);
    QByteArray block(int(std::min(records, perBlock) * recordBytes), '\0');
    qint64 written = 0;
    bool failed = false;
    while (written < records) {
        const qint64 count = std::min(perBlock, records - written);
        char* out = block.data();
        for (qint64 r = 0; r < count; ++r) {
            writeDoubleLE(out, positions[0]->key);
            out += sizeof(double);
            for (auto& position : positions) {
                writeDoubleLE(out, position->value);
                out += sizeof(double);
                ++position;
            }
        }
        const qint64 bytes = count * recordBytes;
        if (m_file.write(block.constData(), bytes) != bytes) {
            failed = true;
            if (!m_file.resize(end))
                m_recordsEnd = end;
            break;
        }
        end += bytes;
        written += count;
    }
    m_recordsWritten += written;

    if (freeMaps) {
        for (const ChannelMap& map : maps) {
            if (!map)
                continue;
            if (sources.contains(map.data()))
                removeFirstPoints(*map, written);
            else
                map->clear();
        }
    }
    if (failed)
        return fail(SwapFileErrors::WriteFailed);
    return true;
}

bool SwapFile::appendOnWorker(const ChannelMaps& maps, bool freeMaps)
{
    return QtConcurrent::run(QThreadPool::globalInstance(),
                             [this, &maps, freeMaps] { return append(maps, freeMaps); })
        .result();
}
