// A thread that keeps the simulated bus up to date with a steady clock, independent of
// the program under test: reports come due and fill the device's buffer whether or not
// the program reads them.
#pragma once

#include "TalvoSim.h"

#include <atomic>
#include <mutex>
#include <thread>

namespace talvo::sim {

class SimBus;

class IndependentClock
{
public:
    ~IndependentClock() { stop(); }

    // The bus must already run on the real clock at the chosen speed.
    void start(SimBus& bus, double speed, int processor = -1);
    void stop();
    bool running() const { return m_thread.joinable(); }
    ClockThreadFigures figures();

private:
    void run(SimBus& bus, double speed, int processor);

    std::thread m_thread;
    SimBus* m_bus = nullptr;
    std::atomic<bool> m_stop{false};
    std::mutex m_figuresMutex;
    ClockThreadFigures m_figures;
};

} // namespace talvo::sim
