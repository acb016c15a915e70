#include "LoggerState.h"
#include "MeasureAll.h"
#include "StatusControl.h"
#include "StatusPanel.h"
#include "StatusReadings.h"
#include "ui_StatusPanel.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>

// The Status panel: pin indicators and the readings of a status response.
class TestStatusPanel : public QObject
{
    Q_OBJECT
private:
    std::unique_ptr<StatusPanel> panel;
    Ui::StatusPanel& ui() { return *panel->form(); }

    static StatusControlResponse response(quint8 pins, float ma, float mv1, float mv2, float vin)
    {
        StatusControlResponse r;
        r.setByte(5, pins);
        const float values[] = {ma, mv1, mv2, vin};
        for (int i = 0; i < 4; ++i) {
            quint8 bytes[4];
            std::memcpy(bytes, &values[i], 4); // little-endian host, as on the wire
            for (int b = 0; b < 4; ++b)
                r.setByte(6 + i * 4 + b, bytes[b]);
        }
        return r;
    }
    // The indicators in the order OUT-EN, TRIG, SYNC, Vbat, Vusb, FLAG: true when red.
    QList<bool> redIndicators()
    {
        QList<bool> result;
        const QImage redImage = QIcon(QStringLiteral(":/res/bullet_ball_red.png")).pixmap(16, 16).toImage();
        for (QLabel* l : {ui().iconOUT, ui().iconTRIG, ui().iconSYNC, ui().iconVBAT, ui().iconVUSB, ui().iconFLAG})
            result << (l->pixmap().toImage() == redImage);
        return result;
    }

private slots:
    void init()
    {
        measuringActive = false;
        panel = std::make_unique<StatusPanel>(nullptr);
        panel->loadIndicatorIcons();
    }

    void indicators_data()
    {
        QTest::addColumn<bool>("statusResponse");
        QTest::addColumn<int>("pins");
        QTest::addColumn<QList<bool>>("red");
        QTest::newRow("report, all set") << false << 0xFF << QList<bool>{true, false, true, true, true, false};
        QTest::newRow("report, none set") << false << 0x00 << QList<bool>{false, true, false, false, false, false};
        QTest::newRow("report, mask bits only") << false << 0x07 << QList<bool>{false, true, false, false, false, false};
        QTest::newRow("status, Vbat and OUT-EN") << true << 0x48 << QList<bool>{true, true, false, true, false, false};
    }
    void indicators()
    {
        QFETCH(bool, statusResponse);
        QFETCH(int, pins);
        QFETCH(QList<bool>, red);
        if (statusResponse) {
            StatusControlResponse r = response(quint8(pins), 0, 0, 0, 0);
            panel->update(r);
        } else {
            MeasureAll m;
            m.setByte(5, quint8(pins));
            panel->update(m);
        }
        QCOMPARE(redIndicators(), red);
    }

    // A repeated pin state leaves the indicators' pixmaps alone; a changed bit sets only
    // its own indicator.
    void pixmapsChangeOnlyWithTheirBit()
    {
        MeasureAll m;
        m.setByte(5, 0x40);
        panel->update(m);
        const qint64 vbat = ui().iconVBAT->pixmap().cacheKey();
        const qint64 sync = ui().iconSYNC->pixmap().cacheKey();
        panel->update(m);
        QCOMPARE(ui().iconVBAT->pixmap().cacheKey(), vbat);
        m.setByte(5, 0x60);
        panel->update(m);
        QCOMPARE(ui().iconVBAT->pixmap().cacheKey(), vbat);
        QVERIFY(ui().iconSYNC->pixmap().cacheKey() != sync);
    }

