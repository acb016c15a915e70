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
    if (m_thread.joinable())
        m_thread.join();
}

HidReadAhead::Taken HidReadAhead::take()
{
    // One report per hold of the lock: were the system to hold the window up in here,
    // the thread would be kept from the device for no more than one report.
    for (bool more = true; more;) {
        std::lock_guard lock(m_mutex);
        more = readOne();
    }
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

bool HidReadAhead::readOne()
{
    if (m_failed)
        return false;
    Report report{};
    const int result = hid_read(m_device, report.data(), report.size());
    if (result == 0)
        return false;
    if (result < 0) {
        m_failed = true;
        m_error = hidErrorText(hid_error(m_device), QString());
        return false;
    }
    ++m_reportsRead;
    if (m_queue.size() >= queueLimit) {
        // Dropped like the device's own buffer drops them: the sample numbers show the
        // gap when the window reads on.
        if (m_overflowed++ == 0)
            qWarning() << "HidReadAhead: the window left" << queueLimit << "reports unread; newer ones are lost";
        return true;
    }
    m_queue.push_back(report);
    return true;
}

int readAheadPauseMicros(quint64 reports, qint64 elapsedMicros)
{
    if (reports == 0)
        return HidReadAhead::longestPollMicros;
    const qint64 pause = elapsedMicros * HidReadAhead::pauseReports / qint64(reports);
    return int(std::clamp<qint64>(pause, HidReadAhead::shortestPollMicros, HidReadAhead::longestPollMicros));
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
    using Clock = std::chrono::steady_clock;
    // Until the stream's rate is known, the thread looks as often as it ever does.
    int pollMicros = shortestPollMicros;
    auto windowStart = Clock::now();
    quint64 readAtWindowStart = 0;
    while (!m_stop) {
        // While the window holds the lock it is reading the device itself; the thread
        // looks again after its pause.
        if (std::unique_lock lock(m_mutex, std::try_to_lock); lock.owns_lock()) {
            while (readOne()) {
            }
            if (m_failed)
                return; // the window hears of it with the reports before the failure
            const auto now = Clock::now();
            const qint64 elapsed = std::chrono::duration_cast<std::chrono::microseconds>(now - windowStart).count();
            if (elapsed >= rateWindowMicros) {
                pollMicros = readAheadPauseMicros(m_reportsRead - readAtWindowStart, elapsed);
                windowStart = now;
                readAtWindowStart = m_reportsRead;
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(pollMicros));
    }
}
