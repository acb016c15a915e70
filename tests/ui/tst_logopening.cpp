#include "MainWindowHarness.h"

#include "ChartAxis.h"
#include "NavigationBar.h"
#include "ProgressDialog.h"
#include "ReportBar.h"
#include "UnitFormat.h"

#include <QDockWidget>
#include <QListWidget>
#include <QMouseEvent>

// Opening files in the main window with the simulated instruments: a log cut off before
// its end, files that cannot be shown, and what the navigation strip shows for a log, for
// the tabs around it and after the time format changes.
class TestLogOpening : public QObject
{
    Q_OBJECT
private:
    QString tempPath(const QString& name) const { return QDir::temp().absoluteFilePath(name); }
    static NavigationBar* navigationBar(Harness& h) { return h.window->findChild<NavigationBar*>("navigationBar"); }

    // A run of `seconds` on the three channels (1 kHz unless a rate index is given),
    // saved as `name`.
    QString recordAndSave(Harness& h, int seconds, const QString& name, int rateIndex = 3)
    {
        h.start(rateIndex);
        h.pump(seconds * 1000);
        h.window->on_stopButton();
        const QString path = tempPath(name);
        h.saveAnswers << path;
        return h.window->saveTab(h.window->tabWidget()->currentIndex()) ? path : QString();
    }

