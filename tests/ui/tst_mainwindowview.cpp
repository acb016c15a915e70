#include "MainWindowHarness.h"

#include "ChartAxis.h"
#include "InputDialogs.h"
#include "MarkerBar.h"
#include "MarqueeLabel.h"
#include "ReportBar.h"
#include "UnitFormat.h"

#include <QComboBox>
#include <QDockWidget>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QTranslator>

#include <tuple>

// What the window's tool bar and status bar show with the simulated analyzer: the custom
// measuring time, the time format and language of the time axis, the View menu's docks
// and the values under the pointer.
class TestMainWindowView : public QObject
{
    Q_OBJECT
private:
    // The tool bar's box with that many entries: 5 for the measuring time, 8 for the
    // viewing interval.
    static QComboBox* toolBarCombo(Harness& h, int entries)
    {
        for (QToolBar* bar : h.window->findChildren<QToolBar*>())
            for (QComboBox* combo : bar->findChildren<QComboBox*>())
                if (combo->count() == entries)
                    return combo;
        return nullptr;
    }
    static QComboBox* measuringTimeCombo(Harness& h) { return toolBarCombo(h, 5); }
    // An entry picked from the box's list, as a click does it.
    static void choose(QComboBox* box, int index)
    {
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    static QAction* viewAction(Harness& h, const QString& text)
    {
        for (QMenu* menu : h.window->findChildren<QMenu*>())
            for (QAction* action : menu->actions())
                if (action->text() == text)
                    return action;
        return nullptr;
    }
    static QDockWidget* dock(Harness& h, const char* name) { return h.window->findChild<QDockWidget*>(name); }
    static QString valueLabel(Harness& h)
    {
        for (QLabel* label : h.window->statusBar()->findChildren<QLabel*>())
            if (label->text().contains(QStringLiteral("Time: ")))
                return label->text();
        return QString();
    }
    static void showWindow(Harness& h)
    {
        h.window->resize(1200, 800);
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
    }

    // What puts a message on the status line.
    enum class StatusEvent { Connected, RefusedStart, SwapFileFailure, SaveRefused, Measuring };

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("MainWindowViewTest"));
    }
    void init()
    {
        QFile::remove(Settings::filePath());
        timeFormatMode = 1;
    }
    void cleanup()
    {
        setIntegerResponder(nullptr);
        timeFormatMode = 1;
    }

    // "Custom" asks for the measuring time, a run stops after it, a cancelled question
    // keeps the limit, and the next start offers and uses the stored value.
    void customMeasuringTime()
    {
        {
            Harness h;
            h.connectAnalyzer();
            QComboBox* combo = measuringTimeCombo(h);
            QVERIFY(combo);
            std::optional<int> answer = 3;
            QList<IntegerRequest> asked;
            setIntegerResponder([&](const IntegerRequest& request) {
                asked << request;
                return answer;
            });
            h.window->on_comboboxTimeAcivated(4);
            QCOMPARE(asked.size(), 1);
            QCOMPARE(asked[0].value, 10);
            QCOMPARE(asked[0].minimum, 1);
            QCOMPARE(h.window->measuringTimeLimit(), 3);
            QCOMPARE(combo->itemText(4), QStringLiteral("Custom: 3"));
            QCOMPARE(Settings().value(QStringLiteral("Options/serie-length-sec")).toInt(), 3);
            QCOMPARE(Settings().value(QStringLiteral("Options/time-length-index")).toInt(), 4);

            h.start(3);
            for (int i = 0; i < 500 && measuringActive; ++i)
                h.pump(10);
            QVERIFY(!measuringActive);
            const double end = h.chart(0)->swapFile->endTime();
            QVERIFY2(end >= 2.99 && end < 3.2, qPrintable(QString::number(end)));

            // A cancelled question keeps the limit and the stored value.
            answer.reset();
            h.window->on_comboboxTimeAcivated(4);
            QCOMPARE(asked.size(), 2);
            QCOMPARE(asked[1].value, 3);
            QCOMPARE(h.window->measuringTimeLimit(), 3);
            QCOMPARE(Settings().value(QStringLiteral("Options/serie-length-sec")).toInt(), 3);

            // A fixed entry replaces the limit; Custom asks again with the stored value.
            h.window->on_comboboxTimeAcivated(3);
            QCOMPARE(h.window->measuringTimeLimit(), -1);
            answer = 5;
            h.window->on_comboboxTimeAcivated(4);
            QCOMPARE(asked.last().value, 3);
            QCOMPARE(h.window->measuringTimeLimit(), 5);
            QCOMPARE(Settings().value(QStringLiteral("Options/serie-length-sec")).toInt(), 5);
        }
        Harness h;
        h.build();
        QCOMPARE(measuringTimeCombo(h)->currentIndex(), 4);
        QCOMPARE(measuringTimeCombo(h)->itemText(4), QStringLiteral("Custom: 5"));
        QCOMPARE(h.window->measuringTimeLimit(), 5);
    }

    // Cancelling the question of a box's "Custom" entry changes nothing: the box shows
    // the entry chosen before, that entry stays the stored one, and the next run uses
    // its value (the measuring time ends the run, the viewing interval is the width
    // shown after it), also after a restart.
    void cancelledCustomValueKeepsThePreviousChoice_data()
    {
        QTest::addColumn<bool>("measuringTime"); // else the viewing interval
        QTest::addColumn<int>("previous");
        QTest::addColumn<int>("storedCustom");
        QTest::addColumn<int>("value"); // of the previous entry
        QTest::newRow("measuring time: infinity, custom 10") << true << 3 << 10 << -1;
        QTest::newRow("measuring time: 100, custom 60") << true << 1 << 60 << 100;
        QTest::newRow("measuring time: 10, custom 60") << true << 0 << 60 << 10;
        QTest::newRow("viewing interval: 60, custom 20") << false << 2 << 20 << 60;
        QTest::newRow("viewing interval: 10, custom 30") << false << 0 << 30 << 10;
    }
    void cancelledCustomValueKeepsThePreviousChoice()
    {
        QFETCH(bool, measuringTime);
        QFETCH(int, previous);
        QFETCH(int, storedCustom);
        QFETCH(int, value);
        const int entries = measuringTime ? 5 : 8;
        const int custom = entries - 1;
        const QString indexKey =
            measuringTime ? QStringLiteral("Options/time-length-index") : QStringLiteral("Options/showall-length-index");
        Settings().setValue(measuringTime ? QStringLiteral("Options/serie-length-sec")
                                          : QStringLiteral("Options/showall-length-sec"),
                            storedCustom);
        if (!measuringTime)
            Settings().setValue(QStringLiteral("Options/time-length-index"), 3); // runs end by Stop
        int asked = 0;
        setIntegerResponder([&](const IntegerRequest&) {
            ++asked;
            return std::optional<int>();
        });
        const auto chosen = [&](Harness& h) {
            return measuringTime ? h.window->measuringTimeLimit() : h.window->viewingInterval();
        };
        QString previousText;
        {
            Harness h;
            h.connectAnalyzer();
            QComboBox* box = toolBarCombo(h, entries);
            QVERIFY(box);
            choose(box, previous);
            previousText = box->currentText();
            choose(box, custom);
            QCOMPARE(asked, 1);
            QCOMPARE(box->currentIndex(), previous);
            QCOMPARE(box->currentText(), previousText);
            QCOMPARE(Settings().value(indexKey).toInt(), previous);
            QCOMPARE(chosen(h), value);

            h.start(3);
            QVERIFY(measuringActive);
            if (measuringTime) {
                // Long enough for the custom value to have ended the run.
                const int horizonMs = (storedCustom + 5) * 1000;
                for (int t = 0; t < horizonMs && measuringActive; t += 100)
                    h.pump(100);
                if (value > 0 && value * 1000 < horizonMs) {
                    QVERIFY(!measuringActive);
                    const double end = h.chart(0)->swapFile->endTime();
                    QVERIFY2(end >= value - 0.01 && end < value + 0.2, qPrintable(QString::number(end)));
                } else {
                    QVERIFY(measuringActive);
                    h.window->on_stopButton();
                }
            } else {
                h.pump(40000);
                h.window->on_stopButton();
                const double width = h.chart(0)->dataRange().size();
                QVERIFY2(qAbs(width - qMin(value, 40)) < 0.5, qPrintable(QString::number(width)));
            }
            QVERIFY(!measuringActive);
        }
        Harness h;
        h.build();
        QComboBox* box = toolBarCombo(h, entries);
        QCOMPARE(box->currentIndex(), previous);
        QCOMPARE(box->currentText(), previousText);
        QCOMPARE(chosen(h), value);
    }

    // The time axis's anchors follow the time format, its title follows the language,
    // and its start label's arrow is one the axis's font can draw.
    void timeFormatAndLanguageOfTheTimeAxis()
    {
        Harness h;
        h.connectAnalyzer();
        showWindow(h);
        h.start(3);
        h.pump(2000);
        h.window->on_stopButton();
        QCustomPlot* plot = h.chart(0)->plot;
        auto* key = qobject_cast<ChartAxis*>(plot->xAxis);
        QVERIFY(key);
        key->setRangeMax(1000);
        key->setRange(120, 130);
        plot->replot();
        const QString start = key->tickLabelMap.value(-1);
        QCOMPARE(start.mid(1), formatTime(120, true, 3));
        const uint arrow = start.toUcs4().value(0);
        QVERIFY2(arrow == '<' || QFontMetrics(key->labelFont()).inFontUcs4(arrow), qPrintable(QString::number(arrow, 16)));

        // The change relabels the axis at once: the anchors row takes the title's place.
        timeFormatMode = 2;
        h.window->on_timeFormatChanged();
        QCOMPARE(key->tickLabelMap.value(-1), QString(QChar(arrow)) + formatTime(120, true, 3));
        QVERIFY(key->tickLabelMap.value(-1) != start);
        // The title a language change gives the axis, as the next replot finds it.
        QStringList titles;
        connect(plot, &QCustomPlot::beforeReplot, this, [&titles, key] { titles << key->label(); });
        h.window->retranslate(QStringLiteral("en"));
        QVERIFY2(titles.contains(QStringLiteral("Time: ")), qPrintable(titles.join(QLatin1Char('|'))));

        timeFormatMode = 1;
        h.window->on_timeFormatChanged();
        QCOMPARE(key->tickLabelMap.value(-1), start);

        QTranslator ukrainian;
        QVERIFY(ukrainian.load(QStringLiteral("QtLanguage_uk"), QStringLiteral(TALVO_BIN_DIR)));
        QCoreApplication::installTranslator(&ukrainian);
        titles.clear();
        h.window->retranslate(QStringLiteral("none"));
        QVERIFY2(titles.contains(QStringLiteral("Час, с: ")), qPrintable(titles.join(QLatin1Char('|'))));
        QCoreApplication::removeTranslator(&ukrainian);
        titles.clear();
        h.window->retranslate(QStringLiteral("none"));
        QVERIFY2(titles.contains(QStringLiteral("Time, sec: ")), qPrintable(titles.join(QLatin1Char('|'))));
        disconnect(plot, &QCustomPlot::beforeReplot, this, nullptr);
    }

    // A language chosen while the program runs reaches at once every text built before:
    // the window's title, the name of the empty tab, the name and title of a capture
    // nobody saved yet, the marker bar's distance and tool tip, the over-current warning, and
    // the report bar's heads once it refreshes.
    void textsFollowALanguageChange()
    {
        Harness h;
        // 1.5 A trips the over-current warning.
        sim::setAnalyzerSignal([](double) { return sim::AnalyzerSample{1500000.0, 3300.0, 0.0}; });
        h.connectAnalyzer();
        showWindow(h);
        QTabWidget* tabs = h.window->tabWidget();
        auto* markers = h.window->findChild<MarkerBar*>(QStringLiteral("markerBar"));
        auto* report = h.window->findChild<ReportBar*>(QStringLiteral("reportBar"));
        QVERIFY(markers && report);
        auto chartTitle = [&h] {
            QCPItemText* item = h.chart(0)->titleItem;
            return item ? item->text() : QString();
        };
        QCOMPARE(h.window->windowTitle(), QStringLiteral(" TALVO connected"));
        QCOMPARE(tabs->tabText(0), QStringLiteral("Capture 1"));
        // The empty tab records nothing yet, so it names no channels or rate.
        QCOMPARE(chartTitle(), QString());

        QTranslator ukrainian;
        QVERIFY(ukrainian.load(QStringLiteral("QtLanguage_uk"), QStringLiteral(TALVO_BIN_DIR)));
        QCoreApplication::installTranslator(&ukrainian);
        h.window->retranslate(QStringLiteral("none"));
        QCOMPARE(h.window->windowTitle(), QString::fromUtf8(" TALVO під'єднано"));
        QCOMPARE(tabs->tabText(0), QString::fromUtf8("Запис 1"));
        QCOMPARE(chartTitle(), QString());

        h.start(3);
        h.pump(2000);
        h.window->on_stopButton();
        QCOMPARE(tabs->tabText(0), QString::fromUtf8("*Запис 1"));
        QVERIFY2(chartTitle().startsWith(QString::fromUtf8("Канали: ")) && chartTitle().contains(QString::fromUtf8("кГц")),
                 qPrintable(chartTitle()));
        // A head is the channel and its unit: no Latin letter is left in it.
        const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
        const QRegularExpression distance(QString::fromUtf8("dT: [0-9.]+ (μс|мс|с) "));
        report->updateReport(h.chart(0), true);
        for (const char* name : {"labelCh0", "labelCh1", "labelCh2", "labelCh0_2", "labelCh1_2", "labelCh2_2"}) {
            const QString head = report->findChild<QLabel*>(QLatin1String(name))->text();
            QVERIFY2(head.startsWith(QLatin1Char('#')) && !head.contains(latin), qPrintable(head));
        }
        QVERIFY2(markers->statusText().contains(distance), qPrintable(markers->statusText()));
        auto* banner = h.window->findChild<MarqueeLabel*>();
        QVERIFY(banner && banner->isScrolling());
        QCOMPARE(banner->text().trimmed(), QString::fromUtf8("Увага! Струм перевищив 1 А."));
        // The markers' tool tip over recorded samples: the length and each channel's rows.
        markers->marker(0)->moveTo(markers->marker(0)->x, 0.5);
        markers->marker(1)->moveTo(markers->marker(1)->x, 1.5);
        markers->updateToolTip();
        QVERIFY2(markers->toolTipText().count(QLatin1Char('\n')) > 4 && !markers->toolTipText().contains(latin),
                 qPrintable(markers->toolTipText()));

        // Back to English: the same texts follow again, the unsaved capture's name too.
        QCoreApplication::removeTranslator(&ukrainian);
        h.window->retranslate(QStringLiteral("none"));
        QCOMPARE(h.window->windowTitle(), QStringLiteral(" TALVO connected"));
        QCOMPARE(tabs->tabText(0), QStringLiteral("*Capture 1"));
        QVERIFY2(chartTitle().startsWith(QStringLiteral("Channels: ")) && chartTitle().contains(QStringLiteral("kHz")),
                 qPrintable(chartTitle()));
        QVERIFY(banner->isScrolling());
        QCOMPARE(banner->text().trimmed(), QStringLiteral("Attention! The current has exceeded 1A."));
        QVERIFY2(markers->statusText().contains(QRegularExpression(QString::fromUtf8("dT: [0-9.]+ (μs|ms|s) "))),
                 qPrintable(markers->statusText()));
        report->updateReport(h.chart(0), true);
        QVERIFY2(report->findChild<QLabel*>(QStringLiteral("labelCh1"))->text().endsWith(QLatin1Char('V')),
                 qPrintable(report->findChild<QLabel*>(QStringLiteral("labelCh1"))->text()));

        // A tab named after its saved log keeps the file's name in any language, also when
        // the file bears the name the program gave the capture.
        QTemporaryDir dir;
        h.saveAnswers << dir.filePath(QStringLiteral("Capture 1.talvo"));
        QVERIFY(h.window->saveTab(0));
        QCOMPARE(tabs->tabText(0), QStringLiteral("Capture 1"));
        QCoreApplication::installTranslator(&ukrainian);
        h.window->retranslate(QStringLiteral("none"));
        QCOMPARE(tabs->tabText(0), QStringLiteral("Capture 1"));
        QCoreApplication::removeTranslator(&ukrainian);
        h.window->retranslate(QStringLiteral("none"));
    }

    // A message on the status line follows a language change at once, with its values,
    // its colour and its end; "Measuring..." reads the same in every language.
    void statusLineFollowsALanguageChange_data()
    {
        QTest::addColumn<int>("event");
        QTest::addColumn<QString>("english");
        QTest::addColumn<QString>("ukrainian");
        QTest::addColumn<QString>("colour");
        QTest::addColumn<bool>("expires");
        QTest::newRow("result") << int(StatusEvent::Connected) << QStringLiteral("Device connected")
                                << QString::fromUtf8("Пристрій під'єднано") << QStringLiteral("black") << true;
        QTest::newRow("failure with its code")
            << int(StatusEvent::RefusedStart) << QStringLiteral("FAILED to start measuring: 3")
            << QString::fromUtf8("НЕ ВДАЛОСЯ почати вимірювання: 3") << QStringLiteral("red") << false;
        QTest::newRow("swap-file failure")
            << int(StatusEvent::SwapFileFailure) << QStringLiteral("Failed to write to file")
            << QString::fromUtf8("Не вдалося записати у файл") << QStringLiteral("red") << true;
        QTest::newRow("failure with a translated reason")
            << int(StatusEvent::SaveRefused) << QStringLiteral("Couldn't save file the tab holds no recording")
            << QString::fromUtf8("Не вдалося зберегти файл у вкладці немає запису") << QStringLiteral("red") << true;
        QTest::newRow("measuring") << int(StatusEvent::Measuring) << QStringLiteral("Measuring...")
                                   << QStringLiteral("Measuring...") << QStringLiteral("black") << false;
    }
    void statusLineFollowsALanguageChange()
    {
        QFETCH(int, event);
        QFETCH(QString, english);
        QFETCH(QString, ukrainian);
        QFETCH(QString, colour);
        QFETCH(bool, expires);
        Harness h;
        h.connectAnalyzer();
        showWindow(h);
        QTemporaryDir dir;
        switch (StatusEvent(event)) {
        case StatusEvent::Connected:
            break;
        case StatusEvent::RefusedStart:
            h.inject(QByteArray::fromHex("02800003"));
            break;
        case StatusEvent::SwapFileFailure:
            h.window->on_swapFileError(6);
            break;
        case StatusEvent::SaveRefused:
            h.saveAnswers << dir.filePath(QStringLiteral("empty.talvo"));
            QVERIFY(!h.window->saveTab(0));
            break;
        case StatusEvent::Measuring:
            h.inject(QByteArray::fromHex("02800000"));
            break;
        }
        QStatusBar* bar = h.window->statusBar();
        const QString colourRule = QStringLiteral("color: %1;").arg(colour);
        QCOMPARE(bar->currentMessage(), english);
        QVERIFY2(bar->styleSheet().contains(colourRule), qPrintable(bar->styleSheet()));

        QTranslator ukrainianTexts;
        QVERIFY(ukrainianTexts.load(QStringLiteral("QtLanguage_uk"), QStringLiteral(TALVO_BIN_DIR)));
        QCoreApplication::installTranslator(&ukrainianTexts);
        h.window->retranslate(QStringLiteral("none"));
        QCOMPARE(bar->currentMessage(), ukrainian);
        QVERIFY2(bar->styleSheet().contains(colourRule), qPrintable(bar->styleSheet()));

        QCoreApplication::removeTranslator(&ukrainianTexts);
        h.window->retranslate(QStringLiteral("none"));
        QCOMPARE(bar->currentMessage(), english);
        QVERIFY2(bar->styleSheet().contains(colourRule), qPrintable(bar->styleSheet()));
        // Said again, a message with a show time still goes when its time is up.
        if (expires)
            QTRY_VERIFY_WITH_TIMEOUT(bar->currentMessage().isEmpty(), 30000);
    }

    // The View menu shows and hides each dock, keeps the choice, and a dock shown again
    // joins the other as a tab when the docks are kept together. The choice outlasts a
    // reconnection of the analyzer and a restart.
    void viewMenuDockToggles_data()
    {
        QTest::addColumn<bool>("tabified");
        QTest::newRow("docks kept together") << true;
        QTest::newRow("docks apart") << false;
    }
    void viewMenuDockToggles()
    {
        QFETCH(bool, tabified);
        Settings().setValue(QStringLiteral("Status/tabified"), tabified);
        {
            Harness h;
            h.connectAnalyzer();
            showWindow(h);
            QDockWidget* status = dock(h, "dockStatus");
            QDockWidget* control = dock(h, "dockControl");
            QAction* showStatus = viewAction(h, QStringLiteral("Status"));
            QAction* showControl = viewAction(h, QStringLiteral("Control"));
            QVERIFY(showStatus && showControl);
            QVERIFY(showStatus->isChecked() && showControl->isChecked());
            QVERIFY(!status->isHidden() && !control->isHidden());

            for (auto [action, shown, other, group] :
                 {std::tuple{showControl, control, status, "Control"}, std::tuple{showStatus, status, control, "Status"}}) {
                action->setChecked(false);
                QVERIFY(shown->isHidden());
                QVERIFY(!other->isHidden());
                QCOMPARE(Settings().value(QLatin1String(group) + QStringLiteral("/visible")).toBool(), false);
                action->setChecked(true);
                QVERIFY(!shown->isHidden());
                QCOMPARE(Settings().value(QLatin1String(group) + QStringLiteral("/visible")).toBool(), true);
                QCOMPARE(h.window->tabifiedDockWidgets(shown).contains(other), tabified);
            }

            // Hidden from the menu, the dock stays hidden when the analyzer comes again.
            showStatus->setChecked(false);
            sim::unplug(h.analyzer);
            h.hid->checkTimerTick();
            h.connectAnalyzer();
            QVERIFY(status->isHidden());
            QVERIFY(!showStatus->isChecked());
            QVERIFY(!control->isHidden());
        }
        Harness h;
        h.connectAnalyzer();
        QVERIFY(!viewAction(h, QStringLiteral("Status"))->isChecked());
        QVERIFY(dock(h, "dockStatus")->isHidden());
        QVERIFY(!dock(h, "dockControl")->isHidden());
        viewAction(h, QStringLiteral("Status"))->setChecked(true);
        QVERIFY(!dock(h, "dockStatus")->isHidden());
    }

    // The status bar reads the three channels at the sample under the pointer, in the
    // unit their size calls for, with its time; beyond the records it reads the last one.
    void pointerReadout()
    {
        Harness h;
        sim::setAnalyzerSignal([](double t) {
            return t < 1.0 ? sim::AnalyzerSample{2000.0, 3300.0, 800.0} : sim::AnalyzerSample{25000.0, 1200.0, 5.0};
        });
        h.connectAnalyzer();
        showWindow(h);
        h.start(3);
        h.pump(2000);
        h.window->on_stopButton();
        GLWidget* chart = h.chart(0);
        QCustomPlot* plot = chart->plot;
        plot->xAxis->setRange(0, 2.5);
        plot->replot();
        const QCPGraph* cursor = plot->graph(plot->graphCount() - 1);

        const auto readAt = [&](double time) {
            const QPointF at(plot->xAxis->coordToPixel(time), plot->axisRect()->center().y());
            QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            emit plot->mouseMove(&move);
            return valueLabel(h);
        };
        const auto expectAt = [&](double time, const QStringList& values, double snappedNear) {
            const QString text = readAt(time);
            for (const QString& value : values)
                QVERIFY2(text.contains(value + QLatin1Char(' ')), qPrintable(value + QStringLiteral(" in ") + text));
            QCOMPARE(cursor->data()->size(), 2);
            const double snapped = cursor->data()->constBegin()->key;
            QVERIFY2(std::fabs(snapped - snappedNear) < 0.0015, qPrintable(QString::number(snapped)));
            QVERIFY2(text.contains(QStringLiteral("Time: ") + formatTime(snapped, true, 3))
                         || text.contains(QStringLiteral("Time: ") + formatTime(snapped, true, 2)),
                     qPrintable(text));
        };
        expectAt(0.5, {QStringLiteral("#0: 2.00mA"), QStringLiteral("#1: 3.30 V"),
                       QStringLiteral("#2: 800.00mV")},
                 0.5);
        expectAt(1.5, {QStringLiteral("#0: 25.00mA"), QStringLiteral("#1: 1.20 V"), QStringLiteral("#2: 5.00mV")}, 1.5);
        const double last = (chart->channelMaps.first()->constEnd() - 1)->key;
        expectAt(2.4, {QStringLiteral("#0: 25.00mA")}, last);
    }
};

QTEST_MAIN(TestMainWindowView)
#include "tst_mainwindowview.moc"
