// The update rules without a network: reply parsing, version numbers, the model and
// query of a serial number, and which firmware image fits which instrument.

#include "FirmwareImage.h"
#include "UpdateRules.h"

#include <QUrlQuery>
#include <QtEndian>
#include <QtTest>

using OptionalNumber = std::optional<qint64>;
Q_DECLARE_METATYPE(OptionalNumber)
Q_DECLARE_METATYPE(FirmwareImage::Check)

class TestUpdateRules : public QObject
{
    Q_OBJECT

private slots:
    void replyParsing_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<QString>("info");
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("link");

        QTest::newRow("full answer")
            << QByteArray("<?xml version=\"1.0\"?><UPDATE><INFO>Faster sampling</INFO><VERSION>2.1.0</VERSION>"
                          "<LINK>https://example.invalid/talvo-2.1.0.exe</LINK><EXTRA>x</EXTRA></UPDATE>")
            << true << "Faster sampling" << "2.1.0" << "https://example.invalid/talvo-2.1.0.exe";
        QTest::newRow("version only") << QByteArray("<R><VERSION>2.0.6</VERSION></R>") << true << ""
                                      << "2.0.6" << "";
        QTest::newRow("empty INFO") << QByteArray("<R><INFO></INFO><VERSION>1.0.0</VERSION></R>") << true << ""
                                    << "1.0.0" << "";
        QTest::newRow("malformed") << QByteArray("<R><VERSION>2.0.6</R>") << false << "" << "" << "";
        QTest::newRow("empty body") << QByteArray() << false << "" << "" << "";
        QTest::newRow("web page") << QByteArray("<html><body><h1>Not here</h1></body></html>") << false << ""
                                  << "" << "";
    }
    void replyParsing()
    {
        QFETCH(QByteArray, body);
        QFETCH(bool, valid);
        QFETCH(QString, info);
        QFETCH(QString, version);
        QFETCH(QString, link);
        const UpdateReply reply = parseUpdateReply(body);
        QCOMPARE(reply.valid, valid);
        QCOMPARE(reply.problem.isEmpty(), valid);
        if (valid) {
            QCOMPARE(reply.info, info);
            QCOMPARE(reply.version, version);
            QCOMPARE(reply.link, link);
        }
    }

    void versionNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<OptionalNumber>("server");
        QTest::addColumn<OptionalNumber>("firmware");

        QTest::newRow("a.b.c") << "2.0.5" << OptionalNumber(2000005) << OptionalNumber(2000005);
        QTest::newRow("large parts") << "10.999.7" << OptionalNumber(10999007) << OptionalNumber(10999007);
        QTest::newRow("invalid part counts 0") << "2.x.5" << OptionalNumber(2000005) << OptionalNumber(2000005);
        QTest::newRow("negative part counts 0") << "3.-1.2" << OptionalNumber(3000002) << OptionalNumber(3000002);
        QTest::newRow("oversized part counts 0")
            << "99999999999999.2.1" << OptionalNumber(2001) << OptionalNumber(2001);
        QTest::newRow("four parts") << "1.2.3.4" << OptionalNumber(1002003) << OptionalNumber(1002003);
        QTest::newRow("two parts") << "2.1" << OptionalNumber() << OptionalNumber(2001000);
        QTest::newRow("instrument's major.minor") << "1.05" << OptionalNumber() << OptionalNumber(1005000);
        QTest::newRow("one part") << "7" << OptionalNumber() << OptionalNumber();
        QTest::newRow("empty") << "" << OptionalNumber() << OptionalNumber();
    }
    void versionNumbers()
    {
        QFETCH(QString, text);
        QFETCH(OptionalNumber, server);
        QFETCH(OptionalNumber, firmware);
        QCOMPARE(versionNumber(text), server);
        QCOMPARE(firmwareVersionNumber(text), firmware);
    }

    void firmwareQueryOfASerial_data()
    {
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("revision");
        QTest::addColumn<std::optional<quint32>>("magic");

        QTest::newRow("analyzer") << "500100123" << "talvo" << "0" << std::optional<quint32>(0xA9BACBDC);
        QTest::newRow("supply") << "500200456" << "hollowcrestpower" << "1" << std::optional<quint32>(0x20230710);
        QTest::newRow("second supply") << "500300001" << "hollowcrestpower600" << "1"
                                       << std::optional<quint32>(0x20240104);
        QTest::newRow("other") << "4999" << "other" << "0" << std::optional<quint32>();
        QTest::newRow("no instrument") << "" << "other" << "0" << std::optional<quint32>();
        QTest::newRow("serial that tries to add query items")
            << "5001&os=mac #+x=1" << "talvo" << "0" << std::optional<quint32>(0xA9BACBDC);
    }
    void firmwareQueryOfASerial()
    {
        QFETCH(QString, serial);
        QFETCH(QString, model);
        QFETCH(QString, revision);
        QFETCH(std::optional<quint32>, magic);

        const UpdateModel m = updateModelForSerial(serial);
        QCOMPARE(m.model, model);
        QCOMPARE(m.revision, revision);
        QCOMPARE(FirmwareImage::magicForSerial(serial), magic);

        const QUrl url = firmwareInfoUrl(QUrl("http://127.0.0.1:8080"), serial);
        QCOMPARE(url.path(), QString("/getfirmware"));
        // What a server decodes from the query the program sends.
        const QUrlQuery query(QUrl(url.toString(QUrl::FullyEncoded)).query(QUrl::FullyEncoded));
        QCOMPARE(query.queryItems(QUrl::FullyDecoded).size(), 5);
        QCOMPARE(query.queryItemValue("app", QUrl::FullyDecoded), QString("talvo"));
        QCOMPARE(query.queryItemValue("model", QUrl::FullyDecoded), model);
        QCOMPARE(query.queryItemValue("revision", QUrl::FullyDecoded), revision);
        QCOMPARE(query.queryItemValue("sn", QUrl::FullyDecoded), serial);
        QCOMPARE(query.queryItemValue("os", QUrl::FullyDecoded), QString("win"));
        QCOMPARE(url.fragment(), QString());
    }

    void softwareQuery()
    {
        const QUrl url = softwareInfoUrl(QUrl("http://127.0.0.1:8080"));
        QCOMPARE(url.toString(), QString("http://127.0.0.1:8080/getsoftware?model=talvo&os=win"));
    }

    void imageCheck_data()
    {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<quint32>("expected");
        QTest::addColumn<FirmwareImage::Check>("result");

        auto image = [](quint32 magic, int payload) {
            QByteArray bytes(FirmwareImage::headerBytes + payload, '\x5A');
            qToLittleEndian(magic, bytes.data());
            return bytes;
        };
        QTest::newRow("analyzer image, analyzer") << image(0xA9BACBDC, 100) << 0xA9BACBDCu
                                                  << FirmwareImage::Check::Good;
        QTest::newRow("analyzer image starts DC CB BA A9")
            << QByteArray::fromHex("DCCBBAA9") + QByteArray(600, 0) << 0xA9BACBDCu << FirmwareImage::Check::Good;
        QTest::newRow("analyzer image, supply") << image(0xA9BACBDC, 100) << 0x20230710u
                                                << FirmwareImage::Check::WrongMagic;
        QTest::newRow("supply image, supply") << image(0x20230710, 1) << 0x20230710u << FirmwareImage::Check::Good;
        QTest::newRow("header only") << image(0x20230710, 0) << 0x20230710u << FirmwareImage::Check::TooShort;
        QTest::newRow("header cut short") << image(0xA9BACBDC, 0).left(300) << 0xA9BACBDCu
                                          << FirmwareImage::Check::TooShort;
        QTest::newRow("three bytes") << QByteArray::fromHex("DCCBBA") << 0xA9BACBDCu
                                     << FirmwareImage::Check::WrongMagic;
        QTest::newRow("web page") << QByteArray("<html><body>missing</body></html>") + QByteArray(600, ' ')
                                  << 0xA9BACBDCu << FirmwareImage::Check::WrongMagic;
    }
    void imageCheck()
    {
        QFETCH(QByteArray, image);
        QFETCH(quint32, expected);
        QFETCH(FirmwareImage::Check, result);
        QCOMPARE(FirmwareImage::check(image.left(FirmwareImage::headerBytes), image.size(), expected), result);
    }

    void htmlBodies_data()
    {
        QTest::addColumn<QByteArray>("body");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<bool>("html");

        QTest::newRow("page") << QByteArray("\n  <!DOCTYPE html><html>...") << QByteArray() << true;
        QTest::newRow("upper case") << QByteArray("<HTML><BODY>") << QByteArray() << true;
        QTest::newRow("declared") << QByteArray("whatever") << QByteArray("text/html; charset=utf-8") << true;
        QTest::newRow("image carrying a page") << QByteArray::fromHex("DCCBBAA9") + QByteArray("<html></html>")
                                               << QByteArray("application/octet-stream") << false;
    }
    void htmlBodies()
    {
        QFETCH(QByteArray, body);
        QFETCH(QByteArray, contentType);
        QFETCH(bool, html);
        QCOMPARE(looksLikeHtml(body, contentType), html);
    }
};

QTEST_GUILESS_MAIN(TestUpdateRules)
#include "tst_updaterules.moc"
