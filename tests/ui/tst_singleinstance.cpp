#include "SingleInstanceGuard.h"

#include <QProcess>
#include <QUuid>
#include <QtTest>

#include <csignal>

// The guard across real processes: each copy is a separate program that takes the
// guard, as a second start of the logger would.
class TestSingleInstance : public QObject
{
    Q_OBJECT
private:
    QString key;
    const QString holder = QStringLiteral(GUARD_HOLDER);

    QString runOnce()
    {
        QProcess p;
        p.start(holder, {key});
        if (!p.waitForFinished(30000))
            return QStringLiteral("timeout");
        return QString::fromUtf8(p.readAllStandardOutput()).trimmed();
    }
    bool startHolding(QProcess& p, QString* outcome)
    {
        p.start(holder, {key, QStringLiteral("hold")});
        if (!p.waitForStarted(30000) || !p.waitForReadyRead(30000))
            return false;
        *outcome = QString::fromUtf8(p.readLine()).trimmed();
        return true;
    }

private slots:
    void init() { key = QStringLiteral("talvo.test.") + QUuid::createUuid().toString(QUuid::WithoutBraces); }

    void derivedKeys()
    {
        QCOMPARE(SingleInstanceGuard::deriveKey("com.korvanite.talvo", "_memLockKey"),
                 QStringLiteral("46e3c0c65775519476326785235209464111ee03"));
        QCOMPARE(SingleInstanceGuard::deriveKey("com.korvanite.talvo", "_sharedmemKey"),
                 QStringLiteral("2257d312a1dea3641dc59f0a8c2f196916378b27"));
    }

    void secondCopyIsRefusedUntilTheFirstExits()
    {
        QProcess first;
        QString outcome;
        QVERIFY(startHolding(first, &outcome));
        QCOMPARE(outcome, QStringLiteral("running"));
        QCOMPARE(runOnce(), QStringLiteral("refused"));

        first.closeWriteChannel();
        QVERIFY(first.waitForFinished(30000));
        QCOMPARE(runOnce(), QStringLiteral("running"));
    }

    void killedHolderDoesNotBlockTheNextStart()
    {
        QProcess first;
        QString outcome;
        QVERIFY(startHolding(first, &outcome));
        QCOMPARE(outcome, QStringLiteral("running"));
        ::kill(pid_t(first.processId()), SIGKILL);
        QVERIFY(first.waitForFinished(30000));

        QProcess next;
        QVERIFY(startHolding(next, &outcome));
        QCOMPARE(outcome, QStringLiteral("running"));
        QCOMPARE(runOnce(), QStringLiteral("refused"));
        next.closeWriteChannel();
        QVERIFY(next.waitForFinished(30000));
    }

    void simultaneousStartsLetExactlyOneRun()
    {
        constexpr int copies = 4;
        QProcess p[copies];
        for (auto& process : p)
            process.start(holder, {key, QStringLiteral("hold")});
        int running = 0, refused = 0;
        for (auto& process : p) {
            QVERIFY(process.waitForReadyRead(30000));
            const QString line = QString::fromUtf8(process.readLine()).trimmed();
            running += line == QLatin1String("running");
            refused += line == QLatin1String("refused");
        }
        QCOMPARE(running, 1);
        QCOMPARE(refused, copies - 1);
        for (auto& process : p) {
            process.closeWriteChannel();
            QVERIFY(process.waitForFinished(30000));
        }
    }

    void inProcessGuardReleasesOnDestruction()
    {
        {
            SingleInstanceGuard guard(key);
            QVERIFY(guard.tryToRun());
            QCOMPARE(guard.outcome(), SingleInstanceGuard::Outcome::Running);
            QCOMPARE(runOnce(), QStringLiteral("refused"));
        }
        QCOMPARE(runOnce(), QStringLiteral("running"));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
