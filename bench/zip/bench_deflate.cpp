// Deflate throughput and compressed size on worksheet XML against zlib at level 8 with
// the same window (15 bits) and memory level (8), both run here on the same data.

#include "ZipWriter.h"

#include <zlib.h>

#include <chrono>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <string>
#include <vector>

namespace {

// Rows as the converter writes them: a time column and three measured channels.
std::string worksheetXml(size_t bytes)
{
    std::string xml;
    xml.reserve(bytes + 256);
    unsigned seed = 12345;
    char row[256];
    for (unsigned r = 2; xml.size() < bytes; ++r) {
        seed = seed * 1103515245u + 12345u;
        const double volts = 5.0 + (double)((seed >> 8) % 2000) / 10000.0;
        const double amps = 0.0011 + (double)((seed >> 4) % 500) / 100000.0;
        snprintf(row, sizeof row,
                 "<row r=\"%u\"><c r=\"A%u\"><v>%.4f</v></c><c r=\"B%u\"><v>%.4f</v></c>"
                 "<c r=\"C%u\"><v>%.5f</v></c><c r=\"D%u\"><v>%.6f</v></c></row>",
                 r, r, (r - 2) * 0.001, r, volts, r, amps, r, volts * amps);
        xml += row;
    }
    xml.resize(bytes);
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

int main(int argc, char **argv)
{
    const size_t bytes = argc > 1 ? (size_t)atol(argv[1]) : 10u << 20;
    const int rounds = argc > 2 ? atoi(argv[2]) : 3;
    const std::string xml = worksheetXml(bytes);
    std::vector<unsigned char> archive(bytes + bytes / 8 + 4096);
    double oursBest = 1e9, zlibBest = 1e9, t;
    size_t oursSize = 0, zlibSize = 0;
    for (int i = 0; i < rounds; ++i) {
        zlibSize = zlibOnce(xml, archive, t);
        zlibBest = t < zlibBest ? t : zlibBest;
        oursSize = oursOnce(xml, archive, t);
        oursBest = t < oursBest ? t : oursBest;
    }
    const double mb = (double)bytes / 1e6;
    printf("input: %.2f MB of worksheet XML, best of %d rounds\n", mb, rounds);
    printf("zlib level 8:  %9zu bytes  %7.2f MB/s\n", zlibSize, mb / zlibBest);
    printf("talvo deflate: %9zu bytes  %7.2f MB/s\n", oursSize, mb / oursBest);
    printf("size ratio (ours / zlib):       %.4f  (target <= 1.01)\n", (double)oursSize / zlibSize);
    printf("throughput ratio (ours / zlib): %.2f  (target >= 1.5)\n", zlibBest / oursBest);
    return 0;
}
