// The supply's settings report as plain bytes: JSON export and import, the conversions of
// the page's values, and the settings writes.

#include "SupplySettings.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <QTimeZone>

using namespace SupplySettings;

namespace {
// A report with every field the file holds set to something recognisable.
PowerGetPacket sampleReport()
{
    PowerGetPacket report;
    const quint8 data[] = {0x05, 0x0E, 0x1F, 25, 7, 0xFD, 6, 30, 22, 45, 2};
    for (int d = 0; d < int(sizeof data); ++d)
        setDataByte(report, d, data[d]);
    setDataByte(report, PageSeconds, 9);
    for (int i = 0; i < 12; ++i)
        setDataByte(report, FirstPage + i, quint8(i + 1));
    setDataByte(report, Trim12V, 128);
    return report;
}

QJsonObject parse(const char* text)
{
    return QJsonDocument::fromJson(QByteArray(text)).object();
}
} // namespace

class TestSupplySettings : public QObject
{
    Q_OBJECT
private slots:
    void exportWritesEveryFieldInKeyOrder()
    {
        const QJsonObject object = toJson(sampleReport());
        QCOMPARE(object.value("command").toInt(), 10);
        QCOMPARE(object.value("bitmap1").toString(), QString("00000101"));
        QCOMPARE(object.value("bitmap2").toString(), QString("00001110"));
        QCOMPARE(object.value("auto_off_ampers").toInt(), 25);
        QCOMPARE(object.value("auto_on_minutes").toInt(), 30);
        QCOMPARE(object.value("date_format").toInt(), 2);
        QCOMPARE(object.value("slide_show_sec").toInt(), 9);
        QCOMPARE(object.value("site").toArray(), QJsonArray({10, 11, 12}));
        // The UTC offset and the trim are the computer's and the supply's own.
        QVERIFY(!object.contains("utc") && object.size() == 16);

        const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Indented);
        const QList<QByteArray> lines = text.split('\n');
        QVERIFY(lines.at(1).trimmed().startsWith("\"auto_off_after\""));
        QVERIFY(text.lastIndexOf("\"total\"") > text.lastIndexOf("\"slide_show_sec\""));
        QVERIFY(text.lastIndexOf("\"total\"") > text.lastIndexOf("\"site\""));
    }

    void exportThenImportKeepsTheBytes()
    {
        const PowerGetPacket original = sampleReport();
        PowerGetPacket imported;
        setDataByte(imported, UtcOffset, 3);
        setDataByte(imported, Trim12V, 77);
        QVERIFY(fromJson(imported, toJson(original)));
        for (int d = 0; d <= 31; ++d) {
            if (d == UtcOffset || (d >= 11 && d <= 18))
                continue;
            QCOMPARE(dataByte(imported, d), dataByte(original, d));
        }
        QCOMPARE(dataByte(imported, UtcOffset), quint8(3));
        QCOMPARE(dataByte(imported, Trim12V), quint8(77));
    }

    void untouchedFieldsKeepTheShownBytes_data()
    {
        QTest::addColumn<int>("field");
        QTest::addColumn<int>("sent");
        QTest::addColumn<int>("widgetReads");
        QTest::addColumn<int>("userSets");
        QTest::newRow("page time 0") << int(PageSeconds) << 0 << 1 << 2;
        QTest::newRow("hour 24") << int(OnHour) << 24 << 0 << 5;
        QTest::newRow("date format 4") << int(DateFormat) << 4 << 0 << 1;
        QTest::newRow("id 255") << FirstPage + 9 << 255 << 255 << 1;
    }
    void untouchedFieldsKeepTheShownBytes()
    {
        QFETCH(int, field);
        QFETCH(int, sent);
        QFETCH(int, widgetReads);
        QFETCH(int, userSets);
        PowerGetPacket shown = sampleReport();
        setDataByte(shown, field, quint8(sent));
        PowerGetPacket shownRead = shown;
        setDataByte(shownRead, field, quint8(widgetReads));

        PowerGetPacket read = shownRead;
        keepUntouched(read, shownRead, shown);
        QCOMPARE(read.toByteArray(), shown.toByteArray());

        read = shownRead;
        setDataByte(read, field, quint8(userSets));
        keepUntouched(read, shownRead, shown);
        QCOMPARE(int(dataByte(read, field)), userSets);
    }

    void aChangedTimeTakesHourAndMinute()
    {
        // Minute 60 shows as midnight: a time set to 07:00 is 7 and 0, not 7 and 60.
        PowerGetPacket shown = sampleReport();
        setDataByte(shown, OffHour, 22);
        setDataByte(shown, OffMinute, 60);
        PowerGetPacket shownRead = shown;
        setDataByte(shownRead, OffHour, 0);
        setDataByte(shownRead, OffMinute, 0);
        PowerGetPacket read = shownRead;
        setDataByte(read, OffHour, 7);
        keepUntouched(read, shownRead, shown);
        QCOMPARE(int(dataByte(read, OffHour)), 7);
        QCOMPARE(int(dataByte(read, OffMinute)), 0);
    }

    void bytesThePageCannotShowImportAgain_data()
    {
        QTest::addColumn<int>("first");
        QTest::addColumn<QList<int>>("bytes");
        QTest::newRow("TOTAL ids 255") << int(FirstPage) << QList<int>{255, 255, 255};
        QTest::newRow("POWER ids 22") << FirstPage + 3 << QList<int>{22, 23, 24};
        QTest::newRow("AUX ids 200") << FirstPage + 6 << QList<int>{200, 0, 128};
        QTest::newRow("SITE ids 255") << FirstPage + 9 << QList<int>{255, 255, 255};
        QTest::newRow("switch-on 24:60") << int(OnHour) << QList<int>{24, 60};
        QTest::newRow("switch-off 255:255") << int(OffHour) << QList<int>{255, 255};
        QTest::newRow("date format 4") << int(DateFormat) << QList<int>{4};
        QTest::newRow("page time 0") << int(PageSeconds) << QList<int>{0};
    }
    void bytesThePageCannotShowImportAgain()
    {
        QFETCH(int, first);
        QFETCH(QList<int>, bytes);
        PowerGetPacket original = sampleReport();
        for (int i = 0; i < bytes.size(); ++i)
            setDataByte(original, first + i, quint8(bytes.at(i)));
        PowerGetPacket imported;
        QString error;
        QVERIFY2(fromJson(imported, toJson(original), &error), qPrintable(error));
        QCOMPARE(pageSettings(imported, false), pageSettings(original, false));
        QCOMPARE(toJson(imported), toJson(original));
    }

    void importReadsWhatItCan_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<int>("dataByte");
        QTest::addColumn<int>("expected");
        QTest::newRow("short bitmap") << QByteArray(R"({"bitmap1":"101"})") << int(PowerBits) << 0x05;
        QTest::newRow("bitmap not base 2") << QByteArray(R"({"bitmap2":"12"})") << int(DisplayBits) << 0;
        QTest::newRow("bitmap as number") << QByteArray(R"({"bitmap3":101})") << int(ScreenBits) << 0;
        QTest::newRow("long bitmap keeps low bits") << QByteArray(R"({"bitmap1":"100000011"})") << int(PowerBits) << 0x03;
        QTest::newRow("number as string") << QByteArray(R"({"auto_off_after":"5"})") << int(OffDelay) << 0;
        QTest::newRow("fraction") << QByteArray(R"({"auto_off_after":2.5})") << int(OffDelay) << 0;
        QTest::newRow("missing key") << QByteArray(R"({})") << int(OnHour) << 0;
        QTest::newRow("short array keeps the rest") << QByteArray(R"({"power":[7]})") << FirstPage + 4 << 5;
        QTest::newRow("short array sets the first") << QByteArray(R"({"power":[7]})") << FirstPage + 3 << 7;
        QTest::newRow("missing array keeps its page") << QByteArray(R"({})") << FirstPage + 6 << 7;
        QTest::newRow("array entries beyond three") << QByteArray(R"({"total":[1,2,3,4]})") << FirstPage + 3 << 4;
        QTest::newRow("wrong entry type") << QByteArray(R"({"aux":["x",2,3]})") << FirstPage + 6 << 0;
        QTest::newRow("unnamed byte kept") << QByteArray(R"({})") << int(UtcOffset) << 0xFD;
    }
    void importReadsWhatItCan()
    {
        QFETCH(QByteArray, json);
        QFETCH(int, dataByte);
        QFETCH(int, expected);
        PowerGetPacket report = sampleReport();
        QVERIFY(fromJson(report, QJsonDocument::fromJson(json).object()));
        QCOMPARE(int(SupplySettings::dataByte(report, dataByte)), expected);
    }

    void importRefusesValuesOutOfRange_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("id beyond a byte") << QByteArray(R"({"site":[1,256,3]})");
        QTest::newRow("negative id") << QByteArray(R"({"total":[-1]})");
        QTest::newRow("hour beyond a byte") << QByteArray(R"({"auto_on_hours":256})");
        QTest::newRow("negative minute") << QByteArray(R"({"auto_off_minutes":-1})");
        QTest::newRow("delay beyond a byte") << QByteArray(R"({"auto_off_after":300})");
    }
    void importRefusesValuesOutOfRange()
    {
        QFETCH(QByteArray, json);
        const PowerGetPacket original = sampleReport();
        PowerGetPacket report = original;
        QString error;
        QVERIFY(!fromJson(report, QJsonDocument::fromJson(json).object(), &error));
        QVERIFY(!error.isEmpty());
        QCOMPARE(report.toByteArray(), original.toByteArray());
    }

    void commandOfTheFileIsTaken()
    {
        PowerGetPacket report;
        QVERIFY(fromJson(report, parse(R"({"command":11})")));
        QCOMPARE(report.byteAt(2), quint8(11));
    }

    void offCurrentTenths_data()
    {
        QTest::addColumn<double>("amperes");
        QTest::addColumn<int>("tenths");
        QTest::newRow("2.5 A") << 2.5 << 25;
        QTest::newRow("2.3 A is not 22") << 2.3 << 23;
        QTest::newRow("0.1 A") << 0.1 << 1;
        QTest::newRow("25.5 A fits") << 25.5 << 255;
        QTest::newRow("above 25.5 A capped") << 30.0 << 255;
        QTest::newRow("200 A capped, not wrapped") << 200.0 << 255;
    }
    void offCurrentTenths()
    {
        QFETCH(double, amperes);
        QFETCH(int, tenths);
        QCOMPARE(int(SupplySettings::offCurrentTenths(amperes)), tenths);
    }

    void utcOffsetHours_data()
    {
        QTest::addColumn<int>("offsetSeconds");
        QTest::addColumn<int>("hours");
        QTest::newRow("UTC+5:30") << 5 * 3600 + 1800 << 5;
        QTest::newRow("UTC-3:30") << -(3 * 3600 + 1800) << -3;
        QTest::newRow("UTC") << 0 << 0;
        QTest::newRow("UTC+14") << 14 * 3600 << 14;
    }
    void utcOffsetHours()
    {
        QFETCH(int, offsetSeconds);
        QFETCH(int, hours);
        const qint8 offset = SupplySettings::utcOffsetHours(offsetSeconds);
        QCOMPARE(int(offset), hours);
        if (hours == -3)
            QCOMPARE(quint8(offset), quint8(0xFD));
    }

    void writesCarryOneFlagEach_data()
    {
        QTest::addColumn<int>("flag");
        QTest::newRow("apply") << int(Apply);
        QTest::newRow("save") << int(Save);
        QTest::newRow("restore defaults") << int(RestoreDefaults);
        QTest::newRow("set clock") << int(SetClock);
    }
    void writesCarryOneFlagEach()
    {
        QFETCH(int, flag);
        PowerGetPacket current = sampleReport();
        current.setByte(2, PowerCode::Settings);
        const QDateTime newYear(QDate(2024, 1, 1), QTime(0, 0), Qt::UTC);
        const PowerSetPacket write = settingsWrite(current, quint8(flag), newYear);
        QCOMPARE(write.byteAt(0), quint8(0x07));
        QCOMPARE(write.byteAt(1), quint8(0x40));
        QCOMPARE(write.byteAt(2), quint8(0x0B));
        QCOMPARE(write.byteAt(57), quint8(flag));
        const QByteArray clock = write.toByteArray().mid(58, 4);
        QCOMPARE(clock, flag == SetClock ? QByteArray::fromHex("65920080") : QByteArray(4, '\0'));
        // The settings themselves travel unchanged.
        QCOMPARE(write.toByteArray().mid(3, 33), current.toByteArray().mid(3, 33));
    }

    void pageSettingsLeaveOutWhatThePageDoesNotShow()
    {
        PowerGetPacket a = sampleReport();
        PowerGetPacket b = a;
        setDataByte(b, UtcOffset, 2);
        setDataByte(b, 12, 99);
        setDataByte(b, PowerBits, quint8(dataByte(a, PowerBits) | 0x80));
        setDataByte(b, Trim12V, 1);
        QCOMPARE(pageSettings(a, false), pageSettings(b, false));
        QVERIFY(pageSettings(a, true) != pageSettings(b, true));
        setDataByte(b, FirstPage + 11, 0);
        QVERIFY(pageSettings(a, false) != pageSettings(b, false));
    }
};

QTEST_GUILESS_MAIN(TestSupplySettings)
#include "tst_supplysettings.moc"
