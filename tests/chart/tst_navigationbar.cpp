#include "BarsFixture.h"
#include "LogFixture.h"
#include "NavigationBar.h"
#include "NavigationSettings.h"
#include "ProgressDialog.h"
#include "Settings.h"
#include "SwapFile.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

// The navigation bar and its settings dialog: the overview of an attached log, clicks and
// pointer moves, the refresh button, the dialog's channels, units and thresholds, the
// rebuild of the overview, and a bar whose tab went away.
class TestNavigationBar : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void settingsDialog_data();
    void settingsDialog();
    void thresholdsStoredAlsoOnCancel();
    void attachAndClear();
    void twoFilesInTurn();
    void clicksAndMoves();
    void rebuildFromSettings();
    void outlivesItsTab();

private:
    QString writeTestLog(quint8 mask, int records = 2000);
    QTemporaryDir m_dir;
};

namespace {
struct Form
{
    QRadioButton* buttons[3];
    QDoubleSpinBox* spin;
    QLabel* unit;
};

Form formOf(QDialog& dialog)
{
    return {{dialog.findChild<QRadioButton*>("radioButton0"), dialog.findChild<QRadioButton*>("radioButton1"),
             dialog.findChild<QRadioButton*>("radioButton2")},
            dialog.findChild<QDoubleSpinBox*>("doubleSpinBox"),
            dialog.findChild<QLabel*>("labelUnit")};
}

QString storedThresholds()
{
    return Settings().value(QStringLiteral("Options/thresholds")).toString();
}

// Answers the next modal dialog of the given type with `answer` once it shows.
template <typename Dialog>
void answerNextDialog(std::function<void(Dialog&)> answer)
{
    QTimer::singleShot(0, [answer] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* dialog = qobject_cast<Dialog*>(w); dialog && dialog->isVisible()) {
                answer(*dialog);
                return;
            }
        }
    });
}
} // namespace

void TestNavigationBar::init()
{
    Settings().clear();
}

QString TestNavigationBar::writeTestLog(quint8 mask, int records)
{
    LogPlan plan;
    plan.header = analyzerHeader(mask, 10);
    plan.keys = evenKeys(records, 10);
    // Channel 0 (µA) high from record 500 to 999, every other position low.
    plan.value = [](qint64 k, int position) { return position == 0 && k >= 500 && k < 1000 ? 30000.0 : 10.0; };
    plan.report.latestKey = plan.keys.last();
    plan.report.lowerKey = 0;
    static int n = 0;
    return writeLog(m_dir.filePath(QStringLiteral("log%1.talvo").arg(++n)), plan);
}

void TestNavigationBar::settingsDialog_data()
{
    QTest::addColumn<quint8>("mask");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("currentChannel");
    QTest::addColumn<double>("currentThreshold");
    QTest::addColumn<int>("check");
    // After checking `check`: the unit, the spin box, then the selection.
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("shown");
    QTest::addColumn<int>("position");
    QTest::addColumn<QList<bool>>("enabled");

    QTest::newRow("defaults, channel 1") << quint8(7) << QString() << 0 << 25.0 << 1 << "mV" << 1000.0 << 1
                                         << QList<bool>{true, true, true};
    QTest::newRow("stored thresholds") << quint8(7) << "5,0.5,4000" << 0 << 25.0 << 2 << "mV" << 4000.0 << 2
                                       << QList<bool>{true, true, true};
    QTest::newRow("two parts are ignored") << quint8(7) << "5,0.5" << 0 << 25.0 << 2 << "mV" << 7.0 << 2
                                           << QList<bool>{true, true, true};
    QTest::newRow("unusable stored parts keep the file's") << quint8(7) << "0,nan,abc" << 0 << 25.0 << 2 << "mV"
                                                           << 7.0 << 2 << QList<bool>{true, true, true};
    QTest::newRow("channels 1 and 2 only") << quint8(6) << QString() << 1 << 1000.0 << 2 << "mV" << 3200.0 << 1
                                           << QList<bool>{false, true, true};
    QTest::newRow("back to channel 0") << quint8(5) << QString() << 2 << 3200.0 << 0 << "mA" << 25.0 << 0
                                       << QList<bool>{true, false, true};
}

