#include "HidTestSupport.h"

#include <QBuffer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <cstring>

namespace {

QByteArray image(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char((i * 7 + 3) & 0xFF);
    return bytes;
}

QList<int> progressOf(const QSignalSpy& spy)
{
    QList<int> values;
    for (const QList<QVariant>& args : spy)
        values.append(args.at(0).toInt());
    return values;
}

// An image that announces more bytes than it delivers: reads fail (or the data ends) from
// the given position on.
class BrokenImage : public QIODevice
{
public:
    BrokenImage(const QByteArray& bytes, qint64 brokenAt, bool readError)
        : m_bytes(bytes), m_brokenAt(brokenAt), m_readError(readError)
    {
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    qint64 size() const override { return m_bytes.size(); }

protected:
    qint64 readData(char* data, qint64 maxSize) override
    {
        if (pos() >= m_brokenAt)
            return m_readError ? -1 : 0;
        const qint64 n = qMin(maxSize, m_brokenAt - pos());
        std::memcpy(data, m_bytes.constData() + pos(), size_t(n));
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QByteArray m_bytes;
    qint64 m_brokenAt;
    bool m_readError;
};

bool pollingRuns(HidDevice* hid)
{
    const QList<QTimer*> timers = hid->findChildren<QTimer*>();
    return timers.size() == 2 && timers[0]->isActive() && timers[1]->isActive();
}

} // namespace

class TestHidFirmware : public QObject
{
    Q_OBJECT

    HidDevice* hid = nullptr;

private slots:
    void init() { hid = freshDevice(); }
    void cleanup()
    {
        hid->stop();
        delete hid;
    }

    void flashSendsTheImage_data()
    {
        QTest::addColumn<QString>("instrument");
        QTest::addColumn<int>("size");
        QTest::addColumn<QList<int>>("progress");
        QTest::addColumn<QList<int>>("commands");

        QTest::newRow("analyzer, 100 bytes") << "analyzer" << 100 << QList<int>{0, 48, 96, 100}
                                             << QList<int>{3, 4, 4, 5, 6};
        QTest::newRow("analyzer, one chunk") << "analyzer" << 48 << QList<int>{0, 100} << QList<int>{3, 5, 6};
        QTest::newRow("supply, 1000 bytes") << "supply" << 1000
                                            << QList<int>{0, 4, 9, 14, 19, 24, 28, 33, 38, 43, 48,
                                                          52, 57, 62, 67, 72, 76, 81, 86, 91, 96, 100}
                                            << QList<int>{3, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4,
                                                          4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 5, 6};
        QTest::newRow("bootloader already there") << "bootloader" << 49 << QList<int>{0, 97, 100}
                                                  << QList<int>{3, 4, 5, 6};
    }
    void flashSendsTheImage()
    {
        QFETCH(QString, instrument);
        QFETCH(int, size);
        QFETCH(QList<int>, progress);
        QFETCH(QList<int>, commands);
        const int device = sim::plug(instrument == "analyzer" ? sim::Kind::Analyzer
                                     : instrument == "supply" ? sim::Kind::Supply
                                                              : sim::Kind::Bootloader);
        hid->checkTimerTick();
        powerSupplyConnected = instrument == "supply";
        const QByteArray payload = image(size);
        QBuffer file;
        file.setData(QByteArray(512, 'H') + payload);
        file.open(QIODevice::ReadOnly);
        file.seek(512);
        QSignalSpy percent(hid, &HidDevice::updatePercentChanged);
        QSignalSpy failed(hid, &HidDevice::updateFailed);
        QSignalSpy completed(hid, &HidDevice::updateCompleted);

        QVERIFY(hid->updateFirmware(&file));

        QCOMPARE(bytes(sim::flashedImage()), payload);
        const std::vector<int> received = sim::bootloaderCommands();
        QCOMPARE(QList<int>(received.begin(), received.end()), commands);
        QCOMPARE(progressOf(percent), progress);
        QCOMPARE(failed.count(), 0);
        QCOMPARE(completed.count(), 1);
        const QByteArray switchRequest = instrument == "analyzer" ? QByteArray::fromHex("0009ab54")
                                       : instrument == "supply"   ? QByteArray("\x01RESET", 6)
                                                                  : QByteArray();
        if (!switchRequest.isEmpty())
            QVERIFY(lastWrite(device).startsWith(switchRequest));
        else
            QVERIFY(sim::written(device).size() == size_t(commands.size()));

        // The instrument comes back with its new firmware and is connected as usual.
        QVERIFY(pollingRuns(hid));
        QSignalSpy connected(hid, &HidDevice::deviceConnected);
        sim::advance(600);
        hid->checkTimerTick();
        QCOMPARE(connected.count(), 1);
        QCOMPARE(hid->serialPrefix(), QString(instrument == "supply" ? "5002" : "5001"));
    }

