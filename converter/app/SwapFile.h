#pragma once

#include "ConvertOptions.h"
#include "LogExtent.h"
#include "LogLayout.h"
#include "LogRecord.h"

#include <QFile>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QString>

#include <functional>

class QIODevice;
namespace Xlsx {
class CWorkbook;
}

// What `SwapFile::open` learns about a log.
struct LogSummary
{
    SwapFileHeader header = defaultSwapFileHeader();
    double endTime = 0;     // seconds: key of the last record, the recorded duration
    qint64 recordCount = 0; // whole records: samples
    bool cutOff = false;    // the log ends without a sound report block (see LogExtent)
    qint64 creationTime = 0; // ms since 1970-01-01 UTC; 0 for logs of version 1
    bool valid = false;     // the header was read and accepted
};

// The converter's read-only reader of one saved log: its summary, and its conversion
// to a workbook or to CSV text under a progress dialog that the user can cancel.
// Failures are reported through swapFileError with a ReaderError code.
class SwapFile : public QObject
{
    Q_OBJECT
public:
    explicit SwapFile(QObject* parent = nullptr);
    ~SwapFile() override;

    LogSummary open(const QString& fileName);
    // Reads and checks the header of the open file; see checkHeaderLayout.
    bool readHeader();

    bool toXlsx(const QString& fileName, const ConvertOptions& options, Xlsx::CWorkbook* workbook);
    bool toCsv(const QString& fileName, const ConvertOptions& options, QIODevice* out);

    // The text the progress dialog of a conversion shows.
    void setLabel(const QString& label) { m_label = label; }
    QString label() const { return m_label; }
    bool isCanceled() const { return m_canceled; }
    QProgressDialog* progressDialog() const { return m_progressDialog; }
    const QList<int>& channelList() const { return m_channels; }

signals:
    void swapFileError(int _code);
    void progress(int _value);

private:
    enum class RowOutcome { Next, Stop, Failed };
    using RowHandler = std::function<RowOutcome(const double* values)>;

    // Where the records of the open file end, by the rule the logger uses too.
    LogExtent::Records findRecords();
    bool beginConversion(const QString& fileName, const ConvertOptions& options, RecordRange& range);
    bool runRecords(const RecordRange& range, const RowHandler& handleRow);
    void closeProgressDialog();
    void endConversion();
    bool fail(int code);

    SwapFileHeader m_header = defaultSwapFileHeader();
    QFile m_file;
    double m_endTime = 0;
    qint64 m_creationTime = 0;
    QList<int> m_channels;
    LogLayout m_layout;
    QPointer<QProgressDialog> m_progressDialog;
    bool m_canceled = false;
    QString m_label;
};
