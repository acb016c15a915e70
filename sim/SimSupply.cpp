#include "SimSupply.h"

#include "SimBootloader.h"
#include "SimBus.h"

#include <cmath>

namespace talvo::sim {

namespace {

constexpr std::uint8_t ReportId = 7;
constexpr std::uint8_t LengthByte = 0x40;
constexpr std::uint8_t MeasurementCode = 0x01;
constexpr std::uint8_t LogEndedCode = 0x08;
constexpr int SampleBytes = 57;
constexpr int MaxLogChannels = 5;
constexpr int MaxRate = 10000;

// Sample type of a supply channel: 0 unsigned 16-bit, 2 signed byte, 3 unsigned byte.
int typeOf(int channel)
{
    switch (channel) {
    case 0: case 2: case 8: case 10: case 12: return 3;
    case 4: case 5: return 2;
    default: return 0;
    }
}

int widthOf(int channel)
{
    return typeOf(channel) == 0 ? 2 : 1;
}

// The raw sample of a value in the channel's unit.
int rawOf(int channel, double value)
{
    switch (channel) {
    case 6: case 4: case 5: return int(std::lround(value));
    case 3: case 9: case 11: case 13: return int(std::lround(value * 100.0));
    default: return int(std::lround(value * 10.0));
    }
}

Report header(std::uint8_t code)
{
    Report r{};
    r[0] = ReportId;
    r[1] = LengthByte;
    r[2] = code;
    return r;
}

} // namespace

SimSupply::SimSupply(SimBus& bus, Kind kind, std::optional<std::wstring> serial)
    : SimDevice(bus, kind, InstrumentProductId, std::move(serial), true),
      m_clockBase(std::int64_t(std::time(nullptr)))
{
    restoreDefaults();
}

std::wstring SimSupply::productName() const
{
    return isVuviv() ? L"Hollowcrest Vuviv 600" : L"Hollowcrest Duriz 500";
}

void SimSupply::restoreDefaults()
{
    m_settings.fill(0);
    m_settings[0] = 0x02;                // restore the output when the mains return
    m_settings[1] = 0x02 | 0x04 | 0x08;  // digital watch, Celsius, 24-hour clock
    m_settings[2] = 0x1F;                // every page, in turn
    m_settings[3] = 1;                   // switch off below 0.1 A ...
    m_settings[4] = 5;                   // ... for 5 minutes
    m_settings[6] = 7;
    m_settings[8] = 22;
    m_settings[10] = 1;
    m_settings[19] = 5;
    const std::uint8_t pages[12] = {10, 9, 13, 3, 4, 11, 5, 6, 12, 1, 13, 2};
    for (int i = 0; i < 12; ++i)
        m_settings[std::size_t(20 + i)] = pages[i];
    if (isVuviv())
        m_settings[32] = 128;
}

bool SimSupply::receive(const Report& report, std::uint64_t now)
{
    if (report[0] == 1) {
        if (report[1] == 'R' && report[2] == 'E' && report[3] == 'S' && report[4] == 'E' && report[5] == 'T')
            switchToBootloader();
        else
            replyDeviceInfo();
        return true;
    }
    if (report[0] != ReportId)
        return false;
    if (report[1] == LengthByte) {
        switch (report[2]) {
        case 0x0A: replySettings(); break;
        case 0x0B: writeSettings(report, now); break;
        case 0x0C: replyData(now); break;
        default: break;
        }
        return true;
    }
    const std::size_t length = std::min<std::size_t>(report[1], report.size() - 2);
    text(std::string(report.begin() + 2, report.begin() + 2 + std::ptrdiff_t(length)), now);
    return true;
}

void SimSupply::text(const std::string& command, std::uint64_t now)
{
    if (command == "POWER\n")
        reply(m_bus.settings.supplyOutputOn ? "ON" : "OFF");
    else if (command == "LOGSTOP\n")
        endLog(now);
    else if (command.rfind("LOG", 0) == 0 && command.size() > 4 && command.back() == '\n')
        startLog(command.substr(3, command.size() - 4), now);
    else
        reply("ERR UNKNOWN COMMAND");
}

void SimSupply::startLog(const std::string& arguments, std::uint64_t now)
{
    const std::size_t c = arguments.find('C');
    int rate = 0;
    bool valid = c != std::string::npos && c > 0 && c + 1 < arguments.size();
    for (std::size_t i = 0; valid && i < c; ++i) {
        valid = arguments[i] >= '0' && arguments[i] <= '9';
        rate = std::min(rate * 10 + (arguments[i] - '0'), MaxRate + 1);
    }
    std::vector<int> channels;
    for (std::size_t i = c + 1; valid && i < arguments.size(); ++i) {
        const char d = arguments[i];
        const int n = d >= '0' && d <= '9' ? d - '0' : d >= 'A' && d <= 'F' ? d - 'A' + 10 : -1;
        valid = n >= 0 && n < channelCount();
        channels.push_back(n);
    }
    if (!valid || rate < 1 || rate > MaxRate || channels.size() > std::size_t(MaxLogChannels)) {
        reply("LOG ERROR");
        return;
    }
    m_channels = channels;
    int width = 0;
    for (int ch : m_channels)
        width += widthOf(ch);
    const std::uint32_t first = m_bus.settings.firstSampleNumber.value_or(0);
    m_bus.settings.firstSampleNumber.reset();
    m_stream.start(now, std::uint64_t(1000000 / rate), first, SampleBytes / width);
}

void SimSupply::endLog(std::uint64_t now)
{
    if (!m_stream.running())
        return;
    m_stream.flush(now, [this](std::uint32_t n, std::uint64_t i, int rows) { emitReport(n, i, rows); });
    m_stream.stop();
    queue(header(LogEndedCode));
}

void SimSupply::update(std::uint64_t now)
{
    m_stream.update(now, [this](std::uint32_t n, std::uint64_t i, int rows) { emitReport(n, i, rows); });
}

void SimSupply::emitReport(std::uint32_t number, std::uint64_t firstIndex, int rows)
{
    if (m_bus.settings.reportsToDrop > 0) {
        --m_bus.settings.reportsToDrop;
        return;
    }
    Report r = header(MeasurementCode);
    putBe24(r, 3, number);
    r[6] = std::uint8_t(rows);
    std::size_t at = 7;
    for (int row = 0; row < rows; ++row) {
        const double t = m_stream.sampleTime(firstIndex + std::uint64_t(row));
        for (int ch : m_channels) {
            const int raw = rawOf(ch, m_bus.settings.supplySignal(ch, t));
            if (widthOf(ch) == 2) {
                putBe16(r, at, std::uint16_t(std::max(0, std::min(0xFFFF, raw))));
                at += 2;
            } else {
                const int held = typeOf(ch) == 2 ? std::max(-128, std::min(127, raw)) : std::max(0, std::min(255, raw));
                r[at++] = std::uint8_t(held);
            }
        }
    }
    queue(r);
}

void SimSupply::reply(const std::string& text)
{
    const std::string line = text + "\r\n";
    Report r{};
    r[0] = ReportId;
    r[1] = std::uint8_t(line.size());
    putText(r, 2, 62, line.c_str());
    queue(r);
}

void SimSupply::replySettings()
{
    Report r = header(0x0A);
    std::copy(m_settings.begin(), m_settings.end(), r.begin() + 3);
    queue(r);
}

void SimSupply::writeSettings(const Report& request, std::uint64_t now)
{
    const std::uint8_t flags = request[3 + 54];
    if (flags & 0x04) {
        restoreDefaults();
    } else {
        std::copy(request.begin() + 3, request.end(), m_settings.begin());
        if (flags & 0x08) {
            const std::uint32_t pcClock = std::uint32_t(request[58] << 24 | request[59] << 16 | request[60] << 8 | request[61]);
            m_clockBase = std::int64_t(pcClock) - std::int64_t(now / 1000000);
        }
        for (std::size_t i = 54; i < m_settings.size(); ++i)
            m_settings[i] = 0;
    }
    queue(request);
}

std::uint32_t SimSupply::deviceClock(std::uint64_t now) const
{
    return std::uint32_t(m_clockBase + std::int64_t(now / 1000000));
}

void SimSupply::replyData(std::uint64_t now)
{
    const double t = double(now) / 1e6;
    const auto value = [&](int ch) { return rawOf(ch, m_bus.settings.supplySignal(ch, t)); };
    Report r = header(0x0C);
    r[3] = std::uint8_t(value(0));
    putBe16(r, 4, std::uint16_t(value(1)));
    r[6] = std::uint8_t(value(2));
    putBe16(r, 7, std::uint16_t(value(3)));
    r[9] = std::uint8_t(std::int8_t(value(4)));
    r[10] = std::uint8_t(std::int8_t(value(5)));
    putBe16(r, 11, std::uint16_t(value(6)));
    putBe16(r, 13, std::uint16_t(value(7)));
    r[15] = 35;                                              // fan, percent
    putBe16(r, 16, std::uint16_t(std::lround(m_bus.settings.supplySignal(0, t) * m_bus.settings.supplySignal(1, t))));
    putBe16(r, 18, std::uint16_t(value(1) + value(3) / 10));
    putBe16(r, 20, isVuviv() ? 600 : 500);
    putBe16(r, 22, isVuviv() ? 500 : 400);
    putBe32(r, 24, deviceClock(now));
    r[37] = 1;
    r[38] = 7;
    if (isVuviv())
        for (int port = 0; port < 3; ++port) {
            r[std::size_t(40 + 3 * port)] = std::uint8_t(value(8 + 2 * port));
            putBe16(r, std::size_t(41 + 3 * port), std::uint16_t(value(9 + 2 * port)));
        }
    queue(r);
}

void SimSupply::replyDeviceInfo()
{
    Report r{};
    r[0] = 1;
    r[1] = 52;
    r[2] = 7;
    r[3] = 8;
    std::uint32_t number = 0;
    if (serial())
        for (wchar_t c : *serial())
            if (c >= L'0' && c <= L'9')
                number = number * 10 + std::uint32_t(c - L'0');
    putBe32(r, 4, number);
    putText(r, 8, 56, isVuviv() ? "Hollowcrest Vuviv 600" : "Hollowcrest Duriz 500");
    queue(r);
}

void SimSupply::switchToBootloader()
{
    m_stream.stop();
    SimBus& bus = m_bus;
    const auto serialText = serial();
    const Kind kind = this->kind();
    bus.unplug(number);
    bus.schedule(bus.clock.now() + bus.settings.switchDelayMicros, [&bus, serialText, kind] {
        auto& loader = bus.plug(Kind::Bootloader, serialText);
        static_cast<SimBootloader&>(loader).setReturnKind(kind);
    });
}

} // namespace talvo::sim
