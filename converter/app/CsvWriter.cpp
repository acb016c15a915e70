#include "CsvWriter.h"

#include "RowText.h"

#include <QIODevice>

namespace {
constexpr std::size_t blockBytes = 64 * 1024;
}

CsvWriter::CsvWriter(QIODevice* out, char separator, const QDateTime& base, qint16 samplePeriod,
                     int channelCount)
    : m_out(out),
      m_separator(fieldSeparator(separator)),
      m_base(base),
      m_clock(base, samplePeriod),
      m_channelCount(channelCount)
{
    m_block.reserve(blockBytes + 512);
}

CsvWriter::~CsvWriter() = default;

bool CsvWriter::writeBytes(const char* data, qint64 size)
{
    return size == 0 || m_out->write(data, size) == size;
}

bool CsvWriter::writeHeader(const QList<int>& channels)
{
    const QByteArray line = csvHeaderLine(!m_base.isValid(), m_base, channels, m_separator).toUtf8();
    return flush() && writeBytes(line.constData(), line.size());
}

bool CsvWriter::writeRow(const double* values)
{
    if (m_base.isValid())
        m_clock.append(m_block, values[0]);
    else
        appendFixed4(m_block, values[0]);
    for (int c = 1; c <= m_channelCount; ++c) {
        m_block += m_separator;
        appendFixed4(m_block, values[c]);
    }
    m_block += '\n';
    return m_block.size() < blockBytes || flush();
}

bool CsvWriter::flush()
{
    const bool ok = writeBytes(m_block.data(), qint64(m_block.size()));
    m_block.clear();
    return ok;
}
