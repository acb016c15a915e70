#include "ChartAxis.h"
#include "ChartNavigation.h"
#include "ChartPlot.h"
#include "DrawnTexts.h"
#include "InputDialogs.h"
#include "MainWindowHarness.h"
#include "NavigationBar.h"
#include "UnitFormat.h"

#include <QComboBox>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>

// The main window's answers to what the user does on a chart and in the tool bar, with
// the simulated analyzer: gestures past the loaded records read the swap file, double
// clicks fit or reset axes, the tool bar follows the window's state and language.
class TestChartInteraction : public QObject
{
    Q_OBJECT
private:
    // A 30 s run at 1 kHz, stopped: the chart holds the last 10 s window, [20, 30].
    void record30s(Harness& h)
    {
        h.connectAnalyzer();
        h.start(3);
        QVERIFY(measuringActive);
        h.pump(30000);
        h.window->on_stopButton();
        QVERIFY(!measuringActive);
        h.window->resize(1200, 800);
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        h.chart(0)->plot->replot();
    }

    // The tool bar's items, over both of its rows.
    static QList<QAction*> toolBarActions(Harness& h)
    {
        QList<QAction*> actions;
        for (QToolBar* bar : h.window->findChildren<QToolBar*>())
            actions << bar->actions();
        return actions;
    }
    template<typename T>
    static QList<T*> toolBarWidgets(Harness& h)
    {
        QList<T*> widgets;
        for (QToolBar* bar : h.window->findChildren<QToolBar*>())
            widgets << bar->findChildren<T*>();
        return widgets;
    }

    static QAction* action(Harness& h, const QString& text)
    {
        for (QAction* a : toolBarActions(h))
            if (a->text() == text)
                return a;
        return nullptr;
    }

    static int xOf(QCustomPlot* plot, double key) { return int(plot->xAxis->coordToPixel(key)); }