void TestNavigationBar::settingsDialog()
{
    QFETCH(quint8, mask);
    QFETCH(QString, stored);
    QFETCH(int, currentChannel);
    QFETCH(double, currentThreshold);
    QFETCH(int, check);
    QFETCH(QString, unit);
    QFETCH(double, shown);
    QFETCH(int, position);
    QFETCH(QList<bool>, enabled);
    if (!stored.isEmpty())
        Settings().setValue(QStringLiteral("Options/thresholds"), stored);

    const double fileThresholds[3] = {3, 6, 7};
    NavigationSettings dialog(analyzerHeader(mask, 10), fileThresholds,
                              {currentThreshold, 0, currentChannel}, nullptr);
    const Form form = formOf(dialog);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Decimation"));
    QVERIFY(form.buttons[currentChannel]->isChecked());
    QCOMPARE(form.unit->text(), currentChannel == 0 ? QStringLiteral("mA") : QStringLiteral("mV"));
    QCOMPARE(form.spin->value(), currentThreshold);
    for (int c = 0; c < 3; ++c)
        QCOMPARE(form.buttons[c]->isEnabled(), enabled[c]);

    form.buttons[check]->setChecked(true);
    QCOMPARE(form.unit->text(), unit);
    QCOMPARE(form.spin->value(), shown);
    form.spin->setValue(shown + 1);
    const NavigationSettings::Selection s = dialog.selection();
    QCOMPARE(s.channel, check);
    QCOMPARE(s.position, position);
    QCOMPARE(s.threshold, shown + 1);
    QVERIFY(storedThresholds().split(',').at(check) == QString::number(shown + 1, 'g', -1));
}

void TestNavigationBar::thresholdsStoredAlsoOnCancel()
{
    const double fileThresholds[3] = {25, 1000, 3200};
    {
        NavigationSettings dialog(analyzerHeader(7, 10), fileThresholds, {25, 0, 0}, nullptr);
        formOf(dialog).spin->setValue(0.5);
        formOf(dialog).buttons[1]->setChecked(true);
        formOf(dialog).spin->setValue(1250);
        dialog.reject();
    }
    QCOMPARE(storedThresholds(), QStringLiteral("0.5,1250,3200"));
    double three[3] = {1, 2, 3};
    QCOMPARE(NavigationSettings::thresholdsText(three), QStringLiteral("1,2,3"));
}

void TestNavigationBar::attachAndClear()
{
    NavigationBar bar;
    QCustomPlot* plot = bar.overviewPlot();
    QCOMPARE(plot->objectName(), QStringLiteral("navigation-plotter"));
    QCOMPARE(plot->xAxis->range(), QCPRange(0, 10));
    QVERIFY(!bar.controlsEnabled());

    QVERIFY(!bar.setSwapFile(nullptr));
    SwapFile unnamed;
    QVERIFY(!bar.setSwapFile(&unnamed));
    QCOMPARE(bar.swapFile(), &unnamed);
    // Nothing recorded yet: no settings dialog, nothing to rebuild.
    bar.enableControls();
    QSignalSpy errors(&unnamed, &SwapFile::swapFileError);
    answerNextDialog<NavigationSettings>([](NavigationSettings& dialog) { dialog.accept(); });
    bar.settingsButton()->click();
    QCOMPARE(errors.count(), 0);
    QCoreApplication::processEvents();
    bar.disableControls();

    SwapFile file;
    QVERIFY(file.decimate(writeTestLog(7), 0, 0, 25, nullptr));
    const int points = file.overview->size();
    QVERIFY(points >= 4);
    QVERIFY(bar.setSwapFile(&file));
    QCOMPARE(plot->graph(0)->data()->size(), points);
    QCOMPARE(plot->xAxis->range(), file.viewRange);
    QCOMPARE(plot->yAxis->range(), QCPRange(0, 25));

    // An overview of channel 3 or above is drawn with the first threshold.
    file.overviewChannel = 5;
    QVERIFY(bar.setSwapFile(&file));
    QCOMPARE(plot->yAxis->range(), QCPRange(0, 25));
    bar.on_changeColorTheme(true);

    // Zooming the strip is remembered as the file's view range; refresh shows it all.
    bar.enableControls();
    plot->xAxis->setRange(0.05, 0.1);
    QCOMPARE(file.viewRange, QCPRange(0.05, 0.1));
    bar.refreshButton()->click();
    QCOMPARE(plot->xAxis->range(), file.timeRange);

    bar.clear();
    QVERIFY(file.overview->isEmpty());
    QVERIFY(plot->graph(0)->data()->isEmpty());
    QCOMPARE(plot->xAxis->range(), QCPRange(0, 10));
}

