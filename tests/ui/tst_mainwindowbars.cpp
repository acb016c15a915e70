#include "MainWindowHarness.h"

#include "MarkerBar.h"
#include "MarkerLine.h"
#include "NavigationBar.h"
#include "RangeStatistics.h"
#include "ReportBar.h"
#include "UnitFormat.h"

#include <QDockWidget>
#include <QLabel>
#include <QPushButton>
#include <QResizeEvent>
#include <QWheelEvent>

// The bars around the chart in the main window, with the simulated analyzer: markers on
// a capture tab, the report and navigation bars of a reopened log, and a window that has
// lost its last tab.
class TestMainWindowBars : public QObject
{
    Q_OBJECT
private:
    QString tempPath(const QString& name) const { return QDir::temp().absoluteFilePath(name); }

    static MarkerBar* markerBar(Harness& h) { return h.window->findChild<MarkerBar*>("markerBar"); }
    static ReportBar* reportBar(Harness& h) { return h.window->findChild<ReportBar*>("reportBar"); }
    static NavigationBar* navigationBar(Harness& h) { return h.window->findChild<NavigationBar*>("navigationBar"); }
    static QAction* reportAction(Harness& h) { return h.window->findChild<QAction*>("actionReport"); }
    static QAction* markersAction(Harness& h) { return h.window->findChild<QAction*>("actionMarkers"); }

    // Each of the two actions says what a click on it does, and a click does it.
    static void checkBarActions(Harness& h)
    {
        struct Pair
        {
            QWidget* bar;
            QAction* action;
            QString show;
            QString hide;
        };
        for (const Pair& p : {Pair{reportBar(h), reportAction(h), QStringLiteral("Show Report"), QStringLiteral("Hide Report")},
                              Pair{markerBar(h), markersAction(h), QStringLiteral("Show Markers"), QStringLiteral("Hide Markers")}}) {
            for (int click = 0; click < 2; ++click) {
                const bool shown = !p.bar->isHidden();
                QCOMPARE(p.action->text(), shown ? p.hide : p.show);
                p.action->trigger();
                QCOMPARE(!p.bar->isHidden(), !shown);
            }
        }
    }

    // The columns of the plot's picture in which a marker's line runs: at least half of
    // the plotting area's height in exactly that colour (the lines are drawn without
    // antialiasing, nothing else on the chart has the colour).
    static QList<int> lineColumns(QCustomPlot* plot, const QColor& colour)
    {
        const QImage picture = plot->grab().toImage();
        const QRect area = plot->axisRect()->rect();
        QList<int> columns;
        for (int x = area.left(); x <= area.right(); ++x) {
            int hits = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                hits += picture.pixelColor(x, y) == colour ? 1 : 0;
            if (hits * 2 >= area.height())
                columns << x;
        }
        return columns;
    }

    // Connects the analyzer and shows the window at 900 x 700; false when it never shows.
    static bool showWindow(Harness& h)
    {
        h.connectAnalyzer();
        h.window->resize(900, 700);
        h.window->show();
        return QTest::qWaitForWindowExposed(h.window.get());
    }

    // A run of `seconds` at 1 kHz.
    static void record(Harness& h, int seconds)
    {
        h.start(3);
        h.pump(seconds * 1000);
        h.window->on_stopButton();
    }

    // A run of `seconds` at 1 kHz, with the report bar shown.
    static ReportBar* recordAndShowReport(Harness& h, int seconds)
    {
        record(h, seconds);
        ReportBar* report = reportBar(h);
        if (report->isHidden())
            reportAction(h)->trigger();
        return report;
    }

