#include "SwapFile.h"

#include "ProgressDialog.h"
#include "RecordFile.h"
#include "RecordLayout.h"
#include "ThresholdOverview.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace {
// The dialog is refreshed when its percentage changes, and at least this often so that
// the window keeps answering while a slow stretch of the file is read.
constexpr qint64 progressIntervalMs = 20;

class OverviewProgress
{
public:
    OverviewProgress(ProgressDialog* dialog, qint64 total)
        : m_dialog(dialog)
        , m_total(total)
    {
        m_clock.start();
    }
    void at(qint64 record)
    {
        if (!m_dialog || record % 100 != 0)
            return;
        const int percent = int(double(record) * 100.0 / double(m_total));
        if (percent == m_shown && !m_clock.hasExpired(progressIntervalMs))
            return;
        m_dialog->setValue(percent);
        m_shown = percent;
        QCoreApplication::processEvents();
        m_clock.restart();
    }

private:
    ProgressDialog* m_dialog;
    qint64 m_total;
    int m_shown = -1;
    QElapsedTimer m_clock;
};
} // namespace

double SwapFile::thresholdOf(int channel) const
{
    const bool ownThreshold = channel >= 0 && channel < LogFormat::statisticsChannels;
    return thresholds[ownThreshold ? channel : 0];
}

bool SwapFile::decimate(const QString& fileName, int channel, int position, double threshold,
                        ProgressDialog* dialog)
{
    if (dialog)
        dialog->setText(tr("Decimating..."));
    RecordFile records;
    if (!openLog(fileName, records, SwapFileErrors::CantOpen))
        return false;
    if (position < 0 || position >= m_header.channelCount)
        return fail(SwapFileErrors::WrongChannels);

    overviewChannel = channel;
    overviewPosition = position;
    if (channel >= 0 && channel < LogFormat::statisticsChannels)
        thresholds[channel] = threshold;
    // Channel 0 holds microamperes; its threshold is given in milliamperes.
    const double level = channel == 0 ? threshold * 1000 : threshold;

    ThresholdOverview steps(level, threshold);
    // Whatever happens below, the overview shows the points found so far.
    struct Publish
    {
        ThresholdOverview& steps;
        QCPGraphDataContainer& overview;
        ~Publish() { overview.set(steps.points(), true); }
    } publish{steps, *overview};

    steps.add(0, 0);
    applyRecordLayout(records);
    if (!readLastKey(records, &m_endTime))
        return false;
    steps.add(m_endTime, 0);

    const qint64 recordBytes = records.recordSize();
    const int valueOffset = 8 * (position + 1);
    OverviewProgress progress(dialog, records.recordCount());
    bool cancelled = false;
    const bool mapped = records.forEachWindow(
        0, records.recordCount(), m_mapWindowBytes,
        [&](const char* record, qint64 count, qint64 at) {
            if (m_cancelRequested) {
                cancelled = true;
                return false;
            }
            steps.startWindow();
            double key = 0;
            for (qint64 r = 0; r < count; ++r, record += recordBytes) {
                if (m_cancelRequested) {
                    cancelled = true;
                    return false;
                }
                key = readDoubleLE(record);
                steps.addRecord(key, readDoubleLE(record + valueOffset));
                progress.at(at + r);
            }
            steps.endWindow(key);
            return true;
        });
    if (cancelled) {
        m_wasCancelled = true;
        return false;
    }
    if (!mapped)
        return fail(SwapFileErrors::MappingError);
    steps.add(m_endTime, 0);
    readTimeRange();
    return true;
}

bool SwapFile::readTimeRange()
{
    timeRange = QCPRange(0, 0);
    viewRange = timeRange;
    // A cut-off log has no report block: its range runs from 0, where every run starts,
    // to its last whole record.
    if (m_cutOff) {
        timeRange = QCPRange(0, m_endTime);
        viewRange = timeRange;
        return true;
    }
    char block[LogFormat::reportSize];
    const int problem = readReportBlock(block);
    if (problem != SwapFileErrors::None)
        return fail(problem);
    const ChannelStatistics report = decodeStatistics(block);
    timeRange = QCPRange(report.lowerKey, report.latestKey);
    viewRange = timeRange;
    return true;
}

bool SwapFile::decimateAll(ProgressDialog* dialog)
{
    if (m_channelList.isEmpty())
        return fail(SwapFileErrors::WrongChannels);
    const int channel = m_channelList.constFirst();
    return decimate(fileName(), channel, 0, thresholdOf(channel), dialog);
}
