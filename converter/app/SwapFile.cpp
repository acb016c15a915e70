#include "SwapFile.h"

#include "MappedRecords.h"
#include "ReaderErrors.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <cstring>

SwapFile::SwapFile(QObject* parent)
    : QObject(parent)
{
}

SwapFile::~SwapFile()
{
    closeProgressDialog();
    if (m_file.isOpen())
        m_file.close();
}

bool SwapFile::fail(int code)
{
    emit swapFileError(code);
    return false;
}

bool SwapFile::readHeader()
{
    // A file too short for a header block (an empty one included) is no log.
    if (m_file.size() < LogFormat::headerBlockSize)
        return fail(NotALog);
    uchar* block = mapWithinFile(m_file, 0, LogFormat::headerBlockSize);
    if (!block)
        return fail(MappingFailed);
    const char* bytes = reinterpret_cast<const char*>(block);
    m_header = decodeHeader(bytes);
    const int problem = checkHeaderLayout(m_header);
    if (problem == NoError && m_header.version > 1)
        m_creationTime = decodeCreationTime(bytes);
    m_file.unmap(block);
    if (problem != NoError)
        return fail(problem);
    m_layout = layoutOf(m_header);
    m_channels = m_layout.channels;
    return true;
}

LogExtent::Records SwapFile::findRecords()
{
    return LogExtent::findRecords(m_file.size(), m_header, [this](qint64 offset, qint64 length, char* out) {
        uchar* bytes = mapWithinFile(m_file, offset, length);
        if (!bytes)
            return false;
        std::memcpy(out, bytes, size_t(length));
        m_file.unmap(bytes);
        return true;
    });
}

LogSummary SwapFile::open(const QString& fileName)
{
    LogSummary summary;
    m_file.setFileName(fileName);
    if (!m_file.open(QIODevice::ReadOnly)) {
        fail(CantOpenFile);
        return summary;
    }
    if (!readHeader()) {
        m_file.close();
        return summary;
    }
    summary.header = m_header;
    summary.creationTime = m_creationTime;
    summary.valid = true;
    const LogExtent::Records records = findRecords();
    summary.recordCount = records.count;
    summary.cutOff = records.cutOff;
    double endTime = 0;
    if (records.count > 0 && !readRecordKey(m_file, m_layout, records.count - 1, endTime))
        fail(MappingFailed);
    m_endTime = endTime;
    summary.endTime = endTime;
    m_file.close();
    return summary;
}

bool SwapFile::beginConversion(const QString& fileName, const ConvertOptions& options, RecordRange& range)
{
    m_canceled = false;
    closeProgressDialog();
    auto* dialog = new QProgressDialog(m_label, tr("Cancel"), 0, 100);
    m_progressDialog = dialog;
    connect(dialog, &QProgressDialog::canceled, this, [this] {
        closeProgressDialog();
        m_canceled = true;
    });
    dialog->show();
    dialog->setWindowModality(Qt::WindowModal);
    QCoreApplication::processEvents();

    if (m_file.isOpen())
        m_file.close();
    m_file.setFileName(fileName);
    if (!m_file.open(QIODevice::ReadOnly))
        return fail(CantOpenFile);
    if (!readHeader())
        return false;
    // A cut-off log without a single whole record has nothing to convert: an empty table
    // would pass for a success.
    const LogExtent::Records found = findRecords();
    if (found.cutOff && found.count == 0)
        return fail(MappingFailed);
    const qint64 records = found.count;
    m_endTime = 0;
    if (records > 0 && !readRecordKey(m_file, m_layout, records - 1, m_endTime))
        return fail(MappingFailed);
    // A range that starts before the log or after its last record lies outside the
    // records: there is nothing to map.
    if (options.startSec < 0 || double(options.startSec) > m_endTime)
        return fail(MappingFailed);
    const KeyReader keyAt = [this](qint64 index, double& key) {
        return readRecordKey(m_file, m_layout, index, key);
    };
    if (!findRecordRange(options.startSec, options.duration, m_layout, records, keyAt, range))
        return fail(MappingFailed);
    return true;
}

bool SwapFile::runRecords(const RecordRange& range, const RowHandler& handleRow)
{
    MappedRecords records(m_file, m_layout, range.first, range.count);
    double values[maxRecordValues];
    for (qint64 i = 0; i < range.count; ++i) {
        if (m_canceled)
            return false;
        if (!records.next(values))
            return fail(MappingFailed);
        const RowOutcome outcome = handleRow(values);
        if (i % 1000 == 0) {
            if (m_progressDialog)
                m_progressDialog->setValue(int(i * 100 / range.count));
            QCoreApplication::processEvents();
        }
        if (outcome == RowOutcome::Failed)
            return false;
        if (outcome == RowOutcome::Stop)
            break;
    }
    return !m_canceled;
}

void SwapFile::closeProgressDialog()
{
    if (m_progressDialog) {
        m_progressDialog->hide();
        m_progressDialog->deleteLater();
    }
    m_progressDialog = nullptr;
}

void SwapFile::endConversion()
{
    if (m_file.isOpen())
        m_file.close();
    if (m_progressDialog)
        m_progressDialog->setValue(100);
    closeProgressDialog();
    QCoreApplication::processEvents();
}
