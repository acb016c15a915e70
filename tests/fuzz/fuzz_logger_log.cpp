// A log file as the logger reads it back: header, records, report block, windows of the
// records, channel averages and the threshold overview. Whatever the bytes, the reader
// never shows more points than the file holds records, none of them read from a report
// block, and a window never adds points the whole log did not have.

#include "FuzzSupport.h"

#include "SwapFile.h"

#include <QFile>

namespace {

constexpr int mapCount = 32;

ChannelMaps freshMaps()
{
    ChannelMaps maps;
    for (int i = 0; i < mapCount; ++i)
        maps.append(ChannelMap::create());
    return maps;
}

// No record is smaller than a key and one value.
qint64 recordBound(size_t size)
{
    return size > size_t(LogFormat::headerBlockSize) ? qint64(size - LogFormat::headerBlockSize) / 16 : 0;
}

void checkMaps(const ChannelMaps& maps, qint64 bound)
{
    for (const ChannelMap& map : maps)
        FUZZ_CHECK(map->size() <= bound);
}

} // namespace

namespace {
void readBack(const uint8_t* data, size_t size);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    readBack(data, size);
    Fuzz::flushDeferredDeletes();
    return 0;
}

namespace {
void readBack(const uint8_t* data, size_t size)
{
    Fuzz::ensureApplication();
    static const QString path = Fuzz::scratchPath(QStringLiteral("log.talvo"));
    Fuzz::writeFile(path, data, size);
    const qint64 bound = recordBound(size);

    SwapFile file;
    ChannelMaps maps = freshMaps();
    const bool loaded = file.load(path, 0, maps);
    checkMaps(maps, bound);
    file.readReport();
    if (!loaded)
        return;
    // No record is read from the bytes of a sound log's report block.
    const qint64 recordBytes = (qint64(file.header().channelCount) + 1) * 8;
    const qint64 reportBytes = file.isCutOff() ? 0 : LogFormat::reportSize;
    FUZZ_CHECK(LogFormat::headerBlockSize + file.recordsHeld() * recordBytes <= qint64(size) - reportBytes);
    checkMaps(maps, file.recordsHeld());

    const QCPRange range = file.timeRange;
    ChannelMaps window = freshMaps();
    if (file.readWindow(range.center(), range.size(), window))
        checkMaps(window, bound);
    file.readWindow(range.lower, range.size() / 4, window);
    checkMaps(window, bound);
    for (int channel : file.channelList())
        file.channelAverage(range, channel);
    file.decimateAll(nullptr);

    // The power form of the same bytes must hold to the same bound.
    SwapFile power;
    ChannelMaps powerMaps = freshMaps();
    power.loadPowerLog(path, 0, powerMaps);
    checkMaps(powerMaps, bound);

    // Reading never writes: the file is as it was.
    QFile after(path);
    FUZZ_CHECK(after.open(QIODevice::ReadOnly));
    FUZZ_CHECK(after.readAll() == QByteArray(reinterpret_cast<const char*>(data), int(size)));
}

} // namespace
