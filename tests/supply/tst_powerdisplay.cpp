// The supply's status-screen widget: the value texts of every parameter, the menus of the
// four pages, finding a cell under the mouse and choosing a cell's parameter.

#include "LoggerState.h"
#include "PowerDisplay.h"
#include "PowerPackets.h"

#include <QAction>
#include <QDateTime>
#include <QMenu>
#include <QTest>
#include <QTimeZone>

namespace {
// 2024-06-15 12:34:56 UTC; the supply's clock shows it in local time.
constexpr quint32 sampleClock = 1718454896;

PowerDataPacket packetWith(int offset, const QByteArray& bytes)
{
    PowerDataPacket packet;
    for (int i = 0; i < bytes.size(); ++i)
        packet.setByte(offset + i, quint8(bytes.at(i)));
    return packet;
}

QList<int> menuIds(const PowerDisplay& display)
{
    QList<int> ids;
    for (QAction* action : display.menu()->actions())
        ids << action->data().toInt();
    return ids;
}
} // namespace

class TestPowerDisplay : public QObject
{
    Q_OBJECT
private slots:
    void valueText_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("celsius");
        QTest::addColumn<QString>("expected");
        const QString degree(QChar(0x00B0));
        const QString limit(QChar(0x2305));
        QTest::newRow("0 none") << 0 << 3 << QByteArray() << true << "NONE";
        QTest::newRow("2 fan") << 2 << 15 << QByteArray::fromHex("4b") << true << "75%";
        QTest::newRow("3 main voltage") << 3 << 3 << QByteArray::fromHex("78") << true << "12.0V";
        QTest::newRow("4 main current") << 4 << 4 << QByteArray::fromHex("0119") << true << "28.1A";
        QTest::newRow("5 mains voltage") << 5 << 11 << QByteArray::fromHex("00e6") << true << "230V";
        QTest::newRow("6 mains frequency") << 6 << 13 << QByteArray::fromHex("01f4") << true << "50.0Hz";
        QTest::newRow("7 max power") << 7 << 20 << QByteArray::fromHex("0258") << true << limit + "600W";
        QTest::newRow("8 max current") << 8 << 22 << QByteArray::fromHex("0190") << true << limit + "40.0A";
        QTest::newRow("9 total current") << 9 << 18 << QByteArray::fromHex("0023") << true << "3.5A";
        QTest::newRow("10 total power") << 10 << 16 << QByteArray::fromHex("01f4") << true << "500W";
        QTest::newRow("11 inside, Celsius") << 11 << 10 << QByteArray::fromHex("f6") << true << "-10" + degree + "C";
        QTest::newRow("11 inside, Fahrenheit") << 11 << 10 << QByteArray::fromHex("f6") << false << "14" + degree + "F";
        QTest::newRow("12 outside, Fahrenheit") << 12 << 9 << QByteArray::fromHex("25") << false << "98" + degree + "F";
        QTest::newRow("14 USB1 voltage") << 14 << 6 << QByteArray::fromHex("32") << true << "5.0V";
        QTest::newRow("15 USB1 current") << 15 << 7 << QByteArray::fromHex("012c") << true << "3.00A";
        QTest::newRow("16 USB2 voltage") << 16 << 40 << QByteArray::fromHex("5a") << true << "9.0V";
        QTest::newRow("17 USB2 current") << 17 << 41 << QByteArray::fromHex("00c8") << true << "2.00A";
        QTest::newRow("18 USB3 voltage") << 18 << 43 << QByteArray::fromHex("78") << true << "12.0V";
        QTest::newRow("19 USB3 current") << 19 << 44 << QByteArray::fromHex("0005") << true << "0.05A";
        QTest::newRow("20 USB4 voltage") << 20 << 46 << QByteArray::fromHex("c8") << true << "20.0V";
        QTest::newRow("21 USB4 current") << 21 << 47 << QByteArray::fromHex("01f4") << true << "5.00A";
        QTest::newRow("22 unknown") << 22 << 3 << QByteArray::fromHex("ff") << true << "";
        QTest::newRow("-1 unknown") << -1 << 3 << QByteArray::fromHex("ff") << true << "";
    }
    void valueText()
    {
        QFETCH(int, id);
        QFETCH(int, offset);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, celsius);
        QFETCH(QString, expected);
        PowerDataPacket packet = packetWith(offset, bytes);
        packet.celsius = celsius;
        QCOMPARE(PowerDisplay::valueText(packet, id), expected);
    }

    void clockTexts()
    {
        PowerDataPacket packet;
        packet.setBigEndian32(24, sampleClock);
        const QDateTime local = QDateTime::fromSecsSinceEpoch(sampleClock, Qt::UTC).toLocalTime();
        // No date format chosen yet: the date cell stays empty.
        QCOMPARE(PowerDisplay::valueText(packet, 1), QString());
        packet.dateFormat = "dd.MM.yyyy";
        QCOMPARE(PowerDisplay::valueText(packet, 1), local.date().toString("dd.MM.yyyy"));
        QCOMPARE(PowerDisplay::valueText(packet, 13), local.time().toString("hh:mm"));
        packet.clock24h = false;
        QVERIFY(PowerDisplay::valueText(packet, 13).contains(local.time().toString("hh:mm ap")));
        // A data report that never came: the clock's zero, midnight UTC in local time.
        PowerDataPacket empty;
        QCOMPARE(PowerDisplay::valueText(empty, 13),
                 QDateTime::fromSecsSinceEpoch(0, Qt::UTC).toLocalTime().toString("hh:mm"));
    }

    void menusByPage_data()
    {
        QTest::addColumn<bool>("supply");
        QTest::addColumn<int>("page");
        QTest::addColumn<QList<int>>("ids");
        const QList<int> total{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
        QTest::newRow("TOTAL, log") << false << 2 << total;
        QTest::newRow("TOTAL, supply") << true << 2 << total + QList<int>{14, 15};
        QTest::newRow("SITE, supply") << true << 16 << total + QList<int>{14, 15};
        QTest::newRow("POWER") << false << 4 << QList<int>{0, 3, 4, 7, 8, 9, 10};
        QTest::newRow("AUX, four ports") << false << 8 << QList<int>{0, 14, 15, 16, 17, 18, 19, 20, 21};
        QTest::newRow("AUX, one port") << true << 8 << QList<int>{0, 14, 15};
        QTest::newRow("no page") << false << 32 << QList<int>{};
    }
    void menusByPage()
    {
        QFETCH(bool, supply);
        QFETCH(int, page);
        QFETCH(QList<int>, ids);
        powerParameterNames.clear();
        powerSupplyConnected = supply;
        PowerDisplay display;
        display.buildMenu(page);
        powerSupplyConnected = false;
        QCOMPARE(menuIds(display), ids);
        for (QAction* action : display.menu()->actions())
            QVERIFY(action->isCheckable() && !action->text().isEmpty());
        if (supply && ids.contains(14))
            QCOMPARE(powerParameterNames.value(14), QString("USB Output Voltage"));
    }

    void cellAt_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("cell");
        // The picture's centre is (59, 59); it is drawn centred in the label.
        const QSize exact(120, 120);
        QTest::newRow("cell 0 top left") << exact << QPoint(27, 39) << 0;
        QTest::newRow("cell 0 bottom right") << exact << QPoint(90, 56) << 0;
        QTest::newRow("left of cell 0") << exact << QPoint(26, 39) << -1;
        QTest::newRow("cell 1 top") << exact << QPoint(59, 61) << 1;
        QTest::newRow("cell 2 corners") << exact << QPoint(80, 93) << 2;
        QTest::newRow("right of cell 2") << exact << QPoint(81, 93) << -1;
        QTest::newRow("title") << exact << QPoint(59, 30) << -1;
        QTest::newRow("outside the disc") << exact << QPoint(2, 2) << -1;
        QTest::newRow("wide label, cell 0") << QSize(200, 160) << QPoint(67, 59) << 0;
        QTest::newRow("wide label, picture's own corner") << QSize(200, 160) << QPoint(27, 39) << -1;
    }
    void cellAt()
    {
        QFETCH(QSize, size);
        QFETCH(QPoint, point);
        QFETCH(int, cell);
        PowerDisplay display;
        display.resize(size);
        QCOMPARE(display.cellAt(point), cell);
    }

    void choosingACellShowsAParameterOnce()
    {
        PowerDisplay display;
        display.buildMenu(2);
        display.setCells({3, 4, 5});
        auto action = [&](int id) {
            for (QAction* a : display.menu()->actions())
                if (a->data().toInt() == id)
                    return a;
            return static_cast<QAction*>(nullptr);
        };
        display.setCell(2, action(3));
        QCOMPARE(display.cells, QList<int>({0, 4, 3}));
        // A dismissed menu and a point outside every cell change nothing.
        display.setCell(1, nullptr);
        display.setCell(-1, action(9));
        QCOMPARE(display.cells, QList<int>({0, 4, 3}));

        display.checkCurrentAction(1);
        for (QAction* a : display.menu()->actions())
            QCOMPARE(a->isChecked(), a->data().toInt() == 4);
        display.checkCurrentAction(-1);
        for (QAction* a : display.menu()->actions())
            QVERIFY(!a->isChecked());
    }

    void cellsFollowTheSharedReport()
    {
        PowerDataPacket shared = packetWith(3, QByteArray::fromHex("78"));
        auto* display = new PowerDisplay;
        display->setDataPacket(&shared);
        QCOMPARE(display->dataPacket(), &shared);
        display->setCells({3, 0, 0});
        // The widget never frees a report it was given.
        delete display;
        QCOMPARE(shared.byteAt(3), quint8(0x78));

        PowerDisplay own;
        own.setDataPacket(&shared);
        own.setDataPacket(nullptr);
        QVERIFY(own.dataPacket() != &shared);
        QCOMPARE(PowerDisplay::valueText(*own.dataPacket(), 3), QString("0.0V"));
    }

    void paintsTheRoundScreen()
    {
        PowerDisplay display;
        display.paint({"TOTAL", "12.0V", "3.5A", "NONE"});
        const QImage image = display.pixmap().toImage();
        QCOMPARE(image.size(), QSize(120, 120));
        QCOMPARE(image.pixelColor(0, 0).alpha(), 0);
        QCOMPARE(image.pixelColor(59, 59).rgb(), QColor(Qt::black).rgb());
        bool green = false;
        for (int x = 27; x < 91 && !green; ++x)
            for (int y = 39; y < 57 && !green; ++y)
                green = image.pixelColor(x, y).green() > 128 && image.pixelColor(x, y).red() < 100;
        QVERIFY(green);
    }
};

QTEST_MAIN(TestPowerDisplay)
#include "tst_powerdisplay.moc"