    void flashFailsWithAReadableText_data()
    {
        QTest::addColumn<QString>("situation");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxSeconds");

        QTest::newRow("first chunk not acknowledged") << "silent" << "Bootloader returns ERROR." << 64;
        QTest::newRow("first chunk refused") << "refuse" << "Bootloader returns ERROR." << 3;
        QTest::newRow("bootloader gone while waiting") << "gone" << "Bootloader returns ERROR." << 3;
        QTest::newRow("finish not confirmed, no error text")
            << "silent finish" << "The bootloader did not confirm the image." << 64;
        QTest::newRow("data refused: hidapi's text") << "reject" << "Report refused by the device" << 3;
        QTest::newRow("bootloader never appears") << "no bootloader" << "The bootloader did not appear." << 20;
        QTest::newRow("no instrument") << "no instrument" << "The instrument was not found." << 4;
        QTest::newRow("empty image") << "empty" << "Firmware file too short." << 1;
        QTest::newRow("image read fails midway") << "read error" << "Reading the firmware file failed." << 3;
        QTest::newRow("image ends early") << "ends early" << "Firmware file too short." << 3;
    }
    void flashFailsWithAReadableText()
    {
        QFETCH(QString, situation);
        QFETCH(QString, text);
        QFETCH(int, maxSeconds);
        if (situation != "no instrument")
            sim::plug(sim::Kind::Analyzer);
        hid->checkTimerTick();
        if (situation == "silent" || situation == "gone")
            sim::setBootloaderBehaviour(sim::BootloaderBehaviour::Silent);
        if (situation == "refuse")
            sim::setBootloaderBehaviour(sim::BootloaderBehaviour::Refuse);
        if (situation == "silent finish")
            sim::setBootloaderBehaviour(sim::BootloaderBehaviour::SilentOnFinish);
        if (situation == "reject")
            sim::setBootloaderBehaviour(sim::BootloaderBehaviour::RejectLaterChunks);
        if (situation == "no bootloader")
            sim::setBootloaderDelays(3600 * 1000, 500);
        if (situation == "gone")
            connect(hid, &HidDevice::updatePercentChanged, this, [] {
                QTimer::singleShot(0, [] { sim::unplug(sim::find(sim::Kind::Bootloader)); });
            });
        QBuffer buffer;
        buffer.setData(situation == "empty" ? QByteArray() : image(100));
        buffer.open(QIODevice::ReadOnly);
        BrokenImage broken(image(100), 96, situation == "read error");
        QIODevice& file = situation == "read error" || situation == "ends early" ? static_cast<QIODevice&>(broken)
                                                                                 : buffer;
        QSignalSpy failed(hid, &HidDevice::updateFailed);
        QSignalSpy completed(hid, &HidDevice::updateCompleted);
        QSignalSpy percent(hid, &HidDevice::updatePercentChanged);
        if (text == "Bootloader returns ERROR.")
            QTest::ignoreMessage(QtDebugMsg, "first read failed");
        if (situation == "reject")
            QTest::ignoreMessage(QtDebugMsg, "\"Report refused by the device\"");

        QVERIFY(!hid->updateFirmware(&file));

        QVERIFY(sim::nowMicros() <= std::uint64_t(maxSeconds) * 1000000);
        QCOMPARE(failed.count(), 1);
        QCOMPARE(failed.at(0).at(0).toString(), text);
        QCOMPARE(completed.count(), 0);
        QCOMPARE(percent.last().at(0).toInt(), 100);
        QVERIFY(pollingRuns(hid));
        if (situation == "empty")
            QCOMPARE(sim::find(sim::Kind::Bootloader), -1); // the instrument was left alone
        if (situation == "read error" || situation == "ends early") {
            // Two whole chunks went out; the partial image is neither finished nor started.
            QCOMPARE(int(sim::flashedImage().size()), 96);
            const std::vector<int> received = sim::bootloaderCommands();
            QCOMPARE(QList<int>(received.begin(), received.end()), (QList<int>{3, 4}));
        }
    }

    void terminateEndsTheWaitForTheBootloader()
    {
        sim::plug(sim::Kind::Analyzer);
        hid->checkTimerTick();
        sim::setBootloaderDelays(3600 * 1000, 500);
        int pauses = 0;
        hid->setSleeper([&](int ms) {
            sim::advance(ms);
            if (++pauses == 20)
                hid->terminateUpdate();
        });
        QBuffer file;
        file.setData(image(100));
        file.open(QIODevice::ReadOnly);
        QSignalSpy failed(hid, &HidDevice::updateFailed);
        QSignalSpy completed(hid, &HidDevice::updateCompleted);

        QVERIFY(!hid->updateFirmware(&file));

        QCOMPARE(failed.count(), 0);
        QCOMPARE(completed.count(), 0);
        QVERIFY(sim::flashedImage().empty());
        QVERIFY(pollingRuns(hid));
    }
};

QTEST_GUILESS_MAIN(TestHidFirmware)
#include "tst_hidfirmware.moc"
