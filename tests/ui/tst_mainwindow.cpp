#include "BatteryLife.h"
#include "Calculator.h"
#include "FileSizeLimit.h"
#include "Languages.h"
#include "NavigationSettings.h"
#include "OptionsDialog.h"
#include "MainWindowHarness.h"
#include "MarqueeLabel.h"

#include "ChartAxis.h"
#include "ProgressDialog.h"
#include "UnitFormat.h"

#include <QAbstractButton>
#include <array>
#include <QDialogButtonBox>
#include <QDockWidget>
#include <QLibraryInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTabWidget>
#include <QTextDocumentFragment>
#include <QTranslator>
#include <QStatusBar>

// The main window with the simulated analyzer: connection, runs, the swap file, saving
// and reopening, and the behaviour around a run's edges.
class TestMainWindow : public QObject
{
    Q_OBJECT
private:
    QString tempPath(const QString& name) const { return QDir::temp().absoluteFilePath(name); }

    static QStringList& logLines()
    {
        static QStringList lines;
        return lines;
    }
    static void collectLog(QtMsgType, const QMessageLogContext&, const QString& text) { logLines() << text; }

    // A run of `seconds` at 1 kHz on the three channels, stopped by the Stop button.
    void record(Harness& h, int seconds)
    {
        h.start(3);
        QVERIFY(measuringActive);
        h.pump(seconds * 1000);
        h.window->on_stopButton();
        QVERIFY(!measuringActive);
    }

    // A 1 s analyzer log saved under `name` in the temporary folder.
    QString savedLog(const QString& name)
    {
        const QString path = tempPath(name);
        Harness h;
        h.connectAnalyzer();
        record(h, 1);
        h.saveAnswers << path;
        if (!h.window->saveTab(0))
            return QString();
        return path;
    }

