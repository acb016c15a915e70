#include "ChannelInfo.h"
#include "DeviceDescriptions.h"
#include "LogRecord.h"
#include "LoggerState.h"
#include "PowerPackets.h"
#include "PowerPanel.h"
#include "Settings.h"
#include "SupplyCommands.h"
#include "ui_PowerPanel.h"

#include <QtTest>

#include <cstring>

// The supply panel and the supply's command texts: the start command it builds, the
// channel limit, its state across a log, and how it shows an opened log's settings.
class TestPowerPanel : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<PowerPanel> panel;
    QStringList commands;

    void build(bool secondModel)
    {
        measuringActive = false;
        power600Model = secondModel;
        ChannelInfo::clearTable();
        panel = secondModel ? std::make_unique<Power600Panel>(nullptr) : std::make_unique<PowerPanel>(nullptr);
        setPowerChannelsRefill([this] { panel->fillChannels(); });
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("createDefaultsPower"));
        createDefaultsPower();
        setPowerChannelsRefill(nullptr);
        commands.clear();
        for (auto signal : {&PowerPanel::startPowerLog, &PowerPanel::stopPowerLog, &PowerPanel::requestPowerStatus})
            connect(panel.get(), signal, this, [this](const QString& command) { commands << command; });
    }
    Ui::PowerPanel& ui() { return *panel->form(); }
    void check(const QList<int>& rows)
    {
        for (int row : rows)
            ui().listWidget->item(row)->setCheckState(Qt::Checked);
    }
    QList<int> checkedRows()
    {
        QList<int> rows;
        for (int row = 0; row < ui().listWidget->count(); ++row)
            if (ui().listWidget->item(row)->checkState() == Qt::Checked)
                rows << row;
        return rows;
    }
    static SwapFileHeader supplyHeader(const QList<int>& channels, qint16 period, bool custom, bool fahrenheit)
    {
        SwapFileHeader header;
        std::memset(&header, 0, sizeof header);
        header.version = 4;
        header.recordLength = 76;
        header.channelCount = quint8(channels.size());
        header.samplePeriod = quint16(period);
        header.deviceKind = 1;
        for (int i = 0; i < channels.size() && i < 8; ++i)
            header.channelNumbers[i] = quint8(channels[i]);
        header.fahrenheit = fahrenheit ? 1 : 0;
        header.customRate = custom ? 1 : 0;
        return header;
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setApplicationName(QStringLiteral("PowerPanelTest"));
    }
    void cleanup()
    {
        panel.reset();
        measuringActive = false;
        power600Model = false;
    }

    void logCommandParse_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("period");
        QTest::newRow("10 Hz, channels 0 1 3") << "LOG10C013\n" << true << 10 << 0x000B << 1000;
        QTest::newRow("1000 Hz") << "LOG1000C0\n" << true << 1000 << 0x0001 << 10;
        QTest::newRow("custom 10000 Hz") << "LOG10000C7\n" << true << 10000 << 0x0080 << 1;
        QTest::newRow("custom 1 Hz") << "LOG1C2\n" << true << 1 << 0x0004 << 10000;
        QTest::newRow("channels 10 to 13") << "LOG100CABCD\n" << true << 100 << 0x3C00 << 100;
        QTest::newRow("rate 0") << "LOG0C1\n" << false << 0 << 0 << 0;
        QTest::newRow("rate that drifts") << "LOG3C1\n" << false << 3 << 0 << 0;
        QTest::newRow("rate above 10000") << "LOG20000C1\n" << false << 20000 << 0 << 0;
        QTest::newRow("no rate") << "LOGC1\n" << false << 0 << 0 << 0;
        QTest::newRow("no channel") << "LOG100C\n" << false << 100 << 0 << 0;
        QTest::newRow("not a digit") << "LOG100C1G\n" << false << 100 << 0 << 0;
        QTest::newRow("channel twice") << "LOG100C11\n" << false << 100 << 0 << 0;
        QTest::newRow("other command") << "LOGSTOP\n" << false << 0 << 0 << 0;
    }
    void logCommandParse()
    {
        QFETCH(QString, command);
        QFETCH(bool, valid);
        QFETCH(int, rate);
        QFETCH(int, mask);
        QFETCH(int, period);
        const PowerLogRequest request = parsePowerLogCommand(command);
        QCOMPARE(request.valid, valid);
        QCOMPARE(request.rate, rate);
        if (!valid)
            return;
        QCOMPARE(int(request.mask), mask);
        QCOMPARE(int(supplySamplePeriod(request.rate)), period);
        QCOMPARE(request.channels.size(), qPopulationCount(quint16(mask)));
        // Every supported rate's period dates its samples exactly.
        QCOMPARE(supplySamplePeriod(request.rate) * request.rate, 10000);
    }

    void nearestRate_data()
    {
        QTest::addColumn<int>("typed");
        QTest::addColumn<int>("rate");
        QTest::newRow("supported") << 250 << 250;
        QTest::newRow("tie takes the lower") << 3 << 2;
        QTest::newRow("between 250 and 400") << 300 << 250;
        QTest::newRow("just below the top") << 9999 << 10000;
        QTest::newRow("below the range") << 0 << 1;
        QTest::newRow("above the range") << 20000 << 10000;
    }
    void nearestRate()
    {
        QFETCH(int, typed);
        QFETCH(int, rate);
        QCOMPARE(nearestSupplyRate(typed), rate);
    }

    void replyTexts_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("text");
        QTest::newRow("on") << QByteArray("ON\r\n") << int(PowerReply::On) << "ON";
        QTest::newRow("off") << QByteArray("OFF\r\n") << int(PowerReply::Off) << "OFF";
        QTest::newRow("blanks around") << QByteArray(" ON \r\n") << int(PowerReply::On) << "ON";
        QTest::newRow("off without CR LF") << QByteArray("OFF") << int(PowerReply::Other) << "OFF";
        QTest::newRow("refusal") << QByteArray("LOG ERROR\r\n") << int(PowerReply::Other) << "LOG ERROR";
    }
    void replyTexts()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, kind);
        QFETCH(QString, text);
        QByteArray report(64, '\0');
        report[0] = 0x07;
        report[1] = char(bytes.size());
        report.replace(2, bytes.size(), bytes);
        const PowerReply reply = parsePowerReply(PowerPacket(report.constData(), 64));
        QCOMPARE(int(reply.kind), kind);
        QCOMPARE(reply.text, text);
    }

    void startCommand_data()
    {
        QTest::addColumn<bool>("secondModel");
        QTest::addColumn<int>("comboIndex"); // -1: custom rate
        QTest::addColumn<int>("customRate");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QString>("command");
        QTest::newRow("100 Hz, 0 2 and 10") << true << 3 << 0 << QList<int>{0, 2, 10} << "LOG100C02A\n";
        QTest::newRow("channels A to D") << true << 0 << 0 << QList<int>{0, 10, 11, 12, 13} << "LOG10C0ABCD\n";
        QTest::newRow("custom 10000 Hz") << false << -1 << 10000 << QList<int>{0} << "LOG10000C0\n";
        QTest::newRow("custom rate corrected") << false << -1 << 300 << QList<int>{1, 3} << "LOG250C13\n";
        QTest::newRow("no channel") << false << 0 << 0 << QList<int>{} << QString();
    }
    void startCommand()
    {
        QFETCH(bool, secondModel);
        QFETCH(int, comboIndex);
        QFETCH(int, customRate);
        QFETCH(QList<int>, rows);
        QFETCH(QString, command);
        build(secondModel);
        QCOMPARE(ui().listWidget->count(), secondModel ? 14 : 8);
        QCOMPARE(ui().listWidget->item(4)->text(), QStringLiteral("#4: Temperature outside"));
        QCOMPARE(ui().comboBoxSampleRate->itemText(0), QStringLiteral(" 10 Hz"));
        if (comboIndex < 0) {
            ui().checkBoxCustom->setChecked(true);
            ui().spinBoxSampleRate->setValue(customRate);
        } else {
            ui().comboBoxSampleRate->setCurrentIndex(comboIndex);
        }
        check(rows);
        panel->setPowerState(true);
        ui().btnStart->click();
        if (command.isEmpty()) {
            QVERIFY(commands.isEmpty());
            QVERIFY(!measuringActive);
            QVERIFY(ui().btnStart->isEnabled());
            return;
        }
        QCOMPARE(commands, QStringList{command});
        QVERIFY(measuringActive);
        QCOMPARE(panel->logChannels, rows);
        QCOMPARE(panel->logRate, command.mid(3, command.indexOf('C') - 3));
        QVERIFY(!ui().btnStart->isEnabled());
        QVERIFY(!ui().btnCheckPower->isEnabled());
        QVERIFY(!ui().checkBoxTemperature->isEnabled());
    }

    void sixthChannelStaysUnchecked()
    {
        build(true);
        check({0, 1, 2, 3, 4});
        QSignalSpy changes(ui().listWidget, &QListWidget::itemChanged);
        ui().listWidget->item(5)->setCheckState(Qt::Checked);
        QCOMPARE(checkedRows(), (QList<int>{0, 1, 2, 3, 4}));
        QCOMPARE(changes.count(), 1); // the user's change; undoing it says nothing
        ui().listWidget->item(0)->setCheckState(Qt::Unchecked);
        ui().listWidget->item(5)->setCheckState(Qt::Checked);
        QCOMPARE(panel->selectedChannels(), (QList<int>{1, 2, 3, 4, 5}));
    }

    // Across one log: the poll falls silent, a late "ON" offers no second start, the
    // temperature scale stays fixed until the run has ended.
    void stateAcrossALog()
    {
        build(false);
        QVERIFY(!ui().btnStart->isEnabled());
        QVERIFY(!ui().btnCheckPower->isEnabled());
        QCOMPARE(panel->pollTimer()->interval(), 2000);
        QMetaObject::invokeMethod(panel->pollTimer(), "timeout");
        QCOMPARE(commands, QStringList{"POWER\n"});

        panel->setPowerState(false);
        QVERIFY(!ui().btnStart->isEnabled());
        QVERIFY(ui().btnCheckPower->isEnabled());
        panel->setPowerState(true);
        QVERIFY(ui().btnStart->isEnabled());

        check({0});
        ui().btnStart->click();
        commands.clear();
        QMetaObject::invokeMethod(panel->pollTimer(), "timeout");
        QVERIFY(commands.isEmpty());
        panel->setPowerState(true);
        QVERIFY(!ui().btnStart->isEnabled());

        ui().btnStop->click();
        QCOMPARE(commands, QStringList{"LOGSTOP\n"});
        QVERIFY(!ui().checkBoxTemperature->isEnabled());
        panel->enableButtons();
        QVERIFY(ui().btnStart->isEnabled());
        QVERIFY(ui().btnCheckPower->isEnabled());
        panel->runFinished();
        QVERIFY(ui().checkBoxTemperature->isEnabled());

        measuringActive = true;
        QTest::ignoreMessage(QtDebugMsg, "PowerPanel::logFailed: LOG ERROR");
        panel->logFailed(QStringLiteral("LOG ERROR"));
        QVERIFY(!measuringActive);
        QVERIFY(ui().btnStart->isEnabled());
    }

    void rateModeAndTheme()
    {
        build(false);
        ui().checkBoxCustom->setChecked(true);
        QVERIFY(!ui().comboBoxSampleRate->isEnabled());
        QVERIFY(ui().spinBoxSampleRate->isEnabled());
        ui().checkBoxCustom->setChecked(false);
        QVERIFY(ui().comboBoxSampleRate->isEnabled());
        QVERIFY(!ui().spinBoxSampleRate->isEnabled());
        QVERIFY(ui().checkBoxTemperature->text().startsWith(QStringLiteral("\u00B0, ")));
        panel->on_changeColorTheme(true);
        QVERIFY(!ui().btnStart->icon().isNull());
        QVERIFY(!ui().btnStop->icon().isNull());
    }

    void appliedLogSettings_data()
    {
        QTest::addColumn<QList<int>>("channels");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("period");
        QTest::addColumn<bool>("custom");
        QTest::addColumn<bool>("fahrenheit");
        QTest::addColumn<QList<int>>("checked");
        QTest::addColumn<QString>("comboText");
        QTest::addColumn<int>("spinValue");
        QTest::newRow("100 Hz from the list") << QList<int>{0, 3} << 2 << 100 << false << false << QList<int>{0, 3}
                                              << " 100 Hz" << 10;
        QTest::newRow("custom 250 Hz in °F") << QList<int>{4} << 1 << 40 << true << true << QList<int>{4} << " 10 Hz"
                                             << 250;
        QTest::newRow("rate not in the list") << QList<int>{1} << 1 << 40 << false << false << QList<int>{1}
                                              << " 10 Hz" << 10;
        QTest::newRow("channel beyond the list") << QList<int>{2, 20} << 2 << 10 << false << false << QList<int>{2}
                                                 << " 1000 Hz" << 10;
        QTest::newRow("count beyond the header") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << 200 << 1000 << false
                                                 << false << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << " 10 Hz" << 10;
        QTest::newRow("period 0") << QList<int>{5} << 1 << 0 << true << false << QList<int>{5} << " 10 Hz" << 10;
        QTest::newRow("negative period") << QList<int>{5} << 1 << -5 << true << false << QList<int>{5} << " 10 Hz"
                                         << 10;
    }
    void appliedLogSettings()
    {
        QFETCH(QList<int>, channels);
        QFETCH(int, count);
        QFETCH(int, period);
        QFETCH(bool, custom);
        QFETCH(bool, fahrenheit);
        QFETCH(QList<int>, checked);
        QFETCH(QString, comboText);
        QFETCH(int, spinValue);
        build(false);
        SwapFileHeader header = supplyHeader(channels, qint16(period), custom, fahrenheit);
        header.channelCount = quint8(count);
        panel->applyLogSettings(header);
        QCOMPARE(checkedRows(), checked);
        QCOMPARE(panel->isFahrenheit(), fahrenheit);
        QCOMPARE(ui().comboBoxSampleRate->currentText(), comboText);
        QCOMPARE(ui().spinBoxSampleRate->value(), spinValue);
        QCOMPARE(panel->isCustomRate(), custom && period > 0);
    }
};

QTEST_MAIN(TestPowerPanel)
#include "tst_powerpanel.moc"
