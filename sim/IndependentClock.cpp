#include "IndependentClock.h"

#include "SimBus.h"

#include <algorithm>
#include <chrono>

#include <pthread.h>
#include <sched.h>
#include <time.h>

namespace talvo::sim {

namespace {

double threadCpuSeconds(pthread_t thread)
{
    clockid_t id;
    timespec t{};
    if (pthread_getcpuclockid(thread, &id) != 0 || clock_gettime(id, &t) != 0)
        return 0.0;
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

} // namespace

void IndependentClock::start(SimBus& bus, double speed, int processor)
{
    stop();
    m_figures = ClockThreadFigures{};
    m_stop = false;
    bus.clockedElsewhere = true;
    m_bus = &bus;
    m_thread = std::thread([this, &bus, speed, processor] { run(bus, speed, processor); });
}

void IndependentClock::stop()
{
    if (!m_thread.joinable())
        return;
    m_stop = true;
    m_thread.join();
    m_bus->clockedElsewhere = false;
}

ClockThreadFigures IndependentClock::figures()
{
    std::lock_guard lock(m_figuresMutex);
    ClockThreadFigures figures = m_figures;
    if (m_thread.joinable())
        figures.cpuSeconds = threadCpuSeconds(m_thread.native_handle());
    return figures;
}

void IndependentClock::run(SimBus& bus, double speed, int processor)
{
    // On a processor of its own the clock waits for its steps without sleeping (below).
    bool busyWait = false;
    if (processor >= 0 && processor < CPU_SETSIZE) {
        cpu_set_t set;
        CPU_ZERO(&set);
        CPU_SET(processor, &set);
        busyWait = pthread_setaffinity_np(pthread_self(), sizeof(set), &set) == 0;
    }
    using Clock = std::chrono::steady_clock;
    // A step every instrument millisecond, but no more often than every 50 µs of wall
    // time: the fastest stream sends a report every 2.8 instrument milliseconds.
    const auto step = std::chrono::microseconds(
        std::clamp(std::int64_t(1000.0 / speed), std::int64_t(50), std::int64_t(1000)));
    // A real instrument is not held up by the computer's load. On a processor of its own
    // the clock never sleeps: it yields (to the few threads a benchmark keeps there) until
    // the next step is due, at the normal priority, which the system does not cut short
    // as it does a real-time thread that never sleeps. Elsewhere it sleeps between steps,
    // at a real-time priority where the system allows it, so that its own pauses stay
    // short.
    bool realtime = false;
    if (!busyWait) {
        sched_param priority{};
        priority.sched_priority = 10;
        realtime = pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority) == 0;
    }
    {
        std::lock_guard lock(m_figuresMutex);
        m_figures.realtimePriority = realtime;
        m_figures.busyWaiting = busyWait;
    }
    auto last = Clock::now();
    while (!m_stop) {
        {
            std::lock_guard lock(bus.mutex);
            bus.sync();
        }
        const auto now = Clock::now();
        const double pauseMs = std::chrono::duration<double, std::milli>(now - last).count();
        last = now;
        {
            std::lock_guard lock(m_figuresMutex);
            m_figures.longestPauseMs = std::max(m_figures.longestPauseMs, pauseMs);
        }
        if (busyWait) {
            while (!m_stop && Clock::now() - now < step)
                sched_yield();
        } else {
            std::this_thread::sleep_for(step);
        }
    }
    std::lock_guard lock(m_figuresMutex);
    m_figures.cpuSeconds = threadCpuSeconds(pthread_self());
}

} // namespace talvo::sim
