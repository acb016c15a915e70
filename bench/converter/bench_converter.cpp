// Conversion speed against references measured in the same run, and peak memory as the
// log grows.
//
//   bench_converter [records]            speed of CSV and XLSX conversion (default 1,000,000)
//   bench_converter --peak <csv|xlsx> N  one conversion of N records; prints its peak memory
//
// The speed run also starts itself twice with --peak for N and 10 × N records per road.

#include "Book.h"
#include "LogRecord.h"
#include "SwapFile.h"
#include "Workbook.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <charconv>
#include <functional>
#include <cstdio>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace {
constexpr int channels = 3;
constexpr quint16 samplePeriod = 1; // 10 kHz

double valueOf(qint64 i, int c)
{
    return (c == 0) ? 120.5 + (i % 977) * 0.37 : 3300.0 + c * 10 + (i % 131) * 0.011;
}

double keyOf(qint64 i)
{
    return i * (samplePeriod * 0.1 / 1000);
}

bool writeLog(const QString& name, qint64 records)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    SwapFileHeader header = defaultSwapFileHeader();
    header.channelCount = channels;
    header.channelMask = 0x07;
    header.samplePeriod = samplePeriod;
    file.write(encodeHeaderBlock(header, 1700000000000));
    std::vector<char> block;
    block.reserve(1 << 20);
    for (qint64 i = 0; i < records; ++i) {
        char record[8 * (channels + 1)];
        writeDoubleLE(record, keyOf(i));
        for (int c = 0; c < channels; ++c)
            writeDoubleLE(record + 8 * (c + 1), valueOf(i, c));
        block.insert(block.end(), record, record + sizeof record);
        if (block.size() >= (1 << 20)) {
            file.write(block.data(), qint64(block.size()));
            block.clear();
        }
    }
    file.write(block.data(), qint64(block.size()));
    file.write(QByteArray(LogFormat::reportSize, '\0'));
    return file.error() == QFile::NoError;
}

ConvertOptions relativeOptions(bool xlsx)
{
    ConvertOptions o;
    o.xlsx = xlsx;
    o.duration = -1;
    o.relativeTime = true;
    o.version = 4;
    o.samplePeriod = samplePeriod;
    o.sheetSize = 100;
    o.maxSheets = 10;
    return o;
}

bool convertCsv(const QString& log, const QString& out)
{
    QFile file(out);
    SwapFile reader;
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && reader.toCsv(log, relativeOptions(false), &file);
}

bool convertXlsx(const QString& log, const QString& out)
{
    SwapFile reader;
    Book book;
    return reader.toXlsx(log, relativeOptions(true), book.workbook()) && book.save(out);
}

// The same values formatted with std::to_chars into one buffer, written at once.
bool referenceCsv(qint64 records, const QString& out)
{
    std::string buffer;
    buffer.reserve(size_t(records) * 44);
    char field[64];
    for (qint64 i = 0; i < records; ++i) {
        buffer.append(field, std::to_chars(field, field + sizeof field, keyOf(i), std::chars_format::fixed, 4).ptr);
        for (int c = 0; c < channels; ++c) {
            buffer += ", ";
            buffer.append(field,
                          std::to_chars(field, field + sizeof field, valueOf(i, c), std::chars_format::fixed, 4).ptr);
        }
        buffer += '\n';
    }
    QFile file(out);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && file.write(buffer.data(), qint64(buffer.size())) == qint64(buffer.size());
}

// A plain workbook of the same records × 4 numbers, written straight with the writer.
bool referenceXlsx(qint64 records, const QString& out)
{
    Xlsx::CWorkbook workbook{Xlsx::CDualString()};
    Xlsx::CWorksheet& sheet = workbook.NewWorksheet(Xlsx::CDualString(std::wstring(L"Sheet1")));
    for (qint64 i = 0; i < records; ++i) {
        sheet.OpenRow(0);
        sheet.PutCell(keyOf(i), 0);
        for (int c = 0; c < channels; ++c)
            sheet.PutCell(valueOf(i, c), 0);
    }
    sheet.CloseRow();
    return workbook.Save(out.toStdString());
}

double seconds(const std::function<bool()>& work, bool& ok)
{
    QElapsedTimer timer;
    timer.start();
    ok = work();
    return timer.nsecsElapsed() / 1e9;
}

long peakKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int runPeak(const QString& road, qint64 records)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("peak.talvo");
    if (!writeLog(log, records))
        return 1;
    const long before = peakKiB();
    const bool ok = road == "xlsx" ? convertXlsx(log, dir.filePath("peak.xlsx")) : convertCsv(log, dir.filePath("peak.csv"));
    std::printf("%ld %ld\n", before, peakKiB());
    return ok ? 0 : 1;
}

// Peak memory of a child process converting `records` records: before the conversion
// started (the program, its platform and the log written) and at its end.
struct Peak
{
    long before = -1;
    long after = -1;
};

Peak childPeak(const QString& road, qint64 records)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--peak", road, QString::number(records)});
    if (!child.waitForFinished(-1) || child.exitCode() != 0)
        return {};
    const QStringList fields = QString::fromLatin1(child.readAllStandardOutput()).trimmed().split(' ');
    return {fields.value(0).toLong(), fields.value(1).toLong()};
}

void quietDebugLines(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietDebugLines);
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args.at(1) == "--peak")
        return runPeak(args.at(2), args.at(3).toLongLong());

    const qint64 records = args.size() > 1 ? args.at(1).toLongLong() : 1000000;
    QTemporaryDir dir;
    const QString log = dir.filePath("bench.talvo");
    if (!writeLog(log, records)) {
        std::printf("cannot write the log\n");
        return 1;
    }
    std::printf("log: %lld records, %d channels, %.1f MB\n", records, channels, QFile(log).size() / 1e6);

    bool ok1 = false, ok2 = false, ok3 = false, ok4 = false;
    const double csv = seconds([&] { return convertCsv(log, dir.filePath("bench.csv")); }, ok1);
    const double csvRef = seconds([&] { return referenceCsv(records, dir.filePath("reference.csv")); }, ok2);
    std::printf("CSV  conversion %.3f s, to_chars reference %.3f s, ratio %.2f (target <= 1.5)%s\n", csv, csvRef,
                csv / csvRef, ok1 && ok2 ? "" : "  FAILED");
    const double xlsx = seconds([&] { return convertXlsx(log, dir.filePath("bench.xlsx")); }, ok3);
    const double xlsxRef = seconds([&] { return referenceXlsx(records, dir.filePath("reference.xlsx")); }, ok4);
    std::printf("XLSX conversion %.3f s, plain workbook %.3f s, ratio %.2f (target <= 1.2)%s\n", xlsx, xlsxRef,
                xlsx / xlsxRef, ok3 && ok4 ? "" : "  FAILED");

    for (const char* road : {"csv", "xlsx"}) {
        const Peak small = childPeak(road, records);
        const Peak large = childPeak(road, records * 10);
        std::printf("%-4s peak memory: %lld records %ld KiB (%ld before converting), %lld records %ld KiB (%ld before),"
                    " ratio %.2f (target <= 1.2)\n",
                    road, records, small.after, small.before, records * 10, large.after, large.before,
                    small.after > 0 ? double(large.after) / small.after : 0.0);
    }
    return 0;
}
