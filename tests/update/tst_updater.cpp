// Update checks against a loopback server standing in for the update server.

#include "Downloader.h"
#include "HidTestSupport.h"
#include "Settings.h"
#include "UpdateServer.h"
#include "Updater.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

UpdateServer::Reply xmlReply(const QByteArray& version, UpdateServer::Mode mode = UpdateServer::Mode::Answer)
{
    UpdateServer::Reply reply;
    reply.body = "<?xml version=\"1.0\"?><UPDATE><INFO>Notes " + version + "</INFO><VERSION>" + version
                 + "</VERSION><LINK>http://127.0.0.1/files/" + version + ".bin</LINK></UPDATE>";
    reply.mode = mode;
    return reply;
}

QVariant setting(const char* key)
{
    Settings settings;
    return settings.value(QString("Update/") + key);
}

// The argument of every emission so far.
QList<bool> answers(const QSignalSpy& spy)
{
    QList<bool> result;
    for (const QList<QVariant>& args : spy)
        result << args.at(0).toBool();
    return result;
}

} // namespace

class TestUpdater : public QObject
{
    Q_OBJECT

    std::unique_ptr<UpdateServer> server;
    HidDevice* hid = nullptr;
    QString serial;

    std::unique_ptr<Updater> makeUpdater(bool autoSoftware = false)
    {
        Settings settings;
        settings.setValue("Update/auto-check-soft", autoSoftware);
        settings.sync();
        return std::make_unique<Updater>(nullptr);
    }

private slots:
    void initTestCase() { QCoreApplication::setApplicationVersion("2.0.5"); }

    void init()
    {
        Settings().clear();
        QSettings().clear();
        server = std::make_unique<UpdateServer>();
        qputenv("TALVO_UPDATE_SERVER", server->base().toString().toUtf8());
        hid = freshDevice();
        sim::plug(sim::Kind::Analyzer);
        hid->checkTimerTick();
        serial = hid->serial();
    }
    void cleanup()
    {
        hid->stop();
        delete hid;
        server.reset();
    }

    void softwareCheck_data()
    {
        QTest::addColumn<QByteArray>("version");
        QTest::addColumn<bool>("newer");

        QTest::newRow("next patch") << QByteArray("2.0.6") << true;
        QTest::newRow("next major") << QByteArray("3.0.0") << true;
        QTest::newRow("same") << QByteArray("2.0.5") << false;
        QTest::newRow("older") << QByteArray("1.9.9") << false;
        QTest::newRow("two parts") << QByteArray("2.1") << false;
    }
    void softwareCheck()
    {
        QFETCH(QByteArray, version);
        QFETCH(bool, newer);
        server->setReply("/getsoftware", xmlReply(version));
        auto updater = makeUpdater();
        QSignalSpy found(updater.get(), &Updater::newSWAvailable);

        updater->on_checkUpdatesSW();

        QVERIFY(found.wait(30000));
        QCOMPARE(answers(found), QList<bool>{newer});
        QCOMPARE(server->requests, QList<QByteArray>{"/getsoftware?model=talvo&os=win"});
        QCOMPARE(setting("sw-version").toString(), QString(version));
        QCOMPARE(setting("has-new-sw").toBool(), newer);
        QCOMPARE(updater->softwareDownloader()->info(), QString("Notes " + version));
        QCOMPARE(updater->softwareDownloader()->link(), QString("http://127.0.0.1/files/" + version + ".bin"));
    }

    void startupCheck()
    {
        server->setReply("/getsoftware", xmlReply("2.0.6"));
        QElapsedTimer sinceStart;
        sinceStart.start();
        auto updater = makeUpdater(true);
        QSignalSpy found(updater.get(), &Updater::newSWAvailable);
        qint64 askedAfter = -1;
        server->onRequest = [&] {
            if (askedAfter < 0)
                askedAfter = sinceStart.elapsed();
        };
        QVERIFY(found.wait(Updater::startupDelayMs + 30000));
        QCOMPARE(answers(found), QList<bool>{true});
        // Not asked before the delay (a coarse timer may fire 5 % early); a busy machine
        // only makes it later.
        QVERIFY2(askedAfter >= Updater::startupDelayMs * 95 / 100, qPrintable(QString::number(askedAfter)));
    }

