// The main window's update checks end to end: the start-up and arrival checks reach the
// loopback update server and their answers become status-bar notices.

#include "MainWindowHarness.h"
#include "UpdateServer.h"
#include "Updater.h"

#include <QStatusBar>

namespace {

const QString firmwareNotice = QStringLiteral("A new firmware version is available. Go to Settings to update.");
const QString softwareNotice = QStringLiteral("A new software version is available. Go to Settings to update.");

UpdateServer::Reply versionReply(const QByteArray& version)
{
    UpdateServer::Reply reply;
    reply.body = "<UPDATE><VERSION>" + version + "</VERSION></UPDATE>";
    return reply;
}

} // namespace

class TestUpdateNotices : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QCoreApplication::setApplicationVersion("2.0.5"); }

    void firmwareCheckOnArrival_data()
    {
        QTest::addColumn<bool>("autoCheck");
        QTest::addColumn<QByteArray>("server");
        QTest::addColumn<bool>("noticed");

        // The simulated analyzer reports firmware 2.05.
        QTest::newRow("newer firmware") << true << QByteArray("2.6.0") << true;
        QTest::newRow("the instrument's own") << true << QByteArray("2.5.0") << false;
        QTest::newRow("automatic check off") << false << QByteArray("2.6.0") << false;
    }
    void firmwareCheckOnArrival()
    {
        QFETCH(bool, autoCheck);
        QFETCH(QByteArray, server);
        QFETCH(bool, noticed);
        UpdateServer updateServer;
        updateServer.setReply("/getfirmware", versionReply(server));
        qputenv("TALVO_UPDATE_SERVER", updateServer.base().toString().toUtf8());
        {
            Settings settings;
            settings.clear();
            settings.setValue("Update/auto-check-soft", false);
            settings.setValue("Update/auto-check-firm", autoCheck);
        }
        Harness h;
        h.connectAnalyzer();
        Updater* updater = h.window->findChild<Updater*>();
        QVERIFY(updater);
        QSignalSpy answered(updater, &Updater::newFWAvailable);

        if (autoCheck) {
            QTRY_VERIFY_WITH_TIMEOUT(!answered.isEmpty(), 30000);
            QCOMPARE(answered.last().at(0).toBool(), noticed);
            QVERIFY(updateServer.requests.first().contains("sn=500100123"));
        } else {
            QTest::qWait(300);
            QVERIFY(updateServer.requests.isEmpty());
        }
        QCOMPARE(h.window->statusBar()->currentMessage() == firmwareNotice, noticed);
        QCOMPARE(Settings().value("Update/has-new-fw", false).toBool(), noticed);
    }

    void softwareCheckAtStart()
    {
        UpdateServer updateServer;
        updateServer.setReply("/getsoftware", versionReply("2.1.0"));
        qputenv("TALVO_UPDATE_SERVER", updateServer.base().toString().toUtf8());
        Settings().clear();
        Harness h;
        h.build();
        QTRY_COMPARE_WITH_TIMEOUT(h.window->statusBar()->currentMessage(), softwareNotice, 30000);
        QCOMPARE(updateServer.requests, QList<QByteArray>{"/getsoftware?model=talvo&os=win"});
    }
};

QTEST_MAIN(TestUpdateNotices)
#include "tst_updatenotices.moc"
