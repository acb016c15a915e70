// Deflate throughput and compressed size on a converter worksheet against zlib at level 8
// with the same window (15 bits) and memory level (8), both run here on the same data.
//
//   bench_deflate [rows] [rounds]   a sheet of rows (default 1,000,000) of a time column
//                                   and three channels, as the converter writes them

#include "Workbook.h"
#include "ZipWriter.h"

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

// A worksheet part as the converter writes it for a log at 10 kHz with three channels:
// the record's key and its three values, through the workbook's own sheet writer.
std::string worksheetXml(uint64_t rows)
{
    Xlsx::CWorkbook book;
    Xlsx::CWorksheet &sheet = book.NewWorksheet(Xlsx::CDualString(std::string("0s-100s")));
    for (uint64_t i = 0; i < rows; ++i) {
        sheet.OpenRow(0);
        sheet.PutCell(double(i) * 0.0001);
        sheet.PutCell(120.5 + double(i % 977) * 0.37);
        for (int c = 1; c < 3; ++c)
            sheet.PutCell(3300.0 + c * 10 + double(i % 131) * 0.011);
    }
    sheet.Save();
    std::string xml;
    FILE *part = fopen((book.TempTree().Root() + "/xl/worksheets/sheet1.xml").c_str(), "rb");
    if (!part)
        return xml;
    char chunk[1 << 16];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, part)) > 0)
        xml.append(chunk, n);
    fclose(part);
    return xml;
}

double seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Compressed size of the single entry, read back from its rewritten local header.
size_t oursOnce(const std::string &data, std::vector<unsigned char> &archive, double &elapsed)
{
    ZipHandle zip = OpenZipTarget(archive.data(), (uint32_t)archive.size(), ZipKindMemory, nullptr);
    const auto start = std::chrono::steady_clock::now();
    const ZipResult r = AddZipEntry(zip, "sheet1.xml", data.data(), (uint32_t)data.size(), ZipKindMemory);
    elapsed = seconds(start);
    CloseZip(zip);
    if (r != ZipOk) {
        fprintf(stderr, "ZipAdd failed: %#x\n", r);
        exit(1);
    }
    const unsigned char *p = archive.data() + 18;
    return (size_t)p[0] | (size_t)p[1] << 8 | (size_t)p[2] << 16 | (size_t)p[3] << 24;
}

size_t zlibOnce(const std::string &data, std::vector<unsigned char> &out, double &elapsed)
{
    z_stream z;
    memset(&z, 0, sizeof z);
    const auto start = std::chrono::steady_clock::now();
    if (deflateInit2(&z, 8, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        exit(1);
    z.next_in = (Bytef *)data.data();
    z.avail_in = (uInt)data.size();
    z.next_out = out.data();
    z.avail_out = (uInt)out.size();
    if (deflate(&z, Z_FINISH) != Z_STREAM_END)
        exit(1);
    const size_t n = z.total_out;
    deflateEnd(&z);
    elapsed = seconds(start);
    return n;
}

} // namespace

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

int main(int argc, char **argv)
{
    const uint64_t rows = argc > 1 ? (uint64_t)atoll(argv[1]) : 1000000;
    const int rounds = argc > 2 ? atoi(argv[2]) : 3;
    const std::string xml = worksheetXml(rows);
    const size_t bytes = xml.size();
    std::vector<unsigned char> archive(bytes + bytes / 8 + 4096);
    std::vector<double> ours, zlib;
    double t;
    size_t oursSize = 0, zlibSize = 0;
    for (int i = 0; i < rounds; ++i) {
        zlibSize = zlibOnce(xml, archive, t);
        zlib.push_back(t);
        oursSize = oursOnce(xml, archive, t);
        ours.push_back(t);
    }
    const double mb = (double)bytes / 1e6;
    printf("input: converter worksheet of %llu rows, %.2f MB of XML, median of %d rounds\n",
           (unsigned long long)rows, mb, rounds);
    printf("zlib level 8:  %10zu bytes  %7.2f MB/s\n", zlibSize, mb / median(zlib));
    // The data follows the local header of "sheet1.xml" (30 + 10 + 17 bytes).
    printf("talvo deflate: %10zu bytes  %7.2f MB/s, CRC-32 of the deflated data %08x\n", oursSize,
           mb / median(ours), (unsigned)crc32(0, archive.data() + 57, (uInt)oursSize));
    printf("size ratio (ours / zlib):       %.4f  (target <= 1.01)\n", (double)oursSize / zlibSize);
    printf("throughput ratio (ours / zlib): %.2f  (target >= 2.5)\n", median(zlib) / median(ours));
    return 0;
}
