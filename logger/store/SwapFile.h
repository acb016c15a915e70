#pragma once

// A measurement's record on disk and the saved log: the 512-byte header block, the data
// records and the 120-byte report block (layout in LogRecord.h). A chart tab owns one;
// the main window creates it when a run starts, appends old chart points to it while the
// run lasts, and reads windows of it back for display.

#include "ChannelMaps.h"
#include "LogRecord.h"
#include "SwapFileErrors.h"

#include <QList>
#include <QFile>
#include <QMutex>
#include <QObject>
#include <QString>

#include <qcustomplot.h>

#include <atomic>
#include <functional>
#include <memory>

class DeviceControl;
class ProgressDialog;
class RecordFile;
class SwapFileWriter;

class SwapFile : public QObject
{
    Q_OBJECT
public:
    // Largest part of a file mapped at once.
    static constexpr qint64 mapWindowBytes = 0x6400000; // 100 MiB

    explicit SwapFile(QObject* parent = nullptr);
    ~SwapFile() override;

    // --- header and report block
    bool create(const QString& fileName);
    void writeHeader(const SwapFileHeader& record);
    void writeHeader(const DeviceControl& control);
    void writeHeader(quint8 channelCount, quint32 mask, bool customRate, quint16 samplePeriod,
                     bool fahrenheit);
    bool readHeader();
    static SwapFileHeader readHeaderOf(const QString& fileName);
    ChannelStatistics readReport();
    bool writeReport(const char* block);
    bool writeReport(const ChannelStatistics& statistics);

    // --- records
    // Writes the points of the maps as records, one record per key of the first listed
    // channel. With freeMaps the points written are taken out of the maps (all points of
    // maps of channels that are not recorded); whatever stays was not written. Holds the
    // object's own mutex throughout; it is the only operation that may run off the GUI
    // thread.
    bool append(const ChannelMaps& maps, bool freeMaps);
    // append() on a worker of the global thread pool, waited for at once.
    bool appendOnWorker(const ChannelMaps& maps, bool freeMaps);
    // The file's background writer, for appends nobody waits for (created on first use).
    SwapFileWriter& writer();
    bool readWindow(double centre, double width, ChannelMaps& maps);
    bool load(const QString& fileName, int seconds, ChannelMaps& maps);
    bool loadPowerLog(const QString& fileName, int seconds, ChannelMaps& maps);
    bool readEndTime();
    double channelAverage(const QCPRange& window, int channel);
    bool save(const QString& newName);
    bool save(QString&& newName);
    // Saves the file as newName, which may already exist: the file there goes only once
    // the new one is complete beside it, and a replacement that fails half-way puts this
    // file back where it was rather than leave it hidden beside the target. A failure
    // carries the system's reason, empty when it gave none.
    struct SaveResult
    {
        bool saved = false;
        QString reason;
    };
    SaveResult saveAs(const QString& newName);
    // Saves a copy of the file as newName and makes the copy this object's file; the file
    // it was stays as it is, for whatever else shows or keeps it. An existing newName is
    // replaced only by a complete copy. A failure leaves both files and this object as
    // they were and carries the system's reason.
    SaveResult saveCopyAs(const QString& newName);
    bool remove();
    void cancel();

    // --- threshold overview
    bool decimate(const QString& fileName, int channel, int position, double threshold,
                  ProgressDialog* dialog);
    bool decimateAll(ProgressDialog* dialog);

    // --- state read by the chart tab, the navigation bar and the main window
    QString fileName() const { return m_file.fileName(); }
    // The system's reason for the last failed file operation (rename, open, write).
    QString errorString() const { return m_file.errorString(); }
    const SwapFileHeader& header() const { return m_header; }
    // True while the header is that of a capture: written for a run or read from a log.
    // A new object's defaults, or the header of a run whose file was removed again,
    // describe nothing recorded.
    bool holdsCapture() const { return m_holdsCapture; }
    const QList<int>& channelList() const { return m_channelList; }
    double endTime() const { return m_endTime; }
    qint64 creationTime() const { return m_creationTime; }
    qint64 recordsWritten() const { return m_recordsWritten; }
    bool wasCancelled() const { return m_wasCancelled; }
    // The file read last ends without a report block that fits its records (a log cut
    // off before its end): its records run to the last whole one, and its statistics and
    // time range come from the records themselves.
    bool isCutOff() const { return m_cutOff; }
    // Whole records of the file read last.
    qint64 recordsHeld() const { return m_recordsHeld; }

