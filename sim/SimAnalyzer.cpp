#include "SimAnalyzer.h"

#include "SimBootloader.h"
#include "SimBus.h"

#include <bitset>
#include <cmath>
#include <cstring>

namespace talvo::sim {

namespace {

constexpr std::uint8_t VersionByte = 105; // shown as 2.05
constexpr int SampleBytes = 57;           // report bytes 7..63

std::uint32_t serialNumberOf(const std::optional<std::wstring>& serial)
{
    std::uint64_t value = 0;
    if (serial)
        for (wchar_t c : *serial) {
            if (c < L'0' || c > L'9')
                return 0;
            value = value * 10 + std::uint64_t(c - L'0');
            if (value > 0xFFFFFFFFull)
                return 0;
        }
    return std::uint32_t(value);
}

void putFloatLe(Report& r, std::size_t at, float value)
{
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 4; ++i)
        r[at + std::size_t(i)] = std::uint8_t(bits >> (8 * i));
}

} // namespace

std::uint16_t encodeAutoRanged(double microamperes)
{
    if (!(microamperes > 0.0))
        return 0;
    double fullScale = 2000.0;
    int range = 0;
    while (range < 3 && microamperes > fullScale) {
        fullScale *= 10.0;
        ++range;
    }
    const double mantissa = std::min(16383.0, std::round(microamperes / fullScale * 16383.0));
    return std::uint16_t((range << 14) | int(mantissa));
}

std::uint16_t encodePlain(double value)
{
    const double held = std::max(-32768.0, std::min(32767.0, std::round(value)));
    return std::uint16_t(std::int16_t(held));
}

SimAnalyzer::SimAnalyzer(SimBus& bus, std::optional<std::wstring> serial)
    : SimDevice(bus, Kind::Analyzer, InstrumentProductId, std::move(serial), false)
{
}

bool SimAnalyzer::receive(const Report& report, std::uint64_t now)
{
    switch (report[0]) {
    case 1:
        replyDeviceInfo();
        break;
    case 2:
        control(report, now);
        break;
    case 4:
        replyChannels();
        break;
    case 6:
        status(report, now);
        break;
    case 9:
        if (report[1] == 0xAB && report[2] == 0x54)
            switchToBootloader();
        break;
    default:
        break; // unknown requests are ignored, as the instrument does
    }
    return true;
}

void SimAnalyzer::replyDeviceInfo()
{
    Report r{};
    r[0] = 1;
    r[1] = 5;
    r[2] = VersionByte;
    r[3] = 3;
    putBe32(r, 4, serialNumberOf(serial()));
    putText(r, 8, 56, "Korvanite Current logger v2.05");
    queue(r);
}

void SimAnalyzer::replyChannels()
{
    struct Description { std::uint8_t type, base, exponent; const char* info; };
    static const Description channels[3] = {
        {1, 2, 0, "\xB5" "A,Current,"},
        {0, 52, 255, "mV,Voltage,"},
        {0, 52, 255, "mV,Voltage,"},
    };
    for (std::uint8_t c = 0; c < 3; ++c) {
        Report r{};
        r[0] = 4;
        r[4] = c;
        r[5] = channels[c].type;
        r[6] = channels[c].base;
        r[7] = channels[c].exponent;
        putText(r, 12, 48, channels[c].info);
        queue(r);
    }
}

void SimAnalyzer::control(const Report& request, std::uint64_t now)
{
    Report ack = request;
    const std::uint8_t command = request[1];
    if (command == 0x40) {
        m_stream.flush(now, [this](std::uint32_t n, std::uint64_t i, int rows) { emitReport(n, i, rows); });
        m_stream.stop();
        ack[3] = 0;
        queue(ack);
        return;
    }
    if (command != 0x80 && command != 0x08 && command != 0x10 && command != 0x20) {
        ack[3] = 5;
        queue(ack);
        return;
    }
    const std::uint16_t mask = be16(request, 4);
    const std::uint16_t word = be16(request, 6);
    const int count = int(std::bitset<16>(mask).count());
    std::uint8_t error = 0;
    if ((mask & 0x07) == 0 || (mask & ~0x07) != 0)
        error = 1;
    else if (word == 0)
        error = 2;
    else if (word == 1 && count > 1)
        error = 3; // 10 kHz is for one channel only
    else if (m_bus.settings.analyzerStatus & 0x01)
        error = 4; // load power disabled
    ack[3] = error;
    queue(ack);
    if (error)
        return;
    m_channels.clear();
    for (int c = 0; c < 3; ++c)
        if (mask & (1 << c))
            m_channels.push_back(c);
    const std::uint64_t delay = command == 0x10 ? std::uint64_t(be16(request, 9)) * 1000 : 0;
    const std::uint32_t first = m_bus.settings.firstSampleNumber.value_or(0);
    m_bus.settings.firstSampleNumber.reset();
    m_stream.start(now + delay, std::uint64_t(word) * 100, first, SampleBytes / (2 * count));
}