    void checkDueAfterADay_data()
    {
        QTest::addColumn<QString>("serial");
        QTest::addColumn<QString>("key");
        QTest::addColumn<qint64>("agoSeconds");
        QTest::addColumn<bool>("due");

        QTest::newRow("never checked") << "" << "" << qint64(0) << true;
        QTest::newRow("software an hour ago") << "" << "software" << qint64(3600) << false;
        QTest::newRow("software two days ago") << "" << "software" << qint64(2 * 86400) << true;
        QTest::newRow("this instrument an hour ago") << "500100123" << "firmware_500100123" << qint64(3600) << false;
        QTest::newRow("another instrument an hour ago") << "500100123" << "firmware_500200456" << qint64(3600)
                                                        << true;
        // A clock that ran ahead or an edited file must not stop the checks for good.
        QTest::newRow("software a year from now") << "" << "software" << qint64(-365 * 86400) << true;
    }
    void checkDueAfterADay()
    {
        QFETCH(QString, serial);
        QFETCH(QString, key);
        QFETCH(qint64, agoSeconds);
        QFETCH(bool, due);
        if (!key.isEmpty())
            QSettings().setValue("Update/" + key, QDateTime::currentMSecsSinceEpoch() - agoSeconds * 1000);
        auto updater = makeUpdater();
        QCOMPARE(updater->isCheckDue(serial), due);
    }

    void firmwareComparedWithTheInstrument_data()
    {
        QTest::addColumn<QByteArray>("server");
        QTest::addColumn<QString>("device");
        QTest::addColumn<bool>("reportedFirst");
        QTest::addColumn<QList<bool>>("announced");

        QTest::newRow("newer than the instrument's") << QByteArray("1.6.0") << "1.05" << true << QList<bool>{true};
        QTest::newRow("the instrument's own") << QByteArray("1.5.0") << "1.05" << true << QList<bool>{false};
        QTest::newRow("older") << QByteArray("1.4.9") << "1.05" << true << QList<bool>{false};
        QTest::newRow("first answer, instrument already newer") << QByteArray("1.0.0") << "2.00" << true
                                                                << QList<bool>{false};
        QTest::newRow("instrument reports after the answer") << QByteArray("1.6.0") << "1.05" << false
                                                             << QList<bool>{false, true};
        QTest::newRow("answer without a version") << QByteArray("") << "1.05" << true << QList<bool>{false};
    }
    void firmwareComparedWithTheInstrument()
    {
        QFETCH(QByteArray, server);
        QFETCH(QString, device);
        QFETCH(bool, reportedFirst);
        QFETCH(QList<bool>, announced);
        this->server->setReply("/getfirmware", xmlReply(server));
        auto updater = makeUpdater();
        QSignalSpy found(updater.get(), &Updater::newFWAvailable);
        // Another instrument's report never counts for this one.
        updater->setDeviceFirmwareVersion("500199999", "0.01");
        if (reportedFirst)
            updater->setDeviceFirmwareVersion(serial, device);

        updater->on_checkUpdatesFW("ignored");
        QVERIFY(found.wait(30000));
        if (!reportedFirst)
            updater->setDeviceFirmwareVersion(serial, device);

        QCOMPARE(answers(found), announced);
        QCOMPARE(this->server->requests,
                 QList<QByteArray>{"/getfirmware?app=talvo&model=talvo&revision=0&sn=500100123&os=win"});
        QCOMPARE(setting("fw-version").toString(), QString(server));
        QCOMPARE(setting("has-new-fw").toBool(), announced.last());
    }