// Two logs attached in turn, as two tabs are: the strip shows the one attached last, and
// neither the switch nor clearing the strip for a fresh tab takes anything from the other.
void TestNavigationBar::twoFilesInTurn()
{
    NavigationBar bar;
    QCustomPlot* plot = bar.overviewPlot();
    SwapFile first;
    SwapFile second;
    QVERIFY(first.decimate(writeTestLog(7, 2000), 0, 0, 25, nullptr));
    QVERIFY(second.decimate(writeTestLog(7, 500), 0, 0, 25, nullptr));
    const QCPRange firstRange = first.viewRange;
    const QCPRange secondRange = second.viewRange;
    QVERIFY(firstRange != secondRange);
    const int firstPoints = first.overview->size();
    const int secondPoints = second.overview->size();

    QVERIFY(bar.setSwapFile(&first));
    QVERIFY(bar.setSwapFile(&second));
    QCOMPARE(bar.swapFile(), &second);
    QCOMPARE(plot->graph(0)->data()->size(), secondPoints);
    QCOMPARE(plot->xAxis->range(), secondRange);
    QCOMPARE(first.overview->size(), firstPoints);

    // A fresh tab's file is attached and the strip cleared for its run: both logs keep
    // their overviews, and going back to the first shows it whole again.
    SwapFile fresh;
    QVERIFY(!bar.setSwapFile(&fresh));
    bar.clear();
    QVERIFY(plot->graph(0)->data()->isEmpty());
    QCOMPARE(first.overview->size(), firstPoints);
    QCOMPARE(second.overview->size(), secondPoints);
    QVERIFY(bar.setSwapFile(&first));
    QCOMPARE(plot->graph(0)->data()->size(), firstPoints);
    QCOMPARE(plot->xAxis->range(), firstRange);
}

void TestNavigationBar::clicksAndMoves()
{
    NavigationBar bar;
    bar.resize(600, 120);
    bar.show();
    QVERIFY(QTest::qWaitForWindowExposed(&bar));
    QCustomPlot* plot = bar.overviewPlot();
    SwapFile file;
    QVERIFY(file.decimate(writeTestLog(7), 0, 0, 25, nullptr));
    QVERIFY(bar.setSwapFile(&file));
    plot->replot();
    QSignalSpy clicked(&bar, &NavigationBar::navigationClicked);
    QSignalSpy moved(&bar, &NavigationBar::navigationMoseMove);

    const QCPAxisRect* rect = plot->axisRect();
    // The high steps run along the top of the strip's plot area.
    const int topY = rect->top() + 1;
    const int xHigh = int(plot->xAxis->coordToPixel(0.75)); // on the high step
    const int xBackground = int(plot->xAxis->coordToPixel(0.25));
    const int axisY = rect->bottom() + 3;

    // Controls off: a click on the step emits nothing; the pointer's time still does.
    QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(xHigh, topY));
    QCOMPARE(clicked.count(), 0);
    QTest::mouseMove(plot, QPoint(xHigh, topY));
    QTRY_VERIFY_WITH_TIMEOUT(moved.count() > 0, 30000);
    QVERIFY(qAbs(moved.last().at(0).toDouble() - 0.75) < 0.01);

    bar.enableControls();
    QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(xHigh, topY));
    QCOMPARE(clicked.count(), 1);
    QVERIFY(qAbs(clicked.last().at(0).toDouble() - 0.75) < 0.01);
    // The background between the steps emits nothing; the time axis always does.
    QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(xBackground, rect->top() + 5));
    QCOMPARE(clicked.count(), 1);
    QTest::mouseClick(plot, Qt::LeftButton, {}, QPoint(xBackground, axisY));
    QCOMPARE(clicked.count(), 2);
    QVERIFY(qAbs(clicked.last().at(0).toDouble() - 0.25) < 0.01);

    // Left of time 0 nothing is announced.
    plot->xAxis->setRange(-1, 1);
    plot->replot();
    const int before = moved.count();
    QTest::mouseMove(plot, QPoint(int(plot->xAxis->coordToPixel(-0.5)), topY));
    QCoreApplication::processEvents();
    QCOMPARE(moved.count(), before);

    // The time axis reads as times without their unit.
    QList<double> ticks{0.5, 75};
    QList<QString> labels{"x", "y"};
    bar.on_axisUnitChanged(plot->xAxis, 1, ticks, labels);
    QCOMPARE(labels, (QList<QString>{"0.50", "75.00"}));
    bar.on_axisUnitChanged(plot->yAxis, 1, ticks, labels);
    QCOMPARE(labels, (QList<QString>{"0.50", "75.00"}));
}