void SimAnalyzer::update(std::uint64_t now)
{
    m_sentThisStep = 0;
    m_stream.update(now, [this](std::uint32_t n, std::uint64_t i, int rows) { emitReport(n, i, rows); });
    m_sentThisStep = -1;
}

void SimAnalyzer::produce(int reports)
{
    m_stream.produce(reports, [this](std::uint32_t n, std::uint64_t i, int rows) { emitReport(n, i, rows); });
}

void SimAnalyzer::emitReport(std::uint32_t number, std::uint64_t firstIndex, int rows)
{
    if (m_bus.settings.reportsToDrop > 0) {
        --m_bus.settings.reportsToDrop;
        return;
    }
    Report r{};
    r[0] = 5;
    putBe24(r, 1, number);
    r[4] = m_bus.settings.analyzerStatus;
    std::uint8_t mask = 0;
    for (int c : m_channels)
        mask |= std::uint8_t(1 << c);
    r[5] = std::uint8_t((m_source & 0xF8) | mask);
    r[6] = std::uint8_t(rows);
    std::size_t at = 7;
    for (int row = 0; row < rows; ++row) {
        const AnalyzerSample s = m_bus.settings.analyzerSignal(m_stream.sampleTime(firstIndex + std::uint64_t(row)));
        for (int c : m_channels) {
            const std::uint16_t word = c == 0 ? encodeAutoRanged(s.currentUa)
                                              : encodePlain(c == 1 ? s.voltage1Mv : s.voltage2Mv);
            putBe16(r, at, word);
            at += 2;
        }
    }
    StreamCounts& counts = m_bus.streamCounts;
    ++counts.reports;
    counts.samples += std::uint64_t(rows);
    if (m_sentThisStep >= 0)
        ++m_sentThisStep;
    if (!queue(r)) {
        ++counts.lostReports;
        counts.lostSamples += std::uint64_t(rows);
        if (m_sentThisStep > int(m_bus.settings.queueLimit)) {
            ++counts.lostInCatchUpReports;
            counts.lostInCatchUpSamples += std::uint64_t(rows);
        }
    }
}

void SimAnalyzer::status(const Report& request, std::uint64_t now)
{
    const std::uint8_t c = request[1];
    if (c & 0x20)
        m_bus.settings.analyzerStatus = 0;
    if (c & 0x10)
        m_outputMv = be16(request, 3);
    if (c & 0x02) {
        // Control bits 7..6: 11 = Vbat feeds Vin, 10 = Vusb, 00 = neither.
        const std::uint8_t choice = c & 0xC0;
        m_source = choice == 0xC0 ? 0x40 : choice == 0x80 ? 0x80 : 0x00;
    }
    if (c & 0x0C)
        m_powerState = c & 0x0C;

    const AnalyzerSample s = m_bus.settings.analyzerSignal(double(now) / 1e6);
    Report r{};
    r[0] = 6;
    r[1] = c;
    r[4] = m_bus.settings.analyzerStatus;
    r[5] = m_source;
    putFloatLe(r, 6, float(s.currentUa / 1000.0));
    putFloatLe(r, 10, float(s.voltage1Mv));
    putFloatLe(r, 14, float(s.voltage2Mv));
    const float vin = m_source == 0x40 ? 3900.0f : m_source == 0x80 ? 5000.0f : 0.0f;
    putFloatLe(r, 18, vin);
    putBe16(r, 22, m_outputMv);
    r[24] = m_powerState;
    queue(r);
}

void SimAnalyzer::switchToBootloader()
{
    m_stream.stop();
    const int self = number;
    const auto serialText = serial();
    SimBus& bus = m_bus;
    bus.unplug(self);
    bus.schedule(bus.clock.now() + bus.settings.switchDelayMicros, [&bus, serialText] {
        auto& loader = bus.plug(Kind::Bootloader, serialText);
        static_cast<SimBootloader&>(loader).setReturnKind(Kind::Analyzer);
    });
}

SimForeign::SimForeign(SimBus& bus, std::optional<std::wstring> serial)
    : SimDevice(bus, Kind::Foreign, InstrumentProductId, std::move(serial), false)
{
}

} // namespace talvo::sim
