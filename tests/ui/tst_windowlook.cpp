#include "MainWindowHarness.h"

#include "CaptureTitle.h"
#include "ChartTitleItem.h"
#include "Settings.h"

#include <QAbstractButton>
#include <QDockWidget>
#include <QLabel>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QTranslator>

#include <functional>

// The main window as a user first sees it, at its default size, in both languages and
// both themes: the tool bar, the status-bar messages, the chart title and the docks.
class TestWindowLook : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<QTranslator> m_translator;

    // Switches the window's texts to `language` ("en" or "uk").
    void useLanguage(Harness& h, const QString& language)
    {
        if (language == QStringLiteral("uk")) {
            m_translator = std::make_unique<QTranslator>();
            QVERIFY(m_translator->load(QStringLiteral("QtLanguage_uk"), QStringLiteral(TALVO_BIN_DIR)));
            QCoreApplication::installTranslator(m_translator.get());
        }
        // A code without a translation file leaves only the test's translator in place.
        h.window->retranslate(QStringLiteral("none"));
    }

    static void showAtDefaultSize(Harness& h)
    {
        h.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(h.window.get()));
        QCOMPARE(h.window->width(), 700);
        QCoreApplication::processEvents();
    }

    // The pixels the status bar leaves for its message: up to the first of its items.
    static int messageRoom(QStatusBar* bar)
    {
        int right = bar->width() - 12;
        for (QWidget* child : bar->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            if (child->isVisible())
                right = qMin(right, child->x() - 2);
        return right - 6;
    }

    // The status bar's readout of the values under the pointer.
    static QLabel* readout(Harness& h)
    {
        for (QLabel* label : h.window->statusBar()->findChildren<QLabel*>())
            if (label->text().contains(QStringLiteral("#0: ")))
                return label;
        return nullptr;
    }

    // The pointer over the first chart at `time`: the readout fills with its values.
    static void pointAt(Harness& h, double time)
    {
        QCustomPlot* plot = h.chart(0)->plot;
        const QPointF at(plot->xAxis->coordToPixel(time), plot->axisRect()->center().y());
        QMouseEvent move(QEvent::MouseMove, at, plot->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        h.window->on_mouseMove(&move);
    }

    // One second of measurement, finished.
    static void measureOneSecond(Harness& h)
    {
        h.start(3);
        QVERIFY(measuringActive);
        h.pump(1000);
        h.window->on_stopButton();
        QVERIFY(!measuringActive);
    }

    static void addLanguageRows()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << QStringLiteral("en");
        QTest::newRow("Ukrainian") << QStringLiteral("uk");
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("WindowLookTest"));
    }
    void init()
    {
        QFile::remove(Settings::filePath());
        Settings().setValue(QStringLiteral("Options/time-length-index"), 3);
    }
    void cleanup()
    {
        if (m_translator)
            QCoreApplication::removeTranslator(m_translator.get());
        m_translator.reset();
    }

    // Every item of the tool bar shows on the bar itself, none behind its overflow button,
    // for the analyzer and the supply, with the markers and report actions in their
    // longer "Hide" texts as well.
    void toolBarShowsEveryItem_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<bool>("supply");
        QTest::newRow("analyzer, English") << QStringLiteral("en") << false;
        QTest::newRow("analyzer, Ukrainian") << QStringLiteral("uk") << false;
        QTest::newRow("supply, English") << QStringLiteral("en") << true;
        QTest::newRow("supply, Ukrainian") << QStringLiteral("uk") << true;
    }
    void toolBarShowsEveryItem()
    {
        QFETCH(QString, language);
        QFETCH(bool, supply);
        Settings().setValue(QStringLiteral("Main/markers_bar"), true);
        Harness h;
        if (supply) {
            sim::plug(sim::Kind::Supply);
            h.build();
            h.hid->checkTimerTick();
            h.pump(50);
            QVERIFY(powerSupplyConnected);
        } else {
            h.connectAnalyzer();
        }
        useLanguage(h, language);
        showAtDefaultSize(h);

        const QList<QToolBar*> bars = h.window->findChildren<QToolBar*>();
        QVERIFY(!bars.isEmpty());
        QStringList hidden;
        int shown = 0;
        for (QToolBar* bar : bars) {
            QVERIFY(bar->isVisible());
            // No row opens with a separator that stands for items hidden in this mode.
            for (QAction* action : bar->actions()) {
                if (!action->isVisible())
                    continue;
                if (action->isSeparator())
                    hidden << QStringLiteral("separator opening %1").arg(bar->objectName());
                break;
            }
            auto* extension = bar->findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button"));
            if (extension && extension->isVisible())
                hidden << QStringLiteral("overflow button of %1").arg(bar->objectName());
            for (QAction* action : bar->actions()) {
                if (!action->isVisible() || action->isSeparator())
                    continue;
                QWidget* widget = bar->widgetForAction(action);
                const QString name = action->text().isEmpty() && widget ? widget->objectName() : action->text();
                if (!widget || !widget->isVisible() || !bar->rect().contains(widget->geometry()))
                    hidden << name;
                else
                    ++shown;
            }
        }
        QVERIFY2(hidden.isEmpty(), qPrintable(hidden.join(QStringLiteral(", "))));
        QVERIFY(shown >= 10);
    }

    // A status-bar message shows whole left of the readout, which gives way while the
    // message stands and comes back after it; a message wider than the whole bar is also
    // its tool tip.
    void statusMessagesShowWhole_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<bool>("error");
        for (const QString& language : {QStringLiteral("en"), QStringLiteral("uk")}) {
            const QByteArray tag = language.toLatin1() + ": ";
            QTest::newRow(tag + "start refused") << language << "FAILED to start measuring: " << "255" << true;
            QTest::newRow(tag + "saved") << language << "Saved" << "" << false;
            QTest::newRow(tag + "firmware notice")
                << language << "A new firmware version is available. Go to Settings to update." << "" << true;
            QTest::newRow(tag + "software notice")
                << language << "A new software version is available. Go to Settings to update." << "" << true;
        }
    }
    void statusMessagesShowWhole()
    {
        QFETCH(QString, language);
        QFETCH(QString, source);
        QFETCH(QString, suffix);
        QFETCH(bool, error);
        Harness h;
        h.connectAnalyzer();
        useLanguage(h, language);
        showAtDefaultSize(h);
        QStatusBar* bar = h.window->statusBar();
        const QString text = MainWindow::tr(source.toUtf8().constData()) + suffix;
        if (language == QStringLiteral("uk"))
            QVERIFY(text != source + suffix);

        const auto messageRoom = [bar] { return TestWindowLook::messageRoom(bar); };
        const int roomBefore = messageRoom();
        if (error)
            h.window->showError(text, 0);
        else
            h.window->showMessage(text, 0);
        QCoreApplication::processEvents();
        QCOMPARE(bar->currentMessage(), text);
        const int need = bar->fontMetrics().horizontalAdvance(text);
        QTRY_VERIFY2_WITH_TIMEOUT(need <= messageRoom(),
                                  qPrintable(QStringLiteral("%1 > %2").arg(need).arg(messageRoom())), 30000);

        bar->clearMessage();
        QTRY_COMPARE_WITH_TIMEOUT(messageRoom(), roomBefore, 30000);
    }
    // A message that fitted beside the readout stays whole when the pointer fills the
    // readout with values: the readout steps aside for it.
    void messageStaysWholeWhenTheReadoutFills()
    {
        Harness h;
        h.connectAnalyzer();
        showAtDefaultSize(h);
        measureOneSecond(h);
        h.window->on_changeColors(); // the readout back to its dashes
        QStatusBar* bar = h.window->statusBar();
        QLabel* values = readout(h);
        QVERIFY(values);

        // The longest message that the dashes leave room for.
        QString text = QStringLiteral("Saved");
        QString fitted;
        for (int i = 0; i < 200; ++i) {
            h.window->showMessage(text, 0);
            QCoreApplication::processEvents();
            if (!values->isVisible())
                break;
            fitted = text;
            text += QLatin1Char('x');
        }
        QVERIFY(!fitted.isEmpty() && fitted != text);
        h.window->showMessage(fitted, 0);
        QCoreApplication::processEvents();
        QVERIFY(values->isVisible());
        const int dashes = values->sizeHint().width();

        pointAt(h, 0.5);
        QVERIFY(values->sizeHint().width() > dashes);
        // Once the bar is laid out for the new values, the message still has its room.
        QTRY_VERIFY_WITH_TIMEOUT(!values->isVisible() || values->width() >= values->sizeHint().width(), 30000);
        const int need = bar->fontMetrics().horizontalAdvance(fitted);
        QTRY_VERIFY2_WITH_TIMEOUT(need <= messageRoom(bar),
                                  qPrintable(QStringLiteral("%1 > %2").arg(need).arg(messageRoom(bar))), 30000);
    }

    // After a message, plain or red, in either theme, the readout stands unframed as the
    // theme left it, and the message has its colour.
    void readoutStaysUnframedAfterAMessage_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<bool>("error");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("light, plain") << false << false << QColor(Qt::black);
        QTest::newRow("light, red") << false << true << QColor(Qt::red);
        QTest::newRow("dark, plain") << true << false << QColor(Qt::white);
        QTest::newRow("dark, red") << true << true << QColor(0xff, 0x44, 0x44);
    }
    void readoutStaysUnframedAfterAMessage()
    {
        QFETCH(bool, dark);
        QFETCH(bool, error);
        QFETCH(QColor, colour);
        Harness h;
        h.connectAnalyzer();
        h.window->on_changeColorTheme(dark);
        showAtDefaultSize(h);
        if (error)
            h.window->showError(QStringLiteral("Saved"), 0);
        else
            h.window->showMessage(QStringLiteral("Saved"), 0);
        QCoreApplication::processEvents();
        QStatusBar* bar = h.window->statusBar();
        QCOMPARE(bar->palette().color(QPalette::WindowText), colour);

        QLabel* values = readout(h);
        QVERIFY(values && values->isVisible());
        // The bar frames each of its items 2 pixels out from the item, when it frames them.
        QWidget* strip = values;
        while (strip->parentWidget() != bar)
            strip = strip->parentWidget();
        const QImage image = bar->grab().toImage();
        const QRect frame = strip->geometry().adjusted(-2, -1, 2, 1);
        const int y = frame.center().y();
        QVERIFY(frame.left() - 8 > messageRoom(bar) / 2);
        QCOMPARE(QColor(image.pixel(frame.left(), y)), QColor(image.pixel(frame.left() - 8, y)));
    }

    // Nothing the window shows widens it: the report and marker bars, the values under
    // the pointer, the over-current banner, a long message and the calculator all find
    // room within the width the window has, and the report shows every figure whole.
    void windowKeepsItsWidth_data() { addLanguageRows(); }
    void windowKeepsItsWidth()
    {
        QFETCH(QString, language);
        Harness h;
        h.connectAnalyzer();
        useLanguage(h, language);
        showAtDefaultSize(h);
        measureOneSecond(h);
        const int width = h.window->width();

        const std::pair<const char*, std::function<void()>> steps[] = {
            {"report", [&] { h.window->toggleReportBar(); }},
            {"markers", [&] { h.window->toggleMarkerBar(); }},
            {"pointer", [&] { pointAt(h, 0.5); }},
            {"over-current banner", [&] { h.window->showOverCurrentWarning(); }},
            {"long message", [&] { h.window->showError(QStringLiteral("Couldn't save file ") + QString(150, QLatin1Char('x')), 0); }},
            {"calculator", [&] { h.window->openCalculator(); }},
        };
        QStringList grew;
        for (const auto& [step, act] : steps) {
            act();
            QCoreApplication::processEvents();
            if (h.window->width() != width || h.window->minimumSizeHint().width() > width)
                grew << QStringLiteral("%1 (%2)").arg(QLatin1String(step)).arg(h.window->width());
        }
        QVERIFY2(grew.isEmpty(), qPrintable(grew.join(QStringLiteral(", "))));

        QWidget* report = h.window->findChild<QWidget*>(QStringLiteral("reportBar"));
        QVERIFY(report && report->isVisible());
        QStringList cut;
        for (QLabel* label : report->findChildren<QLabel*>()) {
            const QRect shown(label->mapTo(report, QPoint()), label->size());
            if (label->width() < label->minimumSizeHint().width() || label->height() < label->minimumSizeHint().height()
                || !report->rect().contains(shown))
                cut << label->text();
        }
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
    }

    // The docks read their titles whole, also while an instrument's bootloader leaves
    // their panels empty; a supply's Control dock keeps the title it was set up with
    // whatever the language.
    void dockTitles_data() { addLanguageRows(); }
    void dockTitles()
    {
        QFETCH(QString, language);
        {
            Harness h;
            sim::plug(sim::Kind::Bootloader);
            h.build();
            h.hid->checkTimerTick();
            h.pump(50);
            useLanguage(h, language);
            showAtDefaultSize(h);
            QStringList cut;
            for (QDockWidget* dock : h.window->findChildren<QDockWidget*>()) {
                QVERIFY(!dock->isHidden());
                dock->raise();
                QCoreApplication::processEvents();
                auto* button = dock->findChild<QAbstractButton*>(QStringLiteral("qt_dockwidget_floatbutton"));
                QVERIFY(button && button->isVisible());
                const int margin = dock->style()->pixelMetric(QStyle::PM_DockWidgetTitleMargin, nullptr, dock);
                if (margin + dock->fontMetrics().horizontalAdvance(dock->windowTitle()) > button->x())
                    cut << dock->windowTitle();
            }
            QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
        }
        Harness h;
        sim::plug(sim::Kind::Supply);
        h.build();
        h.hid->checkTimerTick();
        h.pump(50);
        QVERIFY(powerSupplyConnected);
        auto* control = h.window->findChild<QDockWidget*>(QStringLiteral("dockControl"));
        const QString title = control->windowTitle();
        useLanguage(h, language);
        QCOMPARE(control->windowTitle(), title);
    }

    void overlongMessageIsAlsoTheToolTip()
    {
        Harness h;
        h.connectAnalyzer();
        showAtDefaultSize(h);
        QStatusBar* bar = h.window->statusBar();
        const QString text = QStringLiteral("Couldn't save file ") + QString(200, QLatin1Char('x'));
        h.window->showError(text, 0);
        QCoreApplication::processEvents();
        QCOMPARE(bar->toolTip(), text);
        h.window->showMessage(QStringLiteral("Saved"), 0);
        QCoreApplication::processEvents();
        QVERIFY(bar->toolTip().isEmpty());
    }

    // The chart title of a finished run, its longest form, keeps every word and shows
    // each of its lines whole within the chart at the window's default size.
    void chartTitleFitsTheChart_data() { addLanguageRows(); }
    void chartTitleFitsTheChart()
    {
        QFETCH(QString, language);
        Harness h;
        h.connectAnalyzer();
        useLanguage(h, language);
        showAtDefaultSize(h);
        h.start(3);
        QVERIFY(measuringActive);
        h.pump(1500);
        h.window->on_stopButton();
        QVERIFY(!measuringActive);
        GLWidget* chart = h.chart(0);
        chart->plot->replot();

        auto* title = dynamic_cast<ChartTitleItem*>(chart->titleItem);
        QVERIFY(title);
        QVERIFY(chart->swapFile->endTime() > 1);
        QCOMPARE(title->text(), captureTitle(chart->swapFile->header(), chart->swapFile->channelList(), false,
                                             chart->swapFile->endTime()));
        const QString shown = title->shownText();
        QCOMPARE(QString(shown).replace(QLatin1Char('\n'), QLatin1Char(' ')), title->text());
        const QFontMetrics metrics(title->font());
        const int width = chart->plot->axisRect()->width();
        for (const QString& line : shown.split(QLatin1Char('\n')))
            QVERIFY2(metrics.horizontalAdvance(line) <= width,
                     qPrintable(QStringLiteral("\"%1\" %2 > %3").arg(line).arg(metrics.horizontalAdvance(line)).arg(width)));
    }

    // The docks' float button is drawn in the theme's text colour: white on the dark
    // theme, black on the light one.
    void dockFloatIconFollowsTheTheme_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<QString>("icon");
        QTest::newRow("dark") << true << QStringLiteral(":/res/float-white.png");
        QTest::newRow("light") << false << QStringLiteral(":/res/float-black.png");
    }
    void dockFloatIconFollowsTheTheme()
    {
        QFETCH(bool, dark);
        QFETCH(QString, icon);
        const QImage expected = QImage(icon).convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!expected.isNull());
        Harness h;
        h.connectAnalyzer();
        h.window->on_changeColorTheme(!dark);
        h.window->on_changeColorTheme(dark);
        const QList<QDockWidget*> docks = h.window->findChildren<QDockWidget*>();
        QCOMPARE(docks.size(), 2);
        for (QDockWidget* dock : docks) {
            QVERIFY(dock->styleSheet().contains(QStringLiteral("QDockWidget")));
            const QIcon drawn = dock->style()->standardIcon(QStyle::SP_TitleBarNormalButton, nullptr, dock);
            QCOMPARE(drawn.pixmap(expected.size()).toImage().convertToFormat(QImage::Format_ARGB32), expected);
        }
    }
};

QTEST_MAIN(TestWindowLook)
#include "tst_windowlook.moc"
