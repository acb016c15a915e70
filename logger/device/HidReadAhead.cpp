#include "HidReadAhead.h"

#include "HidDevice.h"

#include <hidapi.h>

#include <QDebug>

#include <chrono>

HidReadAhead::HidReadAhead(hid_device_* device)
    : m_device(device), m_thread([this] { run(); })
{
}

HidReadAhead::~HidReadAhead()
{
    m_stop = true;
    m_thread.join();
}

HidReadAhead::Taken HidReadAhead::take()
{
    std::lock_guard lock(m_mutex);
    readPending();
    Taken taken;
    taken.reports.swap(m_queue);
    taken.failed = m_failed;
    taken.error = m_error;
    return taken;
}

void HidReadAhead::readPending()
{
    while (!m_failed) {
        Report report{};
        const int result = hid_read(m_device, report.data(), report.size());
        if (result == 0)
            return;
        if (result < 0) {
            m_failed = true;
            m_error = hidErrorText(hid_error(m_device), QString());
            return;
        }
        if (m_queue.size() >= queueLimit) {
            // Dropped like the device's own buffer drops them: the sample numbers show
            // the gap when the window reads on.
            if (m_overflowed++ == 0)
                qWarning() << "HidReadAhead: the window left" << queueLimit << "reports unread; newer ones are lost";
            continue;
        }
        m_queue.push_back(report);
    }
}

void HidReadAhead::run()
{
    while (!m_stop) {
        {
            std::lock_guard lock(m_mutex);
            readPending();
            if (m_failed)
                return; // the window hears of it with the reports before the failure
        }
        std::this_thread::sleep_for(std::chrono::microseconds(pollMicros));
    }
}
