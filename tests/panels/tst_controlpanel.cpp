#include "ChannelInfo.h"
#include "ControlPanel.h"
#include "DeviceControl.h"
#include "DeviceDescriptions.h"
#include "LoggerState.h"
#include "MessageBoxes.h"
#include "PanelState.h"
#include "Settings.h"
#include "StatusControl.h"
#include "ui_ControlPanel.h"

#include <QtTest>

// The Control panel: the requests its buttons build, its settings and channel list, and
// how it reflects the analyzer's status responses.
class TestControlPanel : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<ControlPanel> panel;
    QList<DeviceControl> starts;
    QList<StatusControlRequest> requests;
    QStringList boxes;
    int terminations = 0;

    void build()
    {
        panel = std::make_unique<ControlPanel>(nullptr);
        panel->loadSettings();
        panel->setChannels();
        starts.clear();
        requests.clear();
        terminations = 0;
        connect(panel.get(), &ControlPanel::startMeasurement, this, [this](DeviceControl& c) { starts << c; });
        connect(panel.get(), &ControlPanel::requestStatus, this,
                [this](StatusControlRequest& r) { requests << r; });
        connect(panel.get(), &ControlPanel::terminateMeasuring, this, [this] { ++terminations; });
    }
    Ui::ControlPanel& ui() { return *panel->form(); }
    QList<bool> checkedRows()
    {
        QList<bool> rows;
        for (int i = 0; i < ui().listWidget->count(); ++i)
            rows << (ui().listWidget->item(i)->checkState() == Qt::Checked);
        return rows;
    }
    StatusControlResponse response(quint8 status, quint8 pins, qint16 vout, quint8 output, quint8 echo = 0)
    {
        StatusControlResponse r;
        r.setControl(echo);
        r.setByte(4, status);
        r.setByte(5, pins);
        r.setBigEndian16(22, quint16(vout));
        r.setByte(24, output);
        return r;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("ControlPanelTest"));
        setMessageBoxResponder([this](QMessageBox& box) {
            boxes << box.text();
            return int(QMessageBox::Ok);
        });
    }
    void init()
    {
        QFile::remove(Settings::filePath());
        ChannelInfo::clearTable();
        createDefaults();
        measuringActive = false;
        firstStatusPending = controlSettingsSent = false;
        boxes.clear();
    }
    void cleanup() { panel.reset(); }

    // The list filled from the stored selection; at 10 kHz (rate 0) only the first
    // channel of it stays checked, as the analyzer takes one channel only there.
    void storedChannelSelection_data()
    {
        QTest::addColumn<int>("rate");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QList<bool>>("rows");
        QTest::newRow("missing key: all") << 3 << QVariant() << QList<bool>{true, true, true};
        QTest::newRow("0 and 2") << 3 << QVariant("0,2,") << QList<bool>{true, false, true};
        QTest::newRow("padded, empty and no number") << 3 << QVariant(" 1 ,,x") << QList<bool>{true, true, false};
        QTest::newRow("10 kHz, missing key: the first") << 0 << QVariant() << QList<bool>{true, false, false};
        QTest::newRow("10 kHz, 1 and 2: 1") << 0 << QVariant("1,2,") << QList<bool>{false, true, false};
        QTest::newRow("10 kHz, 2 alone") << 0 << QVariant("2,") << QList<bool>{false, false, true};
    }
    void storedChannelSelection()
    {
        QFETCH(int, rate);
        QFETCH(QVariant, stored);
        QFETCH(QList<bool>, rows);
        Settings().setValue("Measure/sample-rate-combo", rate);
        if (stored.isValid())
            Settings().setValue("Measure/channels", stored);
        build();
        QCOMPARE(checkedRows(), rows);
        QCOMPARE(ui().listWidget->item(0)->text(), QStringLiteral("#0: Current"));
        QCOMPARE(ui().listWidget->item(2)->data(Qt::UserRole).toInt(), 2);
    }

    void oneChannelRuleAt10kHz()
    {
        Settings().setValue("Measure/sample-rate-combo", 3);
        build();
        QCOMPARE(checkedRows(), (QList<bool>{true, true, true}));
        ui().comboBoxSampleRate->setCurrentIndex(0);
        QCOMPARE(checkedRows(), (QList<bool>{true, false, false}));
        ui().listWidget->item(2)->setCheckState(Qt::Checked);
        QCOMPARE(checkedRows(), (QList<bool>{false, false, true}));
        ui().listWidget->item(2)->setCheckState(Qt::Unchecked);
        QCOMPARE(checkedRows(), (QList<bool>{false, false, false}));
    }

    // The one-channel rule follows the rate in use, whichever way it is reached: a custom
    // period of 1 (10 kHz) keeps the first checked channel, and a custom period of 10
    // leaves every channel free even while the combo box stands at 10 kHz. The rate is
    // restored from the settings (combo entry, custom box, spin box, channels), the user
    // ticks some rows, then changes the rate; the rows left and the start request follow.
    void oneChannelRuleFollowsTheRateInUse_data()
    {
        QTest::addColumn<int>("combo");
        QTest::addColumn<bool>("custom");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QList<int>>("ticks");
        QTest::addColumn<QString>("change");
        QTest::addColumn<QList<bool>>("rows");
        QTest::addColumn<int>("word");
        QTest::newRow("restored custom 1")
            << 3 << true << 1 << "0,1,2," << QList<int>{} << "" << QList<bool>{true, false, false} << 1;
        QTest::newRow("restored custom 10 over the 10 kHz entry")
            << 0 << true << 10 << "0,1,2," << QList<int>{} << "" << QList<bool>{true, true, true} << 10;
        QTest::newRow("ticked at custom 10 over the 10 kHz entry")
            << 0 << true << 10 << "0," << QList<int>{2} << "" << QList<bool>{true, false, true} << 10;
        QTest::newRow("custom box ticked with 1")
            << 3 << false << 1 << "0,1,2," << QList<int>{} << "custom on" << QList<bool>{true, false, false} << 1;
        QTest::newRow("1 typed into the spin box")
            << 3 << true << 25 << "1,2," << QList<int>{} << "type 1" << QList<bool>{false, true, false} << 1;
        // Typing 10 passes through 1 on the way; the selection outlives it.
        QTest::newRow("10 typed over the 10 kHz entry")
            << 0 << true << 25 << "0,1,2," << QList<int>{} << "type 10" << QList<bool>{true, true, true} << 10;
        QTest::newRow("custom box unticked over the 10 kHz entry")
            << 0 << true << 10 << "0," << QList<int>{2} << "custom off" << QList<bool>{true, false, false} << 1;
    }
    void oneChannelRuleFollowsTheRateInUse()
    {
        QFETCH(int, combo);
        QFETCH(bool, custom);
        QFETCH(int, value);
        QFETCH(QString, stored);
        QFETCH(QList<int>, ticks);
        QFETCH(QString, change);
        QFETCH(QList<bool>, rows);
        QFETCH(int, word);
        {
            Settings s;
            s.setValue("Measure/sample-rate-combo", combo);
            s.setValue("Measure/sample-rate-custom", custom);
            s.setValue("Measure/sample-rate", value);
            s.setValue("Measure/channels", stored);
        }
        build();
        for (int row : ticks)
            ui().listWidget->item(row)->setCheckState(Qt::Checked);
        if (change == "custom on")
            ui().checkBoxCustom->setChecked(true);
        else if (change == "custom off")
            ui().checkBoxCustom->setChecked(false);
        else if (change.startsWith("type ")) {
            ui().spinBoxSampleRate->selectAll();
            QTest::keyClicks(ui().spinBoxSampleRate, change.mid(5));
            QTest::keyClick(ui().spinBoxSampleRate, Qt::Key_Enter);
        }
        QCOMPARE(checkedRows(), rows);

        quint16 mask = 0;
        for (int row = 0; row < rows.size(); ++row)
            mask |= rows[row] ? quint16(1u << row) : quint16(0);
        panel->on_startButton();
        QCOMPARE(starts.size(), 1);
        QCOMPARE(starts[0].sampleRate(), quint16(word));
        QCOMPARE(starts[0].channelMask(), mask);

        // Ticking one more row: at 10 kHz it becomes the only one, else it joins the rest.
        const int other = rows.indexOf(false);
        if (other < 0)
            return;
        ui().listWidget->item(other)->setCheckState(Qt::Checked);
        QList<bool> expected = word == 1 ? QList<bool>(rows.size(), false) : rows;
        expected[other] = true;
        QCOMPARE(checkedRows(), expected);
    }

    void startRequests()
    {
        Settings().setValue("Measure/sample-rate-combo", 3);
        build();
        QTest::mouseClick(ui().btnStart, Qt::LeftButton); // disabled until the device allows it
        QVERIFY(starts.isEmpty());
        panel->setMeasureControlsEnabled(true);
        QTest::mouseClick(ui().btnStart, Qt::LeftButton);
        QCOMPARE(starts.size(), 1);
        const QByteArray start = starts[0].toByteArray();
        QCOMPARE(start.left(11), QByteArray::fromHex("028000000007000a010000"));
        QCOMPARE(quint8(start[1]), quint8(DeviceControl::CommandStart));

        ui().checkBoxCustom->setChecked(true);
        ui().spinBoxSampleRate->setValue(25);
        QCOMPARE(ui().labelFq->text(), QStringLiteral("(0.400 kHz)"));
        panel->on_logButton();
        QCOMPARE(starts[1].command(), quint8(DeviceControl::CommandLog));
        QCOMPARE(starts[1].sampleRate(), quint16(25));

        panel->on_trigButton();
        QCOMPARE(starts[2].command(), quint8(DeviceControl::CommandTrig));
        QCOMPARE(starts[2].triggerDelay(), quint16(0));
        ui().spinBoxTrigDelay->setValue(1500);
        panel->on_trigButton();
        QCOMPARE(starts[3].command(), quint8(DeviceControl::CommandTrigDelayed));
        QCOMPARE(starts[3].toByteArray().mid(9, 2), QByteArray::fromHex("05dc"));

        // No start control can come on while a measurement runs, whoever asks.
        measuringActive = true;
        panel->setStartEnabled(true);
        QVERIFY(!ui().btnStart->isEnabled());
        QVERIFY(!ui().btnTrig->isEnabled());
    }

    void stopRequestCopiesTheMeasuringControl()
    {
        build();
        measuringDeviceControl = DeviceControl();
        measuringDeviceControl.setChannelMask(5);
        measuringDeviceControl.setSampleRate(10);
        DeviceControl stop;
        connect(panel.get(), &ControlPanel::stopMeasurement, this, [&stop](DeviceControl& c) { stop = c; });
        panel->on_stopButton();
        QCOMPARE(stop.command(), quint8(DeviceControl::CommandStop));
        QCOMPARE(stop.channelMask(), quint16(5));
        QCOMPARE(stop.sampleRate(), quint16(10));
    }

    void outputRequests()
    {
        build();
        ui().radioButtonVbat->setChecked(true);
        ui().radioButtonLog->setChecked(true);
        ui().spinBoxOutputVoltage->setValue(3300);
        ui().spinBoxSyncDelay->setValue(200);
        panel->on_applyButton();
        QCOMPARE(requests.last().toByteArray().left(7), QByteArray::fromHex("06d3000ce400c8"));
        QVERIFY(controlSettingsSent);

        build();
        panel->on_applyButton(); // no source checked, TRIG from the defaults
        QCOMPARE(requests.last().control(), quint8(0x12));

        ui().radioButtonDelayed->setChecked(true);
        panel->on_powerSetButton();
        QCOMPARE(requests.last().control(), quint8(0x0C));
        ui().radioButtonDelayed->setAutoExclusive(false);
        ui().radioButtonDelayed->setChecked(false);
        ui().radioButtonOff->setAutoExclusive(false);
        ui().radioButtonOff->setChecked(false);
        panel->on_powerSetButton();
        QCOMPARE(requests.last().control(), quint8(0));

        panel->sendStatusRequest();
        QCOMPARE(requests.last().toByteArray().left(7), QByteArray::fromHex("06000007080000"));
    }

    void resetRequestFollowsTheStatus_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<int>("control");
        QTest::addColumn<int>("voltage");
        QTest::newRow("low battery") << 0x03 << 0x30 << 2500;
        QTest::newRow("converter fault") << 0x41 << 0x20 << 0;
    }
    void resetRequestFollowsTheStatus()
    {
        QFETCH(int, status);
        QFETCH(int, control);
        QFETCH(int, voltage);
        build();
        ui().spinBoxOutputVoltage->setValue(2500);
        StatusControlResponse r = response(quint8(status), 0x40, 1800, 8);
        panel->update(r);
        int resets = 0;
        connect(panel.get(), &ControlPanel::resetClicked, this, [&resets] { ++resets; });
        panel->on_resetButton();
        QCOMPARE(resets, 1);
        QCOMPARE(requests.last().control(), quint8(control));
        QCOMPARE(requests.last().voltage(), quint16(voltage));
    }

    void settingsRoundTripAndRanges()
    {
        {
            Settings s;
            s.setValue("Control/sync-delay", 45000);
            s.setValue("Control/trig-delay", 60000);
            s.setValue("Measure/sample-rate-combo", 99);
            s.setValue("Measure/sample-rate", 10000000);
        }
        build();
        QCOMPARE(ui().spinBoxSyncDelay->value(), 45000);
        QCOMPARE(ui().spinBoxTrigDelay->value(), 60000);
        QCOMPARE(ui().comboBoxSampleRate->currentIndex(), 0);
        QCOMPARE(ui().comboBoxSampleRate->count(), ControlPanel::sampleRateCount);
        QCOMPARE(ui().spinBoxSampleRate->value(), 65535); // the period's 16-bit field
        QCOMPARE(panel->sampleWord(), quint16(1));
        ui().checkBoxCustom->setChecked(true);
        QCOMPARE(panel->sampleWord(), quint16(65535));
        panel->saveSettings();
        panel.reset();
        build();
        QCOMPARE(ui().spinBoxSyncDelay->value(), 45000);
        QVERIFY(ui().checkBoxCustom->isChecked());
        QVERIFY(!ui().comboBoxSampleRate->isEnabled());
    }

    void channelsBeyondTheMaskAreNotOffered()
    {
        ChannelInfo high;
        high.setByte(4, 20);
        high.setTextField(ChannelInfo::infoOffset, ChannelInfo::infoLength, "mV,High,");
        high.store();
        Settings().setValue("Measure/sample-rate-combo", 3); // every channel may be ticked
        build();
        QCOMPARE(ui().listWidget->count(), 3);
        QCOMPARE(panel->channelMask(), quint16(0x0007));
    }

    void statusFaultsExplainedOncePerEpisode()
    {
        build();
        StatusControlResponse fault = response(0x41, 0x40, 1800, 8);
        panel->update(fault);
        // The box waits for the event loop; the run is ended before it shows.
        QCOMPARE(boxes.size(), 0);
        QCOMPARE(terminations, 1);
        QCoreApplication::processEvents();
        QCOMPARE(boxes.size(), 1);
        QVERIFY(boxes[0].startsWith("Power converter communication error\nLoad power is disabled\n\n\n"
                                    "All power supplies were disconnected from DUT  due overcurrent.\n"
                                    "1.Remove reason"));
        QCOMPARE(terminations, 1);
        QVERIFY(panel->isLoadPowerDisabled());
        QVERIFY(ui().btnResetErrors->isVisibleTo(panel.get()));
        panel->update(fault);
        QCoreApplication::processEvents();
        QCOMPARE(boxes.size(), 1);
        QCOMPARE(terminations, 1);

        panel->on_resetButton();
        StatusControlResponse clear = response(0, 0x40, 1800, 8);
        panel->update(clear);
        panel->update(fault);
        QCoreApplication::processEvents();
        QCOMPARE(boxes.size(), 2);

        StatusControlResponse low = response(0x02, 0x40, 1800, 8);
        panel->update(low);
        QCoreApplication::processEvents();
        QCOMPARE(ui().groupBoxSwitchVin->title(), QStringLiteral("Battery LOW"));
        QCOMPARE(boxes.size(), 2);
    }

    // Each status bit as the panel explains it: the box text (empty: no box), whether the
    // Reset errors button shows, and the title of the Vin group.
    void statusExplained_data()
    {
        const QString steps = "1.Remove reason for high current.\n2.Select and APPLY proper power source(Vusb or Vbat).\n"
                              "3.Select and SET  proper Power config.\n4.Press button \"Reset errors\".\n"
                              "5.Now device is ready to work again.";
        const QString overcurrent = "\n\nAll power supplies were disconnected from DUT  due overcurrent.\n" + steps;
        const QString lowBattery = "\n\nVbat supply was disconnected from DUT, battery is low.\n" + steps;
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("reset");
        QTest::addColumn<QString>("vinTitle");
        QTest::newRow("none") << 0x00 << "" << false << "Switch Vin";
        QTest::newRow("lost data alone") << 0x80 << "" << false << "Switch Vin";
        QTest::newRow("bit 3 alone") << 0x08 << "" << true << "Switch Vin";
        QTest::newRow("load power off") << 0x01 << "Load power is disabled\n" + lowBattery << true << "Switch Vin";
        QTest::newRow("communication") << 0x41
                                       << "Power converter communication error\nLoad power is disabled\n" + overcurrent
                                       << true << "Switch Vin";
        QTest::newRow("regulation") << 0x21
                                    << "Power converter can not not provide output voltage requlation\nLoad power is disabled\n"
                                           + overcurrent
                                    << true << "Switch Vin";
        QTest::newRow("thermal, lost data") << 0x91
                                            << "Lost of data is detected\nPower converter thermal shutdown\n"
                                               "Load power is disabled\n" + overcurrent
                                            << true << "Switch Vin";
        QTest::newRow("converter without cut") << 0x40 << "" << true << "Switch Vin";
        QTest::newRow("low battery, cut") << 0x03
                                          << "Low battery voltage is detected. \nLoad power is disabled\n" + lowBattery
                                          << true << "Switch Vin";
        QTest::newRow("battery low") << 0x02 << "" << true << "Battery LOW";
        QTest::newRow("calibration") << 0x04 << "Restore fault.\nChannels calibration values are lost.\n" << false
                                     << "Switch Vin";
    }
    void statusExplained()
    {
        QFETCH(int, status);
        QFETCH(QString, box);
        QFETCH(bool, reset);
        QFETCH(QString, vinTitle);
        build();
        panel->setStartEnabled(false);
        StatusControlResponse r = response(quint8(status), 0x40, 1800, 8);
        panel->update(r);
        QCoreApplication::processEvents();
        QCOMPARE(boxes, box.isEmpty() ? QStringList() : QStringList{box});
        QCOMPARE(ui().btnResetErrors->isVisibleTo(panel.get()), reset);
        QCOMPARE(ui().groupBoxSwitchVin->title(), vinTitle);
        QCOMPARE(terminations, status & 0x01);
        QCOMPARE(panel->isLoadPowerDisabled(), bool(status & 0x01));
        if (status == 0x02) // low battery alone leaves the start row as it was
            QVERIFY(!ui().btnStart->isEnabled());
        else if (status == 0)
            QVERIFY(ui().btnStart->isEnabled());
    }

    // The output voltage check: the device's voltage against the one applied last.
    void outputVoltageCheck_data()
    {
        QTest::addColumn<int>("vout");
        QTest::addColumn<int>("echo");
        QTest::addColumn<bool>("setShown");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("powerGroup");
        QTest::addColumn<bool>("start");
        QTest::newRow("equal") << 3300 << 0 << true << "1800 mV" << true << true;
        QTest::newRow("differs") << 3000 << 0 << false << "3000 mV" << false << false;
        QTest::newRow("differs, apply echoed") << 3000 << 0x10 << true << "1800 mV" << true << false;
    }
    void outputVoltageCheck()
    {
        QFETCH(int, vout);
        QFETCH(int, echo);
        QFETCH(bool, setShown);
        QFETCH(QString, label);
        QFETCH(bool, powerGroup);
        QFETCH(bool, start);
        Settings().setValue("Control/output-voltage", 3300);
        build();
        panel->setMeasureControlsEnabled(true);
        StatusControlResponse r = response(0, 0x80, qint16(vout), 8, quint8(echo));
        panel->update(r);
        QCOMPARE(ui().toolButtonSet->isVisibleTo(panel.get()), setShown);
        QCOMPARE(ui().labelPower->isVisibleTo(panel.get()), !setShown);
        QCOMPARE(ui().labelPower->text(), label);
        QCOMPARE(ui().groupBoxPowerOn->isEnabled(), powerGroup);
        QCOMPARE(ui().btnStart->isEnabled(), start);
    }

    // An edited voltage is shown as the box can show it, and that is the voltage the
    // device's report is compared with: a device at the shown voltage may start.
    void storedOutputVoltageIsTheOneShown_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("shown");
        QTest::newRow("in range") << QVariant(3300) << 3300;
        QTest::newRow("above the box") << QVariant(99999) << 5200;
        QTest::newRow("below the box") << QVariant(-5) << 1800;
        QTest::newRow("no number") << QVariant(QStringLiteral("high")) << 1800;
    }
    void storedOutputVoltageIsTheOneShown()
    {
        QFETCH(QVariant, stored);
        QFETCH(int, shown);
        Settings().setValue("Control/output-voltage", stored);
        build();
        QCOMPARE(ui().spinBoxOutputVoltage->value(), shown);
        panel->setMeasureControlsEnabled(true);
        StatusControlResponse r = response(0, 0x40, qint16(shown), 8);
        panel->update(r);
        QVERIFY(ui().toolButtonSet->isVisibleTo(panel.get()));
        QVERIFY(ui().btnStart->isEnabled());
    }

    void statusDecidesTheStartRow()
    {
        build();
        panel->setMeasureControlsEnabled(true);
        StatusControlResponse ok = response(0, 0x40, 1800, 8);
        panel->update(ok);
        QVERIFY(ui().btnStart->isEnabled());
        StatusControlResponse off = response(0, 0x40, 1800, 4);
        panel->update(off);
        QVERIFY(!ui().btnStart->isEnabled());
        StatusControlResponse wrongVoltage = response(0, 0x40, 3000, 8);
        panel->update(wrongVoltage);
        QVERIFY(!ui().btnStart->isEnabled());
        QCOMPARE(ui().labelPower->text(), QStringLiteral("3000 mV"));
        QVERIFY(!ui().groupBoxPowerOn->isEnabled());

        // Output settings are reloaded from the device only on the first status.
        firstStatusPending = true;
        StatusControlResponse first = response(0, 0x40, 1800, 8);
        panel->update(first);
        QVERIFY(ui().radioButtonPermanent->isChecked());
        QVERIFY(ui().radioButtonVbat->isChecked());
        firstStatusPending = false;
        ui().radioButtonOff->setChecked(true);
        panel->update(first);
        QVERIFY(ui().radioButtonOff->isChecked());
    }
};

QTEST_MAIN(TestControlPanel)
#include "tst_controlpanel.moc"