    ChannelMap overview;          // the step graph of the last overview build
    int overviewChannel = 0;
    int overviewPosition = 0;
    // The settings' thresholds, or these where they hold none that can be used.
    double thresholds[LogFormat::statisticsChannels] = {25, 1000, 3200};
    QCPRange timeRange;           // the whole log, from the report block
    QCPRange viewRange;           // what the navigation strip shows

    // Files are mapped in windows of at most this many bytes. Tests shrink it to see the
    // overview's window seams on small files.
    void setMapWindowBytes(qint64 bytes) { m_mapWindowBytes = bytes; }

signals:
    void swapFileError(int _code);

private:
    void readThresholds();
    // The hidden file beside a save's target that takes the new log until it is complete.
    static QString partialNameOf(const QString& target);
    // Puts a complete log at target: makePartial writes it to the hidden partial file
    // (giving the reason when it cannot), and only then does a file at target give way.
    // On success target becomes this object's file; on failure the caller takes care of
    // whatever the partial file holds.
    SaveResult replaceThroughPartial(const QString& target,
                                     const std::function<bool(const QString& partial, QString* reason)>& makePartial);
    void rebuildChannelList();
    bool fail(int code);
    // Every reader starts afresh: a cancel meant for an earlier one neither stops it nor
    // is reported for it.
    void startReading()
    {
        m_cancelRequested = false;
        m_wasCancelled = false;
    }
    void closeFile();
    // Opens the file for reading with its records' size known; false after raising the
    // matching code (nothing raised when the file cannot be opened and openCode is 0).
    bool openRecords(RecordFile& records, int openCode);
    bool recordsReadable();
    // Gives `records` the size the header sets and finds where they end (LogExtent): before
    // a sound report block, else at the last whole record of a cut-off log.
    void applyRecordLayout(RecordFile& records);
    // The statistics a run writes as its report block, computed from the records.
    ChannelStatistics statisticsOfRecords();
    // The map of each record position: the analyzer's maps are indexed by channel number,
    // a supply's by position. False (code 11) when a map is missing.
    bool resolveMaps(const ChannelMaps& maps, bool supplyForm,
                     QList<QCPGraphDataContainer*>* targets);
    bool readLastKey(RecordFile& records, double* key);
    bool readStretch(RecordFile& records, double start, double end, qint64* first, qint64* last);
    // Makes fileName the object's file, opens it for reading (openCode when that fails)
    // and reads its header.
    bool openLog(const QString& fileName, RecordFile& records, int openCode);
    bool loadWithDialog(const QString& fileName, int seconds, ChannelMaps& maps, bool supplyForm);
    bool loadRecords(const QString& fileName, int seconds, ChannelMaps& maps,
                     ProgressDialog* dialog, bool supplyForm);
    // The threshold of a channel, for channels that have one (0 to 2); else the first.
    double thresholdOf(int channel) const;
    // Copies records [first, last) into the maps; false when a map fails or on cancel.
    bool readInto(RecordFile& records, qint64 first, qint64 last,
                  const QList<QCPGraphDataContainer*>& targets, ProgressDialog* dialog);
    bool readTimeRange();
    // The last 120 bytes of the file: CantOpen, MappingError (also for a file too short to
    // hold them) or None.
    int readReportBlock(char* block);

    SwapFileHeader m_header;
    bool m_holdsCapture = false;
    QFile m_file;
    QMutex m_appendMutex;
    QList<int> m_channelList;
    double m_endTime = 0;
    qint64 m_creationTime = 0;
    std::atomic<qint64> m_recordsWritten = 0; // counted by the background writer
    // The size the file must be cut back to before it takes more records: a refused
    // write left part of its records behind and cutting them off failed too. -1: none.
    qint64 m_recordsEnd = -1;
    qint64 m_mapWindowBytes = mapWindowBytes;
    bool m_cancelRequested = false;
    bool m_wasCancelled = false;
    bool m_cutOff = false;
    qint64 m_recordsHeld = 0;
    // Last member: it goes first, while the file is still there to write to.
    std::unique_ptr<SwapFileWriter> m_writer;
};
