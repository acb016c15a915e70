#include "SimBus.h"

#include "SimAnalyzer.h"
#include "SimBootloader.h"
#include "SimSignals.h"
#include "SimSupply.h"

#include <algorithm>

namespace talvo::sim {

SimBus& SimBus::instance()
{
    static SimBus bus;
    return bus;
}

void SimBus::reset(SimClock::Mode mode, double speed)
{
    m_firstNumber += int(m_devices.size());
    m_devices.clear();
    m_scheduled.clear();
    settings = SimSettings{};
    settings.analyzerSignal = sleepWithBursts;
    settings.supplySignal = steadySupply;
    flash = FlashRecord{};
    streamCounts = StreamCounts{};
    clock.reset(mode, speed);
}

SimDevice& SimBus::plug(Kind kind, std::optional<std::wstring> serial)
{
    std::unique_ptr<SimDevice> device;
    switch (kind) {
    case Kind::Analyzer:
        device = std::make_unique<SimAnalyzer>(*this, std::move(serial));
        break;
    case Kind::Supply:
    case Kind::Supply600:
        device = std::make_unique<SimSupply>(*this, kind, std::move(serial));
        break;
    case Kind::Foreign:
        device = std::make_unique<SimForeign>(*this, std::move(serial));
        break;
    case Kind::Bootloader:
        device = std::make_unique<SimBootloader>(*this, std::move(serial), Kind::Analyzer);
        break;
    }
    device->number = m_firstNumber + int(m_devices.size());
    device->plugged = true;
    m_devices.push_back(std::move(device));
    return *m_devices.back();
}

void SimBus::unplug(int number)
{
    if (SimDevice* d = device(number))
        d->plugged = false;
}

SimDevice* SimBus::device(int number)
{
    const int index = number - m_firstNumber;
    if (index < 0 || index >= int(m_devices.size()))
        return nullptr;
    return m_devices[std::size_t(index)].get();
}

std::vector<SimDevice*> SimBus::pluggedDevices()
{
    std::vector<SimDevice*> result;
    for (auto& d : m_devices)
        if (d->plugged)
            result.push_back(d.get());
    return result;
}

void SimBus::schedule(std::uint64_t at, std::function<void()> action)
{
    m_scheduled.emplace_back(at, std::move(action));
}

void SimBus::sync()
{
    const std::uint64_t now = clock.now();
    for (;;) {
        auto due = std::min_element(m_scheduled.begin(), m_scheduled.end(),
                                    [](const auto& a, const auto& b) { return a.first < b.first; });
        if (due == m_scheduled.end() || due->first > now)
            break;
        auto action = std::move(due->second);
        m_scheduled.erase(due);
        action();
    }
    for (SimDevice* d : pluggedDevices())
        d->update(now);
}

} // namespace talvo::sim
