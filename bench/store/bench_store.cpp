// Swap-file figures on a generated 1 GiB log (3 channels, 10 kHz) in the page cache, each
// against a reference measured in the same run:
//   overview of the whole file    vs  a plain mapped scan of the same bytes   (target <= 1.5)
//   10 s window at the end of it   vs  the same window of a 10 MiB log         (target <= 1.2)
//   append of 10 minutes of data   vs  one plain buffered write of its bytes   (target <= 2)
// The logs are written into a temporary folder and removed at the end.

#include "ChannelMaps.h"
#include "LogRecord.h"
#include "ProgressDialog.h"
#include "SwapFile.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
constexpr int channels = 3;
constexpr qint64 recordBytes = (channels + 1) * 8;
constexpr quint16 period10kHz = 1;
constexpr double samplePeriod = 0.0001;

// Channel 0 in µA: idle at 5 mA with a 40 mA burst of 0.2 s every 3 s; 3.3 V and 1.8 V.
double sampleValue(qint64 k, int channel)
{
    if (channel == 0)
        return (k % 30000) < 2000 ? 40000.0 + (k % 7) : 5000.0 + (k % 11);
    return channel == 1 ? 3300.0 + (k % 5) : 1800.0 - (k % 3);
}

SwapFileHeader header()
{
    SwapFileHeader h = defaultSwapFileHeader();
    h.channelCount = channels;
    h.channelMask = 0x07;
    h.channelNumbers[1] = 1;
    h.channelNumbers[2] = 2;
    h.samplePeriod = period10kHz;
    return h;
}

bool generateLog(const QString& path, qint64 records)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    if (file.write(encodeHeaderBlock(header(), 0)) != LogFormat::headerBlockSize)
        return false;
    std::vector<char> buffer(size_t(recordBytes) * 65536);
    for (qint64 k = 0; k < records;) {
        const qint64 n = std::min<qint64>(65536, records - k);
        char* out = buffer.data();
        for (qint64 r = 0; r < n; ++r, ++k) {
            writeDoubleLE(out, k * samplePeriod);
            for (int c = 0; c < channels; ++c)
                writeDoubleLE(out + 8 * (c + 1), sampleValue(k, c));
            out += recordBytes;
        }
        if (file.write(buffer.data(), n * recordBytes) != n * recordBytes)
            return false;
    }
    ChannelStatistics report = freshStatistics();
    report.latestKey = (records - 1) * samplePeriod;
    char block[LogFormat::reportSize];
    encodeStatistics(report, block);
    return file.write(block, sizeof block) == qint64(sizeof block);
}

// Best of `rounds` runs, in milliseconds; `prepare` runs untimed before each.
double bestMs(int rounds, const std::function<void()>& work,
              const std::function<void()>& prepare = [] {})
{
    double best = 1e300;
    for (int i = 0; i < rounds; ++i) {
        prepare();
        QElapsedTimer clock;
        clock.start();
        work();
        best = std::min(best, clock.nsecsElapsed() / 1e6);
    }
    return best;
}

// The reference of the overview: map the records in the same 100 MiB windows and read each
// record's key and channel-0 value, nothing else.
double plainScan(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    const qint64 records = (file.size() - LogFormat::headerAndReportSize) / recordBytes;
    const qint64 perWindow = SwapFile::mapWindowBytes / recordBytes;
    double sum = 0;
    for (qint64 at = 0; at < records; at += perWindow) {
        const qint64 n = std::min(perWindow, records - at);
        uchar* view = file.map(LogFormat::headerBlockSize + at * recordBytes, n * recordBytes);
        if (!view)
            return 0;
        const char* p = reinterpret_cast<const char*>(view);
        for (qint64 r = 0; r < n; ++r, p += recordBytes)
            sum += readDoubleLE(p) + readDoubleLE(p + 8);
        file.unmap(view);
    }
    return sum;
}

void report(const char* what, double measured, const char* reference, double referenceMs,
            double target)
{
    const double ratio = measured / referenceMs;
    std::printf("%-34s %9.2f ms | %-34s %9.2f ms | ratio %5.2f (target <= %.1f) %s\n", what,
                measured, reference, referenceMs, ratio, target, ratio <= target ? "ok" : "MISSED");
}

