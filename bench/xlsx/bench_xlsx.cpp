// Writes one worksheet of N rows x 4 number cells plus a text header row as an XLSX
// package and compares the time with (a) the project's own compressor deflating the
// same worksheet XML, the floor of this design, and (b) libxlsxwriter in its
// constant-memory mode writing the same rows (a peer that compresses at a lower level).

#include "Workbook.h"
#include "XmlStream.h"
#include "ZipWriter.h"

#ifdef TALVO_HAVE_XLSXWRITER
#include <xlsxwriter.h>
#endif

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char *const kHeader[] = {"Time, sec", "#0, \xce\xbc" "A", "#1, mv", "#2, mv"};

double Seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

long PeakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024;
}

long long FileSize(const std::string &path)
{
    struct stat info{};
    return stat(path.c_str(), &info) == 0 ? (long long)info.st_size : -1;
}

// Measured values as a log holds them: a time at 10 kHz and three channels whose
// doubles carry all their digits.
double Value(uint64_t row, int column)
{
    if (column == 0)
        return double(row) * 1e-4;
    return 1.25e-3 * column * (1.0 + 0.5 * std::sin(double(row) * 1e-3 + column));
}

void FillSheet(Xlsx::CWorksheet &sheet, uint64_t rows)
{
    sheet.OpenRow();
    for (const char *text : kHeader)
        sheet.PutCell(std::string(text));
    for (uint64_t row = 0; row < rows; ++row) {
        sheet.OpenRow();
        for (int column = 0; column < 4; ++column)
            sheet.PutCell(Value(row, column));
    }
    sheet.CloseRow();
}

struct OursResult
{
    double fill = 0;
    double total = 0;
};

OursResult WriteOurs(const std::string &path, uint64_t rows)
{
    OursResult result;
    const auto start = Clock::now();
    Xlsx::CWorkbook book;
    FillSheet(book.NewWorksheet(Xlsx::CDualString(std::string("0s-100s"))), rows);
    result.fill = Seconds(start);
    if (!book.Save(path))
        std::fprintf(stderr, "save failed\n");
    result.total = Seconds(start);
    return result;
}

// The same worksheet part on its own, then only the time to pack it.
double DeflateFloor(const std::string &folder, uint64_t rows)
{
    const std::string xml = folder + "/sheet1.xml";
    {
        Xlsx::CWorkbook book;
        Xlsx::CWorksheet &sheet = book.NewWorksheet(Xlsx::CDualString(std::string("0s-100s")));
        FillSheet(sheet, rows);
        sheet.Save();
        std::rename((book.TempTree().Root() + "/xl/worksheets/sheet1.xml").c_str(), xml.c_str());
    }
    const std::string archive = folder + "/floor.zip";
    const auto start = Clock::now();
    ZipHandle zip = CreateZip(archive.c_str(), nullptr);
    ZipAdd(zip, "xl/worksheets/sheet1.xml", xml.c_str());
    CloseZip(zip);
    const double seconds = Seconds(start);
    std::printf("  worksheet XML %lld bytes, deflated %lld bytes\n", FileSize(xml), FileSize(archive));
    std::remove(xml.c_str());
    std::remove(archive.c_str());
    return seconds;
}

// The number text of a million cell values: the writer's formatting against printf's
// "%.16g", which gives the same text through the process locale.
void CompareNumberFormatting()
{
    std::vector<double> values;
    for (uint64_t row = 0; values.size() < 1000000; ++row)
        for (int column = 0; column < 4; ++column)
            values.push_back(Value(row, column));
    char ours[64], printed[64];
    for (double value : values) {
        ours[Xlsx::FormatNumber(value, ours)] = '\0';
        std::snprintf(printed, sizeof printed, "%.16g", value);
        if (std::strcmp(ours, printed) != 0) {
            std::printf("numbers: %s differs from printf's %s\n", ours, printed);
            return;
        }
    }
    size_t length = 0;
    auto start = Clock::now();
    for (double value : values)
        length += Xlsx::FormatNumber(value, ours);
    const double writer = Seconds(start);
    start = Clock::now();
    for (double value : values)
        length -= size_t(std::snprintf(printed, sizeof printed, "%.16g", value));
    const double printf = Seconds(start);
    std::printf("numbers: 1,000,000 values, same text; %.3f s by the writer, %.3f s by printf (%.1fx faster)%s\n",
                writer, printf, printf / writer, length == 0 ? "" : " LENGTHS DIFFER");
}

#ifdef TALVO_HAVE_XLSXWRITER
double WritePeer(const std::string &path, uint64_t rows)
{
    const auto start = Clock::now();
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    lxw_workbook *book = workbook_new_opt(path.c_str(), &options);
    lxw_worksheet *sheet = workbook_add_worksheet(book, "0s-100s");
    for (int column = 0; column < 4; ++column)
        worksheet_write_string(sheet, 0, lxw_col_t(column), kHeader[column], nullptr);
    for (uint64_t row = 0; row < rows; ++row)
        for (int column = 0; column < 4; ++column)
            worksheet_write_number(sheet, lxw_row_t(row + 1), lxw_col_t(column), Value(row, column), nullptr);
    workbook_close(book);
    return Seconds(start);
}
#endif

} // namespace

int main(int argc, char **argv)
{
    const uint64_t rows = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 1000000;
    const char *tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/bench_xlsx_XXXXXX";
    if (mkdtemp(folder.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string ours = folder + "/ours.xlsx";

    std::printf("XLSX package of one worksheet: %llu rows x 4 numbers + a text header row\n",
                (unsigned long long)rows);
    const OursResult small = WriteOurs(ours, rows / 10);
    const long rssSmall = PeakRssMb();
    const OursResult full = WriteOurs(ours, rows);
    const long rssFull = PeakRssMb();
    std::printf("ours:    %.3f s total (rows streamed in %.3f s, save %.3f s), package %lld bytes\n",
                full.total, full.fill, full.total - full.fill, FileSize(ours));
    std::printf("         peak memory %ld MB after %llu rows, %ld MB after %llu rows (%.3f s)\n",
                rssSmall, (unsigned long long)(rows / 10), rssFull, (unsigned long long)rows, small.total);

    const double floor = DeflateFloor(folder, rows);
    std::printf("(a) own compressor on the same worksheet XML: %.3f s; ours / (a) = %.2f (target <= 1.3)\n",
                floor, full.total / floor);
    CompareNumberFormatting();
#ifdef TALVO_HAVE_XLSXWRITER
    const std::string peerPath = folder + "/peer.xlsx";
    const double peer = WritePeer(peerPath, rows);
    std::printf("(b) libxlsxwriter, constant memory: %.3f s, package %lld bytes; ours / (b) = %.2f (reported only)\n",
                peer, FileSize(peerPath), full.total / peer);
    std::remove(peerPath.c_str());
#endif
    std::remove(ours.c_str());
    rmdir(folder.c_str());
    return 0;
}
