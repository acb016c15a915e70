#include "DamagedLogs.h"

#include "LogRecord.h"

#include <QByteArray>
#include <QVector>
#include <QtTest>

#include <functional>

namespace DamagedLogs {

namespace {

constexpr quint16 period1kHz = 10; // 100 µs units
constexpr int threeChannelRecord = 32;
constexpr qint64 creation = 1700000000123;

using Value = std::function<double(qint64 record, int channel)>;

double keyOf(qint64 record)
{
    return double(record) * 0.001;
}

QVector<double> keys(qint64 count)
{
    QVector<double> list;
    for (qint64 i = 0; i < count; ++i)
        list.append(keyOf(i));
    return list;
}

double usualValue(qint64 record, int channel)
{
    return 1000.0 * (channel + 1) + double(record);
}

SwapFileHeader analyzerHeader()
{
    SwapFileHeader h = defaultSwapFileHeader(LogFormat::Analyzer);
    h.channelCount = 3;
    h.channelMask = 0x07;
    h.channelNumbers[0] = 0;
    h.channelNumbers[1] = 1;
    h.channelNumbers[2] = 2;
    h.samplePeriod = period1kHz;
    return h;
}

void appendDouble(QByteArray& bytes, double value)
{
    char field[8];
    writeDoubleLE(field, value);
    bytes.append(field, sizeof field);
}

QByteArray records(const QVector<double>& keys, int channels, const Value& value)
{
    QByteArray bytes;
    for (qint64 i = 0; i < keys.size(); ++i) {
        appendDouble(bytes, keys.at(i));
        for (int c = 0; c < channels; ++c)
            appendDouble(bytes, value(i, c));
    }
    return bytes;
}

// The statistics an analyzer run keeps of these records, as it writes them at its end.
ChannelStatistics statisticsOf(const QVector<double>& keys, int channels, const Value& value)
{
    ChannelStatistics statistics = freshStatistics();
    for (qint64 i = 0; i < keys.size(); ++i)
        for (int c = 0; c < channels; ++c)
            accumulateSample(statistics, c, keys.at(i), value(i, c), c == 0);
    return statistics;
}

QByteArray block(const ChannelStatistics& statistics)
{
    char bytes[LogFormat::reportSize];
    encodeStatistics(statistics, bytes);
    return QByteArray(bytes, sizeof bytes);
}

void addRow(const char* name, const QByteArray& bytes, quint8 kind, qint64 records, double lastKey,
            bool cutOff)
{
    QTest::newRow(name) << bytes << kind << records << lastKey << cutOff;
}

} // namespace

void addRows()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<quint8>("kind");
    QTest::addColumn<qint64>("records");
    QTest::addColumn<double>("lastKey");
    QTest::addColumn<bool>("cutOff");

    const quint8 analyzer = LogFormat::Analyzer;
    const QByteArray header = encodeHeaderBlock(analyzerHeader(), creation);
    const QVector<double> keys400 = keys(400);
    const QByteArray samples = records(keys400, 3, usualValue);
    const ChannelStatistics statistics = statisticsOf(keys400, 3, usualValue);
    const QByteArray sound = header + samples + block(statistics);
    const QByteArray emptyRecording = header + block(freshStatistics());
    // 250 whole records and 24 bytes: as long as 247 records and an end block.
    const qint64 blockSized = LogFormat::headerBlockSize + 250 * threeChannelRecord + 24;

    addRow("sound log", sound, analyzer, 400, keyOf(399), false);
    addRow("empty recording", emptyRecording, analyzer, 0, 0, false);
    addRow("cut inside a record", sound.left(LogFormat::headerBlockSize + 250 * threeChannelRecord + 13),
           analyzer, 250, keyOf(249), true);
    addRow("cut where an end block would end", sound.left(blockSized), analyzer, 250, keyOf(249), true);
    // Zero values put a zero where a block's lower key lies and minima not above maxima.
    const QByteArray zeroValued = header + records(keys400, 3, [](qint64, int) { return 0.0; });
    addRow("zero values cut where an end block would end", zeroValued.left(blockSized), analyzer, 250,
           keyOf(249), true);
    addRow("cut inside the end block", sound.left(sound.size() - 60), analyzer, 400, keyOf(399), true);
    addRow("zero-filled tail", header + samples + QByteArray(4096, '\0'), analyzer, 400, keyOf(399), true);
    addRow("zero block as long as an end block", header + samples + QByteArray(LogFormat::reportSize, '\0'),
           analyzer, 400, keyOf(399), true);
    ChannelStatistics late = statistics;
    late.latestKey = keyOf(400);
    addRow("end block one sample after the records", header + samples + block(late), analyzer, 400,
           keyOf(399), true);
    addRow("empty recording cut inside its end block", emptyRecording.left(600), analyzer, 0, 0, true);

    QVector<double> equalKeys = keys400;
    equalKeys[398] = equalKeys[399] = equalKeys[397];
    addRow("equal keys at the end of a cut-off log", header + records(equalKeys, 3, usualValue), analyzer, 400,
           keyOf(397), true);

    // A supply's run keeps no figures: its end block is the statistics record as made.
    SwapFileHeader supply = defaultSwapFileHeader(LogFormat::PowerSupply);
    supply.channelCount = 1;
    supply.channelMask = 0x01;
    supply.samplePeriod = period1kHz;
    supply.channelNumbers[0] = 200;
    const QByteArray supplyLog = encodeHeaderBlock(supply, creation)
        + records(keys(50), 1, [](qint64 i, int) { return 12.0 + 0.01 * double(i); })
        + block(freshStatistics());
    addRow("supply log", supplyLog, LogFormat::PowerSupply, 50, keyOf(49), false);
}

} // namespace DamagedLogs
