#include "HidReadAhead.h"

#include "HidDevice.h"

#include <hidapi.h>

#include <QDebug>

#include <algorithm>
#include <chrono>
#include <mutex>

#include <pthread.h>
#include <sched.h>

namespace {
// Room for `reports`, its pages touched here rather than by the reading thread.
std::vector<HidReadAhead::Report> reservedQueue(std::size_t reports)
{
    std::vector<HidReadAhead::Report> queue(reports);
    queue.clear();
    return queue;
}
} // namespace

HidReadAhead::HidReadAhead(hid_device_* device)
    : m_device(device)
    , m_queue(reservedQueue(reservedReports))
    , m_spare(reservedQueue(reservedReports))
    , m_read(reservedQueue(reservedReports))
    , m_thread([this] { run(); })
{
}

HidReadAhead::~HidReadAhead()
{
    stop();
}

void HidReadAhead::stop()
{
    m_stop = true;
    {
        std::lock_guard lock(m_wakeMutex);
        m_wakeRequested = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void HidReadAhead::waitUntilCaughtUp()
{
    // The pass under way may have finished reading before this call; the one after it
    // began later.
    const quint64 target = m_passes + 2;
    while (m_running && m_passes < target) {
        {
            std::lock_guard lock(m_wakeMutex);
            m_wakeRequested = true;
        }
        m_wake.notify_one();
        std::this_thread::yield();
    }
}

HidReadAhead::Taken HidReadAhead::take()
{
    std::lock_guard lock(m_mutex);
    Taken taken;
    taken.reports.swap(m_queue);
    // The queue goes on in the storage given back (empty when none was).
    m_queue.swap(m_spare);
    taken.failed = m_failed;
    taken.error = m_error;
    return taken;
}

void HidReadAhead::recycle(std::vector<Report>&& handled)
{
    handled.clear();
    std::lock_guard lock(m_mutex);
    if (handled.capacity() > m_spare.capacity())
        m_spare.swap(handled);
    // Storage not kept stays with the caller and is freed on its thread.
}

void HidReadAhead::keep(std::vector<Report>& list, const Report& report)
{
    if (list.size() >= queueLimit) {
        // Dropped like the device's own buffer drops them: the sample numbers show the
        // gap when the window reads on.
        if (m_overflowed++ == 0)
            qWarning() << "HidReadAhead: the window left" << queueLimit << "reports unread; newer ones are lost";
        return;
    }
    list.push_back(report);
}

int HidReadAhead::readPending()
{
    int count = 0;
    while (!m_readFailed) {
        Report report{};
        const int result = hid_read(m_device, report.data(), report.size());
        if (result == 0)
            break;
        if (result < 0) {
            m_readFailed = true;
            m_readError = hidErrorText(hid_error(m_device), QString());
            break;
        }
        ++count;
        keep(m_read, report);
    }
    return count;
}

bool HidReadAhead::handOver(bool wait)
{
    std::unique_lock lock(m_mutex, std::defer_lock);
    if (wait)
        lock.lock();
    else if (!lock.try_lock())
        return false;
    for (const Report& report : m_read)
        keep(m_queue, report);
    m_read.clear();
    m_failed = m_readFailed;
    m_error = m_readError;
    return true;
}

int nextPollMicros(int current, int reportsFound)
{
    if (reportsFound >= 8)
        return std::max(HidReadAhead::shortestPollMicros, current / 2);
    if (reportsFound <= 2)
        return std::min(HidReadAhead::longestPollMicros, current * 2);
    return current;
}

void HidReadAhead::pause(int micros)
{
    std::unique_lock lock(m_wakeMutex);
    m_wake.wait_for(lock, std::chrono::microseconds(micros), [this] { return m_wakeRequested; });
    m_wakeRequested = false;
}

void HidReadAhead::run()
{
    // Reading is a few microseconds every fraction of a millisecond; where the system
    // allows it (a user with real-time rights) the thread gets a real-time priority, so
    // that a loaded computer does not keep it from the device's buffer. Elsewhere it
    // runs as any other thread.
    sched_param priority{};
    priority.sched_priority = 1;
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority);
    int pollMicros = shortestPollMicros;
    while (!m_stop) {
        const int found = m_readFailed ? 0 : readPending();
        pollMicros = nextPollMicros(pollMicros, found);
        if (handOver(false)) {
            ++m_passes;
            if (m_readFailed)
                break; // the window hears of it with the reports before the failure
        } else {
            // The window is taking reports this very moment; hand over soon.
            pollMicros = shortestPollMicros;
        }
        pause(pollMicros);
    }
    handOver(true);
    m_running = false;
}
