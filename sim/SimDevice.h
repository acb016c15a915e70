// One simulated USB HID device: identity, input-report buffer and the record of writes.
#pragma once

#include "SimBytes.h"
#include "TalvoSim.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace talvo::sim {

class SimBus;

constexpr std::uint16_t VendorId = 0x0483;
constexpr std::uint16_t InstrumentProductId = 0xA1DE;
constexpr std::uint16_t BootloaderProductId = 0xA1DA;

class SimDevice
{
public:
    SimDevice(SimBus& bus, Kind kind, std::uint16_t productId, std::optional<std::wstring> serial,
              bool numberedReports);
    virtual ~SimDevice() = default;
    SimDevice(const SimDevice&) = delete;
    SimDevice& operator=(const SimDevice&) = delete;

    Kind kind() const { return m_kind; }
    std::uint16_t productId() const { return m_productId; }
    const std::optional<std::wstring>& serial() const { return m_serial; }
    virtual std::wstring productName() const = 0;

    int number = -1;
    bool plugged = false;
    bool openFails = false;

    // A write as the program gives it to hidapi: report id first. Returns the byte
    // count, or -1 with a reason when the device refuses the report.
    int write(const std::uint8_t* data, std::size_t length, std::uint64_t now, std::wstring& error);
    bool takeInput(Report& out);
    bool hasInput() const { return !m_input.empty(); }
    std::size_t pendingInput() const { return m_input.size(); }
    // Queues an input report unless the buffer is full (the newest is then lost, and
    // false returned).
    bool queue(const Report& report);

    // Produces whatever is due up to the given time.
    virtual void update(std::uint64_t now) { (void)now; }

    const std::vector<std::vector<std::uint8_t>>& writes() const { return m_writes; }
    void clearWrites() { m_writes.clear(); }

protected:
    // One output report: for unnumbered devices without the report id of 0, for
    // numbered devices from the report id on. Returns false to refuse it.
    virtual bool receive(const Report& report, std::uint64_t now) = 0;

    SimBus& m_bus;

private:
    Kind m_kind;
    std::uint16_t m_productId;
    std::optional<std::wstring> m_serial;
    bool m_numberedReports;
    std::deque<Report> m_input;
    std::vector<std::vector<std::uint8_t>> m_writes;
};

} // namespace talvo::sim
