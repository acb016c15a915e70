// The logger recording the simulated analyzer while the instrument keeps its own time.
//
// The simulated analyzer runs on a steady clock of its own (a thread), faster than real
// time by the chosen factor, with the device's 64-report buffer: whenever the logger
// does not empty that buffer in time, reports are lost exactly as with real hardware.
// Both of the analyzer's top settings are recorded at each speed, several runs each.
// Figures per run: samples lost in the device's buffer (and the lost-report log lines;
// those lost only because the instrument's clock paused itself are counted apart, below),
// whether the saved log holds every sample the logger received, the longest stall of
// the window's thread during the recording (how late a posted probe event was handled),
// how much of that stall the window's thread spent running (the rest it waited: on a
// lock, or for the system to wake it or give it a processor), the longest single event
// that thread handled (the logger's longest piece of work),
// the logger's CPU time over wall time (the instrument's own thread left out), and the
// instrument clock's own longest pause, with the samples lost to it: a clock that paused
// for longer than the buffer lasts catches up in one burst that not even an empty buffer
// holds, which a real instrument never sends (its clock does not pause); the overflow of
// such a burst is the simulation's loss, not the logger's. The clock waits for its steps
// without sleeping on a processor of its own, which keeps these rare. And the machine's
// own longest pause: how much later than asked an otherwise idle thread on the logger's
// processors, at the read-ahead thread's priority, woke from a 1 ms sleep. A virtual
// machine whose processors are held up by its host pauses every thread on them, the
// logger's reading thread too; a loss in a run where the machine paused for longer than
// the device's buffer lasts says more about the machine than about the logger.
//
// A real instrument takes no processor time from the computer: where the process may use
// two processors or more, the instrument's thread (and the stall probe) get the last one
// and the logger's threads the others, so that the instrument's frequent wake-ups do not
// stall the window's thread in its stead.
//
// Arguments: runs per case (5), instrument seconds per run at 10x and faster (120),
// seconds per run at real time (20), speeds ("1,10,20,50"), channel counts of the cases
// to record ("1,3": 10 kHz x 1 channel and 5 kHz x 3 channels).
// With STALL_TRACE set, each stall over 5 ms (or over the number of milliseconds it is
// set to) is printed with the steady-clock time it began at, so that it can be found in
// a scheduler or profiler trace of the run (perf's `-k CLOCK_MONOTONIC`), and with the
// events over 0.1 ms the window's thread handled in it.

#include "ChannelInfo.h"
#include "ControlPanel.h"
#include "DeviceControl.h"
#include "FileDialogs.h"
#include "GLWidget.h"
#include "HidDevice.h"
#include "LoggerState.h"
#include "MainWindow.h"
#include "MeasureAll.h"
#include "MessageBoxes.h"
#include "Settings.h"
#include "SwapFile.h"
#include "TalvoSim.h"
#include "ui_ControlPanel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <pthread.h>
#include <sched.h>
#include <memory>
#include <thread>
#include <vector>

namespace sim = talvo::sim;

