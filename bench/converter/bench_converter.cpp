// Conversion speed against references measured in the same run, and peak memory as the
// log grows.
//
//   bench_converter [records]            speed of CSV and XLSX conversion (default 1,000,000)
//   bench_converter --peak <csv|xlsx> N  one conversion of N records; prints its peak memory
//   bench_converter --sheet N out.xlsx   one sheet of N records with one save worker, kept;
//                                        prints the time of writing the rows and of saving
//
// The speed run converts N records to CSV (relative and clock time) and to XLSX, then a log
// of 10 × N records into ten sheets with one save worker, with every core, and writes the
// same rows with libxlsxwriter; it also starts itself twice with --peak for N and 10 × N
// records per road.

#include "Book.h"
#include "LogRecord.h"
#include "SwapFile.h"
#include "Workbook.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#ifdef TALVO_HAVE_XLSXWRITER
#include <xlsxwriter.h>
#endif

#include <charconv>
#include <functional>
#include <cstdio>
#include <string>
#include <vector>

namespace {
constexpr int channels = 3;
constexpr quint16 samplePeriod = 1; // 10 kHz
// Seconds of log per worksheet: one sheet holds the records of a speed run (100 s of
// 1,000,000 records by default), so the long log fills ten.
int sheetSeconds = 100;

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

ConvertOptions relativeOptions(bool xlsx, bool relative = true)
{
    ConvertOptions o;
    o.xlsx = xlsx;
    o.duration = -1;
    o.relativeTime = relative;
    o.version = 4;
    o.startTimeMs = 1700000000000;
    o.samplePeriod = samplePeriod;
    o.sheetSize = sheetSeconds;
    o.maxSheets = 10;
    return o;
}

bool convertCsv(const QString& log, const QString& out, bool relative = true)
{
    QFile file(out);
    SwapFile reader;
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
           && reader.toCsv(log, relativeOptions(false, relative), &file);
}

// workers 0: as many save workers as cores.
bool convertXlsx(const QString& log, const QString& out, unsigned workers = 0)
{
    SwapFile reader;
    Book book;
    book.workbook()->SetSaveWorkers(workers);
    return reader.toXlsx(log, relativeOptions(true), book.workbook()) && book.save(out);
}

#ifdef TALVO_HAVE_XLSXWRITER
// The rows of the conversion, perSheet records a sheet, written by libxlsxwriter in its
// constant-memory mode.
bool peerXlsx(qint64 records, qint64 perSheet, const QString& out)
{
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    const QByteArray path = QFile::encodeName(out);
    lxw_workbook* book = workbook_new_opt(path.constData(), &options);
    if (!book)
        return false;
    lxw_worksheet* sheet = nullptr;
    lxw_row_t row = 0;
    for (qint64 i = 0; i < records; ++i) {
        if (i % perSheet == 0) {
            const QByteArray title = QStringLiteral("%1s-%2s").arg(i / 10000).arg(i / 10000 + sheetSeconds).toLatin1();
            sheet = workbook_add_worksheet(book, title.constData());
            row = 0;
        }
        worksheet_write_number(sheet, row, 0, keyOf(i), nullptr);
        for (int c = 0; c < channels; ++c)
            worksheet_write_number(sheet, row, lxw_col_t(c + 1), valueOf(i, c), nullptr);
        ++row;
    }
    return workbook_close(book) == LXW_NO_ERROR;
}
#endif

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

// The process's own peak resident memory. getrusage's figure cannot serve: a started
// program keeps the peak of the process it was started from.
long peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
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

// Writing the rows (the converter's own thread) and saving (compressing the sheet) timed
// apart, for profiling the writer on one pinned core; the workbook is kept for comparing bytes.
int runSheet(qint64 records, const QString& out)
{
    QTemporaryDir dir;
    const QString log = dir.filePath("sheet.talvo");
    if (!writeLog(log, records))
        return 1;
    SwapFile reader;
    Book book;
    book.workbook()->SetSaveWorkers(1);
    bool written = false, saved = false;
    const double write = seconds([&] { return reader.toXlsx(log, relativeOptions(true), book.workbook()); }, written);
    const double save = seconds([&] { return book.save(out); }, saved);
    std::printf("rows written %.3f s, saved %.3f s%s\n", write, save, written && saved ? "" : "  FAILED");
    return written && saved ? 0 : 1;
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
    if (args.size() == 4 && args.at(1) == "--sheet") {
        sheetSeconds = int(qMax<qint64>(1, args.at(2).toLongLong() / 10000));
        return runSheet(args.at(2).toLongLong(), args.at(3));
    }

    const qint64 records = args.size() > 1 ? args.at(1).toLongLong() : 1000000;
    sheetSeconds = int(qMax<qint64>(1, records / 10000));
    QTemporaryDir dir;
    const QString log = dir.filePath("bench.talvo");
    if (!writeLog(log, records)) {
        std::printf("cannot write the log\n");
        return 1;
    }
    std::printf("log: %lld records, %d channels, %.1f MB\n", records, channels, QFile(log).size() / 1e6);

    bool ok1 = false, ok2 = false, ok3 = false, ok4 = false, ok5 = false;
    const double csv = seconds([&] { return convertCsv(log, dir.filePath("bench.csv")); }, ok1);
    const double csvRef = seconds([&] { return referenceCsv(records, dir.filePath("reference.csv")); }, ok2);
    std::printf("CSV  conversion %.3f s, to_chars reference %.3f s, ratio %.2f (target <= 1.5)%s\n", csv, csvRef,
                csv / csvRef, ok1 && ok2 ? "" : "  FAILED");
    const double clockCsv = seconds([&] { return convertCsv(log, dir.filePath("clock.csv"), false); }, ok5);
    std::printf("CSV  clock time %.3f s, relative time %.3f s, ratio %.2f (target <= 1.5)%s\n", clockCsv, csv,
                clockCsv / csv, ok5 ? "" : "  FAILED");
    const double xlsx = seconds([&] { return convertXlsx(log, dir.filePath("bench.xlsx")); }, ok3);
    const double xlsxRef = seconds([&] { return referenceXlsx(records, dir.filePath("reference.xlsx")); }, ok4);
    std::printf("XLSX conversion %.3f s, plain workbook %.3f s, ratio %.2f (target <= 1.2)%s\n", xlsx, xlsxRef,
                xlsx / xlsxRef, ok3 && ok4 ? "" : "  FAILED");
    for (const char* name : {"bench.csv", "clock.csv", "reference.csv", "bench.xlsx", "reference.xlsx"})
        QFile::remove(dir.filePath(name));

    // Ten sheets: the same log converted with one save worker and with every core.
    const QString longLog = dir.filePath("long.talvo");
    if (!writeLog(longLog, records * 10)) {
        std::printf("cannot write the long log\n");
        return 1;
    }
    const unsigned cores = Xlsx::AvailableCores();
    bool okOne = false, okAll = false;
    const double one = seconds([&] { return convertXlsx(longLog, dir.filePath("one.xlsx"), 1); }, okOne);
    const double all = seconds([&] { return convertXlsx(longLog, dir.filePath("all.xlsx"), 0); }, okAll);
    std::printf("XLSX 10 sheets x %lld records: 1 worker %.3f s, %u cores %.3f s, ratio %.2f (target <= 0.3 on 8 cores),"
                " packages %lld and %lld bytes%s\n",
                records, one, cores, all, all / one, QFileInfo(dir.filePath("one.xlsx")).size(),
                QFileInfo(dir.filePath("all.xlsx")).size(), okOne && okAll ? "" : "  FAILED");
    QFile::remove(dir.filePath("one.xlsx"));
    QFile::remove(dir.filePath("all.xlsx"));
#ifdef TALVO_HAVE_XLSXWRITER
    bool okPeer = false;
    const double peer = seconds([&] { return peerXlsx(records * 10, records, dir.filePath("peer.xlsx")); }, okPeer);
    std::printf("XLSX 10 sheets by libxlsxwriter (constant memory) %.3f s, package %lld bytes; %u cores / libxlsxwriter"
                " = %.2f (target <= 1.0)%s\n",
                peer, QFileInfo(dir.filePath("peer.xlsx")).size(), cores, all / peer, okPeer ? "" : "  FAILED");
    QFile::remove(dir.filePath("peer.xlsx"));
#endif
    QFile::remove(longLog);

    for (const char* road : {"csv", "xlsx"}) {
        const Peak small = childPeak(road, records);
        const Peak large = childPeak(road, records * 10);
        std::printf("%-4s peak memory: %lld records %ld KiB (%ld before converting), %lld records %ld KiB (%ld before),"
                    " ratio %.2f (target <= 1.5)\n",
                    road, records, small.after, small.before, records * 10, large.after, large.before,
                    small.after > 0 ? double(large.after) / small.after : 0.0);
    }
    return 0;
}