    void readings_data()
    {
        const float inf = std::numeric_limits<float>::infinity();
        const float nan = std::numeric_limits<float>::quiet_NaN();
        const QString mu(QChar(0x03bc));
        QTest::addColumn<float>("ma");
        QTest::addColumn<float>("mv");
        QTest::addColumn<float>("vin");
        QTest::addColumn<QStringList>("texts");    // value 0, caption 0, value 1, caption 1, value 2, caption 2, Vin
        QTest::newRow("half a milliampere") << 0.5f << 3300.0f << 3.7f
                                            << QStringList{"500.00", "#0:, " + mu + "A", "3.30", "#1:,  V", "3.30", "#2:,  V", "3.70"};
        QTest::newRow("rounded mA") << 12.3456f << 500.0f << 0.0f
                                    << QStringList{"12.35", "#0:, mA", "500.00", "#1:, mV", "500.00", "#2:, mV", "0.00"};
        QTest::newRow("amperes") << 1500.0f << 1000.0f << 0.0f
                                 << QStringList{"1.50", "#0:,  A", "1.00", "#1:,  V", "1.00", "#2:,  V", "0.00"};
        QTest::newRow("negative") << -2.0f << -5.0f << 0.0f
                                  << QStringList{"-2000.00", "#0:, " + mu + "A", "-5.00", "#1:, mV", "-5.00", "#2:, mV", "0.00"};
        // Broken readings show no number and leave the captions as they were.
        QTest::newRow("infinite") << inf << -inf << inf << QStringList{"--", "#0:", "--", "#1:", "--", "#2:", "--"};
        QTest::newRow("not a number") << nan << nan << nan << QStringList{"--", "#0:", "--", "#1:", "--", "#2:", "--"};
        QTest::newRow("huge") << 3e38f << 3e38f << 0.0f
                              << QStringList{QString::number(3e38f * 1000.0 / 1e6, 'f', 2), "#0:,  A",
                                             QString::number(double(3e38f) / 1e6, 'f', 2), "#1:,  V",
                                             QString::number(double(3e38f) / 1e6, 'f', 2), "#2:,  V", "0.00"};
    }
    void readings()
    {
        QFETCH(float, ma);
        QFETCH(float, mv);
        QFETCH(float, vin);
        QFETCH(QStringList, texts);
        StatusControlResponse r = response(0, ma, mv, mv, vin * 1000);
        panel->update(r);
        const QStringList shown{ui().textChannel0->text(), ui().labelChannel0->text(), ui().textChannel1->text(),
                                ui().labelChannel1->text(), ui().textChannel2->text(), ui().labelChannel2->text(),
                                ui().textVin->text()};
        QCOMPARE(shown, texts);
    }

    void captionsKeepTheChannelName()
    {
        panel->setChannelTexts("Current, mA", "Voltage, mV", "#1 Out, mV", "", "", "");
        StatusControlResponse r = response(0, 2.5f, 1200.0f, 10.0f, 0);
        panel->update(r);
        QCOMPARE(ui().labelChannel0->text(), QStringLiteral("Current, mA"));
        QCOMPARE(ui().labelChannel1->text(), QStringLiteral("Voltage,  V"));
        QCOMPARE(ui().labelChannel2->text(), QStringLiteral("#2 Out, mV"));

        // Empty texts change nothing; values replace the boxes.
        panel->setChannelTexts("", "", "", "", "", "");
        QCOMPARE(ui().labelChannel0->text(), QStringLiteral("Current, mA"));
        panel->setChannelTexts("", "", "", "1", "", "3");
        QCOMPARE(ui().textChannel0->text(), QStringLiteral("1"));
        QCOMPARE(ui().textChannel2->text(), QStringLiteral("3"));

        panel->retranslate();
        QCOMPARE(ui().labelChannel0->text(), QStringLiteral("#0:"));
        QCOMPARE(ui().textChannel0->text(), QStringLiteral("0"));
    }

    void measuringIgnoresStatusResponses()
    {
        measuringActive = true;
        StatusControlResponse r = response(0xFF, 5, 5, 5, 5);
        panel->update(r);
        QCOMPARE(ui().textChannel0->text(), QStringLiteral("0"));
        QCOMPARE(redIndicators(), (QList<bool>{false, false, false, false, false, false}));
    }

    void disabledPanelShowsDashes()
    {
        ui().groupBox->setEnabled(false);
        panel->setPanelEnabled(false);
        for (QLabel* l : {ui().textChannel0, ui().textChannel1, ui().textChannel2, ui().textVin})
            QCOMPARE(l->text(), QStringLiteral("--"));
        QVERIFY(ui().groupBox->isEnabled());
        QVERIFY(ui().groupBox_2->isEnabled());
    }

    void prefixMagnitudeIsClamped()
    {
        QCOMPARE(prefixMagnitude(std::nan("")), 0);
        QCOMPARE(prefixMagnitude(1e30), std::numeric_limits<int>::max());
        QCOMPARE(prefixMagnitude(-1e30), std::numeric_limits<int>::min());
        QCOMPARE(prefixMagnitude(999.9), 999);
    }
};

QTEST_MAIN(TestStatusPanel)
#include "tst_statuspanel.moc"