    static QByteArray fileBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static QString writeBytes(const QString& path, const QByteArray& bytes)
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
            return QString();
        return path;
    }

    // A header of `kind` at 1 kHz whose channel mask and listed channel numbers are given
    // apart, so that they can disagree; its channel count is the mask's.
    static SwapFileHeader headerOf(quint8 kind, quint32 mask, const QList<int>& numbers)
    {
        SwapFileHeader header = defaultSwapFileHeader(kind);
        header.samplePeriod = 10;
        const bool secondModel = kind == LogFormat::PowerSupply600;
        header.channelCount = quint8(channelsFromMask(mask, secondModel ? 32 : 8).size());
        quint8* listed = secondModel ? header.channelNumbers32 : header.channelNumbers;
        if (secondModel)
            header.channelMask32 = mask;
        else
            header.channelMask = quint8(mask);
        for (int i = 0; i < numbers.size(); ++i)
            listed[i] = quint8(numbers.at(i));
        return header;
    }

    // A log of `records` records with rising keys and a value of 1 per channel, closed by
    // an end block that agrees with them.
    static QByteArray logBytes(const SwapFileHeader& header, int records)
    {
        QByteArray bytes = encodeHeaderBlock(header, 0);
        char value[8];
        for (int r = 0; r < records; ++r) {
            writeDoubleLE(value, r * 0.001);
            bytes.append(value, 8);
            for (int c = 0; c < header.channelCount; ++c) {
                writeDoubleLE(value, 1.0);
                bytes.append(value, 8);
            }
        }
        ChannelStatistics report = freshStatistics();
        report.latestKey = (records - 1) * 0.001;
        report.count = records;
        char block[LogFormat::reportSize];
        encodeStatistics(report, block);
        return bytes.append(block, LogFormat::reportSize);
    }

    // What happens to a log while it is loaded.
    enum DuringLoad { NothingDuringLoad, ReplacedDuringLoad, CancelledDuringLoad };

    // The texts of every list item inside `panel`, in order (a supply panel's channels).
    static QStringList listedItems(QWidget* panel)
    {
        QStringList texts;
        for (QListWidget* list : panel->findChildren<QListWidget*>()) {
            for (int i = 0; i < list->count(); ++i)
                texts << list->item(i)->text();
        }
        return texts;
    }

    // Clicks the strip's time axis at time t, as the plot reports such a click.
    static void clickStripAxis(NavigationBar* bar, double t)
    {
        QCustomPlot* plot = bar->overviewPlot();
        const QPointF at(plot->xAxis->coordToPixel(t), plot->axisRect()->bottom() + 3);
        QMouseEvent event(QEvent::MouseButtonRelease, at, plot->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                          Qt::NoModifier);
        emit plot->axisClick(plot->xAxis, QCPAxis::spAxis, &event);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("LogOpeningTest"));
    }
    void init()
    {
        QFile::remove(Settings::filePath());
        Settings().setValue(QStringLiteral("Options/time-length-index"), 3);
        timeFormatMode = 1;
    }

    // A log cut off anywhere opens with its whole records, and every figure shown comes
    // from them; the user is told once. The sound log opens with its own report block.
    void cutOffLogShowsItsWholeRecords_data()
    {
        QTest::addColumn<qint64>("records");
        QTest::addColumn<int>("extraBytes");
        QTest::newRow("inside a record") << qint64(1234) << 17;
        // 24 bytes into a record the size fits a report block again: its first double is
        // then the key of a record that follows the last.
        QTest::newRow("end block lines up") << qint64(1500) << 24;
        QTest::newRow("records without end block") << qint64(2000) << 0;
    }
    void cutOffLogShowsItsWholeRecords()
    {
        QFETCH(qint64, records);
        QFETCH(int, extraBytes);
        Harness h;
        h.connectAnalyzer();
        const QString whole = recordAndSave(h, 3, QStringLiteral("whole.talvo"));
        QVERIFY(!whole.isEmpty());
        const LogContents log = readLog(whole);
        QVERIFY(log.records.size() > records);

        h.window->loadLog(whole);
        QVERIFY(h.boxes.isEmpty());
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&h.chart(1)->statistics), 120), log.report);

        QFile source(whole);
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QString cut = writeBytes(tempPath(QStringLiteral("cut.talvo")), source.read(512 + records * 32 + extraBytes));
        QVERIFY(!cut.isEmpty());
        h.window->loadLog(cut);
        QCOMPARE(h.window->tabWidget()->count(), 3);
        GLWidget* chart = h.chart(2);
        QCOMPARE(h.window->currentChart(), chart);
        QCOMPARE(h.window->tabWidget()->tabText(2), QStringLiteral("cut"));
        QCOMPARE(h.boxes, QStringList{QStringLiteral("The log was cut off before its end. Samples it holds: %1")
                                          .arg(records)});

        const double lastKey = log.records.at(records - 1).at(0);
        double maximum = 0;
        double sum = 0;
        for (qint64 k = 0; k < records; ++k) {
            maximum = std::max(maximum, log.records.at(k).at(1));
            sum += log.records.at(k).at(1);
        }
        const ChannelStatistics& shown = chart->statistics;
        QCOMPARE(shown.count, records);
        QCOMPARE(shown.latestKey, lastKey);
        QCOMPARE(shown.lowerKey, 0.0);
        QCOMPARE(shown.channel[0].maximum, maximum);
        QVERIFY(qAbs(shown.channel[0].average - sum / double(records)) < 1e-9 * maximum);
        QCOMPARE(h.window->findChild<ReportBar*>("reportBar")->fullStatistics().count, records);
        QCOMPARE(chart->swapFile->endTime(), lastKey);
        QCOMPARE(navigationBar(h)->overviewPlot()->xAxis->range().upper, lastKey);
        QCOMPARE(chart->swapFile->timeRange, QCPRange(0, lastKey));

        // The window at the end reads no further than the last whole record.
        chart->clearData();
        QVERIFY(chart->swapFile->readWindow(lastKey, 1.0, chart->channelMaps));
        QCOMPARE(chart->dataRange().upper, lastKey);
    }

    // A file that is no log, a log of a newer version, or a log whose channels its kind
    // does not have, is refused with a box before anything of the window changes. A log
    // that cannot be read once its load began (emptied or replaced by a log of the other
    // kind meanwhile) is refused with a box too, and a cancelled load says nothing; both
    // take away their tab again. In every case the mode, the title, the Control dock's
    // panel and its channel list, the channel table, the tabs and the tab shown stay as
    // they were, during an analyzer session and during a supply session alike, and the
    // analyzer still measures.
    void refusedFileLeavesTheSessionAlone_data()
    {
        QTest::addColumn<bool>("supplySession");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("during");
        QTest::addColumn<QByteArray>("replacement");
        QTest::addColumn<QString>("box");

        QList<std::tuple<const char*, QByteArray, int, QByteArray, QString>> files;
        auto refuse = [&files](const char* name, const QByteArray& bytes, const QString& box) {
            files.append({name, bytes, NothingDuringLoad, QByteArray(), box});
        };
        QByteArray text;
        while (text.size() < 1800)
            text += "Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod.\n";
        const QString corrupted = QStringLiteral("The file is corrupted or in the wrong format");
        refuse("plain text", text.left(1800), corrupted);

        SwapFileHeader newer = defaultSwapFileHeader(LogFormat::PowerSupply600);
        newer.version = 5;
        newer.channelCount = 2;
        newer.channelMask32 = 0x03;
        refuse("newer supply log", logBytes(newer, 4), "Wrong file version");

        // Listed out of order or twice, the values of one channel would be shown as another's.
        const QString wrongChannels = QStringLiteral("Wrong channels number");
        refuse("supply log of channel 200", logBytes(headerOf(LogFormat::PowerSupply, 0x01, {200}), 50),
               wrongChannels);
        refuse("supply log listing its channels backwards",
               logBytes(headerOf(LogFormat::PowerSupply, 0x09, {3, 0}), 50), wrongChannels);
        refuse("second-model log of channel 20",
               logBytes(headerOf(LogFormat::PowerSupply600, 0x00100001, {0, 20}), 50), wrongChannels);
        refuse("second-model log listing a channel twice",
               logBytes(headerOf(LogFormat::PowerSupply600, 0x03, {0, 0}), 50), wrongChannels);
        refuse("analyzer log of channel 4", logBytes(headerOf(LogFormat::Analyzer, 0x11, {0, 4}), 50),
               wrongChannels);

        // Sound logs whose header passes; what goes wrong comes once the load has begun.
        const QByteArray analyzerLog = logBytes(headerOf(LogFormat::Analyzer, 0x07, {0, 1, 2}), 2000);
        const QByteArray supplyLog = logBytes(headerOf(LogFormat::PowerSupply, 0x03, {0, 1}), 2000);
        const QByteArray secondModelLog = logBytes(headerOf(LogFormat::PowerSupply600, 0x03, {0, 1}), 2000);
        files.append({"analyzer log emptied during its load", analyzerLog, ReplacedDuringLoad, QByteArray(),
                      "File mapping error"});
        files.append({"supply log emptied during its load", supplyLog, ReplacedDuringLoad, QByteArray(),
                      "File mapping error"});
        files.append({"second-model log emptied during its load", secondModelLog, ReplacedDuringLoad,
                      QByteArray(), "File mapping error"});
        files.append({"analyzer log replaced by a supply log during its load", analyzerLog, ReplacedDuringLoad,
                      supplyLog, corrupted});
        files.append({"supply log replaced by an analyzer log during its load", supplyLog, ReplacedDuringLoad,
                      analyzerLog, wrongChannels});
        files.append({"analyzer log whose load is cancelled", analyzerLog, CancelledDuringLoad, QByteArray(),
                      QString()});

        for (const bool supplySession : {false, true}) {
            for (const auto& [name, bytes, during, replacement, box] : std::as_const(files))
                QTest::addRow("%s, %s", supplySession ? "supply" : "analyzer", name)
                    << supplySession << bytes << during << replacement << box;
        }
    }
    void refusedFileLeavesTheSessionAlone()
    {
        QFETCH(bool, supplySession);
        QFETCH(QByteArray, bytes);
        QFETCH(int, during);
        QFETCH(QByteArray, replacement);
        QFETCH(QString, box);
        Harness h;
        if (supplySession) {
            h.connectSupply();
            QVERIFY(powerSupplyConnected);
        } else {
            h.connectAnalyzer();
            h.start(3);
            h.pump(1000);
            h.window->on_stopButton();
        }
        // Two tabs at least, and the first one shown: the refusal must not move to another.
        while (h.window->tabWidget()->count() < 2)
            h.window->addCaptureTab();
        h.window->tabWidget()->setCurrentIndex(0);
        GLWidget* current = h.chart(0);
        QStringList names;
        for (int i = 0; i < current->plot->graphCount(); ++i)
            names << current->plot->graph(i)->name();
        const QString title = h.window->windowTitle();
        auto* controlDock = h.window->findChild<QDockWidget*>(QStringLiteral("dockControl"));
        QVERIFY(controlDock);
        const QPointer<QWidget> controlPanel = controlDock->widget();
        const QStringList controlChannels = listedItems(controlPanel);
        const ChannelTable table = channelTable;
        const int tabs = h.window->tabWidget()->count();

        const QString path = writeBytes(tempPath(QStringLiteral("refused.talvo")), bytes);
        QVERIFY(!path.isEmpty());
        if (during == NothingDuringLoad) {
            h.window->loadLog(path);
        } else {
            // The load's progress dialog shows once before the records are read, and again
            // while the overview is built.
            int seen = 0;
            bool acted = false;
            QTimer watcher;
            connect(&watcher, &QTimer::timeout, this, [&] {
                for (QWidget* widget : QApplication::topLevelWidgets()) {
                    auto* dialog = qobject_cast<ProgressDialog*>(widget);
                    if (!dialog || !dialog->isVisible() || acted)
                        continue;
                    ++seen;
                    if (during == ReplacedDuringLoad) {
                        acted = !writeBytes(path, replacement).isEmpty();
                    } else if (seen == 2) {
                        acted = true;
                        emit dialog->canceled();
                    }
                }
            });
            watcher.start(0);
            h.window->loadLog(path);
            watcher.stop();
            QVERIFY(acted);
            if (during == CancelledDuringLoad) {
                // The cancelled load's tab stays a moment so that the user sees what went.
                QCOMPARE(h.window->tabWidget()->count(), tabs + 1);
                auto* drop = h.window->findChild<QTimer*>(QStringLiteral("cancelledOpenDrop"));
                QVERIFY(drop);
                drop->start(0);
                QTRY_COMPARE_WITH_TIMEOUT(h.window->tabWidget()->count(), tabs, 30000);
            }
        }
        QCOMPARE(h.boxes, box.isEmpty() ? QStringList() : QStringList{box});
        QCOMPARE(h.window->tabWidget()->count(), tabs);
        QCOMPARE(h.window->currentChart(), current);
        QCOMPARE(powerSupplyConnected, supplySession);
        QVERIFY(!power600Model);
        QCOMPARE(h.window->windowTitle(), title);
        QVERIFY2(controlPanel, "the Control dock's panel was replaced");
        QCOMPARE(controlDock->widget(), controlPanel.data());
        QCOMPARE(listedItems(controlPanel), controlChannels);
        QCOMPARE(channelTable.keys(), table.keys());
        QStringList after;
        for (int i = 0; i < current->plot->graphCount(); ++i)
            after << current->plot->graph(i)->name();
        QCOMPARE(after, names);
        if (!supplySession) {
            h.start(3);
            QVERIFY(measuringActive);
            GLWidget* running = h.window->runningChart();
            QVERIFY(running);
            h.pump(100);
            h.window->on_stopButton();
            QVERIFY(!running->isEmpty());
        }
    }

    // The strip keeps each tab's overview apart: a run in a new tab leaves the log's
    // overview whole and clickable.
    void stripKeepsEachTabsOverview()
    {
        Harness h;
        h.connectAnalyzer();
        const QString path = recordAndSave(h, 3, QStringLiteral("overview.talvo"));
        QVERIFY(!path.isEmpty());
        h.window->loadLog(path);
        GLWidget* opened = h.chart(1);
        NavigationBar* bar = navigationBar(h);
        QCOMPARE(bar->swapFile(), opened->swapFile);
        const QVector<double> keys = [bar] {
            QVector<double> k;
            for (const QCPGraphData& p : *bar->overviewPlot()->graph(0)->data())
                k << p.key;
            return k;
        }();
        QVERIFY(keys.size() >= 2);
        QVERIFY(keys.last() > 2.9);

        h.start(3);
        QCOMPARE(h.window->tabWidget()->count(), 3);
        h.pump(500);
        h.window->on_stopButton();

        h.window->tabWidget()->setCurrentIndex(1);
        QCOMPARE(bar->swapFile(), opened->swapFile);
        QCOMPARE(opened->swapFile->overview->size(), keys.size());
        QCOMPARE(bar->overviewPlot()->graph(0)->data()->size(), keys.size());
        QVERIFY(bar->controlsEnabled());
        QSignalSpy clicked(bar, &NavigationBar::navigationClicked);
        clickStripAxis(bar, 2.0);
        QCOMPARE(clicked.count(), 1);
        QVERIFY(opened->dataRange().upper > 2.9);
    }

    // Closing a log leaves its overview neither on the strip of a tab that has recorded
    // nothing nor answering clicks there.
    void freshTabShowsAnEmptyStrip()
    {
        QString path;
        {
            Harness recorder;
            recorder.connectAnalyzer();
            path = recordAndSave(recorder, 2, QStringLiteral("closed.talvo"));
        }
        QVERIFY(!path.isEmpty());
        Harness h;
        h.connectAnalyzer();
        GLWidget* fresh = h.chart(0);
        QVERIFY(fresh->swapFile->fileName().isEmpty());
        h.window->loadLog(path);
        QCOMPARE(h.window->tabWidget()->count(), 2);
        NavigationBar* bar = navigationBar(h);
        QVERIFY(bar->overviewPlot()->graph(0)->data()->size() >= 2);

        h.boxAnswer = QMessageBox::Yes;
        h.window->on_closeTab(1);
        QCOMPARE(h.window->tabWidget()->count(), 1);
        GLWidget* shown = h.window->currentChart();
        QVERIFY(shown && shown->swapFile->fileName().isEmpty());
        QCOMPARE(bar->swapFile(), shown->swapFile);
        QVERIFY(bar->overviewPlot()->graph(0)->data()->isEmpty());
        QCOMPARE(bar->overviewPlot()->xAxis->range(), QCPRange(0, 10));
        bar->enableControls();
        QSignalSpy clicked(bar, &NavigationBar::navigationClicked);
        clickStripAxis(bar, 1.0);
        QCOMPARE(clicked.count(), 0);
    }

    // Saving an opened log under another name copies it: the file opened stays where it
    // is, the tab goes on with the copy, and the other tabs that show the log keep
    // reading it when dragged. A tab whose file then goes from the disk says so once and
    // keeps the points it shows.
    void savingAnOpenedLogLeavesItsFile()
    {
        Harness h;
        h.connectAnalyzer();
        const QString path = recordAndSave(h, 30, QStringLiteral("opened.talvo"));
        QVERIFY(!path.isEmpty());
        const QByteArray bytes = fileBytes(path);
        h.window->loadLog(path);
        h.window->loadLog(path);
        QCOMPARE(h.window->tabWidget()->count(), 3);

        const QString copy = tempPath(QStringLiteral("copy2.talvo"));
        QFile::remove(copy);
        h.saveAnswers << copy;
        QVERIFY(h.window->saveTab(1));
        QCOMPARE(h.window->statusBar()->currentMessage(), QStringLiteral("Saved"));
        QCOMPARE(fileBytes(path), bytes);
        QCOMPARE(fileBytes(copy), bytes);
        QCOMPARE(h.chart(1)->swapFile->fileName(), copy);
        QCOMPARE(h.window->tabWidget()->tabText(1), QStringLiteral("copy2"));

        // Every tab reads its window after a drag: the saved capture and the other
        // opened tab from the file opened, the saved one from its copy.
        for (int tab : {0, 2, 1}) {
            h.window->tabWidget()->setCurrentIndex(tab);
            h.window->on_rangeBorderReached(15, 25);
            h.window->on_mouseRelease(nullptr);
            const QCPRange read = h.chart(tab)->dataRange();
            QVERIFY2(read.lower > 14.9 && read.upper > 24.9,
                     qPrintable(QStringLiteral("tab %1: %2..%3").arg(tab).arg(read.lower).arg(read.upper)));
        }

        // A file another tab reads from is not replaced under it.
        h.saveAnswers << copy;
        QVERIFY(!h.window->saveTab(0));
        QCOMPARE(h.window->statusBar()->currentMessage(),
                 QStringLiteral("Couldn't save file it is open in the tab copy2"));
        QCOMPARE(h.chart(0)->swapFile->fileName(), path);
        QCOMPARE(fileBytes(copy), bytes);

        QVERIFY(QFile::remove(copy));
        GLWidget* orphan = h.chart(1);
        const QCPRange shown = orphan->dataRange();
        h.window->on_rangeBorderReached(2, 12);
        h.window->on_mouseRelease(nullptr);
        const QString gone = QStringLiteral("The file %1 no longer exists").arg(QDir::toNativeSeparators(copy));
        QCOMPARE(h.window->statusBar()->currentMessage(), gone);
        QCOMPARE(orphan->dataRange(), shown);
        h.window->statusBar()->clearMessage();
        h.window->on_navigationClicked(5);
        QCOMPARE(h.window->statusBar()->currentMessage(), QString());
        QCOMPARE(orphan->dataRange(), shown);
    }

    // A change of the time format shows on the strip's time axis at once.
    void stripFollowsTheTimeFormat()
    {
        Harness h;
        h.connectAnalyzer();
        h.window->resize(900, 700);
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        const QString path = recordAndSave(h, 70, QStringLiteral("long.talvo"), 9); // 10 Hz
        QVERIFY(!path.isEmpty());
        h.window->loadLog(path);
        NavigationBar* bar = navigationBar(h);
        ChartAxis* axis = chartAxis(bar->overviewPlot()->xAxis);
        QVERIFY(axis);
        QStringList labels;
        connect(axis, &ChartAxis::axisUnitChanged, this,
                [&labels](QCPAxis*, int, QList<double>&, QList<QString>& shown) { labels = shown; });
        bar->refreshButton()->click();
        QVERIFY(bar->overviewPlot()->xAxis->range().upper > 69);
        QVERIFY(!labels.isEmpty());
        QVERIFY2(!labels.join(' ').contains(':'), qPrintable(labels.join(' ')));

        // From a minute on, the native format reads minutes and seconds.
        labels.clear();
        timeFormatMode = 2;
        h.window->on_timeFormatChanged();
        QVERIFY2(labels.join(' ').contains(':'), qPrintable(labels.join(' ')));
        timeFormatMode = 1;
    }
};

QTEST_MAIN(TestLogOpening)
#include "tst_logopening.moc"
