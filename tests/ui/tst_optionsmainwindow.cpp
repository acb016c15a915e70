// The options dialog opened from the main window over the simulated instruments: the
// supply's settings come in through the window, a save reaches the supply, and closing
// afterwards asks nothing; with the analyzer the dialog never writes a supply setting;
// a theme chosen in the open dialog recolours its own links at once.

#include "MainWindowHarness.h"
#include "../hid/HidTestSupport.h"

#include "OptionsDialog.h"
#include "PowerDisplay.h"
#include "ReportBar.h"
#include "SupplySettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

using namespace SupplySettings;

namespace {
// Runs `inside` once the options dialog is up, then closes it with `close`.
void whileOptionsOpen(Harness& h, const std::function<void(OptionsDialog&)>& inside)
{
    bool ran = false;
    QTimer::singleShot(0, &h, [&] {
        auto* dialog = qobject_cast<OptionsDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        // A failed check inside still lets the dialog end.
        const auto closing = qScopeGuard([dialog] { dialog->close(); });
        inside(*dialog);
        ran = true;
    });
    h.window->on_actionSettings();
    QVERIFY(ran);
}

// Pixels of exactly this colour in the label as it is drawn now.
int pixelsOf(QLabel* label, const QColor& colour)
{
    const QImage image = label->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) == colour.rgb();
    return count;
}

QList<QByteArray> settingsWrites(int device)
{
    QList<QByteArray> writes;
    for (const auto& w : sim::written(device)) {
        // hidapi's writes may lead with a report-number byte of 0.
        const QByteArray report = w.size() > 64 && w[0] == 0 ? bytes(w).mid(1) : bytes(w);
        if (report.size() > 2 && report.at(0) == 0x07 && report.at(2) == 0x0B)
            writes << report;
    }
    return writes;
}
} // namespace

class TestOptionsMainWindow : public QObject
{
    Q_OBJECT
private slots:
    void supplySettingsRoundTrip()
    {
        Harness h;
        const int supply = sim::plug(sim::Kind::Supply);
        h.build();
        h.hid->checkTimerTick();
        h.pump(50);
        QVERIFY(powerSupplyConnected);
        sim::clearWritten(supply);

        whileOptionsOpen(h, [&](OptionsDialog& dialog) {
            h.pump(50);
            auto* tabs = dialog.findChild<QTabWidget*>("tabWidget");
            QCOMPARE(tabs->currentIndex(), 1);
            // The supply's stored pages and interval fill the page.
            QCOMPARE(dialog.findChild<QSpinBox*>("spinBoxShowInterval_2")->value(), 5);
            QCOMPARE(dialog.findChild<PowerDisplay*>("labelShowTotal_2")->cells, QList<int>({10, 9, 13}));
            QVERIFY(dialog.findChild<QPushButton*>("pushButtonSave_2")->isEnabled());

            dialog.findChild<QCheckBox*>("checkBoxLongtouch_2")->click();
            dialog.findChild<QPushButton*>("pushButtonSave_2")->click();
            h.pump(50);
        });
        // One save went out, and closing after it asked nothing.
        const QList<QByteArray> writes = settingsWrites(supply);
        QCOMPARE(writes.size(), 1);
        QCOMPARE(int(quint8(writes.at(0).at(3 + Flags))), int(Save));
        QCOMPARE(int(quint8(writes.at(0).at(3 + PowerBits)) & LongTouch), int(LongTouch));
        QCOMPARE(h.boxes, QStringList());
    }

    // An instrument left in its bootloader sends nothing: the status line says what it is
    // and where its firmware is updated; a flashing under way keeps the line to itself.
    void bootloaderPointsToTheUpdatePage_data()
    {
        QTest::addColumn<bool>("flashing");
        QTest::newRow("left in the bootloader") << false;
        QTest::newRow("while flashing") << true;
    }
    void bootloaderPointsToTheUpdatePage()
    {
        QFETCH(bool, flashing);
        Harness h;
        sim::plug(sim::Kind::Bootloader);
        h.build();
        firmwareUpdateActive = flashing;
        h.hid->checkTimerTick();
        firmwareUpdateActive = false;
        QVERIFY(h.hid->isOpen());
        QCOMPARE(h.window->statusBar()->currentMessage(),
                 flashing ? QString()
                          : QString("The instrument is waiting in its bootloader for new firmware: load it under "
                                    "Settings → Update."));
    }

