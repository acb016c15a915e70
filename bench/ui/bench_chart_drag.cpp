// Dragging the time axis across a 1 GiB analyzer log with the report bar and the
// battery-life calculator open: every drag step moves a 2 s view through the loaded
// window and then past it, and the release reads the next window from the swap file. Figure: frames per second of those steps (replot plus the refreshes that
// follow a range change and the window reads), against plain replots of the same chart
// measured in the same run. Target: at least 0.5.

#include "Calculator.h"
#include "ChartAxis.h"
#include "ChartPlot.h"
#include "DeviceControl.h"
#include "GLWidget.h"
#include "LoggerState.h"
#include "MainWindow.h"
#include "MessageBoxes.h"
#include "Settings.h"
#include "SwapFile.h"
#include "TalvoSim.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cmath>
#include <cstdio>

namespace {
constexpr qint64 logBytes = qint64(1) << 30;
constexpr int channels = 3;
constexpr double period = 0.0001; // 10 kHz
constexpr int chunkRecords = 1000000;
constexpr int dragSteps = 40;
constexpr int movesPerStep = 60;

// A log of three channels at 10 kHz, about 1 GiB of records.
bool writeLog(const QString& path)
{
    SwapFile file;
    if (!file.create(path))
        return false;
    DeviceControl control;
    control.setChannelMask(0x7);
    control.setSampleRate(1);
    file.writeHeader(control);
    const qint64 records = logBytes / ((channels + 1) * 8);
    ChannelStatistics statistics = freshStatistics();
    for (qint64 first = 0; first < records; first += chunkRecords) {
        ChannelMaps maps;
        for (int c = 0; c < channels; ++c) {
            auto map = ChannelMap::create();
            QVector<QCPGraphData> points;
            const qint64 end = std::min(records, first + chunkRecords);
            points.reserve(int(end - first));
            for (qint64 i = first; i < end; ++i) {
                const double t = double(i) * period;
                points.append(QCPGraphData(t, (c == 0 ? 800.0 : 3000.0) + 300.0 * std::sin(t * 3 + c)
                                                  + double(i % 13)));
            }
            map->add(points, true);
            maps << map;
        }
        if (!file.append(maps, true))
            return false;
    }
    statistics.latestKey = double(records - 1) * period;
    statistics.count = records;
    if (!file.writeReport(statistics))
        return false;
    return file.save(path + QStringLiteral(".talvo"));
}

void send(QWidget* target, QEvent::Type type, const QPoint& pos, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(pos), QPointF(target->mapToGlobal(pos)), Qt::LeftButton, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}
} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QCoreApplication::setApplicationName(QStringLiteral("BenchChartDrag"));
    talvo::sim::reset(talvo::sim::ClockMode::Driven);
    setMessageBoxResponder([](QMessageBox&) { return int(QMessageBox::No); });
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});

    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("drag"));
    QElapsedTimer clock;
    clock.start();
    if (!writeLog(base)) {
        std::fprintf(stderr, "could not write the log\n");
        return 1;
    }
    std::printf("log of %.2f GiB written in %.1f s\n", double(QFileInfo(base + ".talvo").size()) / logBytes,
                clock.elapsed() / 1000.0);

    MainWindow window;
    window.resize(1400, 900);
    window.show();
    window.loadLog(base + QStringLiteral(".talvo"));
    GLWidget* chart = window.currentChart();
    auto* plot = chart ? qobject_cast<ChartPlot*>(chart->plot) : nullptr;
    if (!plot || chart->isEmpty()) {
        std::fprintf(stderr, "the log did not open\n");
        return 1;
    }
    window.toggleReportBar();
    window.openCalculator();
    QCoreApplication::processEvents();
    plot->replot();

    // Dragging a 2 s view: each step drags the time axis forward in moves of 0.25 s
    // until the drag runs past the loaded window, and lets go there, which reads the next
    // window.
    if (ChartAxis* key = plot->keyAxis())
        key->setRange(plot->xAxis->range().lower, plot->xAxis->range().lower + 2);
    plot->replot();

    // Reference: the same chart and view replotted alone.
    const int plainFrames = 400;
    clock.restart();
    for (int i = 0; i < plainFrames; ++i)
        plot->replot(QCustomPlot::rpRefreshHint);
    const double plainFps = plainFrames / (clock.nsecsElapsed() / 1e9);

    // Frames are the replots the chart actually made.
    int frames = 0;
    int moves = 0;
    QObject::connect(plot, &QCustomPlot::afterReplot, plot, [&frames] { ++frames; });
    const double startKey = plot->xAxis->range().lower;
    clock.restart();
    for (int step = 0; step < dragSteps; ++step) {
        const int y = plot->axisRect()->bottom() + 6;
        const int x0 = plot->axisRect()->center().x();
        const double pixelsPerSecond = plot->xAxis->coordToPixel(1) - plot->xAxis->coordToPixel(0);
        send(plot, QEvent::MouseButtonPress, QPoint(x0, y), Qt::LeftButton);
        QPoint at(x0, y);
        for (int m = 1; m <= movesPerStep; ++m) {
            const QCPRange before = plot->xAxis->range();
            at = QPoint(x0 - int(m * 0.25 * pixelsPerSecond), y);
            send(plot, QEvent::MouseMove, at, Qt::LeftButton);
            ++moves;
            if (plot->xAxis->range() == before)
                break; // refused: the drag asked for keys past the loaded window
        }
        send(plot, QEvent::MouseButtonRelease, at, Qt::NoButton);
    }
    const double dragSeconds = clock.nsecsElapsed() / 1e9;
    const double dragFps = frames / dragSeconds;
    std::printf("%d replots in %d drag steps of %d moves\n", frames, dragSteps, moves);
    std::printf("moved from %.1f s to %.1f s of %.1f s\n", startKey, plot->xAxis->range().lower,
                chart->swapFile->endTime());
    std::printf("plain replot: %.1f frames/s; dragging with report bar and calculator: %.1f frames/s\n",
                plainFps, dragFps);
    // The part of a step that is the window read itself.
    clock.restart();
    for (int step = 0; step < dragSteps; ++step) {
        chart->clearData();
        chart->swapFile->readWindow(100.0 + step * 8, window.viewingInterval(), chart->channelMaps);
    }
    std::printf("window read alone: %.2f ms per step\n", clock.nsecsElapsed() / 1e6 / dragSteps);
    std::printf("ratio %.2f (target >= 0.5)\n", dragFps / plainFps);
    return 0;
}
