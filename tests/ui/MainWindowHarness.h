#pragma once

// A main window over the simulated instruments with the simulator's driven clock: the
// analyzer connects, its channels arrive and runs are fed 10 ms at a time, so that a
// minute of measurement takes a moment and nothing sleeps.

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
#include "PanelState.h"
#include "Settings.h"
#include "SwapFile.h"
#include "SwapFileWriter.h"
#include "TalvoSim.h"
#include "ui_ControlPanel.h"

#include <QLabel>
#include <QStatusBar>
#include <QtTest>

#include <cmath>
#include <memory>

namespace sim = talvo::sim;

// Every sample of every measurement report the window received, in order.
struct ReceivedSamples
{
    QList<QList<double>> rows; // one row per sample: the values of the reported channels
    int reports = 0;
};

class Harness : public QObject
{
public:
    std::unique_ptr<MainWindow> window;
    HidDevice* hid = nullptr;
    int analyzer = -1;
    ReceivedSamples samples;
    QStringList boxes;                       // texts of the message boxes shown
    int boxAnswer = QMessageBox::No;         // how message boxes are answered
    QStringList saveAnswers;                 // paths given to save dialogs, in order
    QStringList openAnswers;
    QList<FileDialogRequest> dialogs;        // every file dialog asked for

    Harness()
    {
        sim::reset(sim::ClockMode::Driven);
        // The user here has chosen 1 kHz before, where the list offers every channel; a
        // new user's 10 kHz, with one channel, is a test of its own.
        if (!Settings().contains(QStringLiteral("Measure/sample-rate-combo")))
            Settings().setValue(QStringLiteral("Measure/sample-rate-combo"), 3);
        powerSupplyConnected = power600Model = measuringActive = firmwareUpdateActive = false;
        firstStatusPending = controlSettingsSent = false;
        measuringDeviceControl = DeviceControl();
        ChannelInfo::clearTable();
        setMessageBoxResponder([this](QMessageBox& box) {
            boxes << box.text();
            return boxAnswer;
        });
        setFileDialogResponder([this](const FileDialogRequest& request) {
            dialogs << request;
            QStringList& answers = request.kind == FileDialogKind::SaveFile ? saveAnswers : openAnswers;
            return answers.isEmpty() ? QStringList() : QStringList{answers.takeFirst()};
        });
    }
    ~Harness() override
    {
        window.reset();
        setMessageBoxResponder(nullptr);
        setFileDialogResponder(nullptr);
    }

    void build()
    {
        window = std::make_unique<MainWindow>();
        window->setClock([] { return qint64(1700000000000) + qint64(sim::nowMicros() / 1000); });
        hid = HidDevice::instance();
        connect(hid, &HidDevice::packetReceived, this, [this](quint8* packet, int) {
            if (packet[0] != MeasureAll::Descriptor || !measuringActive)
                return;
            const MeasureAll measure(packet, 64);
            const auto values = measure.values();
            if (values.isEmpty())
                return;
            ++samples.reports;
            const int rows = int(values.first().size());
            for (int r = 0; r < rows; ++r) {
                QList<double> row;
                for (const QList<double>& list : values)
                    row << list.value(r);
                samples.rows << row;
            }
        });
    }

    // Plugs an instrument in and lets the window set itself up for it; its simulator id.
    int plugIn(sim::Kind kind)
    {
        const int device = sim::plug(kind);
        if (!window)
            build();
        hid->checkTimerTick();
        pump(50);
        return device;
    }
    // Plugs the analyzer in and lets it describe itself.
    void connectAnalyzer() { analyzer = plugIn(sim::Kind::Analyzer); }
    // Plugs the Duriz 500 supply in.
    void connectSupply() { plugIn(sim::Kind::Supply); }

    // Lets `ms` of instrument time pass, delivering reports and ticking the window's
    // 10 ms flush as the program's timers would. The disk keeps up with the driven
    // clock: what was flushed is written (or refused) before this returns.
    void pump(int ms)
    {
        for (int t = 0; t < ms; t += 10) {
            sim::advance(10);
            hid->hidRead();
            window->reRangeX();
        }
        if (GLWidget* running = window->runningChart())
            running->swapFile->writer().waitUntilIdle();
        QCoreApplication::processEvents();
    }

    Ui::ControlPanel& control() { return *window->controlPanel()->form(); }

    // Starts a run from the Control panel at a rate of the combo box.
    void start(int rateIndex)
    {
        control().checkBoxCustom->setChecked(false);
        control().comboBoxSampleRate->setCurrentIndex(rateIndex);
        window->controlPanel()->on_startButton();
    }

    // Hands the window one input report as if the analyzer had sent it.
    void inject(const QByteArray& report)
    {
        std::vector<std::uint8_t> bytes(report.begin(), report.end());
        bytes.resize(64, 0);
        sim::injectReport(analyzer, bytes);
        hid->hidRead();
    }

    GLWidget* chart(int index) const { return qobject_cast<GLWidget*>(window->tabWidget()->widget(index)); }

    // Shows `chart` and moves the pointer over it to `key`; the status line's readout.
    QString readoutAt(GLWidget* chart, double key)
    {
        window->tabWidget()->setCurrentWidget(chart);
        QCustomPlot* plot = chart->plot;
        plot->replot();
        const QPointF at(plot->xAxis->coordToPixel(key), plot->axisRect()->center().y());
        QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        emit plot->mouseMove(&move);
        QLabel* label = readoutLabel();
        return label ? label->text() : QString();
    }

    // The status bar's pointer readout, found by the "Time: " it always holds.
    QLabel* readoutLabel() const
    {
        for (QLabel* label : window->statusBar()->findChildren<QLabel*>())
            if (label->text().contains(QStringLiteral("Time: ")))
                return label;
        return nullptr;
    }

    // The analyzer's output reports with the given descriptor and command byte.
    int writtenCommands(quint8 command) const
    {
        int count = 0;
        for (const auto& report : sim::written(analyzer))
            if (report.size() > 2 && report[1] == DeviceControl::Descriptor && report[2] == command)
                ++count;
        return count;
    }
};

// The records of a saved log, read as a plain file: key and values per record.
struct LogContents
{
    int channelCount = 0;
    QList<QList<double>> records;
    QByteArray report;
};

inline LogContents readLog(const QString& path)
{
    LogContents log;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return log;
    const QByteArray all = file.readAll();
    if (all.size() < 632)
        return log;
    log.channelCount = quint8(all[8]);
    const int recordSize = (log.channelCount + 1) * 8;
    const qsizetype data = all.size() - 632;
    for (qsizetype offset = 512; offset + recordSize <= 512 + data; offset += recordSize) {
        QList<double> record;
        for (int i = 0; i <= log.channelCount; ++i) {
            double value;
            std::memcpy(&value, all.constData() + offset + i * 8, 8);
            record << value;
        }
        log.records << record;
    }
    log.report = all.right(120);
    return log;
}
