#include "TalvoSim.h"

#include "IndependentClock.h"
#include "SimAnalyzer.h"
#include "SimBus.h"
#include "SimSupply.h"

#include <sstream>

namespace talvo::sim {

namespace {

SimBus& bus()
{
    return SimBus::instance();
}

using Lock = std::lock_guard<std::recursive_mutex>;

// Made after the bus, so it ends (and its thread with it) before the bus goes.
IndependentClock& independentClock()
{
    bus();
    static IndependentClock clock;
    return clock;
}

} // namespace

void reset(ClockMode mode)
{
    // The clock thread takes the bus lock itself: it ends before the lock is held here.
    independentClock().stop();
    Lock lock(bus().mutex);
    bus().reset(mode == ClockMode::Driven ? SimClock::Mode::Driven : SimClock::Mode::Real);
}

void runIndependentClock(double speed, int processor)
{
    independentClock().stop();
    {
        Lock lock(bus().mutex);
        bus().clock.reset(SimClock::Mode::Real, speed);
    }
    independentClock().start(bus(), speed, processor);
}

void stopIndependentClock()
{
    independentClock().stop();
}

ClockThreadFigures independentClockFigures()
{
    return independentClock().figures();
}

StreamCounts streamCounts()
{
    Lock lock(bus().mutex);
    return bus().streamCounts;
}

std::wstring defaultSerial(Kind kind)
{
    switch (kind) {
    case Kind::Analyzer: return L"500100123";
    case Kind::Supply: return L"500200456";
    case Kind::Supply600: return L"500200789";
    case Kind::Bootloader: return L"500100123";
    case Kind::Foreign: return L"500300001";
    }
    return {};
}

int plug(Kind kind, const std::wstring& serial)
{
    Lock lock(bus().mutex);
    return bus().plug(kind, serial.empty() ? defaultSerial(kind) : serial).number;
}

int plugWithoutSerial(Kind kind)
{
    Lock lock(bus().mutex);
    return bus().plug(kind, std::nullopt).number;
}

void unplug(int device)
{
    Lock lock(bus().mutex);
    bus().unplug(device);
}

bool isPlugged(int device)
{
    Lock lock(bus().mutex);
    bus().sync();
    const SimDevice* d = bus().device(device);
    return d && d->plugged;
}

int find(Kind kind)
{
    Lock lock(bus().mutex);
    bus().sync();
    for (SimDevice* d : bus().pluggedDevices())
        if (d->kind() == kind)
            return d->number;
    return -1;
}

void setOpenFails(int device, bool fails)
{
    Lock lock(bus().mutex);
    if (SimDevice* d = bus().device(device))
        d->openFails = fails;
}

void advance(int milliseconds)
{
    advanceMicros(std::uint64_t(std::max(0, milliseconds)) * 1000);
}

void advanceMicros(std::uint64_t micros)
{
    Lock lock(bus().mutex);
    // Step through the time so that reports come due in the order they would.
    constexpr std::uint64_t Step = 1000;
    while (micros > 0) {
        const std::uint64_t step = std::min(micros, Step);
        bus().clock.advance(step);
        bus().sync();
        micros -= step;
    }
}

std::uint64_t nowMicros()
{
    // A program that reads the time often must not hold up the instrument's own clock
    // thread (or its reading thread) on the bus lock.
    if (bus().clock.lockFree())
        return bus().clock.now();
    Lock lock(bus().mutex);
    return bus().clock.now();
}

void setAnalyzerSignal(AnalyzerSignal signal)
{
    Lock lock(bus().mutex);
    bus().settings.analyzerSignal = std::move(signal);
}

void setSupplySignal(SupplySignal signal)
{
    Lock lock(bus().mutex);
    bus().settings.supplySignal = std::move(signal);
}

void setFirstSampleNumber(std::uint32_t number)
{
    Lock lock(bus().mutex);
    bus().settings.firstSampleNumber = number & 0xFFFFFF;
}

void setAnalyzerStatus(std::uint8_t status)
{
    Lock lock(bus().mutex);
    bus().settings.analyzerStatus = status;
}

void setSupplyOutput(bool on)
{
    Lock lock(bus().mutex);
    bus().settings.supplyOutputOn = on;
}

void endSupplyLog()
{
    Lock lock(bus().mutex);
    bus().sync();
    for (SimDevice* d : bus().pluggedDevices())
        if (auto* supply = dynamic_cast<SimSupply*>(d))
            supply->endLog(bus().clock.now());
}

void dropReports(int count)
{
    Lock lock(bus().mutex);
    bus().settings.reportsToDrop += std::max(0, count);
}

void injectReport(int device, const std::vector<std::uint8_t>& bytes)
{
    Lock lock(bus().mutex);
    if (SimDevice* d = bus().device(device)) {
        Report r{};
        std::copy_n(bytes.begin(), std::min(bytes.size(), r.size()), r.begin());
        d->queue(r);
    }
}

void setQueueLimit(std::size_t reports)
{
    Lock lock(bus().mutex);
    bus().settings.queueLimit = reports;
}

std::size_t pendingReports(int device)
{
    Lock lock(bus().mutex);
    const SimDevice* d = bus().device(device);
    return d ? d->pendingInput() : 0;
}

void produceReports(int count)
{
    Lock lock(bus().mutex);
    for (SimDevice* d : bus().pluggedDevices())
        if (auto* analyzer = dynamic_cast<SimAnalyzer*>(d))
            analyzer->produce(count);
}

std::vector<std::vector<std::uint8_t>> written(int device)
{
    Lock lock(bus().mutex);
    const SimDevice* d = bus().device(device);
    return d ? d->writes() : std::vector<std::vector<std::uint8_t>>{};
}

void clearWritten(int device)
{
    Lock lock(bus().mutex);
    if (SimDevice* d = bus().device(device))
        d->clearWrites();
}

void setBootloaderBehaviour(BootloaderBehaviour behaviour)
{
    Lock lock(bus().mutex);
    bus().settings.bootloaderBehaviour = behaviour;
}

void setBootloaderDelays(int switchMilliseconds, int restartMilliseconds)
{
    Lock lock(bus().mutex);
    bus().settings.switchDelayMicros = std::uint64_t(std::max(0, switchMilliseconds)) * 1000;
    bus().settings.restartDelayMicros = std::uint64_t(std::max(0, restartMilliseconds)) * 1000;
}

std::vector<std::uint8_t> flashedImage()
{
    Lock lock(bus().mutex);
    return bus().flash.image;
}

std::vector<int> bootloaderCommands()
{
    Lock lock(bus().mutex);
    return bus().flash.commands;
}

bool configure(const std::string& text)
{
    std::vector<Kind> kinds;
    std::stringstream names(text);
    std::string name;
    while (std::getline(names, name, ',')) {
        if (name == "analyzer")
            kinds.push_back(Kind::Analyzer);
        else if (name == "supply")
            kinds.push_back(Kind::Supply);
        else if (name == "supply600")
            kinds.push_back(Kind::Supply600);
        else if (name == "bootloader")
            kinds.push_back(Kind::Bootloader);
        else if (name == "foreign")
            kinds.push_back(Kind::Foreign);
        else if (name != "none" && !name.empty())
            return false;
    }
    for (Kind kind : kinds)
        plug(kind);
    return true;
}

} // namespace talvo::sim
