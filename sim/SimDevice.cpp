#include "SimDevice.h"

#include "SimBus.h"

#include <algorithm>

namespace talvo::sim {

SimDevice::SimDevice(SimBus& bus, Kind kind, std::uint16_t productId, std::optional<std::wstring> serial,
                     bool numberedReports)
    : m_bus(bus), m_kind(kind), m_productId(productId), m_serial(std::move(serial)),
      m_numberedReports(numberedReports)
{
}

int SimDevice::write(const std::uint8_t* data, std::size_t length, std::uint64_t now, std::wstring& error)
{
    m_writes.emplace_back(data, data + length);
    if (length == 0) {
        error = L"Empty report";
        return -1;
    }
    Report report{};
    if (m_numberedReports) {
        if (data[0] == 0) {
            error = L"Report id 0 is not used by this device";
            return -1;
        }
        std::copy_n(data, std::min(length, report.size()), report.begin());
    } else {
        if (data[0] != 0) {
            error = L"This device uses no report ids";
            return -1;
        }
        std::copy_n(data + 1, std::min(length - 1, report.size()), report.begin());
    }
    if (!receive(report, now)) {
        error = L"Report refused by the device";
        return -1;
    }
    return int(length);
}

bool SimDevice::takeInput(Report& out)
{
    if (m_input.empty())
        return false;
    out = m_input.front();
    m_input.pop_front();
    return true;
}

bool SimDevice::queue(const Report& report)
{
    if (m_input.size() >= m_bus.settings.queueLimit)
        return false;
    m_input.push_back(report);
    return true;
}

} // namespace talvo::sim
