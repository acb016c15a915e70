#pragma once

// The on-disk layout of a swap file / saved log, shared by the logger and the converter:
//   [0, 512)            header block: 76-byte header record, zeros, creation time at 504
//   [512, size - 120)   data records: one time key and one value per channel, doubles
//   [size - 120, size)  report block: the run's statistics
// Every number is little-endian; the encode/decode functions below never depend on the
// host's byte order or on struct padding.

#include <QByteArray>
#include <QList>
#include <QtGlobal>

#include <cstddef>

namespace LogFormat {
inline constexpr int headerBlockSize = 512;
inline constexpr int reportSize = 120;
inline constexpr int headerAndReportSize = headerBlockSize + reportSize; // 632
inline constexpr int headerRecordSize = 76;
inline constexpr int creationTimeOffset = 504;
inline constexpr qint32 currentVersion = 4;
inline constexpr int statisticsChannels = 3;

enum DeviceKind : quint8 {
    Analyzer = 0,
    PowerSupply = 1,
    PowerSupply600 = 2,
    UnreadableKind = 0xFF,
};
} // namespace LogFormat

#pragma pack(push, 1)
struct SwapFileHeader
{
    qint32 version;
    qint32 recordLength;
    quint8 channelCount;
    quint8 channelMask;          // analyzer and first supply model: channels 0..7
    quint16 samplePeriod;        // 100 µs units
    quint8 deviceKind;           // LogFormat::DeviceKind
    quint8 channelNumbers[8];    // set bits of channelMask, ascending
    quint8 padding1;
    quint16 fahrenheit;
    quint16 customRate;
    quint8 reserved[12];
    quint8 padding2[2];
    quint32 channelMask32;       // second supply model: channels 0..31
    quint8 channelNumbers32[32]; // set bits of channelMask32, ascending
};
#pragma pack(pop)

static_assert(sizeof(SwapFileHeader) == LogFormat::headerRecordSize, "header record is 76 bytes");
static_assert(offsetof(SwapFileHeader, version) == 0);
static_assert(offsetof(SwapFileHeader, recordLength) == 4);
static_assert(offsetof(SwapFileHeader, channelCount) == 8);
static_assert(offsetof(SwapFileHeader, channelMask) == 9);
static_assert(offsetof(SwapFileHeader, samplePeriod) == 10);
static_assert(offsetof(SwapFileHeader, deviceKind) == 12);
static_assert(offsetof(SwapFileHeader, channelNumbers) == 13);
static_assert(offsetof(SwapFileHeader, padding1) == 21);
static_assert(offsetof(SwapFileHeader, fahrenheit) == 22);
static_assert(offsetof(SwapFileHeader, customRate) == 24);
static_assert(offsetof(SwapFileHeader, reserved) == 26);
static_assert(offsetof(SwapFileHeader, padding2) == 38);
static_assert(offsetof(SwapFileHeader, channelMask32) == 40);
static_assert(offsetof(SwapFileHeader, channelNumbers32) == 44);

// The running statistics of a run, stored unchanged as the log's report block.
struct ChannelStatistics
{
    struct Channel
    {
        double minimum;
        double maximum;
        double average;
        double sum;
    };
    double latestKey;  // time key of the latest sample: upper end of the time range
    double lowerKey;   // lower end of the time range; the logger writes 0
    Channel channel[LogFormat::statisticsChannels];
    qint64 count;      // samples accumulated, shared by the channels
};
static_assert(sizeof(ChannelStatistics) == LogFormat::reportSize, "report block is 120 bytes");
static_assert(offsetof(ChannelStatistics, channel) == 16);
static_assert(offsetof(ChannelStatistics, count) == 112);

// Version 4, record length 76, three channels, mask 0x01, period 1, the given kind,
// channelMask32 1, everything else 0.
SwapFileHeader defaultSwapFileHeader(quint8 deviceKind = LogFormat::Analyzer);

// A fresh statistics record: keys 0, minimum DBL_MAX, maximum DBL_MIN (the smallest
// positive normal double, which readers take as "channel without values"), count 0.
ChannelStatistics freshStatistics();

// Adds one sample to a run's statistics. A NaN value changes nothing. The latest key is
// taken and, with countSample, the shared sample count grows; channels 0 to 2 also keep
// their sum, minimum, maximum (both start at the channel's first value) and average
// (sum over count, once the count is above 0). Channels that never get a value keep the
// fresh record's markers, which readers of stored logs take as "no values".
void accumulateSample(ChannelStatistics& statistics, int channel, double key, double value,
                      bool countSample);

// 76 bytes <-> header record.
void encodeHeader(const SwapFileHeader& header, char* out76);
SwapFileHeader decodeHeader(const char* in76);

// The whole 512-byte header block with the creation time (ms since the epoch, UTC).
QByteArray encodeHeaderBlock(const SwapFileHeader& header, qint64 creationTime);
qint64 decodeCreationTime(const char* block512);

// 120 bytes <-> statistics record.
void encodeStatistics(const ChannelStatistics& statistics, char* out120);
ChannelStatistics decodeStatistics(const char* in120);

// Ascending numbers of the set bits among the lowest `bits` bits of `mask`.
QList<int> channelsFromMask(quint32 mask, int bits);

// Little-endian field access for readers that work on raw file bytes.
double readDoubleLE(const char* p);
void writeDoubleLE(char* p, double value);