    // A run of `seconds` at 1 kHz, saved as `name`.
    QString recordAndSave(Harness& h, int seconds, const QString& name)
    {
        record(h, seconds);
        const QString path = tempPath(name);
        h.saveAnswers << path;
        return h.window->saveTab(h.window->tabWidget()->currentIndex()) ? path : QString();
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("MainWindowBarsTest"));
    }
    void init()
    {
        QFile::remove(Settings::filePath());
        Settings().setValue(QStringLiteral("Options/time-length-index"), 3);
    }

    void markersOnACaptureTab()
    {
        {
            Harness h;
            QVERIFY(showWindow(h));
            MarkerBar* bar = markerBar(h);
            GLWidget* chart = h.chart(0);
            QCOMPARE(bar->markerCount(), 2);
            int lines = 0;
            for (int i = 0; i < chart->plot->itemCount(); ++i)
                lines += qobject_cast<MarkerLine*>(chart->plot->item(i)) ? 1 : 0;
            QCOMPARE(lines, 1);

            // While a run goes the markers are inert and show dashes.
            bar->show();
            h.start(3);
            QCOMPARE(bar->statusText(), QStringLiteral("T1: --, T2: --, dT: --   "));
            h.pump(2000);
            h.window->on_stopButton();

            // Dragged along the chart's time axis after the run.
            Marker* t1 = bar->marker(0);
            QCPAxis* key = chart->plot->xAxis;
            QSignalSpy moved(bar, &MarkerBar::markerMoved);
            const int target = int(key->coordToPixel(key->range().lower + key->range().size() * 0.25));
            QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(int(t1->x) + 13, 12));
            QTest::mouseMove(bar, QPoint(target, 12));
            QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(target, 12));
            QCOMPARE(moved.count(), 1);
            QCOMPARE(t1->x, double(target));
            QCOMPARE(t1->time, key->pixelToCoord(target));

            // Scrolling the chart keeps the tag and changes its time.
            key->setRange(key->range().lower + 0.5, key->range().upper + 0.5);
            QCOMPARE(t1->x, double(target));
            QCOMPARE(t1->time, key->pixelToCoord(target));
        }
        // The window keeps the markers' places for the next start.
        QVERIFY(Settings().contains(QStringLiteral("Main/marker-1")));
        QVERIFY(Settings().contains(QStringLiteral("Main/marker-2")));
        QCOMPARE(Settings().value(QStringLiteral("Main/marker-color")).toString(), QStringLiteral("#000000"));
    }

    // Whatever moves or resizes the chart's plotting area, each marker's line on the
    // chart, its tag in the strip and the time the strip prints stay together: the line
    // runs at the pixel of the marker's time and the tag sits at that pixel.
    void markersStayOnTheirLines_data()
    {
        QTest::addColumn<QString>("action");
        for (const char* action : {"resize window", "viewing interval", "record a run", "zoom with the wheel",
                                   "drag the time axis", "switch tabs after a resize", "show report bar",
                                   "hide report bar", "hide Control dock", "undock Control dock"})
            QTest::newRow(action) << QString::fromLatin1(action);
    }
    void markersStayOnTheirLines()
    {
        QFETCH(QString, action);
        Harness h;
        QVERIFY(showWindow(h));
        MarkerBar* bar = markerBar(h);
        markersAction(h)->trigger();
        QVERIFY(!bar->isHidden());
        const QColor colours[] = {QColor(17, 201, 93), QColor(201, 17, 93)};
        for (int i = 0; i < 2; ++i)
            bar->marker(i)->color = colours[i];
        const auto plainLines = [&h] {
            for (int i = 0; i < h.window->tabWidget()->count(); ++i)
                h.chart(i)->plot->setNotAntialiasedElements(QCP::aeAll);
        };
        plainLines();
        if (action != QLatin1String("record a run"))
            record(h, 3);
        if (action == QLatin1String("switch tabs after a resize")) {
            const QString path = tempPath(QStringLiteral("markers.talvo"));
            h.saveAnswers << path;
            QVERIFY(h.window->saveTab(0));
            h.window->loadLog(path);
            QCOMPARE(h.window->tabWidget()->count(), 2);
        }
        if (action == QLatin1String("hide report bar"))
            reportAction(h)->trigger();
        plainLines();
        QCoreApplication::processEvents();

        QCustomPlot* plot = h.window->currentPlot();
        QCPAxis* key = plot->xAxis;
        auto* control = h.window->findChild<QDockWidget*>(QStringLiteral("dockControl"));
        QVERIFY(control);
        if (action == QLatin1String("resize window")) {
            h.window->resize(700, 560);
        } else if (action == QLatin1String("viewing interval")) {
            h.window->on_comboboxShowAllTimeAcivated(0);
        } else if (action == QLatin1String("record a run")) {
            record(h, 2);
        } else if (action == QLatin1String("zoom with the wheel")) {
            const QPointF at = plot->axisRect()->rect().center();
            QWheelEvent wheel(at, plot->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                              Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(plot, &wheel);
        } else if (action == QLatin1String("drag the time axis")) {
            key->moveRange(-0.5);
            plot->replot(QCustomPlot::rpQueuedReplot);
        } else if (action == QLatin1String("switch tabs after a resize")) {
            h.window->resize(760, 600);
            QCoreApplication::processEvents();
            h.window->tabWidget()->setCurrentIndex(0);
        } else if (action.endsWith(QLatin1String("report bar"))) {
            reportAction(h)->trigger();
        } else if (action == QLatin1String("hide Control dock")) {
            control->hide();
        } else if (action == QLatin1String("undock Control dock")) {
            control->setFloating(true);
        }
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();

        plot = h.window->currentPlot();
        key = plot->xAxis;
        for (int i = 0; i < 2; ++i) {
            const Marker* m = bar->marker(i);
            const double pixel = key->coordToPixel(m->time);
            QVERIFY2(std::fabs(m->x - pixel) < 0.01,
                     qPrintable(QStringLiteral("%1: tag at %2, its time at %3").arg(m->name).arg(m->x).arg(pixel)));
            QCOMPARE(m->shape.boundingRect().left(), m->x + 5);
            const QList<int> columns = lineColumns(plot, colours[i]);
            QVERIFY2(!columns.isEmpty(), qPrintable(m->name + QStringLiteral(": no line on the chart")));
            for (int column : columns)
                QVERIFY2(std::fabs(column - pixel) <= 1,
                         qPrintable(QStringLiteral("%1: line at %2, its time at %3").arg(m->name).arg(column).arg(pixel)));
        }
    }

    void reopenedLogNavigates()
    {
        Harness h;
        h.connectAnalyzer();
        const QString path = recordAndSave(h, 25, QStringLiteral("navigate.talvo"));
        QVERIFY(!path.isEmpty());
        h.window->loadLog(path);
        GLWidget* chart = h.chart(1);
        QCOMPARE(h.window->currentChart(), chart);

        NavigationBar* navigation = navigationBar(h);
        QVERIFY(!navigation->isHidden());
        QCOMPARE(navigation->swapFile(), chart->swapFile);
        QVERIFY(navigation->controlsEnabled());
        QVERIFY(navigation->overviewPlot()->graph(0)->data()->size() >= 2);
        QVERIFY(navigation->overviewPlot()->xAxis->range().upper > 24.9);

        // The report bar shows the log's stored statistics.
        ReportBar* report = reportBar(h);
        QCOMPARE(report->fullStatistics().count, chart->statistics.count);
        QVERIFY(report->findChild<QLabel*>("labelMax1")->text() != QStringLiteral("0"));

        // A click at 20.7 s loads the window around 20 s and shows it, as wide as before.
        const double width = chart->plot->xAxis->range().size();
        emit navigation->navigationClicked(20.7);
        const QCPRange loaded = chart->dataRange();
        QVERIFY2(loaded.lower > 14.9 && loaded.lower < 15.1, qPrintable(QString::number(loaded.lower)));
        QVERIFY(loaded.upper > 24.9);
        const QCPRange shown = chart->plot->xAxis->range();
        QVERIFY(qAbs(shown.center() - 20) < 0.01);
        QVERIFY(qAbs(shown.size() - width) < 0.01);

        // Back on the first tab the bar shows that tab's record.
        h.window->tabWidget()->setCurrentIndex(0);
        QCOMPARE(navigation->swapFile(), h.chart(0)->swapFile);
    }

    // After the instrument is set up again the report and markers actions still say what
    // they do: the report bar starts hidden, the marker bar comes back as the user left it,
    // also after a restart.
    void barActionsAfterSetUpAgain_data()
    {
        QTest::addColumn<QString>("setUp");
        QTest::newRow("reconnected") << QStringLiteral("reconnected");
        QTest::newRow("log opened") << QStringLiteral("log opened");
        QTest::newRow("restarted") << QStringLiteral("restarted");
    }
    void barActionsAfterSetUpAgain()
    {
        QFETCH(QString, setUp);
        {
            Harness h;
            h.connectAnalyzer();
            h.window->show();
            QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
            const QString log = recordAndSave(h, 2, QStringLiteral("setup.talvo"));
            QVERIFY(!log.isEmpty());
            QVERIFY(markerBar(h)->isHidden());
            markersAction(h)->trigger();
            reportAction(h)->trigger();
            QVERIFY(!markerBar(h)->isHidden());
            QVERIFY(!reportBar(h)->isHidden());
            QCOMPARE(Settings().value(QStringLiteral("Main/markers_bar")).toBool(), true);
            if (setUp == QLatin1String("reconnected")) {
                sim::unplug(h.analyzer);
                h.hid->checkTimerTick();
                h.connectAnalyzer();
            } else if (setUp == QLatin1String("log opened")) {
                h.window->loadLog(log);
                QCOMPARE(h.window->tabWidget()->count(), 2);
            }
            if (setUp != QLatin1String("restarted")) {
                QVERIFY(!markerBar(h)->isHidden());
                QVERIFY(reportBar(h)->isHidden());
                checkBarActions(h);
                return;
            }
        }
        Harness h;
        h.connectAnalyzer();
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        QVERIFY(!markerBar(h)->isHidden());
        QVERIFY(reportBar(h)->isHidden());
        checkBarActions(h);
        markersAction(h)->trigger();
        QVERIFY(markerBar(h)->isHidden());
        QCOMPARE(Settings().value(QStringLiteral("Main/markers_bar")).toBool(), false);
    }

    // A click on the navigation strip shows a window whose first sample time carries a
    // rounding (44.000000000000007 s): the time axis still counts its labels from the
    // whole tens of seconds, so the tick at 45 s reads +5s, not the +9s of a nine-second
    // grid.
    void navigationClickKeepsTimeLabels()
    {
        Harness h;
        QVERIFY(showWindow(h));
        record(h, 60);
        GLWidget* chart = h.chart(0);
        emit navigationBar(h)->navigationClicked(49.4);
        chart->plot->replot();
        QCPAxis* key = chart->plot->xAxis;
        QVERIFY(qAbs(key->range().lower - 44) < 1e-6);
        const QList<double> ticks = key->tickVector();
        const QList<QString> labels = key->tickVectorLabels();
        QCOMPARE(labels.size(), ticks.size());
        bool found = false;
        for (int i = 0; i < ticks.size(); ++i) {
            if (qAbs(ticks[i] - 45) < 1e-9) {
                QCOMPARE(labels[i], QStringLiteral("+5s"));
                found = true;
            }
            // Every relative label counts from a tick at a whole ten seconds.
            if (labels[i].startsWith(QLatin1Char('+'))) {
                const double offset = labels[i].mid(1).chopped(1).toDouble();
                const double anchor = ticks[i] - offset;
                QVERIFY2(qAbs(anchor - 10 * std::round(anchor / 10)) < 1e-9,
                         qPrintable(QStringLiteral("%1 at %2").arg(labels[i]).arg(ticks[i])));
            }
        }
        QVERIFY(found);
    }

    // The report's window heading follows a change of the time format at once, as the
    // chart's title and the marker strip do.
    void timeFormatReachesTheReport()
    {
        Harness h;
        QVERIFY(showWindow(h));
        ReportBar* report = recordAndShowReport(h, 70);
        auto* frame = report->findChild<QLabel*>("labelFrame");
        QVERIFY2(frame->text().endsWith(QStringLiteral("s")), qPrintable(frame->text()));
        timeFormatMode = 2;
        h.window->on_timeFormatChanged();
        const QString clock = frame->text();
        timeFormatMode = 1;
        QVERIFY2(clock.contains(QStringLiteral("1:0")) && !clock.endsWith(QStringLiteral("s")), qPrintable(clock));
    }

    // A language change keeps the report's figures: the bar does not fall back to zeros
    // for a tab that has values.
    void languageChangeKeepsTheReport()
    {
        Harness h;
        QVERIFY(showWindow(h));
        ReportBar* report = recordAndShowReport(h, 12);
        auto* maximum = report->findChild<QLabel*>("labelMax1");
        const QString before = maximum->text();
        QVERIFY(before != QStringLiteral("0") && before != QStringLiteral("0.0"));
        h.window->retranslate(QStringLiteral("en"));
        QCOMPARE(maximum->text(), before);
    }

    void windowWithoutTabs()
    {
        Harness h;
        QVERIFY(showWindow(h));
        recordAndSave(h, 2, QStringLiteral("last.talvo"));
        markerBar(h)->show();
        reportBar(h)->show();
        reportBar(h)->updateReport(h.window->currentChart(), true);

        // In supply mode closing all tabs leaves none: the bars outlive the tab's plot,
        // chart and swap file.
        powerSupplyConnected = true;
        h.boxAnswer = QMessageBox::Yes;
        h.window->closeTabsAll(0);
        QCOMPARE(h.window->tabWidget()->count(), 0);

        MarkerBar* markers = markerBar(h);
        const Marker first = *markers->marker(0);
        const Marker second = *markers->marker(1);
        h.window->resize(700, 600);
        QCoreApplication::processEvents();

        // Without a plot the markers keep their places and times, a drag moves nothing,
        // and the tool tip holds only the length.
        markers->on_sizeChanged();
        QCOMPARE(markers->marker(0)->x, first.x);
        QCOMPARE(markers->marker(0)->time, first.time);
        QCOMPARE(markers->marker(1)->time, second.time);
        QVERIFY2(markers->statusText().startsWith(QStringLiteral("T1: ") + formatTime(first.time, true, 2)),
                 qPrintable(markers->statusText()));
        markers->updateToolTip();
        const QString length =
            QStringLiteral("Length: ") + distanceText(std::fabs(first.time - second.time)) + QLatin1Char('\n');
        QCOMPARE(markers->toolTipText(), length);
        QHoverEvent hover(QEvent::HoverEnter, markers->textRect().center(), markers->textRect().center(),
                          markers->textRect().center());
        QApplication::sendEvent(markers, &hover);
        QCOMPARE(markers->toolTipText(), length);
        QTest::mousePress(markers, Qt::LeftButton, {}, QPoint(int(first.x) + 13, 12));
        QTest::mouseMove(markers, QPoint(20, 12));
        QTest::mouseRelease(markers, Qt::LeftButton, {}, QPoint(20, 12));
        QCOMPARE(markers->marker(0)->x, first.x);

        // Theme, colours and language still reach the bars.
        emit h.window->changeColorTheme(true);
        QCOMPARE(markers->marker(0)->textColor, QColor(Qt::white));
        h.window->on_changeColors();
        ReportBar* report = reportBar(h);
        const QString maximum = report->findChild<QLabel*>("labelMax1")->text();
        const QString frame = report->findChild<QLabel*>("labelFrame")->text();
        QVERIFY(maximum != QStringLiteral("0"));
        // The language change writes the figures the bar holds again.
        h.window->retranslate(QStringLiteral("en"));
        QCOMPARE(report->findChild<QLabel*>("labelMax1")->text(), maximum);
        QCOMPARE(report->findChild<QLabel*>("labelFrame")->text(), frame);
        // Without a chart the report keeps what it shows; its records start afresh, so
        // that a language change then leaves the form's own texts.
        report->updateReport(h.window->currentChart(), true);
        QCOMPARE(report->findChild<QLabel*>("labelMax1")->text(), maximum);
        h.window->retranslate(QStringLiteral("en"));
        QCOMPARE(report->findChild<QLabel*>("labelMax1")->text(), QStringLiteral("0"));
        QCOMPARE(report->findChild<QLabel*>("labelFrame")->text(), QStringLiteral("0.00-10.00,s"));

        // The strip has no file left: its buttons and a click do nothing.
        NavigationBar* navigation = navigationBar(h);
        QCOMPARE(navigation->swapFile(), nullptr);
        const int boxes = h.boxes.size();
        navigation->enableControls();
        navigation->refreshButton()->click();
        navigation->settingsButton()->click();
        navigation->clear();
        emit navigation->navigationClicked(1.0);
        QCOMPARE(h.window->tabWidget()->count(), 0);
        QCOMPARE(h.boxes.size(), boxes);
        QVERIFY(!h.window->grab().isNull());
        powerSupplyConnected = false;
    }
};

QTEST_MAIN(TestMainWindowBars)
#include "tst_mainwindowbars.moc"
