#include "ChannelInfo.h"
#include "DeviceDescriptions.h"
#include "DeviceInfo.h"
#include "LoggerState.h"

#include <QJsonArray>
#include <QtTest>

class TestChannelTable : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        ChannelInfo::clearTable();
        DeviceInfo::resetInstance();
        power600Model = false;
        setPowerChannelsRefill({});
    }

    void lookupAndStore()
    {
        const ChannelInfo missing(7);
        QCOMPARE(missing.descriptor(), quint8(4));
        QCOMPARE(missing.channel(), quint8(0));
        QCOMPARE(missing.dataType(), quint8(0));
        QCOMPARE(missing.lower, 0.0);
        QCOMPARE(missing.upper, 10000000.0);
        QCOMPARE(missing.precision, 1);

        ChannelInfo first;
        first.setByte(4, 3);
        first.setByte(5, 1);
        first.store();
        ChannelInfo second = first;
        second.setByte(5, 2);
        second.precision = 2;
        second.upper = 4.0;
        second.store();
        QCOMPARE(ChannelInfo::channelCount(), 1);
        const ChannelInfo stored(3);
        QCOMPARE(stored.channel(), quint8(3));
        QCOMPARE(stored.dataType(), quint8(2));
        QCOMPARE(stored.precision, 2);
        QCOMPARE(stored.upper, 4.0);
        ChannelInfo::clearTable();
        QCOMPARE(ChannelInfo::channelCount(), 0);
    }

    void identityTexts_data()
    {
        QTest::addColumn<quint32>("serial");
        QTest::addColumn<int>("version");
        QTest::addColumn<QString>("serialText");
        QTest::addColumn<QString>("versionText");
        QTest::newRow("zero") << 0u << 0 << "000000000" << "1.00";
        QTest::newRow("small") << 12345u << 5 << "000012345" << "1.05";
        QTest::newRow("ten digits") << 4000000000u << 105 << "4000000000" << "2.05";
        QTest::newRow("top versions") << 500112345u << 199 << "500112345" << "2.99";
        QTest::newRow("byte max") << 1u << 255 << "000000001" << "3.55";
    }
    void identityTexts()
    {
        QFETCH(quint32, serial);
        QFETCH(int, version);
        QFETCH(QString, serialText);
        QFETCH(QString, versionText);
        DeviceInfo info;
        info.setBigEndian32(4, serial);
        info.setByte(2, quint8(version));
        QCOMPARE(info.serialNumber(), serialText);
        QCOMPARE(info.versionText(), versionText);

        // Parsing the version text is the inverse.
        parseDeviceInfo(info, QJsonObject{{"version", versionText}});
        QCOMPARE(info.version(), quint8(version));
    }

    void descriptions_data()
    {
        QTest::addColumn<bool>("analyzer");
        QTest::addColumn<bool>("secondModel");
        QTest::addColumn<int>("channels");
        QTest::addColumn<int>("upid");
        QTest::addColumn<int>("channelCount");
        QTest::addColumn<QString>("info");
        QTest::newRow("analyzer") << true << false << 3 << 5 << 3 << "Korvanite Current logger v1.00";
        QTest::newRow("first supply") << false << false << 8 << 52 << 8 << "Korvanite Power Supply logger v1.00";
        QTest::newRow("second supply") << false << true << 14 << 52 << 8 << "Korvanite Power Supply logger v1.00";
    }
    void descriptions()
    {
        QFETCH(bool, analyzer);
        QFETCH(bool, secondModel);
        QFETCH(int, channels);
        QFETCH(int, upid);
        QFETCH(int, channelCount);
        QFETCH(QString, info);

        // The global identity is reset in place: a holder's reference stays valid and
        // sees the new content, not the previous device's serial number.
        DeviceInfo& holder = DeviceInfo::instance();
        holder.setBigEndian32(4, 500100042);
        int refills = 0;
        int countAtRefill = -1;
        setPowerChannelsRefill([&] {
            ++refills;
            countAtRefill = ChannelInfo::channelCount();
        });
        ChannelInfo extra;
        extra.setByte(4, 40);
        extra.store();

        if (analyzer) {
            createDefaults();
            QCOMPARE(ChannelInfo::channelCount(), channels + 1); // other entries stay
            QCOMPARE(refills, 0);
            QCOMPARE(holder.serialNumber(), QStringLiteral("500100042"));
        } else {
            power600Model = secondModel;
            QTest::ignoreMessage(QtDebugMsg, qPrintable(QStringLiteral("createDefaultsPower: cnt = %1").arg(channels)));
            createDefaultsPower();
            QCOMPARE(ChannelInfo::channelCount(), channels);
            QCOMPARE(refills, 1);
            QCOMPARE(countAtRefill, channels);
            QCOMPARE(holder.serialNumber(), QStringLiteral("000000000"));
        }
        QCOMPARE(&holder, &DeviceInfo::instance());
        QCOMPARE(holder.descriptor(), quint8(1));
        QCOMPARE(holder.deviceId(), quint8(upid));
        QCOMPARE(holder.versionText(), QStringLiteral("1.00"));
        QCOMPARE(holder.channelCount(), quint8(channelCount));
        QCOMPARE(holder.infoText(), info);
        for (int c = 0; c < channels; ++c)
            QCOMPARE(ChannelInfo(quint8(c)).channel(), quint8(c));
    }

    void analyzerChannels()
    {
        createDefaults();
        const ChannelInfo current(0);
        QCOMPARE(current.descriptor(), quint8(0));
        QCOMPARE(current.infoText(), QStringLiteral("μA,Current,"));
        QCOMPARE(current.unit(), QStringLiteral("μA"));
        QCOMPARE(current.name(), QStringLiteral("Current"));
        QCOMPARE(current.byteAt(12), quint8(0xB5));
        QCOMPARE(current.dataType(), quint8(1));
        QCOMPARE(current.baseNumber(), quint8(2));
        QCOMPARE(current.minExponent(), quint8(0));
        QCOMPARE(current.upper, 2100000.0);
        QCOMPARE(current.precision, 0);
        const ChannelInfo voltage(2);
        QCOMPARE(voltage.infoText(), QStringLiteral("mV,Voltage,"));
        QCOMPARE(voltage.baseNumber(), quint8(52));
        QCOMPARE(voltage.minExponent(), quint8(255));
        QCOMPARE(voltage.lower, -100.0);
        QCOMPARE(voltage.upper, 5500.0);
    }

    void supplyChannelsByModel_data()
    {
        QTest::addColumn<bool>("secondModel");
        QTest::addColumn<int>("channel");
        QTest::addColumn<QString>("info");
        QTest::addColumn<int>("dataType");
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::addColumn<int>("precision");
        QTest::newRow("main current") << false << 1 << "A,13.8V Current," << 0 << 0.0 << 40.0 << 1;
        QTest::newRow("main current 600") << true << 1 << "A,13.8V Current," << 0 << 0.0 << 50.0 << 1;
        QTest::newRow("usb voltage") << false << 2 << "V,USB Voltage," << 3 << 0.0 << 12.0 << 1;
        QTest::newRow("usb1 voltage 600") << true << 2 << "V,USB1 Voltage," << 3 << 0.0 << 15.0 << 1;
        QTest::newRow("usb current") << false << 3 << "A,USB Current," << 0 << 0.0 << 4.0 << 2;
        QTest::newRow("temperature") << false << 4 << "C,Temperature outside," << 2 << -30.0 << 100.0 << 0;
        QTest::newRow("mains") << true << 6 << "V,Input AC Voltage," << 0 << 50.0 << 300.0 << 0;
        QTest::newRow("usb4 current") << true << 13 << "A,USB4 Current," << 0 << 0.0 << 4.0 << 2;
    }
    void supplyChannelsByModel()
    {
        QFETCH(bool, secondModel);
        QFETCH(int, channel);
        QFETCH(QString, info);
        QFETCH(int, dataType);
        QFETCH(double, lower);
        QFETCH(double, upper);
        QFETCH(int, precision);
        power600Model = secondModel;
        QTest::ignoreMessage(QtDebugMsg, QRegularExpression("createDefaultsPower"));
        createDefaultsPower();
        const ChannelInfo c{quint8(channel)};
        QCOMPARE(c.channel(), quint8(channel));
        QCOMPARE(c.infoText(), info);
        QCOMPARE(c.dataType(), quint8(dataType));
        QCOMPARE(c.baseNumber(), quint8(2));
        QCOMPARE(c.minExponent(), quint8(0));
        QCOMPARE(c.lower, lower);
        QCOMPARE(c.upper, upper);
        QCOMPARE(c.precision, precision);
    }

    void malformedDescriptions()
    {
        const QString longInfo = QStringLiteral("Ω,") + QString(60, QLatin1Char('n'));
        parseChannels(QJsonObject{{"Channels", QJsonArray{
            QJsonObject{{"channel", 300}, {"info", longInfo}, {"dataType", -1}},
            QJsonObject{},
            QJsonValue("not an object"),
        }}});
        // 300 keeps its low 8 bits; every missing key is 0.
        QCOMPARE(ChannelInfo::channelCount(), 2);
        const ChannelInfo wide(44);
        QCOMPARE(wide.channel(), quint8(44));
        QCOMPARE(wide.dataType(), quint8(255));
        QCOMPARE(wide.infoText(), (QStringLiteral("?,") + QString(60, QLatin1Char('n'))).left(48));
        QCOMPARE(wide.lower, 0.0);
        QCOMPARE(wide.upper, 0.0);
        QCOMPARE(wide.precision, 0);

        DeviceInfo info;
        info.setByte(40, 0x55);
        parseDeviceInfo(info, QJsonObject{{"info", QString(70, QLatin1Char('i'))}, {"upid", 261}});
        QCOMPARE(info.deviceId(), quint8(5));
        QCOMPARE(info.channelCount(), quint8(0));
        QCOMPARE(info.infoText(), QString(56, QLatin1Char('i')));
        QCOMPARE(info.toByteArray().size(), 64);
    }
};

QTEST_GUILESS_MAIN(TestChannelTable)
#include "tst_channeltable.moc"
