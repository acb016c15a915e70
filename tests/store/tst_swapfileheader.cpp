// The swap file's header block, report block, thresholds and the file's life: create,
// save, remove, and logs that are too short or describe records that cannot be read.

#include "DeviceControl.h"
#include "LogFixture.h"
#include "LoggerState.h"
#include "Settings.h"
#include "SwapFile.h"

#include <QDateTime>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cfloat>
#include <cstring>

namespace {
QByteArray headerBytes(const SwapFileHeader& h)
{
    char bytes[LogFormat::headerRecordSize];
    encodeHeader(h, bytes);
    return QByteArray(bytes, sizeof bytes);
}

int lastCode(const QSignalSpy& spy)
{
    return spy.isEmpty() ? 0 : spy.last().at(0).toInt();
}
} // namespace

class TestSwapFileHeader : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void init()
    {
        powerSupplyConnected = false;
        power600Model = false;
    }

    void analyzerHeaderFromTheStartRequest()
    {
        SwapFile file;
        QCOMPARE(headerBytes(file.header()), headerBytes(defaultSwapFileHeader()));
        const QString path = m_dir.filePath("run.tmp");
        QVERIFY(file.create(path));
        QByteArray bytes = readAll(path);
        QCOMPARE(bytes.size(), 512);
        QCOMPARE(bytes.mid(8, 4), QByteArray::fromHex("03010100"));
        QCOMPARE(decodeCreationTime(bytes.constData()), qint64(0));

        DeviceControl control;
        control.setChannelMask(0x0005);
        control.setSampleRate(10);
        const qint64 before = QDateTime::currentMSecsSinceEpoch();
        file.writeHeader(control);
        bytes = readAll(path);
        QCOMPARE(bytes.size(), 512);
        const SwapFileHeader h = decodeHeader(bytes.constData());
        QCOMPARE(h.channelCount, quint8(2));
        QCOMPARE(h.channelMask, quint8(0x05));
        QCOMPARE(h.samplePeriod, quint16(10));
        QCOMPARE(h.deviceKind, quint8(LogFormat::Analyzer));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(h.channelNumbers), 8),
                 QByteArray::fromHex("0002000000000000"));
        QCOMPARE(h.channelMask32, quint32(1));
        QVERIFY(decodeCreationTime(bytes.constData()) >= before);
        QCOMPARE(decodeCreationTime(bytes.constData()), file.creationTime());
        QCOMPARE(bytes.mid(76, 504 - 76), QByteArray(504 - 76, '\0'));
        QCOMPARE(file.channelList(), QList<int>({0, 2}));

        QVERIFY(file.readHeader());
        QCOMPARE(headerBytes(file.header()), bytes.left(76));
        QCOMPARE(headerBytes(SwapFile::readHeaderOf(path)), bytes.left(76));
    }

    void supplyHeaders_data()
    {
        QTest::addColumn<bool>("model600");
        QTest::addColumn<quint8>("count");
        QTest::addColumn<quint32>("mask");
        QTest::addColumn<QByteArray>("bytes8to14");
        QTest::addColumn<QByteArray>("numbers32");
        QTest::addColumn<QList<int>>("channels");
        QTest::newRow("first model") << false << quint8(3) << quint32(0x0B)
                                     << QByteArray::fromHex("030bd00701000103")
                                     << QByteArray(32, '\0') << QList<int>({0, 1, 3});
        QTest::newRow("second model") << true << quint8(4) << quint32(0x30005)
                                      << QByteArray::fromHex("0401d00702000000")
                                      << QByteArray::fromHex("0002101100") + QByteArray(27, '\0')
                                      << QList<int>({0, 2, 16, 17});
    }
    void supplyHeaders()
    {
        QFETCH(bool, model600);
        QFETCH(quint8, count);
        QFETCH(quint32, mask);
        powerSupplyConnected = true;
        power600Model = model600;
        SwapFile file;
        const QString path = m_dir.filePath("supply.tmp");
        QVERIFY(file.create(path));
        file.writeHeader(count, mask, true, 2000, true);
        const QByteArray bytes = readAll(path);
        QTEST(bytes.mid(8, 8), "bytes8to14");
        QCOMPARE(bytes.mid(22, 4), QByteArray::fromHex("01000100"));
        QCOMPARE(qFromLittleEndian<quint32>(bytes.constData() + 40), model600 ? mask : 1u);
        QTEST(bytes.mid(44, 32), "numbers32");
        QTEST(file.channelList(), "channels");
    }

    void headersThatCannotBeRead_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("unreadable"); // what the open dialog is told
        SwapFileHeader h = analyzerHeader(0x07, 10);
        LogPlan sound;
        sound.header = h;
        sound.keys = evenKeys(5, 10);
        const QByteArray good = buildLog(sound);
        auto withHeader = [&](auto change) {
            QByteArray bytes = good;
            SwapFileHeader changed = h;
            change(changed);
            encodeHeader(changed, bytes.data());
            return bytes;
        };
        QTest::newRow("empty") << QByteArray() << 9 << true;
        QTest::newRow("ten bytes") << QByteArray(10, '\x04') << 9 << true;
        QTest::newRow("511 bytes") << good.left(511) << 9 << true;
        QTest::newRow("version 5") << withHeader([](SwapFileHeader& c) { c.version = 5; }) << 1 << false;
        QTest::newRow("sample period 0")
            << withHeader([](SwapFileHeader& c) { c.samplePeriod = 0; }) << 1 << true;
        QTest::newRow("channel count 0")
            << withHeader([](SwapFileHeader& c) { c.channelCount = 0; }) << 11 << true;
        QTest::newRow("count disagrees with the mask")
            << withHeader([](SwapFileHeader& c) { c.channelCount = 9; }) << 11 << true;
        // Text read as a header: a "version" far above 4 over a layout that describes no
        // records is a foreign file, not a newer log.
        QByteArray text;
        while (text.size() < 1800)
            text += "Lorem ipsum dolor sit amet, consectetur adipiscing elit.\n";
        QTest::newRow("plain text") << text.left(1800) << 1 << true;
    }
    void headersThatCannotBeRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, code);
        QFETCH(bool, unreadable);
        const QString path = writeBytes(m_dir.filePath("bad.talvo"), bytes);
        QCOMPARE(SwapFile::readHeaderOf(path).deviceKind == LogFormat::UnreadableKind, unreadable);

        SwapFile file;
        QSignalSpy errors(&file, &SwapFile::swapFileError);
        ChannelMaps maps = emptyMaps(3);
        QVERIFY(!file.load(path, 10, maps));
        QCOMPARE(lastCode(errors), code);
        for (const ChannelMap& map : maps)
            QVERIFY(map->isEmpty());
        QVERIFY(!file.readEndTime());
        QVERIFY(!file.readWindow(1, 10, maps));
        QCOMPARE(file.channelAverage(QCPRange(0, 1), 0), DBL_MAX);
    }

    void missingFiles()
    {
        const QString path = m_dir.filePath("nothing-here.talvo");
        QCOMPARE(SwapFile::readHeaderOf(path).deviceKind, quint8(LogFormat::UnreadableKind));
        SwapFile file;
        QSignalSpy errors(&file, &SwapFile::swapFileError);
        ChannelMaps maps = emptyMaps(3);
        QVERIFY(!file.load(path, 10, maps));
        QCOMPARE(lastCode(errors), 7);
        QVERIFY(!file.decimate(path, 0, 0, 25, nullptr));
        QCOMPARE(lastCode(errors), 2);
        const ChannelStatistics report = file.readReport();
        QCOMPARE(lastCode(errors), 2);
        ChannelStatistics zero;
        std::memset(&zero, 0, sizeof zero);
        QCOMPARE(std::memcmp(&report, &zero, sizeof zero), 0);
        QVERIFY(!file.create(m_dir.filePath("no-such-folder/run.tmp")));
        QCOMPARE(lastCode(errors), 3);
        file.writeHeader(DeviceControl());
        QCOMPARE(lastCode(errors), 9);
    }

    void reportBlockRoundTrip()
    {
        SwapFile file;
        QSignalSpy errors(&file, &SwapFile::swapFileError);
        const QString path = m_dir.filePath("report.tmp");
        QVERIFY(file.create(path));
        // Too short to hold a report block: the defaults come back with code 9.
        ChannelStatistics report = file.readReport();
        QCOMPARE(lastCode(errors), 9);
        QCOMPARE(report.channel[2].minimum, DBL_MAX);
        QCOMPARE(report.channel[2].maximum, DBL_MIN);

        ChannelStatistics stats = freshStatistics();
        stats.latestKey = 12.5;
        stats.channel[1] = {1, 2, 1.5, 30};
        stats.count = 20;
        QVERIFY(file.writeReport(stats));
        report = file.readReport();
        QCOMPARE(readAll(path).size(), 632);
        QCOMPARE(std::memcmp(&report, &stats, sizeof stats), 0);
    }

    void thresholdsFromTheSettings_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QList<double>>("expected");
        QTest::newRow("none stored") << QVariant() << QList<double>({25, 1000, 3200});
        QTest::newRow("three parts") << QVariant("1,2.5,3") << QList<double>({1, 2.5, 3});
        QTest::newRow("stored as a list") << QVariant(QStringList({"4", "5", "6"}))
                                          << QList<double>({4, 5, 6});
        QTest::newRow("two parts") << QVariant("1,2") << QList<double>({25, 1000, 3200});
        QTest::newRow("third no number") << QVariant("1,2,x") << QList<double>({1, 2, 3200});
        QTest::newRow("zero, NaN, negative") << QVariant("0,nan,-1") << QList<double>({25, 1000, 3200});
    }
    void thresholdsFromTheSettings()
    {
        QFETCH(QVariant, stored);
        {
            Settings settings;
            settings.beginGroup("Options");
            if (stored.isValid())
                settings.setValue("thresholds", stored);
            else
                settings.remove("thresholds");
        }
        SwapFile file;
        QTEST(QList<double>({file.thresholds[0], file.thresholds[1], file.thresholds[2]}),
              "expected");
    }

    void saveAndRemove()
    {
        SwapFile file;
        QSignalSpy errors(&file, &SwapFile::swapFileError);
        const QString swap = m_dir.filePath("capture.tmp");
        QVERIFY(file.create(swap));
        const QByteArray content = readAll(swap);

        QVERIFY(!file.save(m_dir.filePath("missing-folder/log.talvo")));
        QCOMPARE(lastCode(errors), 4);
        QVERIFY(QFile::exists(swap));

        QVERIFY(QDir(m_dir.path()).mkpath("saved"));
        const QString saved = m_dir.filePath("saved/log.talvo");
        writeBytes(saved, "an older log the user chose to replace");
        QVERIFY(file.save(saved));
        QVERIFY(!QFile::exists(swap));
        QCOMPARE(readAll(saved), content);
        QCOMPARE(file.fileName(), saved);
        QVERIFY(file.save(saved));
        QVERIFY(QFile::exists(saved));

        QVERIFY(file.remove());
        QVERIFY(!QFile::exists(saved));
        QVERIFY(!file.remove());
        QCOMPARE(lastCode(errors), 5);
    }

    // A copy saved under a new name becomes the object's file while the file it was
    // stays untouched; a target in the way is replaced only by a complete copy, and a
    // copy that cannot be made leaves everything as it was and says why.
    void saveCopyAsLeavesTheOriginal_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("there");  // what the target holds before; empty: nothing
        QTest::addColumn<bool>("blocked");      // a folder with files stands at the target
        QTest::addColumn<bool>("saved");
        QTest::newRow("new name") << "copies/new.talvo" << QByteArray() << false << true;
        QTest::newRow("older log replaced") << "copies/older.talvo" << QByteArray("an older log") << false << true;
        QTest::newRow("folder in the way") << "copies/folder.talvo" << QByteArray() << true << false;
        QTest::newRow("missing folder") << "missing/log.talvo" << QByteArray() << false << false;
    }
    void saveCopyAsLeavesTheOriginal()
    {
        QFETCH(QString, target);
        QFETCH(QByteArray, there);
        QFETCH(bool, blocked);
        QFETCH(bool, saved);
        QTemporaryDir dir;
        const QString original = dir.filePath("opened.talvo");
        LogPlan plan;
        plan.header = analyzerHeader(0x05, 10);
        plan.keys = evenKeys(200, 10);
        writeLog(original, plan);
        const QByteArray content = readAll(original);
        QVERIFY(QDir(dir.path()).mkpath("copies"));
        target = dir.filePath(target);
        if (!there.isEmpty())
            writeBytes(target, there);
        if (blocked)
            QVERIFY(QDir().mkpath(target + "/inside"));

        SwapFile file;
        ChannelMaps maps = emptyMaps(3);
        QVERIFY(file.load(original, 1, maps));
        const SwapFile::SaveResult result = file.saveCopyAs(target);
        QCOMPARE(result.saved, saved);
        QCOMPARE(readAll(original), content);
        QCOMPARE(QDir(dir.filePath("copies")).entryList({"*.part"}, QDir::Hidden | QDir::Files), QStringList());
        if (saved) {
            QVERIFY(result.reason.isEmpty());
            QCOMPARE(readAll(target), content);
            QCOMPARE(file.fileName(), target);
            // The object reads the copy from now on.
            QVERIFY(QFile::remove(original));
            QVERIFY(file.readEndTime());
            QCOMPARE(file.endTime(), 0.199);
        } else {
            QVERIFY2(!result.reason.trimmed().isEmpty(), qPrintable(result.reason));
            QCOMPARE(file.fileName(), original);
            QCOMPARE(QFileInfo(target).isDir(), blocked);
        }
        // Saving onto its own file keeps it.
        QVERIFY(file.saveCopyAs(file.fileName()).saved);
        QVERIFY(QFile::exists(file.fileName()));
    }
};

QTEST_MAIN(TestSwapFileHeader)
#include "tst_swapfileheader.moc"
