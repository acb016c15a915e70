#include "MainWindowHarness.h"

#include "ChartAxis.h"
#include "PowerPackets.h"
#include "PopUp.h"
#include "PowerPanel.h"
#include "ProgressDialog.h"
#include "ui_PowerPanel.h"

#include <QDockWidget>
#include <QStatusBar>

// The main window with the simulated supplies: connection, a logging run and its dating,
// the end of a run however it comes, the saved log reopened, and the switches between
// the supply and the analyzer.
class TestSupplyRun : public QObject
{
    Q_OBJECT
private:
    QString tempPath(const QString& name) const { return QDir::temp().absoluteFilePath(name); }

    // What the supply measures: steady values, and a USB current that rises 0.01 A per
    // 10 ms so that each sample's value tells its time.
    static double signal(int channel, double t)
    {
        switch (channel) {
        case 0: return 12.5;
        case 3: return 0.5 + t;
        case 4: return -10.0;
        default: return 1.0;
        }
    }

    static int plugSupply(Harness& h, sim::Kind kind)
    {
        const int supply = sim::plug(kind);
        if (!h.window)
            h.build();
        h.hid->checkTimerTick();
        h.pump(50);
        return supply;
    }

    // The text commands a device received, in order.
    static QStringList textsWritten(int device)
    {
        QStringList texts;
        for (const auto& r : sim::written(device))
            if (r.size() > 2 && r[0] == PowerCode::ReportId && r[1] < PowerCode::Length && r[2] >= 0x20)
                texts << QString::fromLatin1(reinterpret_cast<const char*>(r.data()) + 2, r[1]);
        return texts;
    }

    static bool anySupplyReport(int device)
    {
        for (const auto& r : sim::written(device))
            if (!r.empty() && r[0] == PowerCode::ReportId)
                return true;
        return false;
    }

    static QWidget* controlDockWidget(Harness& h)
    {
        return h.window->findChild<QDockWidget*>(QStringLiteral("dockControl"))->widget();
    }

    // Output on, channels checked, rate chosen, Start pressed.
    static void startLog(Harness& h, const QList<int>& rows, int rateIndex, bool fahrenheit)
    {
        PowerPanel* panel = h.window->powerPanel();
        QVERIFY(panel);
        panel->pollPowerState();
        h.pump(10);
        QVERIFY(panel->form()->btnStart->isEnabled());
        for (int row : rows)
            panel->form()->listWidget->item(row)->setCheckState(Qt::Checked);
        panel->form()->comboBoxSampleRate->setCurrentIndex(rateIndex);
        panel->form()->checkBoxTemperature->setChecked(fahrenheit);
        panel->form()->btnStart->click();
        QVERIFY(measuringActive);
    }

    // A supply plugged in and logging channels 0 and 3, half a second into the run.
    static int startSupplyLog(Harness& h)
    {
        sim::setSupplyOutput(true);
        sim::setSupplySignal(&signal);
        const int supply = plugSupply(h, sim::Kind::Supply);
        startLog(h, {0, 3}, 3, false);
        h.pump(500);
        return supply;
    }

    // What the window says of the samples under the pointer at `key` on `chart`: the
    // status line and the pop-up hint, one text.
    static QString readoutAt(Harness& h, GLWidget* chart, double key)
    {
        const QString line = h.readoutAt(chart, key);
        return line + QStringLiteral("|") + h.window->findChild<PopUp*>()->getPopupText();
    }