    void analyzerOpeningWritesNothing()
    {
        Harness h;
        h.connectAnalyzer();
        sim::clearWritten(h.analyzer);
        whileOptionsOpen(h, [&](OptionsDialog& dialog) {
            h.pump(30);
            QVERIFY(!dialog.findChild<QTabWidget*>("tabWidget")->isTabVisible(1));
        });
        QVERIFY(settingsWrites(h.analyzer).isEmpty());
        QCOMPARE(h.boxes, QStringList());
    }

    // The report bar the dialog shows for its time, hidden before, holds the current
    // tab's figures: those "Show Report" gives afterwards, not those of the log opened
    // in another tab before the run.
    void reportBarDuringOptionsShowsTheCurrentTab()
    {
        QFile::remove(Settings::filePath());
        Settings().setValue(QStringLiteral("Options/time-length-index"), 3); // runs end by Stop
        Harness h;
        h.connectAnalyzer();
        h.start(3);
        h.pump(10000);
        h.window->on_stopButton();
        const QString log = QDir::temp().absoluteFilePath(QStringLiteral("options-report.talvo"));
        h.saveAnswers << log;
        QVERIFY(h.window->saveTab(0));
        h.window->loadLog(log);
        QCOMPARE(h.window->tabWidget()->count(), 2);
        h.start(3);
        QCOMPARE(h.window->tabWidget()->count(), 3);
        h.pump(20000);
        h.window->on_stopButton();
        GLWidget* run = h.window->currentChart();
        QCOMPARE(run, h.chart(2));

        auto* report = h.window->findChild<ReportBar*>(QStringLiteral("reportBar"));
        QVERIFY(report && report->isHidden());
        const auto labels = [report] {
            QMap<QString, QString> texts;
            for (const QLabel* label : report->findChildren<QLabel*>())
                texts.insert(label->objectName(), label->text());
            return texts;
        };
        QMap<QString, QString> duringOptions;
        whileOptionsOpen(h, [&](OptionsDialog&) {
            QVERIFY(!report->isHidden());
            QCOMPARE(report->fullStatistics().count, run->statistics.count);
            QCOMPARE(report->fullStatistics().latestKey, run->statistics.latestKey);
            duringOptions = labels();
        });
        QVERIFY(report->isHidden());
        h.window->findChild<QAction*>(QStringLiteral("actionReport"))->trigger();
        QVERIFY(!report->isHidden());
        QCOMPARE(duringOptions, labels());
        QFile::remove(log);
    }

    // The links of the About page take the link colour of the theme chosen in the open
    // dialog at once, both ways.
    void aboutLinksFollowTheTheme_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::newRow("light to dark") << true;
        QTest::newRow("dark to light") << false;
    }
    void aboutLinksFollowTheTheme()
    {
        QFETCH(bool, dark);
        // The window keeps the palette it starts with as the light theme's.
        const QPalette original = QApplication::palette();
        const auto restore = qScopeGuard([original] { QApplication::setPalette(original); });
        QFile::remove(Settings::filePath());
        Settings().setValue(QStringLiteral("Options/dark-color"), !dark);
        Harness h;
        h.build();
        whileOptionsOpen(h, [&](OptionsDialog& dialog) {
            dialog.findChild<QTabWidget*>(QStringLiteral("tabWidget"))
                ->setCurrentWidget(dialog.findChild<QWidget*>(QStringLiteral("tab_3")));
            QList<QLabel*> links{dialog.findChild<QLabel*>(QStringLiteral("label_HomeLink")),
                                 dialog.findChild<QLabel*>(QStringLiteral("label_7"))};
            const QColor before = QApplication::palette().color(QPalette::Link);
            for (QLabel* link : links)
                QVERIFY(pixelsOf(link, before) > 0);
            dialog.findChild<QRadioButton*>(dark ? QStringLiteral("radioButtonDark")
                                                 : QStringLiteral("radioButtonLight"))
                ->click();
            const QColor after = QApplication::palette().color(QPalette::Link);
            QVERIFY(after != before);
            for (QLabel* link : links) {
                QTRY_VERIFY_WITH_TIMEOUT(pixelsOf(link, after) > 0, 10000);
                QCOMPARE(pixelsOf(link, before), 0);
            }
        });
    }
};

QTEST_MAIN(TestOptionsMainWindow)
#include "tst_optionsmainwindow.moc"
