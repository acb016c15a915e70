#pragma once

// Reads an open instrument's input reports on a thread of its own, so that the device's
// small report buffer is emptied while the window is busy (a replot, a dialog, a tab
// switch, or the system holding the window's thread up). The reports wait here, in the
// order they came, until the window takes them.
//
// The thread does not block in the read: it looks for pending reports again after a
// pause of a few report intervals of the stream (between 0.2 and 2 ms), so that the
// device's buffer holds only a few reports when the thread looks and nearly all of it
// is left for the times the system holds the thread up. The interval counts what both
// the thread and the window read: the window's reads leave the thread fewer reports,
// but the stream is no slower for that.
//
// take() reads what is pending itself, so whoever takes the reports gets every report
// the device had at that moment, after those read ahead, and never one out of order; the
// window and the thread thus both empty the buffer, and either covers for the other when
// the system holds it up. Every read and its place in the queue are made under one lock;
// the window holds it for one report at a time and the thread only ever tries it, so a
// window held up while it reads keeps the thread away for no more than that one report.
//
// The thread does not allocate while it reads: the queue has room for a long stall of
// the window from the start, and the caller hands each taken queue back for reuse. An
// allocation can wait behind the window's own work on the process's memory (megabytes of
// chart points), and a reader that waits lets the device's buffer overflow.

#include "HidReports.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

struct hid_device_;

// The read-ahead thread's pause for a stream that sent `reports` in `elapsedMicros`:
// a few report intervals, within the shortest and longest pause.
int readAheadPauseMicros(quint64 reports, qint64 elapsedMicros);

class HidReadAhead
{
public:
    using Report = std::array<quint8, HidFraming::packetBytes>;
    // Reports kept for the window before newer ones are lost (about three minutes of
    // the analyzer's fastest stream): a window that never comes back does not take all
    // memory.
    static constexpr std::size_t queueLimit = 65536;
    // Room the queue has from the start: over a second of the fastest stream.
    static constexpr std::size_t reservedReports = 4096;
    static constexpr int shortestPollMicros = 200;
    static constexpr int longestPollMicros = 2000;
    // The pause in report intervals: the device's 64-report buffer then has 60 reports
    // of room left for a thread the system holds up.
    static constexpr int pauseReports = 4;
    // How long the stream is watched before the pause follows a new rate.
    static constexpr int rateWindowMicros = 20000;

    struct Taken
    {
        std::vector<Report> reports;
        bool failed = false; // the device is gone: a read failed after the last report
        QString error;       // hidapi's text for that failure
    };

    explicit HidReadAhead(hid_device_* device);
    // Ends the thread; the reports not taken are dropped.
    ~HidReadAhead();
    HidReadAhead(const HidReadAhead&) = delete;
    HidReadAhead& operator=(const HidReadAhead&) = delete;

    // Every report read so far and every one still pending on the device, in order.
    Taken take();
    // Gives the reports' storage of a handled take() back, to hold the next ones.
    void recycle(std::vector<Report>&& handled);
    // Ends the thread: the next take() has every report it read, and after that take the
    // device can be read directly without losing or reordering one.
    void stop();
    // Reports lost because the window left more than queueLimit of them waiting.
    quint64 overflowed() const { return m_overflowed; }

private:
    void run();
    // Reads one pending report into the queue; false when the device had none or
    // failed. Called with m_mutex held.
    bool readOne();

    hid_device_* m_device;
    // Guards the device's reads, the queue and the failure. The thread only ever tries
    // it: while the window holds it, the window is reading the device itself, and the
    // thread looks again after its pause, never waiting on the window.
    std::mutex m_mutex;
    std::vector<Report> m_queue;
    std::vector<Report> m_spare; // the next queue, when the caller gave one back
    bool m_failed = false;
    QString m_error;
    std::atomic<bool> m_stop{false};
    std::atomic<quint64> m_overflowed{0};
    quint64 m_reportsRead = 0; // by the thread and the window both; under m_mutex
    std::thread m_thread;
};