    void overlappingChecks_data()
    {
        QTest::addColumn<bool>("firmwareFirst");
        QTest::newRow("firmware answered first") << true;
        QTest::newRow("software answered first") << false;
    }
    void overlappingChecks()
    {
        QFETCH(bool, firmwareFirst);
        server->setReply("/getsoftware", xmlReply("2.0.6", UpdateServer::Mode::Hold));
        server->setReply("/getfirmware", xmlReply("1.0.0", UpdateServer::Mode::Hold));
        auto updater = makeUpdater();
        updater->setDeviceFirmwareVersion(serial, "1.05");
        QSignalSpy software(updater.get(), &Updater::newSWAvailable);
        QSignalSpy firmware(updater.get(), &Updater::newFWAvailable);

        updater->on_checkUpdatesSW();
        updater->on_checkUpdatesFW(serial);
        QTRY_COMPARE_WITH_TIMEOUT(server->requests.size(), 2, 30000);
        server->release(firmwareFirst ? "/getfirmware" : "/getsoftware");
        QSignalSpy& first = firmwareFirst ? firmware : software;
        QVERIFY(first.wait(30000));
        server->release(firmwareFirst ? "/getsoftware" : "/getfirmware");
        QSignalSpy& second = firmwareFirst ? software : firmware;
        QVERIFY(second.wait(30000));

        QCOMPARE(answers(software), QList<bool>{true});
        QCOMPARE(answers(firmware), QList<bool>{false});
        QCOMPARE(setting("sw-version").toString(), QString("2.0.6"));
        QCOMPARE(setting("fw-version").toString(), QString("1.0.0"));
        QCOMPARE(updater->firmwareDownloader()->link(), QString("http://127.0.0.1/files/1.0.0.bin"));
        QCOMPARE(updater->softwareDownloader()->link(), QString("http://127.0.0.1/files/2.0.6.bin"));
    }

    void failedChecksAnnounceNothing_data()
    {
        QTest::addColumn<int>("status");
        QTest::addColumn<QByteArray>("contentType");
        QTest::addColumn<QByteArray>("body");

        QTest::newRow("not found page") << 404 << QByteArray("text/html")
                                        << QByteArray("<html><body>Not found</body></html>");
        QTest::newRow("web page with 200") << 200 << QByteArray("text/html")
                                           << QByteArray("<html><body><p>Maintenance</p></body></html>");
        QTest::newRow("server error") << 500 << QByteArray("text/xml") << xmlReply("9.9.9").body;
        QTest::newRow("malformed XML") << 200 << QByteArray("text/xml") << QByteArray("<UPDATE><VERSION>9.9.9");
    }
    void failedChecksAnnounceNothing()
    {
        QFETCH(int, status);
        QFETCH(QByteArray, contentType);
        QFETCH(QByteArray, body);
        server->setReply("/getsoftware", {status, contentType, body, UpdateServer::Mode::Answer});
        auto updater = makeUpdater();
        QSignalSpy found(updater.get(), &Updater::newSWAvailable);
        if (status == 200 && contentType == "text/xml")
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression("^Wrong XML content: "));

        updater->on_checkUpdatesSW();

        QVERIFY(found.wait(30000));
        QCOMPARE(answers(found), QList<bool>{false});
        const Downloader* downloader = updater->softwareDownloader();
        QVERIFY(!downloader->error().isEmpty());
        QCOMPARE(downloader->info(), downloader->error());
        QCOMPARE(downloader->link(), QString());
        QVERIFY(!setting("sw-version").isValid());
        QVERIFY(!setting("has-new-sw").isValid());
    }

    void stalledCheckTimesOut()
    {
        server->setReply("/getfirmware", xmlReply("1.6.0", UpdateServer::Mode::Silent));
        auto updater = makeUpdater();
        updater->setDeviceFirmwareVersion(serial, "1.05");
        QSignalSpy found(updater.get(), &Updater::newFWAvailable);

        updater->on_checkUpdatesFW(serial);
        // While the first runs a second is refused and nothing more is sent.
        QCOMPARE(updater->firmwareDownloader()->downloadInfo(QUrl("http://127.0.0.1:1/")), 1);
        // The stall counts from the moment the server holds the request, however long a
        // busy machine took to get it there (a new time restarts the running wait).
        QTRY_COMPARE_WITH_TIMEOUT(server->requests.size(), 1, 30000);
        updater->firmwareDownloader()->setTimeout(300);
        QVERIFY(found.wait(30000));
        QCOMPARE(answers(found), QList<bool>{false});
        QCOMPARE(updater->firmwareDownloader()->error(), QString("The update server stopped answering."));
        QCOMPARE(server->requests.size(), 1);

        server->setReply("/getfirmware", xmlReply("1.6.0"));
        updater->on_checkUpdatesFW(serial);
        QVERIFY(found.wait(30000));
        QCOMPARE(answers(found), (QList<bool>{false, true}));
        QVERIFY(updater->firmwareDownloader()->error().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestUpdater)
#include "tst_updater.moc"
