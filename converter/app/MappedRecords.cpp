#include "MappedRecords.h"

namespace {
// About 4 MiB of records per window: large enough that mapping costs nothing per record.
constexpr qint64 windowBytes = 4 << 20;
} // namespace

uchar* mapWithinFile(QFile& file, qint64 offset, qint64 size)
{
    if (offset < 0 || size <= 0 || offset > file.size() - size)
        return nullptr;
    return file.map(offset, size);
}

bool readRecordKey(QFile& file, const LogLayout& layout, qint64 index, double& key)
{
    uchar* p = mapWithinFile(file, layout.recordOffset(index), sizeof(double));
    if (!p)
        return false;
    key = readDoubleLE(reinterpret_cast<const char*>(p));
    file.unmap(p);
    return true;
}

MappedRecords::MappedRecords(QFile& file, const LogLayout& layout, qint64 first, qint64 count)
    : m_file(file), m_layout(layout), m_next(first), m_end(first + count)
{
}

MappedRecords::~MappedRecords()
{
    unmap();
}

void MappedRecords::unmap()
{
    if (m_window)
        m_file.unmap(m_window);
    m_window = nullptr;
}

bool MappedRecords::mapWindowAt(qint64 index)
{
    unmap();
    const qint64 perWindow = qMax<qint64>(1, windowBytes / m_layout.recordLength);
    m_windowFirst = index;
    m_windowCount = qMin(perWindow, m_end - index);
    m_window = mapWithinFile(m_file, m_layout.recordOffset(index), m_windowCount * m_layout.recordLength);
    m_failed = (m_window == nullptr);
    return !m_failed;
}

bool MappedRecords::next(double* values)
{
    if (m_failed || m_next >= m_end)
        return false;
    if (!m_window || m_next >= m_windowFirst + m_windowCount) {
        if (!mapWindowAt(m_next))
            return false;
    }
    const char* record = reinterpret_cast<const char*>(m_window)
                         + (m_next - m_windowFirst) * m_layout.recordLength;
    const int valueCount = qMin(m_layout.channelCount + 1, maxRecordValues);
    for (int v = 0; v < valueCount; ++v)
        values[v] = readDoubleLE(record + v * int(sizeof(double)));
    ++m_next;
    return true;
}