ChannelMaps freshMaps()
{
    ChannelMaps maps;
    for (int c = 0; c < channels; ++c)
        maps.append(ChannelMap(new QCPGraphDataContainer));
    return maps;
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const qint64 bigRecords = (qint64(1) << 30) / recordBytes;
    if (!dir.isValid() || QStorageInfo(dir.path()).bytesAvailable() < 3 * (qint64(1) << 30)) {
        std::printf("bench_store: needs 3 GiB free in the temporary folder; skipped\n");
        return 1;
    }
    const QString big = dir.filePath("big.talvo");
    const QString small = dir.filePath("small.talvo");
    if (!generateLog(big, bigRecords) || !generateLog(small, (qint64(10) << 20) / recordBytes)) {
        std::printf("bench_store: cannot write the logs\n");
        return 1;
    }
    std::printf("logs: %lld records (%.2f GiB, %.0f s at 10 kHz) and a 10 MiB one\n",
                static_cast<long long>(bigRecords), bigRecords * recordBytes / double(1 << 30),
                bigRecords * samplePeriod);
    plainScan(big); // into the page cache

    // Threshold overview, with the progress dialog and its event processing.
    SwapFile overviewFile;
    ProgressDialog dialog(0, 100);
    dialog.show();
    double scanSum = 0;
    const double scanMs = bestMs(3, [&] { scanSum += plainScan(big); });
    const double overviewMs = bestMs(3, [&] { overviewFile.decimate(big, 0, 0, 25, &dialog); });
    dialog.hide();
    std::printf("overview points: %d (scan checksum %.0f)\n", overviewFile.overview->size(), scanSum);
    report("overview of 1 GiB", overviewMs, "plain mapped scan", scanMs, 1.5);

    // A 10 s window at the end, against the same window of a small log.
    SwapFile bigFile;
    SwapFile smallFile;
    ChannelMaps maps = freshMaps();
    bigFile.load(big, 0, maps);
    smallFile.load(small, 0, maps);
    const double width = 10.0;
    const double smallCentre = smallFile.endTime() - width / 2;
    const double bigCentre = bigFile.endTime() - width / 2;
    const auto clearMaps = [&] { maps = freshMaps(); };
    const double smallMs =
        bestMs(7, [&] { smallFile.readWindow(smallCentre, width, maps); }, clearMaps);
    const double bigMs = bestMs(7, [&] { bigFile.readWindow(bigCentre, width, maps); }, clearMaps);
    std::printf("window points: %d\n", maps[0]->size());
    report("10 s window at the end of 1 GiB", bigMs, "same window of 10 MiB", smallMs, 1.2);

    // Ten minutes of 10 kHz data appended from the chart's maps.
    const qint64 appendRecords = 10 * 60 * 10000;
    const QString appended = dir.filePath("append.tmp");
    SwapFile appendFile;
    const auto fillMaps = [&] {
        appendFile.create(appended);
        appendFile.writeHeader(header());
        maps = freshMaps();
        for (int c = 0; c < channels; ++c) {
            QVector<QCPGraphData> points(appendRecords);
            for (qint64 k = 0; k < appendRecords; ++k)
                points[k] = QCPGraphData(k * samplePeriod, sampleValue(k, c));
            maps[c]->set(points, true);
        }
    };
    const double appendMs = bestMs(3, [&] { appendFile.appendOnWorker(maps, true); }, fillMaps);
    appendFile.remove();

    QByteArray bytes(int(appendRecords * recordBytes), '\0');
    for (qint64 k = 0; k < appendRecords; ++k) {
        char* out = bytes.data() + k * recordBytes;
        writeDoubleLE(out, k * samplePeriod);
        for (int c = 0; c < channels; ++c)
            writeDoubleLE(out + 8 * (c + 1), sampleValue(k, c));
    }
    const QString plain = dir.filePath("plain.tmp");
    const double writeMs = bestMs(3, [&] {
        std::FILE* out = std::fopen(plain.toLocal8Bit().constData(), "wb");
        if (!out)
            return;
        std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
        std::fclose(out);
    });
    report("append 10 min at 10 kHz", appendMs, "one plain buffered write", writeMs, 2.0);
    return 0;
}
