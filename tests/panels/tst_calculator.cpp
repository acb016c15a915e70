#include "BatteryLife.h"
#include "Calculator.h"
#include "Settings.h"
#include "UnitFormat.h"
#include "ui_Calculator.h"

#include <QRegularExpression>
#include <QTranslator>
#include <QtTest>

#include <cmath>

// The battery-life calculator: the life and period texts, and how the window checks its
// sources and inputs.
class TestCalculator : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<Calculator> calc;
    int updates = 0;
    Ui::Calculator& ui() { return *calc->form(); }

    void build()
    {
        calc = std::make_unique<Calculator>(nullptr);
        updates = 0;
        connect(calc.get(), &Calculator::updateInfo, this, [this] { ++updates; });
    }
    // A loaded log of `start`..`end` s whose averages are all `ma`.
    void fill(double start, double end, double ma)
    {
        for (int type = CalculatorInfo::ByMarkers; type <= CalculatorInfo::WorkingCycle; ++type) {
            CalculatorInfo& r = calc->infoList[type];
            r.status = CalculatorInfo::Valid;
            r.current = ma;
            if (type != CalculatorInfo::WorkingCycle) {
                r.start = start;
                r.end = end;
            }
        }
        calc->recalculate(calc->infoList);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("CalculatorTest"));
        timeFormatMode = 1;
    }
    void init()
    {
        QFile::remove(Settings::filePath());
        build();
    }
    void cleanup() { calc.reset(); }

    void lifeText_data()
    {
        QTest::addColumn<double>("capacity");
        QTest::addColumn<double>("current");
        QTest::addColumn<QString>("text");
        QTest::newRow("defaults") << 3000.0 << 1.0 << "4 months, 5 days";
        QTest::newRow("362 days") << 8688.0 << 1.0 << "1 years, 2 days";
        QTest::newRow("years and months") << 1e8 << 1.0 << "11415 years, 6 months";
        QTest::newRow("hours, next part zero") << 3.0 << 1.0 << "3 hours";
        QTest::newRow("minutes and seconds") << 1.0 << 40.0 << "1 minutes, 30 seconds";
        QTest::newRow("under a second") << 1.0 << 4000.0 << "The battery is too low";
        QTest::newRow("zero current") << 3000.0 << 0.0 << "--";
        QTest::newRow("negative current") << 3000.0 << -1.0 << "--";
        QTest::newRow("not a number") << 3000.0 << std::nan("") << "--";
        QTest::newRow("beyond counting") << 1e8 << 1e-12 << "--";
    }
    void lifeText()
    {
        QFETCH(double, capacity);
        QFETCH(double, current);
        QFETCH(QString, text);
        QCOMPARE(batteryLifeText(capacity, current), text);
    }

    void periodAndAverageTexts()
    {
        const QString mu(QChar(0x03bc));
        QCOMPARE(periodText(0, 0.5), QStringLiteral("0.000 : 500.0ms [500.000ms]"));
        QVERIFY(periodText(1, 1.0005).endsWith("[500.000" + mu + "s]"));
        QCOMPARE(periodText(2, 12), QStringLiteral("2.000s : 12.000s [10.000s]"));
        QCOMPARE(averageCurrentText(2.5), QStringLiteral("2.50mA"));
        QCOMPARE(averageCurrentText(0.04), "40.00" + mu + "A");
        QCOMPARE(averageCurrentText(std::nan("")), QStringLiteral("--- mA"));
    }

    void sourcesAndStatuses()
    {
        QCOMPARE(ui().bateryLife->text(), QStringLiteral("The battery too low"));
        fill(0, 10, 2.5);
        QCOMPARE(ui().labelWhole->text(), QStringLiteral("0.000 : 10.000s [10.000s]"));
        QCOMPARE(ui().labelVisibleUnit->text(), QStringLiteral("2.50mA"));
        QCOMPARE(ui().bateryLife->text(), QStringLiteral("4 months, 5 days")); // user's 1 mA

        ui().radioButtonWhole->setChecked(true);
        QCOMPARE(ui().bateryLife->text(), QStringLiteral("1 months, 20 days"));
        QVERIFY(!ui().lineEditUser->isEnabled());

        // Hidden markers: a hint only while their source is selected, and never a life
        // from their stale record.
        calc->infoList[CalculatorInfo::ByMarkers].status = CalculatorInfo::MarkersHidden;
        calc->recalculate(calc->infoList);
        QCOMPARE(calc->lastHint(), QString());
        ui().radioButtonMarkers->setChecked(true);
        QCOMPARE(ui().bateryLife->text(), QStringLiteral("--"));
        calc->recalculate(calc->infoList);
        QCOMPARE(calc->lastHint(), QStringLiteral("Markers are not visible, check their position"));
        calc->infoList[CalculatorInfo::ByMarkers].status = CalculatorInfo::MarkersTooClose;
        calc->recalculate(calc->infoList);
        QCOMPARE(calc->lastHint(), QStringLiteral("Markers too close"));

        // An empty log: the red line, cleared by the calculator's own timer. Marked on the
        // markers' record alone, it still leaves no source of the log with the figures or
        // the life of the log filled in before.
        fill(0, 10, 2.5);
        ui().radioButtonWhole->setChecked(true);
        QCOMPARE(ui().bateryLife->text(), QStringLiteral("1 months, 20 days"));
        calc->infoList[CalculatorInfo::ByMarkers].status = CalculatorInfo::EmptyLog;
        calc->recalculate(calc->infoList);
        QCOMPARE(ui().labelError->text(), QStringLiteral("Empty measurements log."));
        for (const QLabel* period : {ui().labelMarkers, ui().labelVisible, ui().labelWhole})
            QCOMPARE(period->text(), QStringLiteral("-- : --"));
        for (const QLabel* average :
             {ui().labelMarkersUnit, ui().labelVisibleUnit, ui().labelWholeUnit, ui().labelWorkingUnit})
            QCOMPARE(average->text(), QStringLiteral("--- mA"));
        QCOMPARE(ui().bateryLife->text(), QStringLiteral("--"));
        ui().radioButtonVisible->setChecked(true);
        QCOMPARE(ui().labelError->text(), QStringLiteral("Empty measurements log."));
        // Closing while the line stands must leave nothing behind that fires later.
        calc.reset();
        QCoreApplication::processEvents();
    }

    void userCurrent()
    {
        ui().lineEditUser->setText("1x5"); // passes the field's check, not the parse
        emit ui().lineEditUser->editingFinished();
        QCOMPARE(calc->lastHint(), QStringLiteral("Wrong value"));
        QCOMPARE(ui().lineEditUser->text(), QStringLiteral("1"));
        QCOMPARE(calc->info(CalculatorInfo::UserDefined).status, int(CalculatorInfo::WrongValue));
        ui().lineEditUser->setText("2");
        emit ui().lineEditUser->editingFinished();
        QCOMPARE(ui().bateryLife->text(), QStringLiteral("2 months, 2 days"));
        ui().spinBoxCapacity->setValue(6000);
        QCOMPARE(ui().bateryLife->text(), QStringLiteral("4 months, 5 days"));
    }

    // One window for the working cycle, from the field and from the radio button alike:
    // as wide as the cycle, centred on the middle of the whole measurement.
    void workingCycle_data()
    {
        QTest::addColumn<bool>("fromField");
        QTest::newRow("radio button") << false;
        QTest::newRow("field") << true;
    }
    void workingCycle()
    {
        QFETCH(bool, fromField);
        fill(2, 12, 1.0);
        ui().lineEditWorking->setText("4");
        if (fromField) {
            ui().radioButtonWorking->setChecked(true);
            updates = 0;
            emit ui().lineEditWorking->editingFinished();
        } else {
            ui().radioButtonWorking->setChecked(true);
        }
        const CalculatorInfo& cycle = calc->info(CalculatorInfo::WorkingCycle);
        QCOMPARE(cycle.start, 5.0);
        QCOMPARE(cycle.end, 9.0);
        QCOMPARE(updates, 1);
        QVERIFY(ui().lineEditWorking->isEnabled());
        QVERIFY(!ui().lineEditUser->isEnabled());

        ui().lineEditWorking->setText("11");
        emit ui().lineEditWorking->editingFinished();
        QCOMPARE(calc->lastHint(), QStringLiteral("Too long working cycle. Only 10 sec available"));
        QCOMPARE(ui().lineEditWorking->text(), QStringLiteral("10"));
        QCOMPARE(updates, 1);
        emit ui().lineEditWorking->editingFinished(); // the whole length itself is accepted
        QCOMPARE(cycle.start, 2.0);
        QCOMPARE(cycle.end, 12.0);
        QCOMPARE(updates, 2);
    }

    // A language chosen while the calculator is open reaches at once its form and the
    // figures it shows, and so does the way back.
    void textsFollowALanguageChange()
    {
        fill(0, 0.5, 2.5);
        ui().radioButtonWhole->setChecked(true);
        const QString life = ui().bateryLife->text();
        QTranslator ukrainian;
        QVERIFY(ukrainian.load(QStringLiteral("QtLanguage_uk"), QStringLiteral(TALVO_BIN_DIR)));
        QCoreApplication::installTranslator(&ukrainian);
        QCoreApplication::processEvents();
        const QRegularExpression latin(QStringLiteral("[A-Za-z]"));
        for (const QLabel* label : {ui().label_2, ui().labelWhole, ui().labelWholeUnit, ui().labelMarkersUnit, ui().bateryLife})
            QVERIFY2(!label->text().isEmpty() && !label->text().contains(latin), qPrintable(label->text()));
        QCOMPARE(ui().labelWholeUnit->text(), QString::fromUtf8("2.50мА"));
        QCOMPARE(ui().labelWhole->text(), QString::fromUtf8("0.000 : 500.0мс [500.000мс]"));

        QCoreApplication::removeTranslator(&ukrainian);
        QCoreApplication::processEvents();
        QCOMPARE(ui().label_2->text(), QStringLiteral("Battery capacity"));
        QCOMPARE(ui().labelWholeUnit->text(), QStringLiteral("2.50mA"));
        QCOMPARE(ui().labelWhole->text(), QStringLiteral("0.000 : 500.0ms [500.000ms]"));
        QCOMPARE(ui().bateryLife->text(), life);
    }

    void capacityIsKept()
    {
        ui().spinBoxCapacity->setValue(4200);
        calc.reset();
        build();
        QCOMPARE(ui().spinBoxCapacity->value(), 4200);
        QCOMPARE(calc->objectName(), QStringLiteral("Calculator"));
        QVERIFY(calc->testAttribute(Qt::WA_DeleteOnClose));
    }
};

QTEST_MAIN(TestCalculator)
#include "tst_calculator.moc"
