// The simulated USB bus: the plugged devices, the clock, scheduled arrivals and
// departures, and the settings that tests change.
#pragma once

#include "SimClock.h"
#include "SimDevice.h"
#include "TalvoSim.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

namespace talvo::sim {

struct SimSettings
{
    AnalyzerSignal analyzerSignal;
    SupplySignal supplySignal;
    std::optional<std::uint32_t> firstSampleNumber;
    std::uint8_t analyzerStatus = 0;
    bool supplyOutputOn = true;
    int reportsToDrop = 0;
    std::size_t queueLimit = 64;
    BootloaderBehaviour bootloaderBehaviour = BootloaderBehaviour::Acknowledge;
    std::uint64_t switchDelayMicros = 300000;
    std::uint64_t restartDelayMicros = 500000;
};

// What the last bootloader was given.
struct FlashRecord
{
    std::vector<std::uint8_t> image;
    std::vector<int> commands;
};

class SimBus
{
public:
    static SimBus& instance();
    SimBus() { reset(SimClock::Mode::Driven); }

    // Guards every entry from hidapi and from the control functions.
    std::recursive_mutex mutex;
    SimClock clock;
    SimSettings settings;
    FlashRecord flash;
    StreamCounts streamCounts;
    // Set while the independent clock's thread keeps the bus up to date. Reads then only
    // take what the device's buffer holds, as from a real device: the instrument's work
    // is done on its own thread, never on the reader's.
    std::atomic<bool> clockedElsewhere{false};

    void reset(SimClock::Mode mode, double speed = 1.0);

    SimDevice& plug(Kind kind, std::optional<std::wstring> serial);
    void unplug(int number);
    // A device by number, plugged or not (so its writes stay readable), or null.
    SimDevice* device(int number);
    std::vector<SimDevice*> pluggedDevices();

    // Runs an action once the clock reaches the given time.
    void schedule(std::uint64_t at, std::function<void()> action);
    // Brings the bus up to the current time: scheduled actions, then each device.
    void sync();

private:
    std::vector<std::unique_ptr<SimDevice>> m_devices;
    // Device numbers are never reused, not even across a reset, so a handle left open
    // from before a reset can never reach a newer device.
    int m_firstNumber = 0;
    std::vector<std::pair<std::uint64_t, std::function<void()>>> m_scheduled;
};

} // namespace talvo::sim
