// The simulated Hollowcrest bench supplies (Duriz 500, Vuviv 600): text commands and
// replies, settings and device-data reports, logging with measurement reports, the
// end-of-log report, device information and the switch to the bootloader.
#pragma once

#include "SampleStream.h"
#include "SimDevice.h"

#include <ctime>
#include <string>
#include <vector>

namespace talvo::sim {

class SimSupply : public SimDevice
{
public:
    SimSupply(SimBus& bus, Kind kind, std::optional<std::wstring> serial);

    std::wstring productName() const override;
    void update(std::uint64_t now) override;
    // The supply ends its log by itself.
    void endLog(std::uint64_t now);

protected:
    bool receive(const Report& report, std::uint64_t now) override;

private:
    bool isVuviv() const { return kind() == Kind::Supply600; }
    int channelCount() const { return isVuviv() ? 14 : 8; }
    void text(const std::string& command, std::uint64_t now);
    void startLog(const std::string& arguments, std::uint64_t now);
    void reply(const std::string& text);
    void replySettings();
    void writeSettings(const Report& request, std::uint64_t now);
    void replyData(std::uint64_t now);
    void replyDeviceInfo();
    void switchToBootloader();
    void emitReport(std::uint32_t number, std::uint64_t firstIndex, int rows);
    void restoreDefaults();
    std::uint32_t deviceClock(std::uint64_t now) const;

    SampleStream m_stream;
    std::vector<int> m_channels; // in the order of the log command
    std::array<std::uint8_t, 61> m_settings{};
    std::int64_t m_clockBase;          // seconds since 1970 at simulator time 0
};

} // namespace talvo::sim