    // True when the readout gives the channel, in the status line and in the hint, as a
    // text that matches `shown` (its value and unit).
    static bool readsAs(const QString& readout, int channel, const QString& shown)
    {
        const QRegularExpression entry(QStringLiteral("#%1: ([^<|]*)").arg(channel));
        const QRegularExpression expected(QRegularExpression::anchoredPattern(shown));
        int count = 0;
        for (auto it = entry.globalMatch(readout); it.hasNext(); ++count)
            if (!expected.match(it.next().captured(1)).hasMatch())
                return false;
        return count == 2;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("SupplyRunTest"));
    }
    void init()
    {
        QFile::remove(Settings::filePath());
        Settings().setValue(QStringLiteral("Options/time-length-index"), 3);
    }

    // Connect, log, stop, save and reopen: every sample in the log, dated by its number,
    // and the reopened log shows the same values, title and report block.
    void logRunsAndReopens_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QList<int>>("channels");
        QTest::addColumn<bool>("fahrenheit");
        QTest::addColumn<double>("second"); // value of the second channel at time 0
        QTest::addColumn<QString>("secondShown"); // the pointer's readout of it (a pattern)
        QTest::newRow("Duriz 500, 0 and 3") << int(sim::Kind::Supply) << QList<int>{0, 3} << false << 0.5
                                            << QStringLiteral("[0-9]+\\.[0-9]{2}A");
        QTest::newRow("Vuviv 600 in °F") << int(sim::Kind::Supply600) << QList<int>{0, 4} << true << 14.0
                                         << QStringLiteral("14F");
        QTest::newRow("Duriz 500 in °C") << int(sim::Kind::Supply) << QList<int>{0, 4} << false << -10.0
                                         << QStringLiteral("-10C");
    }
    void logRunsAndReopens()
    {
        QFETCH(int, kind);
        QFETCH(QList<int>, channels);
        QFETCH(bool, fahrenheit);
        QFETCH(double, second);
        QFETCH(QString, secondShown);
        Harness h;
        sim::setSupplyOutput(true);
        sim::setSupplySignal(&signal);
        const int supply = plugSupply(h, sim::Kind(kind));
        QVERIFY(powerSupplyConnected);
        QCOMPARE(controlDockWidget(h), h.window->powerPanel());
        QCOMPARE(h.window->windowTitle(), QStringLiteral(" Hollowcrest Duriz 500 connected"));
        QCOMPARE(textsWritten(supply), QStringList{"LOGSTOP\n"});

        startLog(h, channels, 3, fahrenheit);
        const QString command = QStringLiteral("LOG100C%1%2\n").arg(channels[0]).arg(channels[1]);
        QCOMPARE(textsWritten(supply).mid(1), (QStringList{"POWER\n", command}));
        GLWidget* chart = h.chart(0);
        QCOMPARE(chart->channelMaps.size(), 2);
        auto* axis = qobject_cast<AxisPower*>(chart->plot->graph(1)->valueAxis());
        QVERIFY(axis);
        QCOMPARE(axis->label().endsWith(QLatin1Char('F')), fahrenheit);
        if (fahrenheit) {
            QCOMPARE(axis->rangeMin(), -22.0);
            QCOMPARE(axis->rangeMax(), 212.0);
        }
        // Only temperatures change scale.
        QVERIFY(chart->plot->graph(0)->valueAxis()->label().endsWith(QStringLiteral(", V")));

        h.pump(500);
        // The scale is the one of the start, whatever the box says meanwhile.
        h.window->powerPanel()->form()->checkBoxTemperature->setChecked(!fahrenheit);
        QVERIFY(!h.window->powerPanel()->form()->checkBoxTemperature->isEnabled());
        // The value axes of a supply keep their range while the run goes on.
        const QCPRange first = chart->plot->graph(0)->valueAxis()->range();
        h.window->reRangeAxis(false);
        QCOMPARE(chart->plot->graph(0)->valueAxis()->range(), first);
        // Past the live window: older points go to the swap file while the run goes on.
        h.pump(11500);
        QVERIFY(chart->channelMaps[0]->size() < 1100);

        h.window->powerPanel()->form()->btnStop->click();
        QCOMPARE(textsWritten(supply).last(), QStringLiteral("LOGSTOP\n"));
        h.pump(10);
        QVERIFY(!measuringActive);
        QVERIFY(h.window->powerPanel()->form()->btnStart->isEnabled());
        QVERIFY(h.window->powerPanel()->form()->checkBoxTemperature->isEnabled());

        const LogContents log = readLog(chart->swapFile->fileName());
        QCOMPARE(log.channelCount, 2);
        QVERIFY(log.records.size() >= 1200);
        for (int i = 0; i < log.records.size(); ++i) {
            QCOMPARE(log.records[i][0], i * 0.01);
            QCOMPARE(log.records[i][1], 12.5);
            const double expected = channels[1] == 3 ? second + i * 0.01 : second;
            QVERIFY2(std::abs(log.records[i][2] - expected) < 1e-9, qPrintable(QString::number(i)));
        }
        const SwapFileHeader& header = chart->swapFile->header();
        QCOMPARE(int(header.deviceKind), 1);
        QCOMPARE(int(header.samplePeriod), 100);
        QCOMPARE(int(header.channelMask), (1 << channels[0]) | (1 << channels[1]));
        QCOMPARE(int(header.fahrenheit), fahrenheit ? 1 : 0);

        // The readout names the units the run recorded in, whatever scale the panel
        // offers for the next run.
        h.window->resize(1200, 800);
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        h.window->powerPanel()->form()->checkBoxTemperature->setChecked(!fahrenheit);
        QString readout = readoutAt(h, chart, 5.0);
        QVERIFY2(readsAs(readout, channels[1], secondShown), qPrintable(readout));
        QVERIFY2(readsAs(readout, 0, QStringLiteral("12\\.5V")), qPrintable(readout));

        const QString path = tempPath(QStringLiteral("supply-run-%1.vendrake").arg(kind));
        QFile::remove(path);
        h.saveAnswers << path;
        QVERIFY(h.window->saveTab(0));
        h.window->loadLog(path);
        GLWidget* reopened = h.chart(1);
        QCOMPARE(reopened->channelMaps.size(), 2);
        // The first 10 s of the log.
        const int shown = int(reopened->channelMaps[1]->size());
        QVERIFY(shown >= 1000 && shown < log.records.size());
        for (int i = 0; i < shown; ++i)
            QCOMPARE(reopened->channelMaps[1]->at(i)->value, log.records[i][2]);
        const QString title = reopened->titleItem ? reopened->titleItem->text() : QString();
        QVERIFY2(title.startsWith(QStringLiteral("Channels: #%1, #%2,  Sample rate: 100 Hz, Measurement time: ")
                                      .arg(channels[0])
                                      .arg(channels[1])),
                 qPrintable(title));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&reopened->statistics), 120), log.report);
        auto* reopenedAxis = qobject_cast<AxisPower*>(reopened->plot->graph(1)->valueAxis());
        QCOMPARE(reopenedAxis->label().endsWith(QLatin1Char('F')), fahrenheit);
        QCOMPARE(h.window->powerPanel()->isFahrenheit(), fahrenheit);
        QCOMPARE(h.window->powerPanel()->selectedChannels(), channels);
        // The reopened log reads in its own scale, and so does the run's tab after it.
        h.window->powerPanel()->form()->checkBoxTemperature->setChecked(!fahrenheit);
        readout = readoutAt(h, reopened, 5.0);
        QVERIFY2(readsAs(readout, channels[1], secondShown), qPrintable(readout));
        readout = readoutAt(h, chart, 5.0);
        QVERIFY2(readsAs(readout, channels[1], secondShown), qPrintable(readout));
    }

    // A log of the second model: its panel, its channel numbers from the long list, its
    // title and its rate.
    void secondModelLogOpens()
    {
        const QString path = tempPath(QStringLiteral("vuviv.vendrake"));
        {
            power600Model = true;
            SwapFile file;
            QVERIFY(file.create(path));
            file.writeHeader(2, (1u << 0) | (1u << 10), true, 40, false);
            ChannelMaps maps;
            maps << ChannelMap::create() << ChannelMap::create();
            for (int i = 0; i < 30; ++i) {
                maps[0]->add(QCPGraphData(i * 0.004, 12.0));
                maps[1]->add(QCPGraphData(i * 0.004, 0.25 * i));
            }
            QVERIFY(file.append(maps, false));
            QVERIFY(file.writeReport(ChannelStatistics{}));
            power600Model = false;
        }
        Harness h;
        h.build();
        h.window->loadLog(path);
        QVERIFY(power600Model);
        QVERIFY(qobject_cast<Power600Panel*>(h.window->powerPanel()));
        QCOMPARE(h.window->windowTitle(), QStringLiteral(" Hollowcrest Vuviv 600 connected"));
        QCOMPARE(h.window->powerPanel()->selectedChannels(), (QList<int>{0, 10}));
        QVERIFY(h.window->powerPanel()->isCustomRate());
        QCOMPARE(h.window->powerPanel()->form()->spinBoxSampleRate->value(), 250);
        GLWidget* chart = h.chart(0);
        QCOMPARE(chart->channelMaps.size(), 2);
        QCOMPARE(chart->channelMaps[1]->size(), 30);
        QCOMPARE(chart->channelMaps[1]->at(29)->value, 0.25 * 29);
        QVERIFY(chart->titleItem);
        QVERIFY2(chart->titleItem->text().startsWith(QStringLiteral("Channels: #0, #10,  Sample rate: 250 Hz")),
                 qPrintable(chart->titleItem->text()));
        power600Model = false;
        powerSupplyConnected = false;
    }

    // The supply refuses or breaks off its log mid-run: the run ends with what arrived,
    // its file complete (records and report block) and savable.
    void failedLogReplyLeavesACompleteCapture()
    {
        Harness h;
        const int supply = startSupplyLog(h);
        std::vector<std::uint8_t> reply(64, 0);
        const char text[] = "LOG ERROR\r\n";
        reply[0] = PowerCode::ReportId;
        reply[1] = std::uint8_t(sizeof text - 1);
        std::copy(text, text + sizeof text - 1, reply.begin() + 2);
        QTest::ignoreMessage(QtDebugMsg, "PowerPanel::logFailed: LOG ERROR");
        sim::injectReport(supply, reply);
        h.hid->hidRead();

        QVERIFY(!measuringActive);
        QVERIFY(h.window->statusBar()->currentMessage().contains(QStringLiteral("LOG ERROR")));
        GLWidget* chart = h.chart(0);
        const QString file = chart->swapFile->fileName();
        const LogContents log = readLog(file);
        QVERIFY(log.records.size() >= 40);
        QCOMPARE(QFileInfo(file).size(), 632 + log.records.size() * 24);
        QCOMPARE(log.records.last()[0], (log.records.size() - 1) * 0.01);
        QVERIFY(h.window->powerPanel()->form()->btnStart->isEnabled());

        // What the supply still sends is answered with a stop, not recorded.
        h.pump(100);
        QCOMPARE(readLog(file).records.size(), log.records.size());
        QVERIFY(textsWritten(supply).contains(QStringLiteral("LOGSTOP\n")));
        const QString path = tempPath(QStringLiteral("refused.vendrake"));
        QFile::remove(path);
        h.saveAnswers << path;
        QVERIFY(h.window->saveTab(0));
        QCOMPARE(readLog(path).records.size(), log.records.size());
    }

    // The analyzer arrives in place of the supply while the stopped log is put together
    // under its progress dialog: the tab stays until that work is done, then the change
    // closes it after saving the whole log.
    void deviceChangeWaitsForTheEndOfTheRun()
    {
        Harness h;
        const int supply = startSupplyLog(h);
        bool duringWork = false;
        QTimer::singleShot(0, this, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (qobject_cast<ProgressDialog*>(widget) && widget->isVisible())
                    duringWork = true;
            sim::unplug(supply);
            sim::plug(sim::Kind::Analyzer);
            h.hid->hidRead();
            h.hid->checkTimerTick();
        });
        h.boxAnswer = QMessageBox::Yes;
        const QString saved = tempPath(QStringLiteral("before-the-analyzer.vendrake"));
        QFile::remove(saved);
        h.saveAnswers << saved;
        const QString swap = h.chart(0)->swapFile->fileName();
        h.window->on_stopButton();
        QVERIFY(duringWork);
        QVERIFY(!measuringActive);
        QCOMPARE(h.window->tabWidget()->count(), 1);
        const int records = int(readLog(swap).records.size());
        QVERIFY(records >= 40);

        QTRY_VERIFY_WITH_TIMEOUT(!powerSupplyConnected, 30000);
        QCOMPARE(h.boxes.filter("Not all measurements are saved").size(), 1);
        QVERIFY(!QFileInfo::exists(swap));
        QCOMPARE(readLog(saved).records.size(), records);
    }

    // Settings and device data reach the panel's listeners; the settings reply brings the
    // data request, a written setting brings a fresh settings request.
    void settingsAndDataReachThePanel()
    {
        Harness h;
        const int supply = plugSupply(h, sim::Kind::Supply);
        PowerPanel* panel = h.window->powerPanel();
        QList<QByteArray> settings;
        QList<QByteArray> data;
        connect(panel, &PowerPanel::paketReceived, this, [&](PowerGetPacket& p) {
            settings << QByteArray(reinterpret_cast<const char*>(p.data()), 64);
        });
        connect(panel, &PowerPanel::paketDataReceived, this, [&](PowerDataPacket& p) {
            data << QByteArray(reinterpret_cast<const char*>(p.data()), 64);
        });
        PowerGetPacket request;
        h.hid->sendReport(request);
        h.pump(10);
        QCOMPARE(settings.size(), 1);
        QCOMPARE(data.size(), 1);
        QCOMPARE(quint8(data[0][2]), PowerCode::DeviceData);

        PowerSetPacket write(PowerGetPacket(PowerPacket(settings[0].constData(), 64)));
        write.setByte(3 + 4, 9);
        write.setByte(3 + 54, 0x02);
        h.hid->sendReport(write);
        h.pump(10);
        QCOMPARE(settings.size(), 2);
        QCOMPARE(quint8(settings[1][7]), quint8(9));
        QCOMPARE(data.size(), 2);
        // Nothing of this ends up as a text command or a stop.
        QCOMPARE(textsWritten(supply), QStringList{"LOGSTOP\n"});
    }

    // A rate the log cannot date exactly never starts a run.
    void undatableRateIsRefused()
    {
        Harness h;
        sim::setSupplyOutput(true);
        const int supply = plugSupply(h, sim::Kind::Supply);
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("PowerPanel::logFailed: "));
        h.window->on_startPowerMeasurement(QStringLiteral("LOG3C0\n"));
        QVERIFY(!measuringActive);
        QVERIFY(!h.window->statusBar()->currentMessage().isEmpty());
        QVERIFY(!textsWritten(supply).contains(QStringLiteral("LOG3C0\n")));
    }

    // With the limit at 10 s, the report after which the next key is exactly 10 s keeps
    // the run going; the next one stops it.
    void measuringTimeLimitIsStrict()
    {
        Settings().setValue(QStringLiteral("Options/time-length-index"), 0);
        Harness h;
        sim::setSupplyOutput(true);
        const int supply = plugSupply(h, sim::Kind::Supply);
        QCOMPARE(h.window->measuringTimeLimit(), 10);
        startLog(h, {0}, 0, false); // 10 Hz, one byte a sample
        const auto inject = [&](quint32 first, int rows) {
            std::vector<std::uint8_t> report(64, 0);
            report[0] = PowerCode::ReportId;
            report[1] = PowerCode::Length;
            report[2] = 0x01;
            report[3] = std::uint8_t(first >> 16);
            report[4] = std::uint8_t(first >> 8);
            report[5] = std::uint8_t(first);
            report[6] = std::uint8_t(rows);
            sim::injectReport(supply, report);
            h.hid->hidRead();
            QCoreApplication::processEvents();
        };
        inject(0, 50);
        inject(50, 50);
        QVERIFY(measuringActive);
        QCOMPARE(h.chart(0)->channelMaps[0]->size(), 100);
        inject(100, 1);
        QVERIFY(!measuringActive);
        QCOMPARE(textsWritten(supply).last(), QStringLiteral("LOGSTOP\n"));
        QCOMPARE(readLog(h.chart(0)->swapFile->fileName()).records.size(), 101);
    }

    // Supply, analyzer, supply: each set-up shows its own panel with its own wiring, and
    // nothing meant for one kind reaches the other.
    void switchesKeepEachDeviceToItsPanel()
    {
        Harness h;
        sim::setSupplyOutput(true);
        int supply = plugSupply(h, sim::Kind::Supply);
        QPointer<PowerPanel> firstPanel = h.window->powerPanel();
        QVERIFY(firstPanel);
        sim::unplug(supply);
        h.hid->checkTimerTick();
        h.analyzer = sim::plug(sim::Kind::Analyzer);
        h.hid->checkTimerTick();
        h.pump(50);

        QVERIFY(firstPanel.isNull());
        QVERIFY(!h.window->powerPanel());
        QCOMPARE(controlDockWidget(h), h.window->controlPanel());
        sim::clearWritten(h.analyzer);
        h.window->controlPanel()->sendStatusRequest();
        QCOMPARE(sim::written(h.analyzer).size(), size_t(1));
        h.start(3);
        QVERIFY(measuringActive);
        h.pump(100);
        h.window->on_stopButton();
        QVERIFY(!measuringActive);

        // A supply log opened beside the analyzer: its panel polls nobody.
        const QString path = tempPath(QStringLiteral("beside-analyzer.vendrake"));
        {
            SwapFile file;
            powerSupplyConnected = true;
            QVERIFY(file.create(path));
            file.writeHeader(1, 0x01, false, 100, false);
            ChannelMaps maps;
            maps << ChannelMap::create();
            maps[0]->add(QCPGraphData(0, 12.0));
            QVERIFY(file.append(maps, false));
            QVERIFY(file.writeReport(ChannelStatistics{}));
            powerSupplyConnected = false;
        }
        h.window->loadLog(path);
        QVERIFY(h.window->powerPanel());
        h.window->powerPanel()->pollPowerState();
        h.pump(10);
        QVERIFY(!anySupplyReport(h.analyzer));

        sim::unplug(h.analyzer);
        h.hid->checkTimerTick();
        QPointer<PowerPanel> logPanel = h.window->powerPanel();
        supply = sim::plug(sim::Kind::Supply);
        h.hid->checkTimerTick();
        h.pump(50);
        QVERIFY(logPanel.isNull());
        QVERIFY(h.window->powerPanel());
        QCOMPARE(controlDockWidget(h), h.window->powerPanel());
        sim::clearWritten(supply);
        h.window->controlPanel()->sendStatusRequest();
        QVERIFY(sim::written(supply).empty());
        h.window->powerPanel()->pollPowerState();
        QCOMPARE(textsWritten(supply), QStringList{"POWER\n"});
    }
};

QTEST_MAIN(TestSupplyRun)
#include "tst_supplyrun.moc"