namespace {
std::atomic<int> lostLines{0};

// The processor kept for the simulated instrument, or -1 when the process has only one.
int instrumentProcessor = -1;

// Keeps the last usable processor for the instrument and the calling thread (and every
// thread it starts from now on) on the others.
void setAsideInstrumentProcessor()
{
    cpu_set_t allowed;
    if (sched_getaffinity(0, sizeof(allowed), &allowed) != 0 || CPU_COUNT(&allowed) < 2)
        return;
    for (int cpu = CPU_SETSIZE - 1; cpu >= 0; --cpu)
        if (CPU_ISSET(cpu, &allowed)) {
            instrumentProcessor = cpu;
            break;
        }
    CPU_CLR(instrumentProcessor, &allowed);
    sched_setaffinity(0, sizeof(allowed), &allowed);
}

void keepOnInstrumentProcessor(std::thread& thread)
{
    if (instrumentProcessor < 0)
        return;
    cpu_set_t set;
    CPU_ZERO(&set);
    CPU_SET(instrumentProcessor, &set);
    pthread_setaffinity_np(thread.native_handle(), sizeof(set), &set);
}
void countLostLines(QtMsgType, const QMessageLogContext&, const QString& text)
{
    if (text.contains(QLatin1String("*** LOST PACKETS")))
        ++lostLines;
}

double processCpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// The time on `clock` in nanoseconds (0 where the clock cannot be read).
qint64 clockNs(clockid_t clock)
{
    timespec t{};
    if (clock_gettime(clock, &t) != 0)
        return 0;
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// The CPU time `thread` has used so far.
double threadCpuSeconds(std::thread& thread)
{
    clockid_t id;
    if (pthread_getcpuclockid(thread.native_handle(), &id) != 0)
        return 0;
    return double(clockNs(id)) / 1e9;
}

void waitFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// The processor time the calling thread has used so far.
qint64 threadCpuNs()
{
    return clockNs(CLOCK_THREAD_CPUTIME_ID);
}

// The application, timing each event the window's thread handles (the outermost one
// where events nest): the longest while `timing` is set is the logger's longest single
// piece of work. Wall time, read cheaply: the thread's processor time costs a system call
// per read, which at thousands of events a second would weigh on the very thread measured
// (and on a virtual machine counts the time its host held the processor all the same).
// While stalls are traced, the events over a tenth of a millisecond are kept as well, so
// that a traced stall shows what the window's thread was doing in it.
class TimedApplication : public QApplication
{
public:
    struct HandledEvent
    {
        qint64 startNs = 0;
        qint64 endNs = 0;
        const char* receiverClass = nullptr;
        int type = 0;
    };

    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        if (!timing || m_depth > 0)
            return QApplication::notify(receiver, event);
        ++m_depth;
        // Read before the event is handled: it may delete the receiver.
        const char* receiverClass = keepEvents && receiver ? receiver->metaObject()->className() : "";
        const int type = int(event->type());
        const qint64 start = nowNs();
        const bool handled = QApplication::notify(receiver, event);
        const qint64 end = nowNs();
        longestEventMs = std::max(longestEventMs, double(end - start) / 1e6);
        if (keepEvents && end - start > 100000)
            handledEvents.push_back({start, end, receiverClass, type});
        --m_depth;
        return handled;
    }

    bool timing = false;
    bool keepEvents = false;
    double longestEventMs = 0;
    std::vector<HandledEvent> handledEvents; // since the stall probe's last answer

private:
    int m_depth = 0;
};

// The stalls to trace, from STALL_TRACE: those over its number of milliseconds, or over
// 5 ms when it is set to something else; 0 when it is not set.
double traceStallsAboveMs()
{
    if (!qEnvironmentVariableIsSet("STALL_TRACE"))
        return 0;
    bool ok = false;
    const double ms = qEnvironmentVariable("STALL_TRACE").toDouble(&ok);
    return ok && ms > 0 ? ms : 5;
}

// Posts an event to the window's thread every millisecond (once the last one was
// handled) and keeps the longest delay before one was handled, and how much processor
// time the window's thread had in that delay: a stall the thread spent running was the
// logger's work (or a virtual machine's host holding the processor it ran on, which the
// guest cannot see); one it did not run in was a wait, on a lock or for the system to
// wake it or give it a processor (a host holding that processor shows as such a wait as
// well). A traced stall's list of events tells the logger's work apart: a stall with no
// long event in it was not spent on the window's work.
class StallProbe : public QObject
{
public:
    // Called on the window's thread.
    void start()
    {
        pthread_getcpuclockid(pthread_self(), &m_windowClock);
        m_longestMs = 0;
        m_longestRanMs = 0;
        m_stop = false;
        m_outstanding = false;
        m_thread = std::thread([this] {
            while (!m_stop) {
                if (!m_outstanding) {
                    m_outstanding = true;
                    m_postedCpuNs = clockNs(m_windowClock);
                    m_postedNs = nowNs();
                    QMetaObject::invokeMethod(this, [this] { answer(); }, Qt::QueuedConnection);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        });
        keepOnInstrumentProcessor(m_thread);
    }
    // The longest stall in milliseconds; how long the window's thread ran in it in
    // `ranMs`, the probe's own CPU time in `cpuSeconds`.
    double stop(double* cpuSeconds, double* ranMs)
    {
        *cpuSeconds = threadCpuSeconds(m_thread);
        m_stop = true;
        m_thread.join();
        QCoreApplication::processEvents();
        *ranMs = m_longestRanMs;
        return m_longestMs;
    }

private:
    void answer()
    {
        const double ms = double(nowNs() - m_postedNs) / 1e6;
        const double ranMs = double(threadCpuNs() - m_postedCpuNs) / 1e6;
        if (ms > m_longestMs) {
            m_longestMs = ms;
            m_longestRanMs = ranMs;
        }
        auto* app = static_cast<TimedApplication*>(QCoreApplication::instance());
        if (m_traceAboveMs > 0 && ms > m_traceAboveMs) {
            std::fprintf(stderr, "stall of %.1f ms (the window's thread ran %.1f ms) from %.6f s (steady clock)\n", ms,
                         ranMs, double(m_postedNs) / 1e9);
            for (const TimedApplication::HandledEvent& event : app->handledEvents)
                if (event.endNs > m_postedNs)
                    std::fprintf(stderr, "  event %d to %s from %+.2f to %+.2f ms\n", event.type, event.receiverClass,
                                 double(event.startNs - m_postedNs) / 1e6, double(event.endNs - m_postedNs) / 1e6);
        }
        app->handledEvents.clear();
        m_outstanding = false;
    }

    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_outstanding{false};
    std::atomic<qint64> m_postedNs{0};
    std::atomic<qint64> m_postedCpuNs{0};
    clockid_t m_windowClock = CLOCK_THREAD_CPUTIME_ID;
    double m_longestMs = 0;
    double m_longestRanMs = 0;
    const double m_traceAboveMs = traceStallsAboveMs();
};

// Sleeps 1 ms at a time on the logger's processors, at the read-ahead thread's
// real-time priority where the system allows it, and keeps how much later than asked it
// woke at most.
class MachinePauseWitness
{
public:
    void start()
    {
        m_stop = false;
        m_thread = std::thread([this] {
            sched_param priority{};
            priority.sched_priority = 1;
            pthread_setschedparam(pthread_self(), SCHED_FIFO, &priority);
            using Clock = std::chrono::steady_clock;
            const auto asked = std::chrono::milliseconds(1);
            double longest = 0;
            while (!m_stop) {
                const auto before = Clock::now();
                std::this_thread::sleep_for(asked);
                longest = std::max(longest, std::chrono::duration<double, std::milli>(Clock::now() - before - asked).count());
            }
            m_longestMs = longest;
        });
    }
    // The longest pause in milliseconds; the witness's own CPU time in `cpuSeconds`.
    double stop(double* cpuSeconds)
    {
        *cpuSeconds = threadCpuSeconds(m_thread);
        m_stop = true;
        m_thread.join();
        return m_longestMs;
    }

private:
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    double m_longestMs = 0;
};

struct RunResult
{
    qint64 produced = 0;    // samples the instrument sent during the run
    qint64 lost = 0;        // of them, lost in the device's full buffer
    qint64 lostInCatchUp = 0; // of those, beyond a whole buffer in one step of a paused clock
    qint64 received = 0;    // samples in the reports the logger handled while recording
    qint64 logged = 0;      // records in the saved log
    int lostLines = 0;      // "LOST PACKETS" log lines
    double stallMs = 0;     // longest stall of the window's thread while recording
    double wallSeconds = 0;
    double cpuSeconds = 0;  // the logger's CPU time (the instrument's thread left out)
    double clockPauseMs = 0;
    double machinePauseMs = 0; // the longest pause of an idle thread on the logger's processors
    double stallRanMs = 0;     // how long the window's thread ran during that stall
    double workMs = 0;         // the longest single event the window's thread handled
    bool realtimeClock = false;
    bool busyClock = false;
};

// One run from the Control panel: `customWord` is the sample period (100 µs units),
// `mask` the channels; the instrument runs `speed` times faster than real time.
RunResult recordRun(quint16 customWord, quint16 mask, int seconds, int speed, const QString& savePath)
{
    RunResult result;
    sim::reset(sim::ClockMode::Real);
    sim::runIndependentClock(speed, instrumentProcessor);
    powerSupplyConnected = power600Model = measuringActive = false;
    ChannelInfo::clearTable();
    {
        Settings settings;
        settings.setValue(QStringLiteral("Options/time-length-index"), 3); // no limit
        QString channels;
        for (int c = 0; c < 3; ++c)
            if (mask & (1 << c))
                channels += QString::number(c) + QLatin1Char(',');
        settings.setValue(QStringLiteral("Measure/channels"), channels);
    }
    const int analyzer = sim::plug(sim::Kind::Analyzer);
    auto window = std::make_unique<MainWindow>();
    window->resize(1400, 900);
    window->show(); // the chart is drawn as on a desktop
    window->setClock([] { return qint64(1700000000000) + qint64(sim::nowMicros() / 1000); });
    HidDevice* hid = HidDevice::instance();
    QObject::connect(hid, &HidDevice::packetReceived, [&result](quint8* packet, int) {
        if (packet[0] != MeasureAll::Descriptor || !measuringActive)
            return;
        const auto values = MeasureAll(packet, 64).values();
        if (!values.isEmpty())
            result.received += values.first().size();
    });
    hid->checkTimerTick();
    waitFor(300);

    Ui::ControlPanel& form = *window->controlPanel()->form();
    form.checkBoxCustom->setChecked(true);
    form.spinBoxSampleRate->setValue(customWord);
    lostLines = 0;
    const QtMessageHandler previous = qInstallMessageHandler(countLostLines);
    const sim::StreamCounts before = sim::streamCounts();
    StallProbe probe;
    MachinePauseWitness witness;
    QElapsedTimer wall;
    wall.start();
    const double cpu = processCpuSeconds();
    const double clockCpu = sim::independentClockFigures().cpuSeconds;
    window->controlPanel()->on_startButton();
    probe.start();
    witness.start();
    auto* app = static_cast<TimedApplication*>(QCoreApplication::instance());
    app->longestEventMs = 0;
    app->keepEvents = traceStallsAboveMs() > 0;
    app->timing = true;
    waitFor(seconds * 1000 / speed);
    double probeCpu = 0;
    double witnessCpu = 0;
    result.stallMs = probe.stop(&probeCpu, &result.stallRanMs);
    result.machinePauseMs = witness.stop(&witnessCpu);
    app->timing = false;
    result.workMs = app->longestEventMs;
    result.wallSeconds = wall.elapsed() / 1000.0;
    const sim::ClockThreadFigures clock = sim::independentClockFigures();
    result.cpuSeconds = processCpuSeconds() - cpu - (clock.cpuSeconds - clockCpu) - probeCpu - witnessCpu;
    result.realtimeClock = clock.realtimePriority;
    result.busyClock = clock.busyWaiting;
    result.clockPauseMs = clock.longestPauseMs;
    window->on_stopButton();
    sim::stopIndependentClock();
    qInstallMessageHandler(previous);
    result.lostLines = lostLines;
    const sim::StreamCounts after = sim::streamCounts();
    result.produced = qint64(after.samples - before.samples);
    result.lost = qint64(after.lostSamples - before.lostSamples);
    result.lostInCatchUp = qint64(after.lostInCatchUpSamples - before.lostInCatchUpSamples);

    setFileDialogResponder([savePath](const FileDialogRequest&) { return QStringList{savePath}; });
    window->saveTab(window->tabWidget()->currentIndex());
    setFileDialogResponder(nullptr);
    QFile log(savePath);
    const int recordSize = (qPopulationCount(mask) + 1) * 8;
    result.logged = (log.size() - 632) / recordSize;
    QFile::remove(savePath);
    window.reset();
    sim::unplug(analyzer);
    return result;
}

// A comma-separated list of positive numbers.
QList<int> numbersFrom(const char* text)
{
    QList<int> numbers;
    for (const QString& part : QString::fromLatin1(text).split(QLatin1Char(','), Qt::SkipEmptyParts))
        if (const int number = part.toInt(); number > 0)
            numbers << number;
    return numbers;
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    setAsideInstrumentProcessor();
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", scratch.filePath(QStringLiteral("config")).toUtf8());
    TimedApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("AnalyzerRunBench"));
    setMessageBoxResponder([](QMessageBox&) { return int(QMessageBox::No); });
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 5;
    const int fastSeconds = argc > 2 ? std::max(15, atoi(argv[2])) : 120;
    const int realSeconds = argc > 3 ? std::max(15, atoi(argv[3])) : 20;
    const QList<int> speeds = numbersFrom(argc > 4 ? argv[4] : "1,10,20,50");
    const QList<int> channelCounts = numbersFrom(argc > 5 ? argv[5] : "1,3");

    cpu_set_t logger;
    sched_getaffinity(0, sizeof(logger), &logger);
    std::printf("Recording the simulated analyzer on its own clock, %d runs per case; the logger on %d processor(s)%s\n",
                runs, CPU_COUNT(&logger),
                instrumentProcessor >= 0 ? ", the instrument on one more" : ", shared with the instrument");
    std::printf("(lost: samples lost in the device's buffer, %% of those sent; stall: longest stall of the window's\n"
                " thread while recording, and how long it ran in that stall; work: the longest single event\n"
                " it handled; cpu: the logger's CPU over wall; clock: the instrument's longest\n"
                " pause, and the samples lost only to it (a burst beyond a whole buffer, not counted as\n"
                " lost); machine: the longest pause of an idle thread beside the logger's)\n");
    struct Case
    {
        const char* name;
        quint16 word;
        quint16 mask;
    } cases[] = {{"10 kHz x 1 channel", 1, 0x01}, {"5 kHz x 3 channels", 2, 0x07}};
    bool targetsMet = true;
    for (const Case& c : cases) {
        if (!channelCounts.contains(qPopulationCount(c.mask)))
            continue;
        for (const int speed : speeds) {
            const int seconds = speed == 1 ? realSeconds : fastSeconds;
            std::printf("%s at %dx, %d s of measurement per run\n", c.name, speed, seconds);
            double worstLostShare = 0;
            double worstStall = 0;
            double worstCpu = 0;
            double worstMachinePause = 0;
            double worstWork = 0;
            bool complete = true;
            for (int run = 1; run <= runs; ++run) {
                const RunResult r =
                    recordRun(c.word, c.mask, seconds, speed, scratch.filePath(QStringLiteral("bench.talvo")));
                const qint64 lost = r.lost - r.lostInCatchUp;
                const double lostShare = r.produced > 0 ? 100.0 * double(lost) / double(r.produced) : 0.0;
                const double cpu = r.cpuSeconds / r.wallSeconds;
                std::printf("  run %d: sent %9lld, lost %7lld (%.3f %%), lost-report lines %4d, saved %s, stall %6.1f ms "
                            "(ran %4.1f), work %4.1f ms, cpu %.3f, clock %.1f ms (lost %lld), machine %.1f ms%s\n",
                            run, static_cast<long long>(r.produced), static_cast<long long>(lost), lostShare,
                            r.lostLines, r.logged == r.received ? "all" : "NOT ALL", r.stallMs, r.stallRanMs, r.workMs, cpu,
                            r.clockPauseMs, static_cast<long long>(r.lostInCatchUp), r.machinePauseMs,
                            r.busyClock ? "" : r.realtimeClock ? " (clock at real-time priority)" : " (clock sleeping)");
                std::fflush(stdout);
                worstLostShare = std::max(worstLostShare, lostShare);
                worstStall = std::max(worstStall, r.stallMs);
                worstCpu = std::max(worstCpu, cpu);
                worstMachinePause = std::max(worstMachinePause, r.machinePauseMs);
                worstWork = std::max(worstWork, r.workMs);
                complete = complete && r.logged == r.received;
            }
            const bool lostOk = speed <= 20 ? worstLostShare == 0.0 : worstLostShare <= 0.1;
            const bool stallOk = speed != 10 || worstStall <= 5.0;
            const bool cpuOk = speed != 1 || worstCpu <= 0.15;
            targetsMet = targetsMet && lostOk && stallOk && cpuOk && complete;
            std::printf("  worst: lost %.3f %% (target %s), stall %.1f ms%s, work %.1f ms, cpu %.3f%s, "
                        "every received sample saved: %s; the machine paused up to %.1f ms\n",
                        worstLostShare, speed <= 20 ? "0" : "<= 0.1 %", worstStall,
                        speed == 10 ? " (target <= 5)" : "", worstWork, worstCpu, speed == 1 ? " (target <= 0.15)" : "",
                        complete ? "yes" : "NO", worstMachinePause);
        }
    }
    std::printf("All targets met: %s\n", targetsMet ? "yes" : "NO");
    return 0;
}