    // The window with the analyzer, in the given time format, shown at the size it opens with.
    static void openInTimeFormat(Harness& h, int mode)
    {
        h.connectAnalyzer();
        timeFormatMode = mode;
        h.window->on_timeFormatChanged();
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("ChartInteractionTest"));
    }
    void init()
    {
        QFile::remove(Settings::filePath());
        Settings().setValue(QStringLiteral("Options/time-length-index"), 3);
        timeFormatMode = 1;
    }
    void cleanup() { timeFormatMode = 1; }

    // The time axis's start label reads the time at the axis's left end and stands there,
    // and no label under the time axis is drawn over another, in the window as it opens.
    void timeAxisStartLabel_data()
    {
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::addColumn<int>("mode");
        QTest::newRow("50 to 60 s") << 50.0 << 60.0 << 1;
        // A hair under 10 s wide: the ticks then start at 45 s.
        QTest::newRow("50 to 60 s, a hair narrower") << 50.00005 << 60.0 << 1;
        QTest::newRow("47.3 to 57.3 s") << 47.3 << 57.3 << 1;
        QTest::newRow("25 to 35 s") << 25.0 << 35.0 << 1;
        QTest::newRow("zoomed below a second") << 12.3456 << 12.7891 << 1;
        QTest::newRow("from 0") << 0.0 << 10.0 << 1;
        QTest::newRow("clock time") << 3725.5 << 3735.5 << 2;
        QTest::newRow("clock time across a minute") << 55.0 << 65.0 << 2;
    }
    void timeAxisStartLabel()
    {
        QFETCH(double, lower);
        QFETCH(double, upper);
        QFETCH(int, mode);
        Harness h;
        openInTimeFormat(h, mode);
        if (QTest::currentTestFailed())
            return;
        QCustomPlot* plot = h.chart(0)->plot;
        ChartAxis* key = chartAxis(plot->xAxis);
        QVERIFY(key);
        key->setRange(lower, upper);
        plot->replot();

        const QString start = key->startArrow() + formatTime(lower, true, 3);
        QCOMPARE(key->tickLabelMap.value(-1), start);
        const QRect rect = plot->axisRect()->rect();
        const QList<DrawnText> labels = textsBelow(drawnTexts(plot), rect.bottom());
        const QString shown = describe(labels);
        const auto drawnStart = std::find_if(labels.begin(), labels.end(),
                                             [&start](const DrawnText& t) { return t.text == start; });
        QVERIFY2(drawnStart != labels.end(), qPrintable(shown));
        QVERIFY2(std::abs(drawnStart->box.left() - rect.left()) <= 1.0, qPrintable(shown));
        QVERIFY2(overlappingPair(labels).isEmpty(), qPrintable(shown));
    }

    // The navigation strip's time labels never run into each other, in the window as it
    // opens and narrower, and a row reads in one format: once one label needs the clock
    // form, all of them take it.
    void navigationStripLabels_data()
    {
        QTest::addColumn<double>("length");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("narrowing"); // pixels taken off the window's width
        QTest::addColumn<int>("atLeast");   // labels that fit
        QTest::newRow("40 s") << 40.0 << 1 << 0 << 2;
        QTest::newRow("2 hours in seconds") << 7300.0 << 1 << 0 << 2;
        QTest::newRow("125 s in clock time") << 125.0 << 2 << 0 << 2;
        QTest::newRow("2 hours in clock time") << 7300.0 << 2 << 0 << 2;
        QTest::newRow("125 s in clock time, narrower") << 125.0 << 2 << 200 << 1;
        QTest::newRow("2 hours in seconds, narrower") << 7300.0 << 1 << 200 << 1;
    }
    void navigationStripLabels()
    {
        QFETCH(double, length);
        QFETCH(int, mode);
        QFETCH(int, narrowing);
        QFETCH(int, atLeast);
        Harness h;
        openInTimeFormat(h, mode);
        if (QTest::currentTestFailed())
            return;
        if (narrowing > 0) {
            const int before = h.window->width();
            h.window->resize(before - narrowing, h.window->height());
            QTRY_VERIFY_WITH_TIMEOUT(h.window->width() < before, 30000);
        }
        auto* bar = h.window->findChild<NavigationBar*>();
        QVERIFY(bar);
        QCustomPlot* plot = bar->overviewPlot();
        ChartAxis* key = chartAxis(plot->xAxis);
        QVERIFY(key);
        key->setRange(0, length);
        plot->replot();

        const QList<DrawnText> labels = textsBelow(drawnTexts(plot), plot->axisRect()->rect().bottom());
        const int clockForms = int(std::count_if(labels.begin(), labels.end(), [](const DrawnText& t) {
            return t.text.contains(QLatin1Char(':'));
        }));
        const QString shown = QStringLiteral("width %1: ").arg(plot->width()) + describe(labels);
        QVERIFY2(labels.size() >= atLeast, qPrintable(shown));
        QVERIFY2(overlappingPair(labels).isEmpty(), qPrintable(shown));
        QVERIFY2(clockForms == 0 || clockForms == labels.size(), qPrintable(shown));
        QCOMPARE(clockForms > 0, mode == 2 && length > 60);
    }

    // Dragging the time axis past the loaded records reads the window the drag asked
    // for once the mouse is let go; zooming out past them reads around the zoom.
    void dragAndWheelReadFromTheSwapFile()
    {
        Harness h;
        record30s(h);
        GLWidget* chart = h.chart(0);
        QCustomPlot* plot = chart->plot;
        const double start = chart->dataRange().lower; // the last 10 s of the record
        QVERIFY(std::fabs(start - 20) < 0.01);
        QCOMPARE(plot->xAxis->range().lower, start);

        const int y = plot->axisRect()->bottom() + 6;
        const QPoint press(xOf(plot, 25), y);
        const QPoint to(xOf(plot, 32), y); // the range would start 7 s earlier
        QTest::mousePress(plot, Qt::LeftButton, Qt::NoModifier, press);
        QTest::mouseMove(plot, QPoint(xOf(plot, 28), y));
        QTest::mouseMove(plot, to);
        QCOMPARE(plot->xAxis->range().lower, start); // refused while dragging
        QTest::mouseRelease(plot, Qt::LeftButton, Qt::NoModifier, to);
        QVERIFY2(std::fabs(chart->dataRange().lower - (start - 7)) < 0.01,
                 qPrintable(QString::number(chart->dataRange().lower)));
        QVERIFY(std::fabs(plot->xAxis->range().lower - (start - 7)) < 0.01);
        QVERIFY(std::fabs(plot->xAxis->range().size() - 10) < 0.01);

        // Asking for keys below 0 goes to the start.
        h.window->on_rangeBorderReached(-4, 6);
        h.window->on_mouseRelease(nullptr);
        QCOMPARE(chart->dataRange().lower, 0.0);
        QCOMPARE(plot->xAxis->range().lower, 0.0);
        QVERIFY(std::fabs(plot->xAxis->range().upper - 10) < 0.01);

        // One wheel step out near the right edge of [0, 10] asks for keys past 10.
        plot->replot();
        const QPointF at(xOf(plot, 9), plot->axisRect()->center().y());
        QWheelEvent wheel(at, plot->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(plot, &wheel);
        // The zoom asks for about [-1.6, 10.2]; at least the viewing interval is read.
        QVERIFY(chart->dataRange().upper > 11.5);
        QCOMPARE(plot->xAxis->range().lower, 0.0);
        QVERIFY(plot->xAxis->range().upper > 10.15);

        // While measuring the wheel does nothing.
        const QCPRange before = plot->xAxis->range();
        measuringActive = true;
        QApplication::sendEvent(plot, &wheel);
        measuringActive = false;
        QCOMPARE(plot->xAxis->range(), before);
    }

    void axisDoubleClicks_data()
    {
        QTest::addColumn<double>("windowCentre"); // where the loaded window lies
        QTest::addColumn<int>("axisType");
        QTest::addColumn<double>("clickKey");
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::newRow("time at 3 s") << 5.0 << int(QCPAxis::atBottom) << 3.0 << 0.0 << 10.0;
        QTest::newRow("time at 25 s") << 25.0 << int(QCPAxis::atBottom) << 25.0 << 20.0 << 30.0;
        QTest::newRow("voltage axis") << 25.0 << int(QCPAxis::atRight) << 25.0 << -100.0 << 5500.0;
    }
    void axisDoubleClicks()
    {
        QFETCH(double, windowCentre);
        QFETCH(int, axisType);
        QFETCH(double, clickKey);
        QFETCH(double, lower);
        QFETCH(double, upper);
        Harness h;
        record30s(h);
        QCustomPlot* plot = h.chart(0)->plot;
        h.window->on_navigationClicked(windowCentre);
        QCPAxis* axis = plot->axisRect()->axis(QCPAxis::AxisType(axisType));
        axis->setRange(axis->range().lower + 1, axis->range().upper - 1);
        const QPointF at(plot->xAxis->coordToPixel(clickKey), plot->axisRect()->bottom() + 6);
        QMouseEvent click(QEvent::MouseButtonDblClick, at, plot->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        emit plot->axisDoubleClick(axis, QCPAxis::spAxis, &click);
        // The last sample of the record lies just before 30 s.
        QVERIFY2(std::fabs(axis->range().lower - lower) < 0.01, qPrintable(QString::number(axis->range().lower)));
        QVERIFY2(std::fabs(axis->range().upper - upper) < 0.01, qPrintable(QString::number(axis->range().upper)));
    }

    // The current axis fits the visible values; a graph double click refits it and puts
    // the voltage axes back to their full span.
    void valueAxesFitOnDoubleClick()
    {
        Harness h;
        record30s(h);
        QCustomPlot* plot = h.chart(0)->plot;
        QCPAxis* current = plot->graph(0)->valueAxis();
        QCPAxis* voltage = plot->graph(1)->valueAxis();
        QVERIFY(qobject_cast<Axis*>(current));
        const QCPRange fitted =
            chartAxis(current)->adjustRange(valueRangeOf(plot->graph(0)->data().data(), plot->xAxis->range()));
        current->setRange(fitted.lower - 100, fitted.upper * 3);
        voltage->setRange(0, 10);
        emit plot->plottableDoubleClick(plot->graph(0), 0, nullptr);
        QCOMPARE(current->range(), fitted);
        QCOMPARE(voltage->range(), QCPRange(-100, 5500));
        current->setRange(fitted.lower - 100, fitted.upper * 3);
        emit plot->axisDoubleClick(current, QCPAxis::spAxis, nullptr);
        QCOMPARE(current->range(), fitted);
    }

    // The pointer left of the first point reads the first sample; the cursor line
    // stands at its time.
    void readoutSnapsToTheRecords()
    {
        Harness h;
        record30s(h);
        GLWidget* chart = h.chart(0);
        QCustomPlot* plot = chart->plot;
        const double first = chart->channelMaps.first()->constBegin()->key;
        const QPointF at(plot->axisRect()->left() - 20, plot->axisRect()->center().y());
        QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        emit plot->mouseMove(&move);
        QString text;
        for (QLabel* l : h.window->statusBar()->findChildren<QLabel*>())
            if (l->text().contains(QStringLiteral("#0: ")))
                text = l->text();
        QVERIFY2(text.contains(formatTime(first, true, 3)) || text.contains(formatTime(first, true, 2)), qPrintable(text));
        QVERIFY(!text.contains(QStringLiteral("#0: --")));
        QVERIFY(text.contains(QStringLiteral("A")));
        const QCPGraph* cursor = plot->graph(plot->graphCount() - 1);
        QCOMPARE(cursor->data()->size(), 2);
        QCOMPARE(cursor->data()->constBegin()->key, first);

        // A new time format: the time written in the old one is no readout either.
        QLabel* label = h.readoutLabel();
        QVERIFY(label);
        timeFormatMode = 2;
        h.window->on_timeFormatChanged();
        timeFormatMode = 1;
        QVERIFY2(label->text().contains(QLatin1String("Time:  --")), qPrintable(label->text()));
        h.window->on_timeFormatChanged();

        // Another tab shown: the values of this one are no readout of it.
        emit plot->mouseMove(&move);
        QVERIFY(!label->text().contains(QLatin1String("#0: --")));
        h.window->addCaptureTab();
        for (const char* none : {"#0: --", "#1: --", "#2: --", "Time:  --"})
            QVERIFY2(label->text().contains(QLatin1String(none)), qPrintable(label->text()));
    }

    // The supply readout names each listed channel with its unit, and a log that lists
    // more channels than the chart holds maps for reads only those it has. Supply axes
    // keep their titles on range changes whichever supply flag is set.
    void supplyReadout()
    {
        const QString path = QDir::temp().absoluteFilePath(QStringLiteral("readout.vendrake"));
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
            QVERIFY(file.writeReport(ChannelStatistics{}));
            powerSupplyConnected = false;
        }
        Harness h;
        h.build();
        h.window->loadLog(path);
        QVERIFY(powerSupplyConnected);
        h.window->resize(1200, 800);
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        GLWidget* chart = h.chart(0);
        QCustomPlot* plot = chart->plot;
        plot->replot();
        auto readout = [&] { return h.readoutAt(chart, 4.2); };
        QString text = readout();
        QVERIFY2(text.contains(QStringLiteral("#0: 12.")) && text.contains(QStringLiteral("#3: 0.")), qPrintable(text));
        QVERIFY2(text.contains(QRegularExpression(QStringLiteral("#0: 12\\.[0-9]*V"))), qPrintable(text));

        chart->channelMaps.removeLast();
        text = readout();
        QVERIFY(text.contains(QStringLiteral("#0: ")));
        QVERIFY(!text.contains(QStringLiteral("#3: ")));

        // A colour change empties the readout, and a supply's empty readout names none of
        // the analyzer's channels.
        QLabel* label = h.readoutLabel();
        QVERIFY(label);
        h.window->on_changeColors();
        QVERIFY2(label->text().endsWith(QStringLiteral("Time: --")), qPrintable(label->text()));
        QVERIFY(!label->text().contains(QStringLiteral("#0")));
        readout();
        h.window->addCaptureTab();
        QVERIFY2(label->text().endsWith(QStringLiteral("Time: --")), qPrintable(label->text()));

        powerSupplyConnected = false;
        power600Model = true;
        for (QCPAxis* axis : plot->axisRect()->axes(QCPAxis::atLeft | QCPAxis::atRight)) {
            if (!qobject_cast<AxisPower*>(axis))
                continue;
            const QString title = axis->label();
            h.window->on_rangeChanged(QCPRange(0, 5000), axis->range(), axis);
            QCOMPARE(axis->label(), title);
        }
        power600Model = false;
    }

    void toolBarEnabledStates_data()
    {
        QTest::addColumn<bool>("on");
        QTest::addColumn<bool>("keep");
        QTest::newRow("off") << false << false;
        QTest::newRow("off, Open and Settings kept") << false << true;
        QTest::newRow("on") << true << false;
        QTest::newRow("on, Open and Settings kept") << true << true;
    }
    void toolBarEnabledStates()
    {
        QFETCH(bool, on);
        QFETCH(bool, keep);
        Harness h;
        h.connectAnalyzer(); // the analyzer's items shown
        h.window->setToolBarEnabled(!on, !keep);
        h.window->setToolBarEnabled(on, keep);
        for (const char* text : {"Save", "Show ", "Show Report", "Show Markers", "Calculator"}) {
            QVERIFY2(action(h, text), text);
            QVERIFY2(action(h, text)->isEnabled() == on, text);
        }
        for (const char* text : {"Open", "Settings"})
            QCOMPARE(action(h, text)->isEnabled(), on || keep);
        const QList<QComboBox*> combos = toolBarWidgets<QComboBox>(h);
        QCOMPARE(combos.size(), 2);
        for (QComboBox* combo : combos)
            QCOMPARE(combo->isEnabled(), on);
        for (QLabel* label : toolBarWidgets<QLabel>(h))
            if (label->text().startsWith(QStringLiteral("Measuring time")))
                QCOMPARE(label->isEnabled(), on);
    }

    // A notice of each kind at most once in 24 hours, however often it is reported.
    void updateNoticesAtMostOnceADay()
    {
        Harness h;
        h.build();
        qint64 now = 1700000000000;
        h.window->setClock([&now] { return now; });
        QStatusBar* bar = h.window->statusBar();
        const QString firmware = QStringLiteral("A new firmware version is available. Go to Settings to update.");
        const QString software = QStringLiteral("A new software version is available. Go to Settings to update.");

        h.window->on_newFWAvailable(false);
        QVERIFY(bar->currentMessage().isEmpty());
        h.window->on_newFWAvailable(true);
        QCOMPARE(bar->currentMessage(), firmware);
        bar->clearMessage();
        now += 86400000; // not more than a day
        h.window->on_newFWAvailable(true);
        QVERIFY(bar->currentMessage().isEmpty());
        h.window->on_newSWAvailable(true); // its own day
        QCOMPARE(bar->currentMessage(), software);
        bar->clearMessage();
        now += 1;
        h.window->on_newFWAvailable(true);
        QCOMPARE(bar->currentMessage(), firmware);
        QCOMPARE(Settings().value(QStringLiteral("Update/fw_notify_time")).toLongLong(), now);
    }

    // The time of the last notice as a clock that ran ahead or an edited file left it:
    // a time to come, or none, does not keep the notices away.
    void updateNoticeAfterAStoredTimeThatCannotBe_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<bool>("shown");
        const qint64 now = 1700000000000;
        QTest::newRow("an hour ago") << QVariant(now - 3600000) << false;
        QTest::newRow("two days ago") << QVariant(now - 2 * 86400000LL) << true;
        QTest::newRow("in a year") << QVariant(now + 365 * 86400000LL) << true;
        QTest::newRow("in a minute") << QVariant(now + 60000) << true;
        QTest::newRow("no number") << QVariant(QStringLiteral("soon")) << true;
    }
    void updateNoticeAfterAStoredTimeThatCannotBe()
    {
        QFETCH(QVariant, stored);
        QFETCH(bool, shown);
        Settings().setValue(QStringLiteral("Update/sw_notify_time"), stored);
        Harness h;
        h.build();
        const qint64 now = 1700000000000;
        h.window->setClock([now] { return now; });
        h.window->on_newSWAvailable(true);
        QCOMPARE(!h.window->statusBar()->currentMessage().isEmpty(), shown);
        QCOMPARE(Settings().value(QStringLiteral("Update/sw_notify_time")).toLongLong(),
                 shown ? now : stored.toLongLong());
        Settings().remove(QStringLiteral("Update/sw_notify_time"));
    }

    // Every text of the tool bar follows the language and comes back with English.
    void toolBarTextsFollowTheLanguage()
    {
        Harness h;
        h.build();
        auto texts = [&h] {
            QStringList all;
            for (QAction* a : toolBarActions(h)) {
                if (!a->isSeparator() && !a->text().isEmpty())
                    all << a->text();
                if (!a->toolTip().isEmpty() && a->toolTip() != a->text())
                    all << a->toolTip();
            }
            for (QLabel* label : toolBarWidgets<QLabel>(h))
                all << label->text();
            for (QToolButton* button : toolBarWidgets<QToolButton>(h))
                if (!button->text().isEmpty())
                    all << button->text();
            for (QComboBox* combo : toolBarWidgets<QComboBox>(h))
                all << combo->itemText(combo->count() - 1) << combo->toolTip();
            all.removeDuplicates();
            return all;
        };
        const QStringList english = texts();
        QVERIFY(english.contains(QStringLiteral("Custom: 10")));
        QVERIFY(english.contains(QStringLiteral("Measuring time,sec ")));

        QTranslator ukrainian;
        QVERIFY(ukrainian.load(QStringLiteral("QtLanguage_uk"), QStringLiteral(TALVO_BIN_DIR)));
        QCoreApplication::installTranslator(&ukrainian);
        h.window->retranslate(QStringLiteral("none"));
        const QStringList translated = texts();
        QCoreApplication::removeTranslator(&ukrainian);
        h.window->retranslate(QStringLiteral("none"));

        QStringList unchanged;
        for (const QString& text : english)
            if (translated.contains(text))
                unchanged << text;
        QVERIFY2(unchanged.isEmpty(), qPrintable(unchanged.join(QStringLiteral(" | "))));
        QCOMPARE(texts(), english);
    }

    // Closing names a tab by index: one outside the tabs closes nothing.
    void closingOutsideTheTabs()
    {
        Harness h;
        h.connectAnalyzer();
        for (int i = 0; i < 3; ++i)
            h.window->addCaptureTab();
        QTabWidget* tabs = h.window->tabWidget();
        QCOMPARE(tabs->count(), 4);
        h.window->on_closeTab(-1);
        h.window->closeTab(-1, true);
        h.window->closeTab(4, true);
        h.window->closeTabsRight(-1);
        h.window->closeTabsLeft(-1);
        QCOMPARE(tabs->count(), 4);
        QCOMPARE(h.boxes.size(), 0);

        const QString third = tabs->tabText(2);
        h.window->closeTabsLeft(2);
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(0), third);
        h.window->closeTabsRight(0);
        QCOMPARE(tabs->count(), 1);
        QCOMPARE(tabs->tabText(0), third);
        // The last tab closed: a fresh one in analyzer mode, none in a supply mode.
        h.window->closeTab(0, true);
        QCOMPARE(tabs->count(), 1);
        QVERIFY(h.window->newTabFlag());
        powerSupplyConnected = true;
        h.window->closeTab(0, true);
        QCOMPARE(tabs->count(), 0);
        powerSupplyConnected = false;
    }

    // The viewing interval: a custom value is asked for and stored; a cancelled question
    // keeps the interval and its entry; a changed interval reads a window that wide.
    void viewingIntervalChoices()
    {
        Harness h;
        record30s(h);
        QComboBox* combo = nullptr;
        for (QComboBox* c : toolBarWidgets<QComboBox>(h))
            if (c->count() == 8)
                combo = c;
        QVERIFY(combo);
        std::optional<int> answer;
        QList<IntegerRequest> asked;
        setIntegerResponder([&](const IntegerRequest& request) {
            asked << request;
            return answer;
        });
        h.window->on_comboboxShowAllTimeAcivated(7);
        QCOMPARE(h.window->viewingInterval(), 10);
        QCOMPARE(combo->currentIndex(), 0);
        QCOMPARE(Settings().value(QStringLiteral("Options/showall-length-index"), 0).toInt(), 0);
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].minimum, 10);
        QCOMPARE(asked[0].maximum, 1800);

        answer = 20;
        h.window->on_comboboxShowAllTimeAcivated(7);
        QCOMPARE(h.window->viewingInterval(), 20);
        QCOMPARE(combo->itemText(7), QStringLiteral("Custom: 20"));
        const QCPRange data = h.chart(0)->dataRange();
        QVERIFY2(data.size() > 19.9, qPrintable(QString::number(data.size())));
        QCOMPARE(h.chart(0)->plot->xAxis->range(), data);

        h.window->on_comboboxShowAllTimeAcivated(2);
        QCOMPARE(h.window->viewingInterval(), 60);
        QCOMPARE(Settings().value(QStringLiteral("Options/showall-length-sec")).toInt(), 60);
        setIntegerResponder(nullptr);
    }
};

QTEST_MAIN(TestChartInteraction)
#include "tst_chartinteraction.moc"