void TestNavigationBar::rebuildFromSettings()
{
    // A log of channels 1 and 2 only: choosing #2 rebuilds from record position 1.
    LogPlan plan;
    plan.header = analyzerHeader(6, 10);
    plan.keys = evenKeys(1000, 10);
    plan.value = [](qint64 k, int position) { return position == 1 && k >= 300 ? 4000.0 : 0.0; };
    plan.report.latestKey = plan.keys.last();
    const QString path = writeLog(m_dir.filePath(QStringLiteral("twochannels.talvo")), plan);

    SwapFile file;
    QVERIFY(file.decimate(path, 1, 0, 1000, nullptr));
    NavigationBar bar;
    QVERIFY(bar.setSwapFile(&file));
    bar.enableControls();

    answerNextDialog<NavigationSettings>([](NavigationSettings& dialog) {
        Form form = formOf(dialog);
        QVERIFY(!form.buttons[0]->isEnabled());
        form.buttons[2]->setChecked(true);
        form.spin->setValue(3300);
        dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    bar.settingsButton()->click();
    QCOMPARE(file.overviewChannel, 2);
    QCOMPARE(file.overviewPosition, 1);
    QCOMPARE(file.thresholds[2], 3300.0);
    QVERIFY(bar.controlsEnabled());
    QCOMPARE(bar.overviewPlot()->yAxis->range(), QCPRange(0, 3300));
    QCOMPARE(bar.overviewPlot()->graph(0)->data()->size(), file.overview->size());
    bool high = false;
    for (const QCPGraphData& p : *file.overview)
        high = high || (p.value == 3300 && p.key >= 0.3 - 1e-9);
    QVERIFY(high);

    // Cancel rebuilds nothing.
    const int points = file.overview->size();
    answerNextDialog<NavigationSettings>([](NavigationSettings& dialog) { dialog.reject(); });
    bar.settingsButton()->click();
    QCOMPARE(file.overview->size(), points);
    QCOMPARE(file.overviewChannel, 2);
}

void TestNavigationBar::outlivesItsTab()
{
    auto* file = new SwapFile;
    QVERIFY(file->decimate(writeTestLog(7), 0, 0, 25, nullptr));
    NavigationBar bar;
    bar.resize(600, 120);
    QVERIFY(bar.setSwapFile(file));
    bar.enableControls();
    delete file;

    // The tab and its file went: the bar keeps its picture and its buttons do nothing.
    QVERIFY(!bar.swapFile());
    bar.refreshButton()->click();
    bar.settingsButton()->click();
    bar.clear();
    bar.on_changeColorTheme(true);
    bar.on_translate();
    bar.overviewPlot()->xAxis->setRange(0.01, 0.02);
    bar.replot();
    bar.resize(300, 120);
    bar.grab();
}

QTEST_MAIN(TestNavigationBar)
#include "tst_navigationbar.moc"
