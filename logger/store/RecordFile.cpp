#include "RecordFile.h"

#include "SwapFileErrors.h"

#include <cstring>

bool RecordFile::open(const QString& fileName)
{
    close();
    m_file.setFileName(fileName);
    if (!m_file.open(QIODevice::ReadOnly))
        return false;
    m_fileSize = m_file.size();
    return true;
}

void RecordFile::setRecordSize(qint64 recordSize, bool withReport)
{
    m_recordSize = recordSize;
    m_recordCount = withReport ? RecordLayout::recordCount(m_fileSize, recordSize)
                               : RecordLayout::recordCountWithoutReport(m_fileSize, recordSize);
}

void RecordFile::close()
{
    if (m_file.isOpen())
        m_file.close();
    m_fileSize = 0;
    m_recordSize = 0;
    m_recordCount = 0;
}

bool RecordFile::readBytes(qint64 offset, qint64 length, char* out)
{
    m_error = SwapFileErrors::None;
    if (offset < 0 || length <= 0 || offset > m_fileSize - length) {
        m_error = SwapFileErrors::MappingError;
        return false;
    }
    uchar* view = m_file.map(offset, length);
    if (!view) {
        m_error = SwapFileErrors::MappingError;
        return false;
    }
    std::memcpy(out, view, size_t(length));
    m_file.unmap(view);
    return true;
}

uchar* RecordFile::mapRecords(qint64 first, qint64 count)
{
    m_error = SwapFileErrors::None;
    uchar* view = nullptr;
    if (first >= 0 && count > 0 && first + count <= m_recordCount)
        view = m_file.map(LogFormat::headerBlockSize + first * m_recordSize, count * m_recordSize);
    if (!view)
        m_error = SwapFileErrors::MappingError;
    return view;
}

bool RecordFile::keyAt(qint64 index, double* key)
{
    uchar* view = mapRecords(index, 1);
    if (!view)
        return false;
    *key = readDoubleLE(reinterpret_cast<const char*>(view));
    m_file.unmap(view);
    return true;
}

bool RecordFile::lowerBound(double t, qint64 hint, qint64* index)
{
    return partitionPoint(hint, [t](double key) { return key < t; }, index);
}

bool RecordFile::upperBound(double t, qint64 hint, qint64* index)
{
    return partitionPoint(hint, [t](double key) { return !(t < key); }, index);
}

// Records whose key satisfies `before` come first (keys grow through the file); finds
// the first one that does not, searching outward from `hint` in doubling steps and then
// halving the bracket that was found.
template <class Before>
bool RecordFile::partitionPoint(qint64 hint, Before&& before, qint64* index)
{
    qint64 low = 0;                // every record below `low` is before
    qint64 high = m_recordCount;   // every record from `high` on is not
    if (high == 0) {
        *index = 0;
        return true;
    }
    qint64 probe = std::clamp<qint64>(hint, 0, high - 1);
    double key = 0;
    if (!keyAt(probe, &key))
        return false;
    qint64 step = 1;
    if (before(key)) {
        low = probe + 1;
        while (low < high) {
            probe = std::min(high - 1, low - 1 + step);
            if (!keyAt(probe, &key))
                return false;
            if (!before(key)) {
                high = probe;
                break;
            }
            low = probe + 1;
            step *= 2;
        }
    } else {
        high = probe;
        while (low < high) {
            probe = std::max(low, high - step);
            if (!keyAt(probe, &key))
                return false;
            if (before(key)) {
                low = probe + 1;
                break;
            }
            high = probe;
            step *= 2;
        }
    }
    while (low < high) {
        const qint64 middle = low + (high - low) / 2;
        if (!keyAt(middle, &key))
            return false;
        if (before(key))
            low = middle + 1;
        else
            high = middle;
    }
    *index = low;
    return true;
}
