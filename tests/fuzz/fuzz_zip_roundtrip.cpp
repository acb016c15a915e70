// The archive writer and its deflate compressor, read back by a small archive reader of
// this test and zlib. The first byte shapes the archive: how many entries, and how often
// the data repeats (long repeats reach the far end of the match window and the dynamic
// blocks). Every entry must come back byte for byte with the checksum the directory
// names.

#include "FuzzSupport.h"

#include "ZipWriter.h"

#include <zlib.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

uint32_t le16(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8;
}

uint32_t le32(const uint8_t* p)
{
    return le16(p) | le16(p + 2) << 16;
}

std::vector<uint8_t> inflateRaw(const uint8_t* data, size_t size, size_t expected)
{
    std::vector<uint8_t> out(expected + 1);
    z_stream stream;
    std::memset(&stream, 0, sizeof stream);
    FUZZ_CHECK(inflateInit2(&stream, -MAX_WBITS) == Z_OK);
    stream.next_in = const_cast<Bytef*>(data);
    stream.avail_in = uInt(size);
    stream.next_out = out.data();
    stream.avail_out = uInt(out.size());
    const int result = inflate(&stream, Z_FINISH);
    FUZZ_CHECK(result == Z_STREAM_END);
    FUZZ_CHECK(stream.avail_in == 0);
    out.resize(stream.total_out);
    inflateEnd(&stream);
    return out;
}

// The entries of a finished archive, in directory order.
struct Entry
{
    std::string name;
    std::vector<uint8_t> data;
};

std::vector<Entry> readArchive(const std::vector<uint8_t>& zip)
{
    // The end record is the last signature: only zeros of the unused target follow it.
    size_t end = zip.size();
    while (end >= 22 && le32(&zip[end - 22]) != 0x06054b50)
        --end;
    FUZZ_CHECK(end >= 22);
    const uint8_t* record = &zip[end - 22];
    const uint32_t count = le16(record + 10);
    const uint32_t directorySize = le32(record + 12);
    const uint32_t directoryOffset = le32(record + 16);
    FUZZ_CHECK(le16(record + 8) == count);
    FUZZ_CHECK(size_t(directoryOffset) + directorySize == end - 22);

    std::vector<Entry> entries;
    size_t at = directoryOffset;
    for (uint32_t i = 0; i < count; ++i) {
        FUZZ_CHECK(at + 46 <= end - 22);
        const uint8_t* central = &zip[at];
        FUZZ_CHECK(le32(central) == 0x02014b50);
        const uint32_t method = le16(central + 10);
        const uint32_t crc = le32(central + 16);
        const uint32_t packed = le32(central + 20);
        const uint32_t unpacked = le32(central + 24);
        const uint32_t nameLength = le16(central + 28);
        const uint32_t skip = nameLength + le16(central + 30) + le16(central + 32);
        const uint32_t localOffset = le32(central + 42);
        FUZZ_CHECK(at + 46 + skip <= end - 22);
        Entry entry;
        entry.name.assign(reinterpret_cast<const char*>(central + 46), nameLength);

        FUZZ_CHECK(size_t(localOffset) + 30 <= directoryOffset);
        const uint8_t* local = &zip[localOffset];
        FUZZ_CHECK(le32(local) == 0x04034b50);
        FUZZ_CHECK(le16(local + 8) == method);
        FUZZ_CHECK(le16(local + 26) == nameLength);
        FUZZ_CHECK(std::memcmp(local + 30, entry.name.data(), nameLength) == 0);
        const size_t dataAt = size_t(localOffset) + 30 + nameLength + le16(local + 28);
        FUZZ_CHECK(dataAt + packed <= directoryOffset);
        if (method == 0) {
            FUZZ_CHECK(packed == unpacked);
            entry.data.assign(&zip[dataAt], &zip[dataAt] + packed);
        } else {
            FUZZ_CHECK(method == 8);
            entry.data = inflateRaw(&zip[dataAt], packed, unpacked);
        }
        FUZZ_CHECK(entry.data.size() == unpacked);
        FUZZ_CHECK(crc32(0, entry.data.data(), uInt(entry.data.size())) == crc);
        entries.push_back(std::move(entry));
        at += 46 + skip;
    }
    return entries;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const int entryCount = 1 + data[0] % 4;
    const int repeats = 1 + (data[0] >> 2) % 16;
    std::vector<uint8_t> body;
    for (int r = 0; r < repeats; ++r)
        body.insert(body.end(), data + 1, data + size);

    // The body split into entryCount pieces. The writer refuses an empty memory source
    // as an argument error, so empty pieces are left out.
    std::vector<Entry> written;
    const size_t piece = body.size() / size_t(entryCount);
    for (int i = 0; i < entryCount; ++i) {
        const size_t from = piece * size_t(i);
        const size_t to = i + 1 == entryCount ? body.size() : from + piece;
        if (to > from)
            written.push_back({"xl/part" + std::to_string(i) + ".xml",
                               std::vector<uint8_t>(body.begin() + long(from), body.begin() + long(to))});
    }
    if (written.empty())
        return 0;

    std::vector<uint8_t> zip(body.size() + body.size() / 8 + 1024 * size_t(entryCount));
    ZipHandle handle = OpenZipTarget(zip.data(), uint32_t(zip.size()), ZipKindMemory, nullptr);
    FUZZ_CHECK(handle != nullptr);
    for (const Entry& entry : written)
        FUZZ_CHECK(AddZipEntry(handle, entry.name.c_str(), entry.data.data(), uint32_t(entry.data.size()),
                               ZipKindMemory) == ZipOk);
    FUZZ_CHECK(CloseZip(handle) == ZipOk);

    const std::vector<Entry> read = readArchive(zip);
    FUZZ_CHECK(read.size() == written.size());
    for (size_t i = 0; i < read.size(); ++i) {
        FUZZ_CHECK(read[i].name == written[i].name);
        FUZZ_CHECK(read[i].data == written[i].data);
    }
    return 0;
}