    // Opens `path` and presses Close while its overview is built (the first events the
    // dialog sees come before the load begins, which starts afresh): the new tab stays
    // for 2 s.
    void openCancelled(Harness& h, const QString& path)
    {
        QTimer closer;
        int seen = 0;
        connect(&closer, &QTimer::timeout, this, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<ProgressDialog*>(widget);
                if (dialog && dialog->isVisible() && ++seen == 2) {
                    closer.stop();
                    emit dialog->canceled();
                }
            }
        });
        closer.start(0);
        const int tabs = h.window->tabWidget()->count();
        h.window->loadLog(path);
        QCOMPARE(h.window->tabWidget()->count(), tabs + 1);
        QVERIFY(h.chart(tabs)->swapFile->wasCancelled());
    }

    // Asks the window for a run the analyzer refuses: 10 kHz on three channels. The
    // Control panel never offers that state, so the request comes as its signal would.
    void startRefusedByTheAnalyzer(Harness& h)
    {
        DeviceControl refused;
        refused.setCommand(DeviceControl::CommandStart);
        refused.setChannelMask(0x0007);
        refused.setSampleRate(1);
        refused.setPayloadType(1);
        emit h.window->controlPanel()->startMeasurement(refused);
    }

    // Every sample the analyzer sent is in the log, in order, with its value.
    void compareWithReceived(const Harness& h, const LogContents& log)
    {
        QCOMPARE(log.channelCount, 3);
        QCOMPARE(log.records.size(), h.samples.rows.size());
        for (int i = 0; i < log.records.size(); ++i) {
            QCOMPARE(log.records[i].mid(1), h.samples.rows[i]);
            QCOMPARE(log.records[i][0], i * 0.001);
        }
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("MainWindowTest"));
    }
    void init()
    {
        QFile::remove(Settings::filePath());
        // The runs below last longer than the default 10 s limit unless they ask for it.
        Settings().setValue(QStringLiteral("Options/time-length-index"), 3);
    }

    void firstStartDefaults()
    {
        Harness h;
        h.build();
        QCOMPARE(timeFormatMode, 1);
        QCOMPARE(h.window->measuringTimeLimit(), -1);
        QCOMPARE(h.window->viewingInterval(), 10);
        QCOMPARE(h.window->tabWidget()->count(), 0);
    }

    void customLengthsFromTheSettingsAreAtLeastOneSecond_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("used");
        QTest::newRow("zero") << 0 << 1;
        QTest::newRow("negative") << -5 << 1;
        QTest::newRow("plain") << 42 << 42;
    }
    void customLengthsFromTheSettingsAreAtLeastOneSecond()
    {
        QFETCH(int, stored);
        QFETCH(int, used);
        Settings settings;
        settings.setValue("Options/serie-length-sec", stored);
        settings.setValue("Options/time-length-index", 4);
        settings.setValue("Options/showall-length-sec", stored);
        settings.setValue("Options/showall-length-index", 7);
        settings.sync();
        Harness h;
        h.build();
        QCOMPARE(h.window->measuringTimeLimit(), used);
        QCOMPARE(h.window->viewingInterval(), used);
    }

    void docksFromTheSettings()
    {
        {
            Harness h;
            h.build();
            auto* status = h.window->findChild<QDockWidget*>("dockStatus");
            auto* control = h.window->findChild<QDockWidget*>("dockControl");
            QCOMPARE(h.window->dockWidgetArea(status), Qt::LeftDockWidgetArea);
            QCOMPARE(h.window->dockWidgetArea(control), Qt::LeftDockWidgetArea);
            QCOMPARE(h.window->tabifiedDockWidgets(control), QList<QDockWidget*>{status});
        }
        Settings settings;
        settings.setValue("Status/tabified", false);
        settings.setValue("Control/floating", true);
        settings.setValue("Control/dock-geometry", QRect(40, 50, 420, 500));
        settings.sync();
        Harness h;
        h.build();
        auto* control = h.window->findChild<QDockWidget*>("dockControl");
        QVERIFY(control->isFloating());
        QCOMPARE(control->geometry().topLeft(), QPoint(40, 50));
        QVERIFY(!h.window->findChild<QDockWidget*>("dockStatus")->isFloating());
        // The empty dock is as small as it can be; its size comes back with the panel.
        h.connectAnalyzer();
        QCOMPARE(control->geometry(), QRect(40, 50, 420, 500));
    }

    // A floating dock's stored place from another screen layout or an edited file: the
    // dock is put where it can be seen and reached, as large as it was where the screen
    // has the room; a place on the screen is kept.
    void floatingDockStaysOnTheScreen_data()
    {
        QTest::addColumn<QRect>("stored");
        QTest::addColumn<QRect>("placed"); // empty: anywhere wholly on the screen
        QTest::addColumn<QSize>("size");
        QTest::newRow("on the screen") << QRect(40, 50, 420, 500) << QRect(40, 50, 420, 500) << QSize(420, 500);
        QTest::newRow("right of and below it") << QRect(5000, 4000, 420, 500) << QRect() << QSize(420, 500);
        QTest::newRow("left of and above it") << QRect(-3000, -2000, 420, 500) << QRect() << QSize(420, 500);
        QTest::newRow("partly past its edge") << QRect(700, 50, 420, 500) << QRect() << QSize(420, 500);
        QTest::newRow("larger than the screen") << QRect(0, 0, 100000, 100000) << QRect() << QSize();
    }
    void floatingDockStaysOnTheScreen()
    {
        QFETCH(QRect, stored);
        QFETCH(QRect, placed);
        QFETCH(QSize, size);
        Settings settings;
        settings.setValue("Status/tabified", false);
        settings.setValue("Control/floating", true);
        settings.setValue("Control/dock-geometry", stored);
        settings.sync();
        Harness h;
        h.connectAnalyzer();
        auto* control = h.window->findChild<QDockWidget*>("dockControl");
        QVERIFY(control->isFloating());
        // The stored place is the dock's own, inside the window frame.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect frame = control->frameGeometry();
        const QRect reach = screen.adjusted(0, 0, frame.width() - control->width(), frame.height() - control->height());
        const QRect at = control->geometry();
        QVERIFY2(reach.contains(at), qPrintable(QStringLiteral("%1,%2 %3x%4 on %5x%6")
                                                    .arg(at.x()).arg(at.y()).arg(at.width()).arg(at.height())
                                                    .arg(screen.width()).arg(screen.height())));
        if (!placed.isEmpty())
            QCOMPARE(control->geometry(), placed);
        if (size.isValid())
            QCOMPARE(control->size(), size);
        settings.remove("Status");
        settings.remove("Control");
    }

    void reportDispatch()
    {
        Harness h;
        h.connectAnalyzer();
        QStatusBar* bar = h.window->statusBar();
        h.inject(QByteArray::fromHex("0280"));
        QCOMPARE(bar->currentMessage(), QStringLiteral("Measuring..."));
        h.inject(QByteArray::fromHex("0240"));
        QCOMPARE(bar->currentMessage(), QString());
        // The stop acknowledgement ends "Measuring..." only: a failure of the run's last
        // work (its last write, its report block) stays on show.
        h.window->on_swapFileError(6);
        h.inject(QByteArray::fromHex("0240"));
        QCOMPARE(bar->currentMessage(), MainWindow::swapFileErrorText(6));
        h.inject(QByteArray::fromHex("02800007"));
        QCOMPARE(bar->currentMessage(), QStringLiteral("FAILED to start measuring: 7"));

        // A status response reaches the Control panel only while a chart shows channels.
        firstStatusPending = true;
        h.inject(QByteArray::fromHex("060600004000000000000000000000000000000000000708"));
        QVERIFY(!firstStatusPending);
        h.boxAnswer = QMessageBox::Yes;
        h.window->closeTabsAll(0);
        h.window->tabWidget()->clear();
        firstStatusPending = true;
        h.inject(QByteArray::fromHex("0606"));
        QVERIFY(firstStatusPending);

        // Supply mode neither stores channel descriptions nor asks for them.
        powerSupplyConnected = true;
        sim::clearWritten(h.analyzer);
        const int channels = ChannelInfo::channelCount();
        h.inject(QByteArray::fromHex("0100000300000001"));
        QByteArray description = QByteArray::fromHex("0400000007");
        h.inject(description);
        QCOMPARE(ChannelInfo::channelCount(), channels);
        for (const auto& report : sim::written(h.analyzer))
            QVERIFY(report.size() < 2 || report[1] != ChannelInfo::Descriptor);
        powerSupplyConnected = false;
    }

    void fileDialogsFollowTheWindow()
    {
        Harness h;
        h.build();
        h.window->on_actionLoad(); // no device, no tab: both kinds
        QCOMPARE(h.dialogs.last().filter, QStringLiteral("TALVO (*.talvo );;Hollowcrest Power (*.vendrake )"));
        h.connectAnalyzer();
        h.window->on_actionLoad();
        QCOMPARE(h.dialogs.last().filter, QStringLiteral("TALVO (*.talvo )"));

        Settings().setValue("Main/save-path", QDir::tempPath());
        h.window->tabWidget()->setTabText(0, QStringLiteral("*Capture 3"));
        QVERIFY(!h.window->saveTab(0)); // cancelled
        QCOMPARE(h.dialogs.last().caption, QStringLiteral("Save file"));
        QCOMPARE(h.dialogs.last().dir, QDir(QDir::tempPath()).absoluteFilePath("Capture 3.talvo"));
        QCOMPARE(h.dialogs.last().filter, QStringLiteral("TALVO (*.talvo )"));
    }

    void analyzerConnectsAndRecordsEverySample()
    {
        Harness h;
        h.connectAnalyzer();
        QCOMPARE(ChannelInfo::channelCount(), 3);
        QCOMPARE(h.window->tabWidget()->count(), 1);
        QVERIFY(h.window->statusTimer()->isActive());
        QCOMPARE(h.control().listWidget->count(), 3);

        h.start(3); // 1 kHz
        QVERIFY(measuringActive);
        QCOMPARE(h.writtenCommands(DeviceControl::CommandStart), 1);
        GLWidget* chart = h.chart(0);
        QVERIFY(h.window->tabWidget()->tabText(0).startsWith('*'));

        // The first 10 s stay in the chart; afterwards older points go to the swap file.
        h.pump(9000);
        QCOMPARE(chart->swapFile->recordsWritten(), 0);
        h.pump(16000);
        QVERIFY(chart->swapFile->recordsWritten() > 14000);
        const QCPRange live = chart->dataRange();
        QVERIFY(live.upper - live.lower < 10.0);
        QVERIFY(live.upper > 24.9);

        h.window->on_stopButton();
        QVERIFY(!measuringActive);
        QCOMPARE(h.writtenCommands(DeviceControl::CommandStop), 1);
        QVERIFY(chart->swapFile->overview->size() >= 2);
        QVERIFY(chart->swapFile->endTime() > 24.9);
        QVERIFY(!chart->keepFile);

        const QString saved = tempPath("run.talvo");
        h.saveAnswers << saved;
        QVERIFY(h.window->saveTab(0));
        QCOMPARE(h.window->tabWidget()->tabText(0), QStringLiteral("run"));
        QVERIFY(chart->keepFile);
        const LogContents log = readLog(saved);
        compareWithReceived(h, log);
        QCOMPARE(log.report, QByteArray(reinterpret_cast<const char*>(&chart->statistics), 120));
        QCOMPARE(chart->statistics.count, qint64(h.samples.rows.size()));

        // Opening the log again gives the same statistics and the first 10 s.
        h.window->loadLog(saved);
        QCOMPARE(h.window->tabWidget()->count(), 2);
        GLWidget* opened = h.chart(1);
        QCOMPARE(h.window->tabWidget()->tabText(1), QStringLiteral("run"));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&opened->statistics), 120), log.report);
        QCOMPARE(opened->plot->xAxis->range().lower, 0.0);
        QCOMPARE(opened->plot->xAxis->range().upper, 10.0);
        QVERIFY(!h.window->newTabFlag());
    }

    // While the disk refuses the swap file's writes, the flushed points stay in the chart;
    // once writes succeed again every sample still reaches the saved log, in order.
    void failedFlushWritesLoseNoSample()
    {
        Harness h;
        h.connectAnalyzer();
        h.start(3);
        GLWidget* chart = h.chart(0);
        h.pump(12000);
        QVERIFY(chart->swapFile->recordsWritten() > 0);

        FileSizeLimit fullDisk(QFileInfo(chart->swapFile->fileName()).size());
        const qint64 before = chart->swapFile->recordsWritten();
        h.pump(3000);
        const qint64 during = chart->swapFile->recordsWritten();
        fullDisk.lift();
        QCOMPARE(during, before);
        QCOMPARE(h.window->statusBar()->currentMessage(), MainWindow::swapFileErrorText(6));

        h.pump(3000);
        h.window->on_stopButton();
        const QString saved_ = tempPath("after-full-disk.talvo");
        h.saveAnswers << saved_;
        QVERIFY(h.window->saveTab(0));
        compareWithReceived(h, readLog(saved_));
    }

    // The disk is full when the run stops: the unwritten end stays in the tab, a save
    // while the disk is still full fails and says so, and once there is room again the
    // saved log holds every sample and its report block.
    void fullDiskAtStopKeepsTheTailForTheSave()
    {
        Harness h;
        h.connectAnalyzer();
        h.start(3);
        GLWidget* chart = h.chart(0);
        h.pump(12000);
        QVERIFY(chart->swapFile->recordsWritten() > 0);

        FileSizeLimit fullDisk(QFileInfo(chart->swapFile->fileName()).size());
        h.pump(2000);
        h.window->on_stopButton();
        QVERIFY(!measuringActive);
        QVERIFY(chart->tailUnwritten);
        QVERIFY(!chart->keepFile);
        const QString target = tempPath("full-disk.talvo");
        QFile::remove(target); // a log an earlier run saved
        h.saveAnswers << target;
        QVERIFY(!h.window->saveTab(0));
        QVERIFY(!QFile::exists(target));
        QVERIFY(h.window->statusBar()->currentMessage().contains(MainWindow::swapFileErrorText(6)));
        QVERIFY(chart->tailUnwritten);
        fullDisk.lift();

        h.saveAnswers << target;
        QVERIFY(h.window->saveTab(0));
        QVERIFY(!chart->tailUnwritten);
        const LogContents log = readLog(target);
        compareWithReceived(h, log);
        QCOMPARE(log.report, QByteArray(reinterpret_cast<const char*>(&chart->statistics), 120));
        QFile::remove(target);
    }

    // A failed save names the system's reason, not only that saving failed.
    void failedSaveSaysWhy_data()
    {
        QTest::addColumn<bool>("recorded");
        QTest::addColumn<QString>("target");
        QTest::newRow("folder missing") << true << tempPath("no-such-folder/run.talvo");
        QTest::newRow("empty tab") << false << tempPath("empty.talvo");
    }
    void failedSaveSaysWhy()
    {
        QFETCH(bool, recorded);
        QFETCH(QString, target);
        Harness h;
        h.connectAnalyzer();
        if (recorded)
            record(h, 1);
        h.saveAnswers << target;
        QVERIFY(!h.window->saveTab(0));
        QVERIFY(!QFile::exists(target));
        const QString prefix = QStringLiteral("Couldn't save file ");
        const QString message = h.window->statusBar()->currentMessage();
        QVERIFY2(message.startsWith(prefix), qPrintable(message));
        const QString reason = message.mid(prefix.size());
        QVERIFY2(!reason.trimmed().isEmpty() && reason != MainWindow::swapFileErrorText(4)
                     && reason != QStringLiteral("Unknown error"), qPrintable(message));
        QCOMPARE(h.window->tabWidget()->tabText(0).startsWith(QLatin1Char('*')), recorded);
    }

    void lostReportsLeaveAGapAndTwoLogLines()
    {
        Harness h;
        h.connectAnalyzer();
        h.start(3);
        h.pump(500);
        logLines().clear();
        const QtMessageHandler previous = qInstallMessageHandler(collectLog);
        sim::dropReports(2);
        h.pump(500);
        qInstallMessageHandler(previous);
        h.window->on_stopButton();
        QCOMPARE(logLines().filter("*** LOST PACKETS").size(), 1);
        QCOMPARE(logLines().filter("*** LOST TIME").size(), 1);

        h.saveAnswers << tempPath("gap.talvo");
        QVERIFY(h.window->saveTab(0));
        const LogContents log = readLog(tempPath("gap.talvo"));
        QCOMPARE(log.records.size(), h.samples.rows.size());
        int gaps = 0;
        for (int i = 1; i < log.records.size(); ++i) {
            const double step = log.records[i][0] - log.records[i - 1][0];
            QVERIFY(step > 0.0009);
            gaps += step > 0.0011;
        }
        QCOMPARE(gaps, 1);
        QCOMPARE(log.records.last()[0], (log.records.size() + 2 * 9 - 1) * 0.001);
    }

    void samplesKeepCountingPastTheCounterWrap()
    {
        Harness h;
        h.connectAnalyzer();
        const quint32 first = (1u << 24) - 1000; // one second before the 24-bit field wraps
        sim::setFirstSampleNumber(first);
        record(h, 3);
        h.saveAnswers << tempPath("wrap.talvo");
        QVERIFY(h.window->saveTab(0));
        const LogContents log = readLog(tempPath("wrap.talvo"));
        QCOMPARE(log.records.size(), h.samples.rows.size());
        QVERIFY(log.records.size() > 2900);
        for (int i = 0; i < log.records.size(); ++i)
            QCOMPARE(log.records[i][0], (first + i) * 0.001);
    }

    void measuringTimeLimitStopsTheRun()
    {
        Settings().setValue(QStringLiteral("Options/time-length-index"), 0);
        Harness h;
        h.connectAnalyzer();
        QCOMPARE(h.window->measuringTimeLimit(), 10);
        h.start(3);
        h.pump(9900);
        QVERIFY(measuringActive);
        for (int i = 0; i < 40 && measuringActive; ++i) {
            sim::advance(10);
            h.hid->hidRead();
            // The stop is queued: the report that reaches the limit never stops the run
            // from inside its own handler.
            QVERIFY(measuringActive);
            QCoreApplication::processEvents();
        }
        QVERIFY(!measuringActive);
        QVERIFY(h.chart(0)->swapFile->endTime() >= 9.99);
        QVERIFY(h.chart(0)->swapFile->endTime() < 10.2);
    }

    void emptyChannelMaskIsRefused()
    {
        Harness h;
        h.connectAnalyzer();
        for (int row = 0; row < 3; ++row)
            h.control().listWidget->item(row)->setCheckState(Qt::Unchecked);
        h.start(3);
        QVERIFY(!measuringActive);
        QCOMPARE(h.window->statusBar()->currentMessage(), QStringLiteral("At least one channel should be selected."));
        QCOMPARE(h.writtenCommands(DeviceControl::CommandStart), 0);
    }

    // Play at 10 kHz starts a run: a new user's Control panel starts at that rate, and a
    // custom period of 1 is the same rate; either way the panel then offers only the
    // first channel, which the analyzer accepts at that rate.
    void playAt10kHzStartsARun_data()
    {
        QTest::addColumn<bool>("custom");
        QTest::newRow("a new user's first Play") << false;
        QTest::newRow("custom period 1 after three channels at 1 kHz") << true;
    }
    void playAt10kHzStartsARun()
    {
        QFETCH(bool, custom);
        Harness h;
        if (!custom)
            QFile::remove(Settings::filePath()); // no settings at all
        h.connectAnalyzer();
        if (custom) {
            QCOMPARE(h.window->controlPanel()->channelMask(), quint16(0x0007));
            h.control().checkBoxCustom->setChecked(true);
            h.control().spinBoxSampleRate->setValue(1);
        } else {
            QCOMPARE(h.control().comboBoxSampleRate->currentIndex(), 0);
        }
        QVERIFY(h.control().btnStart->isEnabled());
        h.control().btnStart->click();
        QVERIFY(measuringActive);
        h.pump(500);
        QVERIFY2(measuringActive, qPrintable(h.window->statusBar()->currentMessage()));
        QVERIFY(h.samples.rows.size() > 4000);
        QCOMPARE(h.samples.rows.first().size(), 1);
        QCOMPARE(h.chart(0)->swapFile->channelList(), QList<int>{0});
        QCOMPARE(h.chart(0)->swapFile->header().samplePeriod, 1);
        h.window->on_stopButton();
        QVERIFY(!measuringActive);
    }

    // The title of a tab names the rate the tab records: none while it records nothing
    // (also after a refused start), the run's rate from its start on, and that rate
    // still after the Control panel has moved to another one.
    void tabTitleShowsTheRateTheTabRecords()
    {
        Harness h;
        h.connectAnalyzer();
        const auto title = [&h](int index) {
            QCustomPlot* plot = h.chart(index)->plot;
            for (int i = 0; i < plot->itemCount(); ++i)
                if (plot->item(i)->objectName() == QLatin1String("measurementTitle"))
                    return qobject_cast<QCPItemText*>(plot->item(i))->text();
            return QString();
        };
        const QString rate = QStringLiteral("Sample rate: ");
        const QString oneKilohertz = rate + QStringLiteral("10(1.000 kHz)");
        h.control().comboBoxSampleRate->setCurrentIndex(3); // 1 kHz
        QVERIFY2(!title(0).contains(rate), qPrintable(title(0)));

        startRefusedByTheAnalyzer(h);
        h.pump(20);
        QVERIFY(!measuringActive);
        QCOMPARE(h.window->tabWidget()->count(), 1);
        QVERIFY2(!title(0).contains(rate), qPrintable(title(0)));

        h.start(3);
        QVERIFY(measuringActive);
        QVERIFY2(title(0).contains(oneKilohertz), qPrintable(title(0)));
        h.pump(1000);
        h.window->on_stopButton();
        h.control().comboBoxSampleRate->setCurrentIndex(0);
        h.window->on_timeFormatChanged();
        QVERIFY2(title(0).contains(oneKilohertz), qPrintable(title(0)));

        h.start(1); // 5 kHz, in a tab of its own
        QCOMPARE(h.window->tabWidget()->count(), 2);
        QVERIFY2(title(1).contains(rate + QStringLiteral("2(5.000 kHz)")), qPrintable(title(1)));
        h.pump(1000);
        h.window->on_stopButton();
        h.window->tabWidget()->setCurrentIndex(0);
        QVERIFY2(title(0).contains(oneKilohertz), qPrintable(title(0)));

        // The tab that takes the place of the last one closed records nothing yet.
        h.window->closeTab(1, true);
        h.window->closeTab(0, true);
        QCOMPARE(h.window->tabWidget()->count(), 1);
        QVERIFY2(!title(0).contains(rate), qPrintable(title(0)));
    }

    void refusedStartGivesTheTabBack()
    {
        Harness h;
        h.connectAnalyzer();
        startRefusedByTheAnalyzer(h);
        QVERIFY(measuringActive);
        const QString recording = h.chart(0)->swapFile->fileName();
        h.pump(20);
        QVERIFY(!measuringActive);
        QCOMPARE(h.window->statusBar()->currentMessage(), QStringLiteral("FAILED to start measuring: 3"));
        QCOMPARE(h.window->tabWidget()->tabText(0), QStringLiteral("Capture 1"));
        QVERIFY(h.chart(0)->keepFile);
        QVERIFY(!QFileInfo::exists(recording));
        QVERIFY(h.control().btnStart->isEnabled());
        h.start(3);
        QVERIFY(measuringActive);
        QCOMPARE(h.window->tabWidget()->count(), 1);
        h.window->on_stopButton();
    }

    // A status report with a fault arriving during a run ends the run at once; the box
    // that explains it comes afterwards, from the event loop, and only once.
    void statusFaultDuringARunStopsItBeforeTheBox()
    {
        Harness h;
        h.connectAnalyzer();
        h.start(3);
        h.pump(200);
        QVERIFY(measuringActive);
        QList<bool> measuringAtBox;
        setMessageBoxResponder([&](QMessageBox& box) {
            h.boxes << box.text();
            measuringAtBox << measuringActive;
            return int(QMessageBox::Ok);
        });
        QByteArray fault(64, '\0');
        fault[0] = 6;
        fault[1] = 6;
        fault[4] = char(0x41);
        fault[5] = char(0x40);
        fault[22] = 0x07;
        fault[23] = char(0x08);
        fault[24] = 8;
        h.inject(fault);
        QVERIFY(!measuringActive);
        QCOMPARE(h.writtenCommands(DeviceControl::CommandStop), 1);
        // The stop spins the event loop (its progress dialog) while the report is still
        // being handled; the box waits until the read is over all the same.
        QVERIFY(h.boxes.isEmpty());
        QCoreApplication::processEvents();
        QCOMPARE(h.boxes.size(), 1);
        QVERIFY(h.boxes[0].startsWith(QStringLiteral("Power converter communication error\n")));
        QCOMPARE(measuringAtBox, QList<bool>{false});
        h.inject(fault);
        QCoreApplication::processEvents();
        QCOMPARE(h.boxes.size(), 1);
        QVERIFY(h.window->controlPanel()->isLoadPowerDisabled());
    }

    // The tool bar's calculator takes its averages from the current tab: none while the
    // tab is empty, the run's own figures once it has stopped.
    void calculatorFilledFromTheTab()
    {
        Harness h;
        h.connectAnalyzer();
        h.window->openCalculator();
        Calculator* calc = h.window->findCalculator();
        QVERIFY(calc);
        QVERIFY(calc->isVisible());
        QCOMPARE(calc->infoList[CalculatorInfo::ByMarkers].status, int(CalculatorInfo::EmptyLog));

        h.start(3);
        h.pump(3000);
        h.window->on_stopButton();
        GLWidget* chart = h.chart(0);
        const CalculatorInfo& whole = calc->infoList[CalculatorInfo::WholePeriod];
        QCOMPARE(whole.status, int(CalculatorInfo::Valid));
        QCOMPARE(whole.end, chart->statistics.latestKey);
        QVERIFY(whole.end > 2.9);
        QCOMPARE(whole.current, chart->statistics.channel[0].average / 1000);
        const CalculatorInfo& visible = calc->infoList[CalculatorInfo::VisibleArea];
        QCOMPARE(visible.start, chart->plot->xAxis->range().lower);
        QVERIFY(std::isfinite(visible.current) && visible.current > 0);
        const CalculatorInfo& cycle = calc->infoList[CalculatorInfo::WorkingCycle];
        QCOMPARE(cycle.status, int(CalculatorInfo::Valid));
        QCOMPARE((cycle.start + cycle.end) / 2, (whole.start + whole.end) / 2);
        QVERIFY(cycle.current > 0);
        QCOMPARE(calc->infoList[CalculatorInfo::ByMarkers].status, int(CalculatorInfo::MarkersHidden));

        calc->findChild<QRadioButton*>("radioButtonWhole")->setChecked(true);
        auto* life = calc->findChild<QLabel*>("bateryLife");
        auto* wholePeriod = calc->findChild<QLabel*>("labelWhole");
        auto* wholeAverage = calc->findChild<QLabel*>("labelWholeUnit");
        const QString runLife = batteryLifeText(3000, whole.current);
        const QString runPeriod = wholePeriod->text();
        const QString runAverage = wholeAverage->text();
        QCOMPARE(life->text(), runLife);
        QVERIFY(runPeriod != QStringLiteral("-- : --"));
        h.window->openCalculator(); // the same window again
        QCOMPARE(h.window->findChildren<Calculator*>().size(), 1);

        // A second run in a new tab records channel #2 only: no current to estimate from,
        // so none of the first run's figures may stand, and neither may its battery life.
        for (int row : {0, 1})
            h.control().listWidget->item(row)->setCheckState(Qt::Unchecked);
        h.start(3);
        h.pump(2000);
        h.window->on_stopButton();
        QCOMPARE(h.window->tabWidget()->currentIndex(), 1);
        const auto showsNoFigures = [&] {
            return wholePeriod->text() == QStringLiteral("-- : --") && wholeAverage->text() == QStringLiteral("--- mA")
                && calc->findChild<QLabel*>("labelVisibleUnit")->text() == QStringLiteral("--- mA")
                && life->text() == QStringLiteral("--");
        };
        QVERIFY(showsNoFigures());

        // Switching tabs refills it from the tab looked at, either way.
        h.window->tabWidget()->setCurrentIndex(0);
        QCOMPARE(wholePeriod->text(), runPeriod);
        QCOMPARE(wholeAverage->text(), runAverage);
        QCOMPARE(life->text(), runLife);
        h.window->addCaptureTab();
        QVERIFY(showsNoFigures());
    }

    // The over-current banner: a trip scrolls the warning, a clearing empties and hides
    // it, and the next trip scrolls the warning again.
    void overCurrentBannerScrollsOnEveryTrip()
    {
        Harness h;
        sim::setAnalyzerSignal([](double) { return sim::AnalyzerSample{1500000.0, 3300.0, 0.0}; });
        h.connectAnalyzer();
        auto* banner = h.window->findChild<MarqueeLabel*>();
        QVERIFY(banner);
        QVERIFY(banner->isHidden());
        h.start(3);
        h.pump(200);
        QVERIFY(!banner->isHidden());
        QVERIFY(banner->isScrolling());
        QCOMPARE(banner->text().trimmed(), QStringLiteral("Attention! The current has exceeded 1A."));

        h.window->clearOverCurrentWarning();
        QVERIFY(banner->isHidden());
        QVERIFY(banner->messages.isEmpty());
        QVERIFY(!banner->isScrolling());
        h.pump(200);
        QVERIFY(!banner->isHidden());
        QCOMPARE(banner->messages.size(), 1);
        QVERIFY(banner->isScrolling());
        h.window->on_stopButton();
    }

    void reportWithoutRowsIsSkipped()
    {
        Harness h;
        h.connectAnalyzer();
        h.start(3);
        h.pump(100);
        const qint64 count = h.chart(0)->statistics.count;
        std::vector<std::uint8_t> empty(64, 0);
        empty[0] = MeasureAll::Descriptor;
        empty[5] = 0x07;
        sim::injectReport(h.analyzer, empty);
        h.hid->hidRead();
        QCOMPARE(h.chart(0)->statistics.count, count);
        h.window->on_stopButton();
    }

    void switchingTabsStopsOnlyTheRunningTab()
    {
        Harness h;
        h.connectAnalyzer();
        h.start(3);
        GLWidget* running = h.chart(0);
        h.pump(12000);
        h.window->addCaptureTab(); // the current tab changes during the run
        GLWidget* other = h.chart(1);
        QVERIFY(!measuringActive);
        QVERIFY(other->isEmpty());
        QCOMPARE(other->swapFile->fileName(), QString());
        QVERIFY(running->swapFile->endTime() > 11.9);
        h.saveAnswers << tempPath("switched.talvo");
        QVERIFY(h.window->saveTab(0));
        compareWithReceived(h, readLog(tempPath("switched.talvo")));
    }

    void swapFileNamesNeverRepeat()
    {
        Harness h;
        h.connectAnalyzer();
        record(h, 1);
        h.saveAnswers << tempPath("first.talvo");
        QVERIFY(h.window->saveTab(0));
        record(h, 1); // opens "Capture 2"
        GLWidget* second = h.chart(1);
        const QString secondFile = second->swapFile->fileName();
        const qint64 secondSize = QFileInfo(secondFile).size();
        h.boxAnswer = QMessageBox::Yes;
        h.window->on_closeTab(0); // "Capture 2" becomes the first tab...
        record(h, 1);             // ...and the next run's tab is "Capture 2" again
        QCOMPARE(h.window->tabWidget()->tabText(1), QStringLiteral("*Capture 2"));
        QVERIFY(h.chart(1)->swapFile->fileName() != secondFile);
        QCOMPARE(QFileInfo(secondFile).size(), secondSize);
    }

    void startWithoutSwapFileSendsNothing()
    {
        Harness h;
        h.connectAnalyzer();
        // A tab text naming a folder that does not exist makes the swap file impossible.
        h.window->tabWidget()->setTabText(0, QStringLiteral("missing/folder"));
        h.start(3);
        QVERIFY(!measuringActive);
        QCOMPARE(h.writtenCommands(DeviceControl::CommandStart), 0);
        QCOMPARE(h.window->statusBar()->currentMessage(), QStringLiteral("Can't create output file"));
        QVERIFY(h.chart(0)->keepFile);
        // The tab stays ready for the next start.
        h.window->tabWidget()->setTabText(0, QStringLiteral("Capture 1"));
        h.start(3);
        QVERIFY(measuringActive);
        QCOMPARE(h.window->tabWidget()->count(), 1);
        h.window->on_stopButton();
    }

    void removalDuringARunKeepsTheCapture()
    {
        Harness h;
        h.connectAnalyzer();
        h.start(3);
        h.pump(13000);
        sim::unplug(h.analyzer);
        h.hid->checkTimerTick();
        QVERIFY(!measuringActive);
        QVERIFY(!h.window->statusTimer()->isActive());
        GLWidget* chart = h.chart(0);
        QVERIFY(chart->swapFile->endTime() > 12.9);
        QVERIFY(chart->swapFile->overview->size() >= 2);
        h.saveAnswers << tempPath("unplugged.talvo");
        QVERIFY(h.window->saveTab(0));
        const LogContents log = readLog(tempPath("unplugged.talvo"));
        compareWithReceived(h, log);
        QCOMPARE(log.report, QByteArray(reinterpret_cast<const char*>(&chart->statistics), 120));

        // An analyzer log opens with no analyzer attached (empty channel table).
        QCOMPARE(ChannelInfo::channelCount(), 0);
        h.window->loadLog(tempPath("unplugged.talvo"));
        QCOMPARE(h.window->tabWidget()->count(), 2);
        QCOMPARE(h.chart(1)->channelMaps.size(), 3);
        QVERIFY(!h.chart(1)->isEmpty());
        QCOMPARE(ChannelInfo::channelCount(), 0);
        // Its controls show, but without an analyzer nothing starts.
        h.window->controlPanel()->on_startButton();
        QVERIFY(!measuringActive);
        QCOMPARE(h.window->statusBar()->currentMessage(), QStringLiteral("Device disconnected"));
    }

    // The window's thread stalls while the analyzer keeps sending, and the presence
    // check notices the removal before the read slot does: every sample read before the
    // removal still reaches the run and its log.
    void removalNoticedByTheCheckKeepsWhatWasRead()
    {
        Harness h;
        h.connectAnalyzer();
        h.start(3);
        h.pump(2000);
        for (int ms = 0; ms < 500; ms += 10) {
            sim::advance(10);
            QDeadlineTimer deadline(30000);
            while (sim::pendingReports(h.analyzer) > 0 && !deadline.hasExpired())
                QThread::yieldCurrentThread();
            QCOMPARE(sim::pendingReports(h.analyzer), std::size_t(0));
        }
        sim::unplug(h.analyzer);
        h.hid->checkTimerTick();
        QVERIFY(!measuringActive);
        QCOMPARE(sim::streamCounts().lostSamples, std::uint64_t(0));
        QCOMPARE(std::uint64_t(h.samples.rows.size()), sim::streamCounts().samples);
        h.saveAnswers << tempPath("checked-removal.talvo");
        QVERIFY(h.window->saveTab(0));
        compareWithReceived(h, readLog(tempPath("checked-removal.talvo")));
    }

    // An instrument of the other kind arrives while the stopped run's overview is built
    // under its progress dialog: the tab it would close stays until that work is done,
    // then the change is handled, and the recording is saved whole before the tab goes.
    void deviceChangeWaitsForTheOverviewBuild()
    {
        Harness h;
        h.connectAnalyzer();
        h.start(3);
        h.pump(3000);
        bool duringBuild = false;
        QTimer::singleShot(0, this, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (qobject_cast<ProgressDialog*>(widget) && widget->isVisible())
                    duringBuild = true;
            sim::unplug(h.analyzer);
            sim::plug(sim::Kind::Supply);
            h.hid->hidRead();
            h.hid->checkTimerTick();
            h.hid->checkTimerTick();
        });
        h.boxAnswer = QMessageBox::Yes;
        const QString saved = tempPath("before-the-change.talvo");
        h.saveAnswers << saved;
        h.window->on_stopButton();
        QVERIFY(duringBuild);
        QCOMPARE(h.window->tabWidget()->count(), 1);
        QVERIFY(h.chart(0)->swapFile->overview->size() >= 2);

        QTRY_VERIFY_WITH_TIMEOUT(powerSupplyConnected, 30000);
        QCOMPARE(h.boxes.filter("Not all measurements are saved").size(), 1);
        QCOMPARE(h.window->tabWidget()->count(), 0);
        const LogContents log = readLog(saved);
        compareWithReceived(h, log);
        QCOMPARE(log.report.size(), 120);
    }

    void analyzerLogOpensInSupplyMode()
    {
        Harness h;
        h.connectAnalyzer();
        record(h, 2);
        h.saveAnswers << tempPath("for-supply.talvo");
        QVERIFY(h.window->saveTab(0));
        powerSupplyConnected = true;
        h.window->loadLog(tempPath("for-supply.talvo"));
        QVERIFY(powerSupplyConnected);
        QCOMPARE(h.window->tabWidget()->count(), 2);
        QCOMPARE(h.chart(1)->channelMaps.size(), 3);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&h.chart(1)->statistics), 120),
                 QByteArray(reinterpret_cast<const char*>(&h.chart(0)->statistics), 120));
        powerSupplyConnected = false;
    }

    void deviceKindChangeAsksBeforeClosingUnsaved()
    {
        Harness h;
        h.connectAnalyzer();
        record(h, 1);
        const QString recording = h.chart(0)->swapFile->fileName();
        sim::unplug(h.analyzer);
        h.hid->checkTimerTick();
        sim::plug(sim::Kind::Supply);
        h.boxes.clear();
        h.boxAnswer = QMessageBox::Yes;
        h.saveAnswers << tempPath("before-supply.talvo");
        h.hid->checkTimerTick();
        QVERIFY(powerSupplyConnected);
        QCOMPARE(h.boxes.filter("Not all measurements are saved").size(), 1);
        QVERIFY(QFileInfo::exists(tempPath("before-supply.talvo")));
        QVERIFY(!QFileInfo::exists(recording));
        QCOMPARE(h.window->tabWidget()->count(), 0);
        QVERIFY(!h.window->statusTimer()->isActive());

        // Back to the analyzer: its channels open a fresh tab again.
        sim::unplug(sim::find(sim::Kind::Supply));
        h.hid->checkTimerTick();
        h.connectAnalyzer();
        QVERIFY(!powerSupplyConnected);
        QCOMPARE(h.window->tabWidget()->count(), 1);
        QCOMPARE(h.chart(0)->channelMaps.size(), 3);
        QVERIFY(h.window->statusTimer()->isActive());
    }

    // The window's texts follow the language, the View menu's items included, and in
    // Ukrainian, the longest translation, every label and button of the docks shows whole
    // at the window's default size.
    void textsFollowTheLanguageAndFit()
    {
        Harness h;
        h.connectAnalyzer();
        QMenu* view = nullptr;
        for (QMenu* menu : h.window->findChildren<QMenu*>()) {
            if (menu->title() == QStringLiteral("View"))
                view = menu;
        }
        QVERIFY(view);
        QCOMPARE(view->actions().size(), 2);

        QTranslator ukrainian;
        QVERIFY(ukrainian.load(QStringLiteral("QtLanguage_uk"), QStringLiteral(TALVO_BIN_DIR)));
        QCoreApplication::installTranslator(&ukrainian);
        // A code without a translation file leaves only the test's translator in place.
        h.window->retranslate(QStringLiteral("none"));
        QCOMPARE(view->title(), QStringLiteral("Вигляд"));
        QCOMPARE(view->actions().at(0)->text(), QStringLiteral("Стан"));
        QCOMPARE(view->actions().at(1)->text(), QStringLiteral("Керування"));

        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        QStringList clipped;
        for (QDockWidget* dock : h.window->findChildren<QDockWidget*>()) {
            dock->show();
            dock->raise();
            QCoreApplication::processEvents();
            for (QWidget* widget : dock->findChildren<QWidget*>()) {
                auto* label = qobject_cast<QLabel*>(widget);
                if ((!label && !qobject_cast<QAbstractButton*>(widget)) || !widget->isVisible())
                    continue;
                if (label && (label->wordWrap() || label->text().isEmpty()))
                    continue;
                const QSize need = widget->minimumSizeHint().expandedTo(widget->sizeHint());
                if (widget->width() < need.width())
                    clipped << QStringLiteral("%1 (%2 < %3)").arg(widget->objectName())
                                   .arg(widget->width()).arg(need.width());
            }
        }
        QCoreApplication::removeTranslator(&ukrainian);
        h.window->retranslate(QStringLiteral("none"));
        QCOMPARE(view->actions().at(0)->text(), QStringLiteral("Status"));
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(", "))));
    }

    // Qt's own texts (the standard buttons of dialogs and file choosers) follow the
    // chosen language with the window's, and return to English with it.
    void qtOwnTextsFollowTheLanguage()
    {
        const QString file = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + QStringLiteral("/qtbase_uk.qm");
        QVERIFY2(QFileInfo::exists(file),
                 qPrintable(QStringLiteral("%1 is missing: install the package %2 (scripts/bootstrap)")
                                .arg(file, QLatin1String(qtTranslationsPackage))));
        Harness h;
        h.build();
        h.window->retranslate(QStringLiteral("uk"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Скасувати"));
        QDialogButtonBox buttons(QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Скасувати"));
        h.window->retranslate(QStringLiteral("en"));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    }

    // In Ukrainian no English is left in the status-bar readout, the decimation dialog's
    // standard buttons, the About page's build date or the Update page's buttons, which
    // read like the update dialog's.
    void ukrainianLeavesNoEnglishBehind()
    {
        Harness h;
        h.build();
        QTranslator ukrainian;
        QVERIFY(ukrainian.load(QStringLiteral("QtLanguage_uk"), QStringLiteral(TALVO_BIN_DIR)));
        QCoreApplication::installTranslator(&ukrainian);
        h.window->retranslate(QStringLiteral("uk"));
        const QRegularExpression englishWord(QStringLiteral("[A-Za-z]{2,}"));

        QLabel* readout = nullptr;
        for (QLabel* label : h.window->findChildren<QLabel*>())
            if (label->text().contains(QStringLiteral("#0: --")))
                readout = label;
        QVERIFY(readout);
        const QString shown = QTextDocumentFragment::fromHtml(readout->text()).toPlainText();
        QVERIFY2(shown.contains(QStringLiteral("Час: ")) && !shown.contains(englishWord), qPrintable(shown));

        NavigationSettings decimation(defaultSwapFileHeader(), std::array<double, 3>{1, 1, 1}.data(), {});
        auto* buttons = decimation.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Скасувати"));

        OptionsDialog options(nullptr, h.window.get());
        options.setLanguages({QStringLiteral("English"), QStringLiteral("Українська")}, 1);
        const QString version = options.findChild<QLabel*>(QStringLiteral("label_VersionNumber"))->text();
        QVERIFY2(!version.contains(englishWord), qPrintable(version));
        for (const char* name : {"buttonFWUpdate", "btnUpdateFirm"})
            QCOMPARE(options.findChild<QPushButton*>(QLatin1String(name))->text(), QStringLiteral("Оновити"));
        auto* tabs = options.findChild<QTabWidget*>();
        QWidget* updatePage = options.findChild<QWidget*>(QStringLiteral("tab_2"));
        QCOMPARE(tabs->tabText(tabs->indexOf(updatePage)), QStringLiteral("Оновлення"));
        QCoreApplication::removeTranslator(&ukrainian);
        h.window->retranslate(QStringLiteral("en"));
    }

    // Zooming a value axis across a unit boundary renames the unit in its title, so the
    // numbers on the axis read right; the time axis labels its ticks relative to anchor
    // ticks that carry the absolute time, instead of dividing seconds by 1000.
    void axisTitlesFollowTheirLabels_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<double>("upper");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("topLabel");
        const QString micro = QString(QChar(microSign));
        QTest::newRow("current in uA") << 0 << 500.0 << QStringLiteral("#0: Current, %1A").arg(micro) << "500";
        QTest::newRow("current in mA") << 0 << 5000.0 << QStringLiteral("#0: Current, mA") << "5";
        QTest::newRow("current in A") << 0 << 2000000.0 << QStringLiteral("#0: Current,  A") << "2";
        QTest::newRow("voltage 1 in mV") << 1 << 800.0 << QStringLiteral("#1: Voltage, mV") << "800";
        QTest::newRow("voltage 1 in V") << 1 << 3000.0 << QStringLiteral("#1: Voltage,  V") << "3";
        QTest::newRow("voltage 2 in mV") << 2 << 500.0 << QStringLiteral("#2: Voltage, mV") << "500";
        QTest::newRow("voltage 2 in V") << 2 << 5000.0 << QStringLiteral("#2: Voltage,  V") << "5";
    }
    void axisTitlesFollowTheirLabels()
    {
        QFETCH(int, channel);
        QFETCH(double, upper);
        QFETCH(QString, title);
        QFETCH(QString, topLabel);
        Harness h;
        h.connectAnalyzer();
        QCustomPlot* plot = h.chart(0)->plot;
        QCPAxis* axis = nullptr;
        for (int i = 0; i < plot->graphCount(); ++i) {
            if (plot->graph(i)->name().startsWith(QStringLiteral("#%1:").arg(channel)))
                axis = plot->graph(i)->valueAxis();
        }
        QVERIFY(axis);
        // From the other side of the boundary first, so the title has to change.
        chartAxis(axis)->setRange(0, upper < 1000 ? upper * 10 : upper / 10);
        plot->replot();
        chartAxis(axis)->setRange(0, upper);
        plot->replot();
        QCOMPARE(axis->label(), title);
        QCOMPARE(axis->tickVectorLabels().last(), topLabel);
        for (int i = 0; i < plot->graphCount(); ++i) {
            if (plot->graph(i)->valueAxis() == axis)
                QCOMPARE(plot->graph(i)->name(), title);
        }

        QCPAxis* key = plot->xAxis;
        chartAxis(key)->setRange(1500, 1510);
        plot->replot();
        QCOMPARE(key->label(), QString());
        const QList<QString> labels = key->tickVectorLabels();
        QVERIFY(labels.contains(QStringLiteral("+1s")));
        QVERIFY(!labels.contains(QStringLiteral("1.5")));
        QVERIFY(chartAxis(key)->tickLabelMap.values().contains(formatTime(1500, true, 3)));
        chartAxis(key)->setRange(1500, 1500.5);
        plot->replot();
        QVERIFY(key->tickVectorLabels().contains(QStringLiteral("+0.05s")));
    }

    // The analyzer's channel selection survives a session with another device.
    void otherDevicesKeepTheAnalyzersChannels_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("supply") << int(sim::Kind::Supply);
        QTest::newRow("supply600") << int(sim::Kind::Supply600);
        QTest::newRow("bootloader") << int(sim::Kind::Bootloader);
    }
    void otherDevicesKeepTheAnalyzersChannels()
    {
        QFETCH(int, kind);
        {
            Harness h;
            h.connectAnalyzer();
            QCOMPARE(h.control().listWidget->count(), 3);
            h.control().comboBoxSampleRate->setCurrentIndex(3); // 1 kHz: several channels
            h.control().listWidget->item(1)->setCheckState(Qt::Unchecked);
        }
        QCOMPARE(Settings().value("Measure/channels").toString(), QStringLiteral("0,2,"));
        {
            Harness h;
            sim::plug(sim::Kind(kind));
            h.build();
            h.hid->checkTimerTick();
            h.pump(50);
            QVERIFY(h.hid->isOpen());
        }
        QCOMPARE(Settings().value("Measure/channels").toString(), QStringLiteral("0,2,"));
        Harness h;
        h.connectAnalyzer();
        QCOMPARE(h.control().listWidget->item(0)->checkState(), Qt::Checked);
        QCOMPARE(h.control().listWidget->item(1)->checkState(), Qt::Unchecked);
        QCOMPARE(h.control().listWidget->item(2)->checkState(), Qt::Checked);
    }

    void savingReplacesOnlyACompleteTarget()
    {
        Harness h;
        h.connectAnalyzer();
        record(h, 1);
        const QString target = tempPath("replace.talvo");
        {
            QFile old(target);
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("an older log");
        }
        h.saveAnswers << target;
        QVERIFY(h.window->saveTab(0));
        compareWithReceived(h, readLog(target));
        // Saved onto its own file, the log stays.
        h.saveAnswers << target;
        QVERIFY(h.window->saveTab(0));
        compareWithReceived(h, readLog(target));
    }

    // A name given without an extension gets the mode's, from a tab's save and from the
    // saves at close alike, so that the open dialog finds the log; a log already there
    // under the completed name goes only when the user says so.
    void namesWithoutAnExtensionGetTheModes()
    {
        const QString plain = tempPath("plain");
        const QString log = plain + ".talvo";
        const QString other = tempPath("other-plain");
        const QString otherLog = other + ".talvo";
        const QString atClose = tempPath("at-close-plain");
        QFile::remove(log);
        QFile::remove(otherLog);
        QFile::remove(atClose + ".talvo");
        Harness h;
        h.connectAnalyzer();
        record(h, 1);
        h.saveAnswers << plain;
        QVERIFY(h.window->saveTab(0));
        QVERIFY(!QFileInfo::exists(plain));
        compareWithReceived(h, readLog(log));
        QCOMPARE(h.window->tabWidget()->tabText(0), QStringLiteral("plain"));
        QCOMPARE(h.chart(0)->swapFile->fileName(), log);
        QVERIFY(h.boxes.isEmpty());
        const QByteArray first = readLog(log).report;

        // The next run, saved under the plain name of a log on the disk (no tab shows it):
        // kept apart when the user says no, put in place of that log when yes.
        QVERIFY(QFile::copy(log, otherLog));
        record(h, 2);
        const int run = h.window->tabWidget()->currentIndex();
        QVERIFY(run > 0);
        h.boxAnswer = QMessageBox::No;
        h.saveAnswers << other;
        QVERIFY(!h.window->saveTab(run));
        QCOMPARE(h.boxes.size(), 1);
        QVERIFY2(h.boxes.last().startsWith(QDir::toNativeSeparators(otherLog) + " already exists."),
                 qPrintable(h.boxes.last()));
        QCOMPARE(readLog(otherLog).report, first);
        QVERIFY(!h.chart(run)->keepFile);
        h.boxAnswer = QMessageBox::Yes;
        h.saveAnswers << other;
        QVERIFY(h.window->saveTab(run));
        QCOMPARE(readLog(otherLog).report,
                 QByteArray(reinterpret_cast<const char*>(&h.chart(run)->statistics), 120));
        QCOMPARE(readLog(log).report, first);

        // A name that ends in the extension's dot gets no second one.
        record(h, 1);
        h.saveAnswers << atClose + ".";
        QVERIFY(h.window->close());
        h.window.reset();
        QVERIFY(!QFileInfo::exists(atClose));
        QVERIFY(!QFileInfo::exists(atClose + "..talvo"));
        QCOMPARE(readLog(atClose + ".talvo").channelCount, 3);
    }

    void closingKeepsRecordingsThatWereNotSaved()
    {
        Harness h;
        h.connectAnalyzer();
        record(h, 1);
        const QString recording = h.chart(0)->swapFile->fileName();
        h.boxAnswer = QMessageBox::Yes; // save them
        h.saveAnswers.clear();          // ...but the save dialog is cancelled
        QVERIFY(h.window->close());
        QCOMPARE(h.boxes.filter("were not saved and are kept").size(), 1);
        h.window.reset();
        QVERIFY(QFileInfo::exists(recording));
        QFile::remove(recording);
    }

    void logsSavedAtCloseSurviveTheWindow()
    {
        Harness h;
        h.connectAnalyzer();
        record(h, 1);
        const QString saved = tempPath("at-close.talvo");
        h.boxAnswer = QMessageBox::Yes;
        h.saveAnswers << saved;
        QVERIFY(h.window->close());
        h.window.reset(); // the tabs go with the window
        compareWithReceived(h, readLog(saved));
    }

    void cancellingTheCloseKeepsTheCapture()
    {
        Harness h;
        h.connectAnalyzer();
        record(h, 1);
        h.boxAnswer = QMessageBox::Cancel;
        h.window->show();
        QVERIFY(!h.window->close());
        QCOMPARE(h.window->tabWidget()->count(), 1);
        QVERIFY(!h.chart(0)->keepFile);
    }

    void supplyLogSwitchesToSupplyMode()
    {
        // A supply log of channels 0 and 3, written as the supply road writes it.
        const QString path = tempPath("supply.vendrake");
        {
            powerSupplyConnected = true;
            SwapFile file;
            QVERIFY(file.create(path));
            file.writeHeader(2, 0x09, false, 10000, false);
            ChannelMaps maps;
            maps << ChannelMap::create() << ChannelMap::create();
            for (int i = 0; i < 30; ++i) {
                maps[0]->add(QCPGraphData(i, 12.5));
                maps[1]->add(QCPGraphData(i, 0.25));
            }
            QVERIFY(file.append(maps, false));
            ChannelStatistics statistics{};
            QVERIFY(file.writeReport(statistics));
            powerSupplyConnected = false;
        }
        Harness h;
        h.build();
        h.window->loadLog(path);
        QVERIFY(powerSupplyConnected);
        QCOMPARE(h.window->tabWidget()->count(), 1);
        QCOMPARE(h.window->tabWidget()->tabText(0), QStringLiteral("supply"));
        QCOMPARE(h.chart(0)->channelMaps.size(), 2);
        QVERIFY(h.chart(0)->channelMaps[1]->size() >= 10); // the first 10 s
        // Supply axes keep their own units: no analyzer title lands on them.
        QCustomPlot* plot = h.chart(0)->plot;
        plot->replot();
        QStringList titles;
        for (QCPAxis* axis : plot->axisRect()->axes(QCPAxis::atLeft | QCPAxis::atRight)) {
            if (qobject_cast<AxisPower*>(axis))
                titles << axis->label();
        }
        titles.sort();
        QCOMPARE(titles, QStringList({"#0: 13.8V Voltage, V", "#3: USB Current, A"}));
        h.window->on_actionLoad();
        QCOMPARE(h.dialogs.last().filter, QStringLiteral("Hollowcrest Power (*.vendrake )"));
        powerSupplyConnected = false;
    }

    // The tab of a cancelled open goes 2 s later; a run started meanwhile in a tab of
    // its own goes on.
    void cancelledOpenLeavesALaterRunAlone()
    {
        const QString path = savedLog("to-cancel.talvo");
        Harness h;
        h.connectAnalyzer();
        openCancelled(h, path);
        // The cancelled tab goes 2 s later; held here, so that however long starting the
        // run takes, the tab goes only once the run is under way.
        auto* drop = h.window->findChild<QTimer*>(QStringLiteral("cancelledOpenDrop"));
        QVERIFY(drop);
        QVERIFY(drop->isActive());
        drop->stop();

        h.start(3);
        QVERIFY(measuringActive);
        GLWidget* running = h.window->runningChart();
        QCOMPARE(h.window->tabWidget()->count(), 3);
        drop->start(0);
        QTRY_COMPARE_WITH_TIMEOUT(h.window->tabWidget()->count(), 2, 30000);
        QVERIFY(measuringActive);
        QCOMPARE(h.window->runningChart(), running);
        h.pump(500);
        h.window->on_stopButton();
        QCOMPARE(h.writtenCommands(DeviceControl::CommandStop), 1);
        QVERIFY(!running->isEmpty());
    }

    // The save dialog runs its own event loop: a tab that goes away meanwhile (here the
    // cancelled open's) is not saved, and nothing touches it afterwards.
    void tabGoneWhileItsSaveDialogIsOpen()
    {
        const QString path = savedLog("to-cancel-and-save.talvo");
        Harness h;
        h.connectAnalyzer();
        openCancelled(h, path);
        const QString target = tempPath("gone.talvo");
        setFileDialogResponder([&](const FileDialogRequest&) {
            QDeadlineTimer deadline(30000);
            while (h.window->tabWidget()->count() > 1 && !deadline.hasExpired())
                QTest::qWait(20);
            return QStringList{target};
        });
        QVERIFY(!h.window->saveTab(1));
        QCOMPARE(h.window->tabWidget()->count(), 1);
        QVERIFY(!QFileInfo::exists(target));
    }

    void unreadableLogChangesNothing()
    {
        Harness h;
        h.build();
        const QString junk = tempPath("junk.talvo");
        {
            QFile file(junk);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("short");
        }
        h.window->loadLog(junk);
        QCOMPARE(h.boxes, QStringList{"The file is corrupted or in the wrong format"});
        QCOMPARE(h.window->tabWidget()->count(), 0);
    }

    // The tab bar's group close asks before it drops a recording nobody saved.
    void groupCloseAsksForUnsavedRecordings()
    {
        Harness h;
        h.connectAnalyzer();
        record(h, 1);
        const QString recording = h.chart(0)->swapFile->fileName();
        h.window->addCaptureTab(); // a saved-state tab to the right of the recording

        h.boxAnswer = QMessageBox::Cancel;
        h.window->closeTabsAll(0);
        QCOMPARE(h.boxes.filter("Not all measurements are saved").size(), 1);
        QCOMPARE(h.window->tabWidget()->count(), 2);
        QVERIFY(QFileInfo::exists(recording));

        h.window->closeTabsRight(0); // nothing unsaved there: no question
        QCOMPARE(h.boxes.size(), 1);
        QCOMPARE(h.window->tabWidget()->count(), 1);

        h.boxAnswer = QMessageBox::Yes; // save it, but the dialog is cancelled
        h.window->closeTabsAll(0);
        QCOMPARE(h.window->tabWidget()->count(), 1);
        QVERIFY(QFileInfo::exists(recording));

        const QString saved = tempPath("group-close.talvo");
        h.saveAnswers << saved;
        h.window->closeTabsAll(0);
        compareWithReceived(h, readLog(saved));
        QCOMPARE(h.window->tabWidget()->count(), 1); // the fresh analyzer tab
        QVERIFY(h.chart(0)->keepFile);
    }

    void closingTheOnlyTabLeavesAFreshOne()
    {
        Harness h;
        h.connectAnalyzer();
        h.boxAnswer = QMessageBox::Yes;
        h.window->on_closeTab(0);
        QCOMPARE(h.window->tabWidget()->count(), 1);
        QCOMPARE(h.window->tabWidget()->tabText(0), QStringLiteral("Capture 1"));
        QVERIFY(h.window->newTabFlag());
    }

    // A closed chart tab, a closed calculator and the device object of a closed window
    // leave Qt's own watchers of their end in place: the application's style sheet, set
    // again afterwards, reaches no deleted widget, and whoever watches them hears them go.
    void closedObjectsStayKnownAsGone()
    {
        const QString sheet = QStringLiteral("QDockWidget { font-weight: bold; }");
        qApp->setStyleSheet(sheet);
        Harness h;
        h.connectAnalyzer();
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));

        h.window->openCalculator();
        QPointer<Calculator> calculator = h.window->findCalculator();
        QVERIFY(calculator);
        QSignalSpy calculatorGone(calculator.data(), &QObject::destroyed);
        calculator->close();
        QTRY_VERIFY_WITH_TIMEOUT(!calculator, 30000);
        QSignalSpy chartGone(h.chart(0), &QObject::destroyed);
        h.window->closeTab(0, true);
        // A new sheet goes over every widget the old one styled.
        qApp->setStyleSheet(sheet + QStringLiteral(" QToolBar { spacing: 2px; }"));
        QCOMPARE(calculatorGone.count(), 1);
        QCOMPARE(chartGone.count(), 1);

        QSignalSpy deviceGone(h.hid, &QObject::destroyed);
        h.window.reset();
        QCOMPARE(deviceGone.count(), 1);
        qApp->setStyleSheet(QString());
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
