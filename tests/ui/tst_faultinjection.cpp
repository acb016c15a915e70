#include "FileSizeLimit.h"
#include "MainWindowHarness.h"

#include "PowerPanel.h"
#include "ui_PowerPanel.h"

#include <QStatusBar>

// Faults around a supply run: the disk filling, the supply unplugged, a save whose
// rename fails and a settings file that cannot be written. Whatever happens, every
// sample that arrived reaches the saved log, and the window says what went wrong.
class TestFaultInjection : public QObject
{
    Q_OBJECT
private:
    QString tempPath(const QString& name) const { return QDir::temp().absoluteFilePath(name); }

    // The USB current rises 0.01 A per 10 ms, so each sample's value tells its time.
    static double signal(int channel, double t) { return channel == 3 ? 0.5 + t : 12.5; }

    // A supply plugged in, its output on, logging channels 0 and 3 at 100 Hz.
    static int startSupplyRun(Harness& h)
    {
        sim::setSupplyOutput(true);
        sim::setSupplySignal(&signal);
        const int supply = sim::plug(sim::Kind::Supply);
        h.build();
        h.hid->checkTimerTick();
        h.pump(50);
        PowerPanel* panel = h.window->powerPanel();
        panel->pollPowerState();
        h.pump(10);
        panel->form()->listWidget->item(0)->setCheckState(Qt::Checked);
        panel->form()->listWidget->item(3)->setCheckState(Qt::Checked);
        panel->form()->comboBoxSampleRate->setCurrentIndex(3);
        panel->form()->btnStart->click();
        return supply;
    }

    static void stopSupplyRun(Harness& h)
    {
        h.window->powerPanel()->form()->btnStop->click();
        h.pump(10);
        QVERIFY(!measuringActive);
    }

    // Every record of a saved supply log, in order with no sample missing: record i is
    // sample i, dated i × 10 ms, with the value the supply measured at that time.
    static void verifyEverySample(const QString& path, int atLeast)
    {
        const LogContents log = readLog(path);
        QCOMPARE(log.channelCount, 2);
        QVERIFY2(log.records.size() >= atLeast, qPrintable(QString::number(log.records.size())));
        for (int i = 0; i < log.records.size(); ++i) {
            QCOMPARE(log.records[i][0], i * 0.01);
            QVERIFY2(std::abs(log.records[i][2] - (0.5 + i * 0.01)) < 1e-9, qPrintable(QString::number(i)));
        }
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("FaultInjectionTest"));
    }
    void init()
    {
        QDir(Settings::filePath()).removeRecursively();
        QFile::remove(Settings::filePath());
        Settings().setValue(QStringLiteral("Options/time-length-index"), 3);
    }

    // The disk fills while the run goes on: the status bar says so, the unwritten
    // samples wait in the chart, and once there is room the saved log has them all.
    void fullDiskDuringASupplyRun()
    {
        Harness h;
        startSupplyRun(h);
        QVERIFY(measuringActive);
        GLWidget* chart = h.chart(0);
        h.pump(12000);
        QVERIFY(chart->swapFile->recordsWritten() > 0);

        FileSizeLimit fullDisk(QFileInfo(chart->swapFile->fileName()).size());
        const qint64 before = chart->swapFile->recordsWritten();
        h.pump(3000);
        QCOMPARE(chart->swapFile->recordsWritten(), before);
        QCOMPARE(h.window->statusBar()->currentMessage(), MainWindow::swapFileErrorText(6));
        fullDisk.lift();

        h.pump(2000);
        stopSupplyRun(h);
        const QString path = tempPath(QStringLiteral("full-disk.vendrake"));
        h.saveAnswers << path;
        QVERIFY(h.window->saveTab(0));
        verifyEverySample(path, 1700);
    }

    // The supply is pulled out mid-run: the run ends with what arrived, the window
    // says the device went, and the capture saves complete.
    void supplyUnpluggedDuringARun()
    {
        Harness h;
        const int supply = startSupplyRun(h);
        h.pump(3000);
        sim::unplug(supply);
        h.hid->checkTimerTick();
        h.pump(10);
        QVERIFY(!measuringActive);
        QCOMPARE(h.window->statusBar()->currentMessage(), QStringLiteral("Device disconnected"));

        const QString path = tempPath(QStringLiteral("unplugged.vendrake"));
        h.saveAnswers << path;
        QVERIFY(h.window->saveTab(0));
        verifyEverySample(path, 290);
        QCOMPARE(readLog(path).report.size(), 120);
    }

    // The replacement of a save fails (a folder stands where the log should go): the
    // save says why, the capture stays whole in its own swap file (not in a hidden file
    // beside the target), and a second save has it all.
    void failedRenameKeepsTheCapture()
    {
        Harness h;
        startSupplyRun(h);
        h.pump(2000);
        stopSupplyRun(h);
        GLWidget* chart = h.chart(0);
        const QString swap = chart->swapFile->fileName();
        const int recorded = int(readLog(swap).records.size());

        const QString blocked = tempPath(QStringLiteral("blocked.vendrake"));
        QVERIFY(QDir().mkpath(blocked + QStringLiteral("/inside")));
        h.saveAnswers << blocked;
        QVERIFY(!h.window->saveTab(0));
        QVERIFY(h.window->statusBar()->currentMessage().startsWith(QStringLiteral("Couldn't save file ")));
        QVERIFY(QFileInfo(blocked).isDir());
        QCOMPARE(chart->swapFile->fileName(), swap);
        QCOMPARE(readLog(swap).records.size(), recorded);
        QCOMPARE(QDir::temp().entryList({QStringLiteral("*.part")}, QDir::Hidden | QDir::Files), QStringList());

        const QString path = tempPath(QStringLiteral("after-rename.vendrake"));
        h.saveAnswers << path;
        QVERIFY(h.window->saveTab(0));
        verifyEverySample(path, recorded);
        QCOMPARE(readLog(path).records.size(), recorded);
    }

    // The settings file cannot be written (a folder stands in its place): a run and its
    // save go on as always, and the failed write is reported, not passed over.
    void unwritableSettingsLoseNothing()
    {
        QFile::remove(Settings::filePath());
        QVERIFY(QDir().mkpath(Settings::filePath() + QStringLiteral("/inside")));
        Harness h;
        startSupplyRun(h);
        h.pump(1500);
        stopSupplyRun(h);

        const QString path = tempPath(QStringLiteral("no-settings.vendrake"));
        h.saveAnswers << path;
        QTest::ignoreMessage(QtWarningMsg,
                             qPrintable(QStringLiteral("Settings could not be written to %1").arg(Settings::filePath())));
        QVERIFY(h.window->saveTab(0));
        verifyEverySample(path, 140);
        QDir(Settings::filePath()).removeRecursively();
    }
};

QTEST_MAIN(TestFaultInjection)
#include "tst_faultinjection.moc"
