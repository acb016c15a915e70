#pragma once

// Reads an open instrument's input reports on a thread of its own, so that the device's
// small report buffer is emptied while the window is busy (a replot, a dialog, a tab
// switch, or the system holding the window's thread up). The reports wait here, in the
// order they came, until the window takes them.
//
// Only the thread reads the device. The thread does not block in the read: it looks for
// pending reports, sooner while many come at once and later while few do (between 0.2
// and 2 ms, so that even the fastest stream leaves the buffer well short of full). It
// reads into a list of its own and then hands that list over under the lock, which it
// only tries: a window held up while it holds the lock delays the handover, never the
// reading.
//
// The thread does not allocate while it reads: the lists have room for a long stall of
// the window from the start, and the caller hands each taken queue back for reuse. An
// allocation can wait behind the window's own work on the process's memory (megabytes of
// chart points), and a reader that waits lets the device's buffer overflow.

#include "HidReports.h"

#include <QString>
#include <QtGlobal>

#include <array>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

struct hid_device_;

// The next pause of the read-ahead thread: shorter after a poll that found many
// reports, longer after one that found few.
int nextPollMicros(int currentMicros, int reportsFound);

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

    // Every report the thread has read so far, in order, and whether the device failed
    // after them. Never reads the device itself.
    Taken take();
    // Gives the reports' storage of a handled take() back, to hold the next ones.
    void recycle(std::vector<Report>&& handled);
    // Ends the thread once it has handed over everything it read: the next take() has
    // every report read ahead, and the device can be read directly after it.
    void stop();
    // Returns once the thread has read and handed over every report the device had when
    // this was called (or the thread has ended). For callers that drive the instrument's
    // time themselves and must see its reports at once.
    void waitUntilCaughtUp();
    // Reports lost because the window left more than queueLimit of them waiting.
    quint64 overflowed() const { return m_overflowed; }

private:
    void run();
    // The thread's read: until the device has nothing more, into m_read. Returns how
    // many reports came.
    int readPending();
    // Moves m_read to the queue when the lock is free (or, with `wait`, once it is).
    bool handOver(bool wait);
    // Keeps `report` in `list`, unless the window has left queueLimit reports waiting.
    void keep(std::vector<Report>& list, const Report& report);
    void pause(int micros);

    hid_device_* m_device;
    // Guards the queue and the failure; the thread only ever tries it while it runs.
    std::mutex m_mutex;
    std::vector<Report> m_queue;
    std::vector<Report> m_spare; // the next queue, when the caller gave one back
    bool m_failed = false;
    QString m_error;

    // The thread's own: what it read and has not handed over yet, and how it ended.
    std::vector<Report> m_read;
    bool m_readFailed = false;
    QString m_readError;

    // The thread's pause, cut short by stop() and waitUntilCaughtUp().
    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    bool m_wakeRequested = false;
    std::atomic<quint64> m_passes{0}; // whole reads handed over
    std::atomic<bool> m_running{true};
    std::atomic<bool> m_stop{false};
    std::atomic<quint64> m_overflowed{0};
    std::thread m_thread;
};
