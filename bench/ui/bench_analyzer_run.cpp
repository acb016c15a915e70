// The logger recording the simulated analyzer.
//
// 1. Completeness at speed: minutes of measurement at the analyzer's highest rates,
//    delivered ten times faster than real time through the program's own timers (read
//    drain, 10 ms window flush, 200 ms axis update). Figures: samples sent, samples in
//    the saved log, lost-sample reports.
// 2. Load at real time: the logger's CPU time over the wall time of a run at 10 kHz.

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
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <memory>

namespace sim = talvo::sim;

namespace {
int lostLines = 0;
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

void waitFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

struct RunResult
{
    qint64 sent = 0;   // samples in the reports the logger received
    qint64 logged = 0; // records in the saved log
    int lost = 0;
    double wallSeconds = 0;
    double cpuSeconds = 0;
};

// One run from the Control panel: `customWord` is the sample period (100 µs units),
// `mask` the channels; `speed` instrument milliseconds pass per wall millisecond.
RunResult recordRun(quint16 customWord, quint16 mask, int seconds, int speed, const QString& savePath)
{
    RunResult result;
    sim::reset(speed > 0 ? sim::ClockMode::Driven : sim::ClockMode::Real);
    powerSupplyConnected = power600Model = measuringActive = false;
    ChannelInfo::clearTable();
    Settings().setValue(QStringLiteral("Options/time-length-index"), 3); // no limit
    {
        Settings settings;
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
    if (speed > 0)
        window->setClock([] { return qint64(1700000000000) + qint64(sim::nowMicros() / 1000); });
    HidDevice* hid = HidDevice::instance();
    QObject::connect(hid, &HidDevice::packetReceived, [&result](quint8* packet, int) {
        if (packet[0] != MeasureAll::Descriptor || !measuringActive)
            return;
        const auto values = MeasureAll(packet, 64).values();
        if (!values.isEmpty())
            result.sent += values.first().size();
    });
    QTimer clock;
    if (speed > 0) {
        QObject::connect(&clock, &QTimer::timeout, [speed] { sim::advance(speed); });
        clock.start(1);
    }
    hid->checkTimerTick();
    waitFor(300);

    Ui::ControlPanel& form = *window->controlPanel()->form();
    form.checkBoxCustom->setChecked(true);
    form.spinBoxSampleRate->setValue(customWord);
    lostLines = 0;
    const QtMessageHandler previous = qInstallMessageHandler(countLostLines);
    QElapsedTimer wall;
    wall.start();
    const double cpu = processCpuSeconds();
    window->controlPanel()->on_startButton();
    const int wallMs = speed > 0 ? seconds * 1000 / speed : seconds * 1000;
    waitFor(wallMs);
    result.wallSeconds = wall.elapsed() / 1000.0;
    result.cpuSeconds = processCpuSeconds() - cpu;
    window->on_stopButton();
    qInstallMessageHandler(previous);
    result.lost = lostLines;
    clock.stop();

    setFileDialogResponder([savePath](const FileDialogRequest&) { return QStringList{savePath}; });
    window->saveTab(window->tabWidget()->currentIndex());
    setFileDialogResponder(nullptr);
    QFile log(savePath);
    const int recordSize = (qPopulationCount(mask) + 1) * 8;
    result.logged = (log.size() - 632) / recordSize;
    window.reset();
    sim::unplug(analyzer);
    return result;
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir scratch;
    qputenv("XDG_CONFIG_HOME", scratch.filePath(QStringLiteral("config")).toUtf8());
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("AnalyzerRunBench"));
    setMessageBoxResponder([](QMessageBox&) { return int(QMessageBox::No); });
    const int minutes = argc > 1 ? std::max(1, atoi(argv[1])) : 3;

    std::printf("Recording the simulated analyzer, %d min of measurement at 10x real time\n", minutes);
    struct Case
    {
        const char* name;
        quint16 word;
        quint16 mask;
    } cases[] = {{"10 kHz, channel 0", 1, 0x01}, {"5 kHz, channels 0-2", 2, 0x07}};
    bool complete = true;
    for (const Case& c : cases) {
        const RunResult r = recordRun(c.word, c.mask, minutes * 60, 10, scratch.filePath(QStringLiteral("bench.talvo")));
        std::printf("  %-20s sent %9lld samples, saved %9lld, lost-sample reports %d, wall %.1f s\n", c.name,
                    static_cast<long long>(r.sent), static_cast<long long>(r.logged), r.lost, r.wallSeconds);
        complete = complete && r.sent == r.logged && r.lost == 0;
    }
    std::printf("  every sample saved, none lost: %s (target: yes)\n", complete ? "yes" : "NO");

    const int realSeconds = argc > 2 ? std::max(5, atoi(argv[2])) : 20;
    const RunResult real = recordRun(1, 0x01, realSeconds, 0, scratch.filePath(QStringLiteral("real.talvo")));
    std::printf("Real time, 10 kHz on channel 0 for %d s: CPU %.2f s over wall %.2f s = %.3f (target <= 0.15); "
                "saved %lld of %lld samples\n",
                realSeconds, real.cpuSeconds, real.wallSeconds, real.cpuSeconds / real.wallSeconds,
                static_cast<long long>(real.logged), static_cast<long long>(real.sent));
    return 0;
}
