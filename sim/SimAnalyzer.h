// The simulated micro-power analyzer: device information, channel descriptions,
// measurement control with its acknowledgement, streamed measurement reports,
// status and output control, and the switch to the bootloader.
#pragma once

#include "SampleStream.h"
#include "SimDevice.h"

#include <vector>

namespace talvo::sim {

// Channel 0's auto-ranged word for a current in microamperes (base 2, exponent 0:
// full scale 2 mA, 20 mA, 200 mA, 2 A in the four ranges).
std::uint16_t encodeAutoRanged(double microamperes);
// A plain 16-bit signed value, rounded and held within range.
std::uint16_t encodePlain(double value);

class SimAnalyzer : public SimDevice
{
public:
    SimAnalyzer(SimBus& bus, std::optional<std::wstring> serial);

    std::wstring productName() const override { return L"TALVO micro-power analyzer"; }
    void update(std::uint64_t now) override;
    void produce(int reports);

protected:
    bool receive(const Report& report, std::uint64_t now) override;

private:
    void replyDeviceInfo();
    void replyChannels();
    void control(const Report& request, std::uint64_t now);
    void status(const Report& request, std::uint64_t now);
    void switchToBootloader();
    void emitReport(std::uint32_t number, std::uint64_t firstIndex, int rows);

    SampleStream m_stream;
    // Reports sent in the running update(), one step of the clock; -1 outside one.
    int m_sentThisStep = -1;
    std::vector<int> m_channels; // selected channels, ascending
    std::uint8_t m_source = 0x80;     // pin state bits: 0x40 Vbat feeds Vin, 0x80 Vusb
    std::uint8_t m_powerState = 0x08; // 4 off, 8 permanent, 12 delayed
    std::uint16_t m_outputMv = 1800;
};

// An instrument with the analyzer's ids but another serial prefix; it answers nothing.
class SimForeign : public SimDevice
{
public:
    SimForeign(SimBus& bus, std::optional<std::wstring> serial);
    std::wstring productName() const override { return L"Other instrument"; }

protected:
    bool receive(const Report&, std::uint64_t) override { return true; }
};

} // namespace talvo::sim
