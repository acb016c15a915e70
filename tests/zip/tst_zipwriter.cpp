#include "ZipTestTools.h"
#include "ZipWriter.h"
#include "ZipWriterState.h"

#include <QtTest>

#include <fcntl.h>
#include <functional>
#include <time.h>
#include <limits.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <utime.h>

using namespace ZipTestTools;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

// Adds one entry from the given kind of source holding `content`.
ZipResult addFrom(ZipHandle zip, const QString &kind, const QByteArray &name, const QByteArray &content,
                  const QString &folder)
{
    if (kind == "memory")
        return AddZipEntry(zip, name.constData(), content.constData(), uint32_t(content.size()), ZipKindMemory);
    if (kind == "folder")
        return AddZipEntry(zip, name.constData(), nullptr, 0, ZipKindFolder);
    const QString path = folder + "/source.bin";
    if (!writeFile(path, content))
        return 0xBAD;
    if (kind == "file")
        return ZipAdd(zip, name.constData(), QFile::encodeName(path).constData());
    const int fd = open(QFile::encodeName(path).constData(), O_RDONLY);
    lseek(fd, 3, SEEK_SET);  // the writer rewinds an open source to its start
    const ZipResult r = AddZipEntry(zip, name.constData(), &fd, 0, ZipKindHandle);
    close(fd);
    return r;
}

// Drains the read end of a pipe on a thread of its own.
struct PipeReader {
    int fds[2] = {-1, -1};
    QByteArray data;
    std::thread thread;
    PipeReader()
    {
        if (pipe(fds) != 0)
            return;
        thread = std::thread([this] {
            char chunk[4096];
            ssize_t n;
            while ((n = read(fds[0], chunk, sizeof chunk)) > 0)
                data.append(chunk, int(n));
        });
    }
    QByteArray finish()
    {
        close(fds[1]);
        thread.join();
        close(fds[0]);
        return data;
    }
};

// Seconds since the epoch of a moment given in local time (month 1 to 12), with daylight
// saving as that date has it.
time_t localMoment(int year, int month, int day, int hour, int minute, int second)
{
    struct tm local = {};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return mktime(&local);
}

} // namespace

class TestZipWriter : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QString at(const QString &name) const { return dir.filePath(name); }
    QByteArray path(const QString &name) const { return QFile::encodeName(at(name)); }

private slots:
    void archiveContents_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expectedName");
        QTest::addColumn<int>("method");
        QTest::addColumn<uint>("external");
        const QByteArray text = worksheetXml(1200 * 1024);
        QTest::newRow("empty file") << "file" << QByteArray("empty.txt") << QByteArray() << "empty.txt" << 8 << 0x81800000u;
        QTest::newRow("one byte") << "file" << QByteArray("one.bin") << QByteArray("x") << "one.bin" << 8 << 0x81800000u;
        QTest::newRow("70000 repeated bytes") << "file" << QByteArray("same.bin") << QByteArray(70000, 'a')
                                              << "same.bin" << 8 << 0x81800000u;
        QTest::newRow("random beyond the window") << "file" << QByteArray("random.bin") << randomBytes(100000, 7)
                                                  << "random.bin" << 8 << 0x81800000u;
        QTest::newRow("text over 1 MiB") << "file" << QByteArray("xl/worksheets/sheet1.xml") << text
                                         << "xl/worksheets/sheet1.xml" << 8 << 0x81800000u;
        QTest::newRow("backslashes") << "file" << QByteArray("xl\\styles.xml") << QByteArray("<styleSheet/>")
                                     << "xl/styles.xml" << 8 << 0x81800000u;
        QTest::newRow("folder") << "folder" << QByteArray("xl\\media") << QByteArray() << "xl/media/" << 0 << 0x41C00010u;
        QTest::newRow("folder with slash") << "folder" << QByteArray("docProps/") << QByteArray() << "docProps/" << 0
                                           << 0x41C00010u;
        QTest::newRow("memory source") << "memory" << QByteArray("mem.xml") << text.left(50000) << "mem.xml" << 8
                                       << 0x80000000u;
        QTest::newRow("open handle") << "handle" << QByteArray("handle.bin") << randomBytes(5000, 3) << "handle.bin" << 8
                                     << 0x81800000u;
        QTest::newRow("gz is stored") << "file" << QByteArray("data.gz") << randomBytes(3000, 5) << "data.gz" << 0
                                      << 0x81800000u;
    }

    void archiveContents()
    {
        QFETCH(QString, kind);
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, expectedName);
        QFETCH(int, method);
        QFETCH(uint, external);
        ZipHandle zip = CreateZip(path("a.zip"), nullptr);
        QVERIFY(zip);
        QCOMPARE(addFrom(zip, kind, name, content, dir.path()), ZipOk);
        QCOMPARE(ZipLastResult, ZipOk);
        QCOMPARE(CloseZip(zip), ZipOk);

        QVERIFY(unzipTest(at("a.zip")));
        const QJsonObject archive = inspect(at("a.zip"));
        QCOMPARE(archive["entries"].toArray().size(), 1);
        const QJsonObject e = archive["entries"].toArray().at(0).toObject();
        QCOMPARE(e["name"].toString(), expectedName);
        QCOMPARE(e["method"].toInt(), method);
        QCOMPARE(e["flags"].toInt(), method == 8 ? 0x0002 : 0x0000);  // sizes in the header, no descriptor
        QCOMPARE(e["local_flags"].toInt(), e["flags"].toInt());
        QCOMPARE(e["size"].toInt(), content.size());
        QCOMPARE(e["sha256"].toString(), sha256(content));  // zipfile also checks the CRC
        QCOMPARE(e["external"].toVariant().toUInt(), external);
        QCOMPARE(e["internal"].toInt(), 0);
        QCOMPARE(e["created_version"].toInt(), 0x0B17);
        QCOMPARE(e["extract_version"].toInt(), 20);
        QCOMPARE(e["local_extra_length"].toInt(), 17);
        QVERIFY(e["extra"].toString().startsWith("5554050007"));
        if (method == 8)
            QVERIFY(e["raw_ok"].toBool());
        else
            QCOMPARE(e["compressed"].toInt(), content.size());
    }

    void methodByName_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("method");
        for (const char *stored : {"a.Z", "b.gz", "c.zip", "d.tgz", "e.arj"})
            QTest::newRow(stored) << QByteArray(stored) << 0;
        for (const char *deflated : {"a.z", "b.ZIP", "c.gzip", "noextension", "dir.zip/file", "x.rels"})
            QTest::newRow(deflated) << QByteArray(deflated) << 8;
    }

    void methodByName()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, method);
        ZipHandle zip = CreateZip(path("m.zip"), nullptr);
        QCOMPARE(AddZipEntry(zip, name.constData(), "some bytes", 10, ZipKindMemory), ZipOk);
        QCOMPARE(CloseZip(zip), ZipOk);
        QCOMPARE(entry(inspect(at("m.zip")), QString::fromLatin1(name))["method"].toInt(), method);
    }

    void endRecordAndTargetAtAnOffset()
    {
        // An archive written into an open file after 100 bytes of other data: every
        // offset counts from the start of the file.
        const QByteArray prefix(100, 'P');
        QVERIFY(writeFile(at("offset.zip"), prefix));
        const int fd = open(path("offset.zip").constData(), O_WRONLY);
        lseek(fd, 0, SEEK_END);
        ZipHandle zip = OpenZipTarget(const_cast<int *>(&fd), 0, ZipKindHandle, nullptr);
        QVERIFY(zip);
        for (const char *name : {"one.xml", "two.xml", "three.bin.gz"})
            QCOMPARE(AddZipEntry(zip, name, name, uint32_t(strlen(name)), ZipKindMemory), ZipOk);
        QCOMPARE(CloseZip(zip), ZipOk);
        QVERIFY(fcntl(fd, F_GETFD) >= 0);  // the caller's descriptor stays open
        close(fd);

        const QJsonObject archive = inspect(at("offset.zip"));
        const QJsonObject end = archive["end"].toObject();
        QCOMPARE(end["signature"].toInt(), 0x06054B50);
        QCOMPARE(end["entries_here"].toInt(), 3);
        QCOMPARE(end["entries_total"].toInt(), 3);
        QCOMPARE(end["cd_offset"].toInt() + end["cd_size"].toInt() + 22, end["archive_size"].toInt());
        const QByteArray bytes = readFile(at("offset.zip"));
        QCOMPARE(bytes.mid(end["cd_offset"].toInt(), 4), QByteArray("PK\x01\x02"));
        QCOMPARE(bytes.mid(100, 4), QByteArray("PK\x03\x04"));
        QCOMPARE(entry(archive, "one.xml")["offset"].toInt(), 100);
        QCOMPARE(entry(archive, "two.xml")["sha256"].toString(), sha256("two.xml"));
        QVERIFY(unzipTest(at("offset.zip")));
    }

    void refusedHandles()
    {
        QCOMPARE(ZipAdd(nullptr, "a", "b"), ZipErrorArgument);
        QCOMPARE(ZipLastResult, ZipErrorArgument);
        ZipLastResult = ZipOk;
        QCOMPARE(AddZipEntry(nullptr, "a", nullptr, 0, ZipKindFolder), ZipErrorArgument);
        QCOMPARE(ZipLastResult, ZipErrorArgument);
        QCOMPARE(CloseZip(nullptr), ZipErrorArgument);
        ZipHandleRecord foreign{1, nullptr};
        QCOMPARE(ZipAdd(&foreign, "a", "b"), ZipErrorHandleKind);
        QCOMPARE(ZipLastResult, ZipErrorHandleKind);
        QCOMPARE(CloseZip(&foreign), ZipErrorHandleKind);
    }

    void refusedTargets()
    {
        QVERIFY(!CreateZip(path("no/such/folder/x.zip"), nullptr));
        QCOMPARE(ZipLastResult, ZipErrorFile);
        QVERIFY(!CreateZip(QFile::encodeName(dir.path()), nullptr));  // a folder
        QCOMPARE(ZipLastResult, ZipErrorFile);
        for (const char *noName : {static_cast<const char *>(nullptr), ""}) {
            ZipLastResult = ZipOk;
            QVERIFY(!CreateZip(noName, nullptr));
            QCOMPARE(ZipLastResult, ZipErrorFile);
        }
        char area[16];
        QVERIFY(!OpenZipTarget(area, 0, ZipKindMemory, nullptr));
        QCOMPARE(ZipLastResult, ZipErrorMemorySize);
        QVERIFY(!OpenZipTarget(area, sizeof area, 9, nullptr));
        QCOMPARE(ZipLastResult, ZipErrorArgument);
        int closedFd = -1;
        QVERIFY(!OpenZipTarget(&closedFd, 0, ZipKindHandle, nullptr));
        QCOMPARE(ZipLastResult, ZipErrorArgument);
        QCOMPARE(QDir(dir.path()).entryList({"*.tmp"}, QDir::Files), QStringList());
    }

    void failedAddIsSticky_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("source");
        QTest::addColumn<uint>("expected");
        const QByteArray longest(259, 'n');
        QTest::newRow("empty name") << QByteArray("") << int(ZipKindMemory) << QByteArray("x") << uint(ZipErrorArgument);
        QTest::newRow("name of 260 bytes") << longest + "n" << int(ZipKindMemory) << QByteArray("x") << uint(ZipErrorArgument);
        QTest::newRow("folder of 259 bytes") << longest << int(ZipKindFolder) << QByteArray() << uint(ZipErrorArgument);
        QTest::newRow("empty memory source") << QByteArray("a") << int(ZipKindMemory) << QByteArray() << uint(ZipErrorArgument);
        QTest::newRow("unknown source kind") << QByteArray("a") << 7 << QByteArray("x") << uint(ZipErrorArgument);
        QTest::newRow("missing source file") << QByteArray("a") << int(ZipKindName) << QByteArray("missing.bin")
                                             << uint(ZipErrorFile);
        QTest::newRow("folder as source file") << QByteArray("a") << int(ZipKindName) << QByteArray(".")
                                               << uint(ZipErrorFile);
        QTest::newRow("unreadable source") << QByteArray("a.xml") << int(ZipKindHandle) << QByteArray("writeonly.bin")
                                           << uint(ZipErrorFile);
        QTest::newRow("name of 259 bytes") << longest << int(ZipKindMemory) << QByteArray("x") << uint(ZipOk);
        QTest::newRow("folder of 258 bytes") << longest.left(258) << int(ZipKindFolder) << QByteArray() << uint(ZipOk);
    }

    void failedAddIsSticky()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, kind);
        QFETCH(QByteArray, source);
        QFETCH(uint, expected);
        QVERIFY(writeFile(at("writeonly.bin"), QByteArray(5000, 'w')));
        ZipHandle zip = CreateZip(path("s.zip"), nullptr);
        ZipResult r;
        if (kind == ZipKindName) {
            r = ZipAdd(zip, name.constData(), path(QString::fromLatin1(source)).constData());
        } else if (kind == ZipKindHandle) {
            // Opened for writing only: every read fails, which must fail the entry.
            const int fd = open(path(QString::fromLatin1(source)).constData(), O_WRONLY);
            r = AddZipEntry(zip, name.constData(), &fd, 0, ZipKindHandle);
            close(fd);
        } else {
            r = AddZipEntry(zip, name.constData(), source.isEmpty() ? nullptr : source.constData(),
                            uint32_t(source.size()), kind);
        }
        QCOMPARE(r, expected);
        QCOMPARE(ZipLastResult, expected);
        if (expected == ZipOk) {
            QCOMPARE(CloseZip(zip), ZipOk);
            QCOMPARE(inspect(at("s.zip"))["entries"].toArray().size(), 1);
            return;
        }
        QCOMPARE(ZipAdd(zip, "next", path("writeonly.bin").constData()), ZipErrorEarlierFailure);
        QCOMPARE(ZipLastResult, ZipErrorEarlierFailure);
        QCOMPARE(CloseZip(zip), expected);  // the archive is incomplete
        QCOMPARE(ZipLastResult, expected);
    }

    void endedArchiveRefusesAdds()
    {
        char area[1024];
        ZipHandle zip = OpenZipTarget(area, sizeof area, ZipKindMemory, nullptr);
        QCOMPARE(ZipEndArchive(zip->state), ZipOk);
        QCOMPARE(AddZipEntry(zip, "a", "x", 1, ZipKindMemory), ZipErrorEnded);
        QCOMPARE(ZipLastResult, ZipErrorEnded);
        QCOMPARE(CloseZip(zip), ZipOk);
    }

    void memoryTargetFillsExactly()
    {
        // Local header 30 + 5 + 17, data 10, central header 46 + 5 + 9, end record 22.
        const uint32_t exact = 30 + 5 + 17 + 10 + 46 + 5 + 9 + 22;
        QByteArray area(int(exact), '\0');
        ZipHandle zip = OpenZipTarget(area.data(), exact, ZipKindMemory, nullptr);
        QCOMPARE(AddZipEntry(zip, "a.zip", "0123456789", 10, ZipKindMemory), ZipOk);
        QCOMPARE(CloseZip(zip), ZipOk);
        QVERIFY(writeFile(at("exact.zip"), area));
        QCOMPARE(entry(inspect(at("exact.zip")), "a.zip")["sha256"].toString(), sha256("0123456789"));

        // The entry fits, its directory record does not.
        ZipHandle tight = OpenZipTarget(area.data(), exact - 1, ZipKindMemory, nullptr);
        QCOMPARE(AddZipEntry(tight, "a.zip", "0123456789", 10, ZipKindMemory), ZipOk);
        QCOMPARE(CloseZip(tight), ZipErrorWrite);
        QCOMPARE(ZipLastResult, ZipErrorWrite);

        ZipHandle small = OpenZipTarget(nullptr, 60, ZipKindMemory, nullptr);
        QVERIFY(small);
        QCOMPARE(AddZipEntry(small, "a.zip", "0123456789", 10, ZipKindMemory), ZipErrorWrite);
        QCOMPARE(AddZipEntry(small, "b.zip", "0123456789", 10, ZipKindMemory), ZipErrorEarlierFailure);
        QCOMPARE(CloseZip(small), ZipErrorMemorySize);
    }

    void writeFailuresAreReported_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::newRow("stored") << QByteArray("data.gz");
        QTest::newRow("deflated") << QByteArray("sheet.xml");
    }

    void writeFailuresAreReported()
    {
        QFETCH(QByteArray, name);
        const int fd = open("/dev/full", O_WRONLY);
        if (fd < 0)
            QSKIP("no /dev/full here");
        ZipHandle zip = OpenZipTarget(const_cast<int *>(&fd), 0, ZipKindHandle, nullptr);
        const QByteArray data = worksheetXml(300000);
        QCOMPARE(AddZipEntry(zip, name.constData(), data.constData(), uint32_t(data.size()), ZipKindMemory),
                 ZipErrorWrite);
        QCOMPARE(CloseZip(zip), ZipErrorWrite);
        close(fd);
    }

    // Entries compressed ahead, on threads of their own, then added in the archive's
    // order give exactly the archive that adding the same files in turn gives, on a
    // seekable target and on a pipe (data descriptors), with and without a password.
    void preparedEntriesGiveTheSameArchive_data()
    {
        QTest::addColumn<bool>("pipeTarget");
        QTest::addColumn<QByteArray>("password");
        QTest::newRow("file") << false << QByteArray();
        QTest::newRow("pipe") << true << QByteArray();
        QTest::newRow("encrypted") << false << QByteArray("secret");
    }

    void preparedEntriesGiveTheSameArchive()
    {
        QFETCH(bool, pipeTarget);
        QFETCH(QByteArray, password);
        const QList<QPair<QByteArray, QByteArray>> sources = {
            {"xl/worksheets/sheet1.xml", worksheetXml(400000)},
            {"empty.xml", QByteArray()},
            {"noise.bin", randomBytes(100000, 7)},
            {"xl/worksheets/sheet2.xml", worksheetXml(70000 + 5)},
            {"packed.gz", randomBytes(20000, 8)},
        };
        // Times that reading does not change (an access time after the last change), so
        // that both archives record the same ones.
        const time_t now = time(nullptr);
        const struct timespec times[2] = {{now + 3600, 0}, {now - 7200, 0}};
        QList<QByteArray> paths;
        for (int i = 0; i < sources.size(); ++i) {
            paths << path(QStringLiteral("source%1").arg(i));
            QVERIFY(writeFile(QFile::decodeName(paths.last()), sources[i].second));
            QCOMPARE(utimensat(AT_FDCWD, paths.last().constData(), times, 0), 0);
        }
        if (!password.isEmpty()) {
            // The writer seeds the generator on its first encrypted entry; after that the
            // test's own seed holds.
            ZipHandle warm = OpenZipTarget(nullptr, 4096, ZipKindMemory, "x");
            AddZipEntry(warm, "w", "w", 1, ZipKindMemory);
            CloseZip(warm);
        }
        const auto archive = [&](const std::function<ZipResult(ZipHandle, int)> &add) {
            // The cipher's header bytes are random: the same seed for both archives.
            srand(42);
            if (!pipeTarget) {
                const QByteArray target = path("same.zip");
                ZipHandle zip = CreateZip(target.constData(), password.constData());
                for (int i = 0; i < sources.size(); ++i)
                    if (add(zip, i) != ZipOk)
                        return QByteArray("add failed");
                return CloseZip(zip) == ZipOk ? readFile(at("same.zip")) : QByteArray("close failed");
            }
            PipeReader reader;
            ZipHandle zip = OpenZipTarget(&reader.fds[1], 0, ZipKindHandle, password.constData());
            bool ok = true;
            for (int i = 0; i < sources.size(); ++i)
                ok = ok && add(zip, i) == ZipOk;
            ok = CloseZip(zip) == ZipOk && ok;
            const QByteArray data = reader.finish();
            return ok ? data : QByteArray("failed");
        };
        const QByteArray inTurn = archive([&](ZipHandle zip, int i) {
            return ZipAdd(zip, sources[i].first.constData(), paths[i].constData());
        });

        // Each entry's data in a file of its own, made on its own thread.
        std::vector<ZipPreparedEntry> prepared(size_t(sources.size()));
        std::vector<ZipResult> results(size_t(sources.size()), 0xBAD);
        std::vector<int> dataFds;
        std::vector<std::thread> threads;
        for (int i = 0; i < sources.size(); ++i) {
            dataFds.push_back(open(path(QStringLiteral("data%1").arg(i)).constData(), O_RDWR | O_CREAT | O_TRUNC, 0600));
            QVERIFY(dataFds.back() >= 0);
        }
        for (int i = 0; i < sources.size(); ++i)
            threads.emplace_back([&, i] {
                results[size_t(i)] = ZipPrepareEntry(sources[i].first.constData(), paths[i].constData(),
                                                     dataFds[size_t(i)], nullptr, nullptr, &prepared[size_t(i)]);
            });
        for (std::thread &t : threads)
            t.join();
        for (ZipResult r : results)
            QCOMPARE(r, ZipOk);
        const QByteArray ahead = archive([&](ZipHandle zip, int i) {
            return ZipAddPrepared(zip, sources[i].first.constData(), &prepared[size_t(i)], dataFds[size_t(i)]);
        });
        for (int fd : dataFds)
            close(fd);
        QVERIFY(inTurn.size() > 400);
        QCOMPARE(ahead.size(), inTurn.size());
        int firstDiff = -1;
        for (int i = 0; i < ahead.size() && firstDiff < 0; ++i)
            if (ahead[i] != inTurn[i])
                firstDiff = i;
        QCOMPARE(firstDiff, -1);

        // An entry prepared for one method cannot be added under a name of the other.
        ZipHandle zip = CreateZip(path("mismatch.zip"), nullptr);
        const int fd = open(path("data0").constData(), O_RDONLY);
        QCOMPARE(ZipAddPrepared(zip, "sheet1.gz", &prepared[0], fd), ZipErrorArgument);
        close(fd);
        QCOMPARE(CloseZip(zip), ZipErrorArgument);
        QVERIFY(!QFile::exists(at("mismatch.zip")));
    }

    // A preparation fails with its reason: a data file that cannot be written, a source
    // that is missing, a caller that stops it; and an archive aborted for such a failure
    // is not taken for complete.
    void failedPreparations()
    {
        const QString source = at("prepare-source.xml");
        QVERIFY(writeFile(source, worksheetXml(300000)));
        const QByteArray sourcePath = QFile::encodeName(source);
        ZipPreparedEntry prepared{};

        const int full = open("/dev/full", O_WRONLY);
        if (full >= 0) {
            QCOMPARE(ZipPrepareEntry("sheet.xml", sourcePath.constData(), full, nullptr, nullptr, &prepared),
                     ZipErrorWrite);
            close(full);
        }
        const int data = open(path("prepare-data").constData(), O_RDWR | O_CREAT | O_TRUNC, 0600);
        QCOMPARE(ZipPrepareEntry("sheet.xml", path("missing.xml").constData(), data, nullptr, nullptr, &prepared),
                 ZipErrorFile);
        uint64_t seen = 0;
        const auto stopAfterFirstRead = [](void *context, uint64_t bytesRead) {
            *static_cast<uint64_t *>(context) = bytesRead;
            return 1;
        };
        QCOMPARE(ZipPrepareEntry("sheet.xml", sourcePath.constData(), data, stopAfterFirstRead, &seen, &prepared),
                 ZipErrorStopped);
        QVERIFY(seen > 0 && seen < 300000);
        close(data);

        const QByteArray target = path("aborted.zip");
        ZipHandle zip = CreateZip(target.constData(), nullptr);
        QCOMPARE(AddZipEntry(zip, "a.xml", "<a/>", 4, ZipKindMemory), ZipOk);
        QCOMPARE(ZipAbort(zip, ZipErrorWrite), ZipErrorWrite);
        QCOMPARE(AddZipEntry(zip, "b.xml", "<b/>", 4, ZipKindMemory), ZipErrorEarlierFailure);
        QCOMPARE(CloseZip(zip), ZipErrorWrite);
        QVERIFY(!QFile::exists(at("aborted.zip")));
    }

    void failedSaveKeepsTheOldFile()
    {
        ZipHandle good = CreateZip(path("book.xlsx"), nullptr);
        QCOMPARE(AddZipEntry(good, "a.xml", "<a/>", 4, ZipKindMemory), ZipOk);
        QCOMPARE(CloseZip(good), ZipOk);
        const QByteArray before = readFile(at("book.xlsx"));
        QVERIFY(!before.isEmpty());

        ZipHandle bad = CreateZip(path("book.xlsx"), nullptr);
        QCOMPARE(AddZipEntry(bad, "b.xml", "<b/>", 4, ZipKindMemory), ZipOk);
        QCOMPARE(ZipAdd(bad, "c.xml", path("missing.xml").constData()), ZipErrorFile);
        QCOMPARE(CloseZip(bad), ZipErrorFile);
        QCOMPARE(readFile(at("book.xlsx")), before);
        QCOMPARE(QDir(dir.path()).entryList({"book.xlsx*"}, QDir::Files), QStringList{"book.xlsx"});

        // A link to the workbook keeps pointing at the file it names, which keeps its
        // permissions.
        QVERIFY(QFile::link(at("book.xlsx"), at("link.xlsx")));
        QVERIFY(chmod(path("book.xlsx").constData(), 0604) == 0);
        ZipHandle viaLink = CreateZip(path("link.xlsx"), nullptr);
        QCOMPARE(AddZipEntry(viaLink, "d.xml", "<d/>", 4, ZipKindMemory), ZipOk);
        QCOMPARE(CloseZip(viaLink), ZipOk);
        QVERIFY(QFileInfo(at("link.xlsx")).isSymLink());
        struct stat info;
        QCOMPARE(stat(path("book.xlsx").constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, mode_t(0604));
        QCOMPARE(inspect(at("book.xlsx"))["entries"].toArray().at(0)["name"].toString(), QStringLiteral("d.xml"));
    }

    void targetOfTheLongestName()
    {
        // The temporary file beside the target must fit the folder too.
        const QString name = QString(NAME_MAX - 5, QLatin1Char('n')) + ".xlsx";
        ZipHandle zip = CreateZip(path(name), nullptr);
        QVERIFY(zip);
        QCOMPARE(AddZipEntry(zip, "a.xml", "<a/>", 4, ZipKindMemory), ZipOk);
        QCOMPARE(CloseZip(zip), ZipOk);
        QCOMPARE(entry(inspect(at(name)), "a.xml")["sha256"].toString(), sha256("<a/>"));
        QCOMPARE(QDir(dir.path()).entryList({"n*"}, QDir::Files), QStringList{name});
    }

    void dataDescriptorsOnUnseekableTargets()
    {
        PipeReader reader;
        ZipHandle zip = OpenZipTarget(&reader.fds[1], 0, ZipKindHandle, nullptr);
        QVERIFY(zip);
        const QByteArray xml = worksheetXml(150000);
        const QByteArray packed = randomBytes(2000, 11);
        QCOMPARE(AddZipEntry(zip, "sheet.xml", xml.constData(), uint32_t(xml.size()), ZipKindMemory), ZipOk);
        QCOMPARE(AddZipEntry(zip, "data.gz", packed.constData(), uint32_t(packed.size()), ZipKindMemory), ZipOk);
        QCOMPARE(AddZipEntry(zip, "folder", nullptr, 0, ZipKindFolder), ZipOk);
        QCOMPARE(CloseZip(zip), ZipOk);
        QVERIFY(writeFile(at("piped.zip"), reader.finish()));

        QVERIFY(unzipTest(at("piped.zip")));
        const QJsonObject archive = inspect(at("piped.zip"));
        const QJsonObject sheet = entry(archive, "sheet.xml");
        QCOMPARE(sheet["flags"].toInt(), 0x000A);
        QCOMPARE(sheet["local_flags"].toInt(), 0x000A);
        QCOMPARE(sheet["sha256"].toString(), sha256(xml));
        QVERIFY(sheet["raw_ok"].toBool());
        QCOMPARE(entry(archive, "data.gz")["flags"].toInt(), 0x0008);
        QCOMPARE(entry(archive, "data.gz")["sha256"].toString(), sha256(packed));
        // The descriptor follows the data: "PK\7\8", CRC, sizes.
        const QByteArray bytes = readFile(at("piped.zip"));
        const int descriptor = entry(archive, "data.gz")["offset"].toInt() + 30 + 7 + 17 + packed.size();
        QCOMPARE(bytes.mid(descriptor, 4), QByteArray("PK\x07\x08"));
    }

    void unseekableSources()
    {
        // A pipe as the source: size and times unknown until read.
        PipeReader unused;
        int source[2];
        QVERIFY(pipe(source) == 0);
        const QByteArray data = worksheetXml(20000);
        QCOMPARE(write(source[1], data.constData(), size_t(data.size())), ssize_t(data.size()));
        close(source[1]);
        ZipHandle zip = CreateZip(path("p.zip"), nullptr);
        QCOMPARE(AddZipEntry(zip, "piped.xml", &source[0], 0, ZipKindHandle), ZipOk);
        QCOMPARE(CloseZip(zip), ZipOk);
        close(source[0]);
        const QJsonObject e = entry(inspect(at("p.zip")), "piped.xml");
        QCOMPARE(e["sha256"].toString(), sha256(data));
        QCOMPARE(e["external"].toVariant().toUInt(), 0x80000000u);
        QCOMPARE(e["flags"].toInt(), 0x0002);

        // Stored into an unseekable target, the size announced must be the size read.
        QVERIFY(pipe(source) == 0);
        QCOMPARE(write(source[1], "12345", 5), ssize_t(5));
        close(source[1]);
        ZipHandle piped = OpenZipTarget(&unused.fds[1], 0, ZipKindHandle, nullptr);
        QCOMPARE(AddZipEntry(piped, "short.gz", &source[0], 9, ZipKindHandle), ZipErrorDescriptor);
        CloseZip(piped);
        close(source[0]);
        unused.finish();
    }

    void encryptedArchive()
    {
        const QByteArray password("s3cret");
        const QByteArray xml = worksheetXml(80000);
        const QByteArray packed = randomBytes(3000, 13);
        ZipHandle zip = CreateZip(path("secret.zip"), password.constData());
        QCOMPARE(AddZipEntry(zip, "sheet.xml", xml.constData(), uint32_t(xml.size()), ZipKindMemory), ZipOk);
        QCOMPARE(AddZipEntry(zip, "data.gz", packed.constData(), uint32_t(packed.size()), ZipKindMemory), ZipOk);
        QCOMPARE(AddZipEntry(zip, "folder", nullptr, 0, ZipKindFolder), ZipOk);
        QCOMPARE(CloseZip(zip), ZipOk);

        QVERIFY(unzipTest(at("secret.zip"), password));
        QVERIFY(!unzipTest(at("secret.zip"), "wrong"));
        const QJsonObject archive = inspect(at("secret.zip"), password);
        QCOMPARE(entry(archive, "sheet.xml")["flags"].toInt(), 0x000B);
        QCOMPARE(entry(archive, "sheet.xml")["sha256"].toString(), sha256(xml));
        QCOMPARE(entry(archive, "data.gz")["flags"].toInt(), 0x0009);
        QCOMPARE(entry(archive, "data.gz")["compressed"].toInt(), packed.size() + 12);
        QCOMPARE(entry(archive, "data.gz")["sha256"].toString(), sha256(packed));
        QCOMPARE(entry(archive, "folder/")["flags"].toInt(), 0x0000);
    }

    void timesAndAttributes_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<uint>("external");
        QByteArray exe(200, '\0');
        exe[0] = 'M';
        exe[1] = 'Z';
        exe[60] = char(128);
        exe.replace(128, 4, QByteArray("PE\0\0", 4));
        QByteArray notExe = exe;
        notExe[60] = char(160);  // the signature would lie within 52 bytes of the end
        QTest::newRow("plain file") << QByteArray("text") << false << 0x81800000u;
        QTest::newRow("read-only file") << QByteArray("text") << true << 0x81000001u;
        QTest::newRow("program") << exe << false << 0x81C00000u;
        QTest::newRow("MZ without signature") << notExe << false << 0x81800000u;
    }

    void timesAndAttributes()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, readOnly);
        QFETCH(uint, external);
        const QString file = at("timed.bin");
        QFile::remove(file);
        QVERIFY(writeFile(file, content));
        // 23:59:59 local time: DOS time keeps seconds in two-second steps (29 * 2).
        const time_t when = localMoment(2024, 3, 31, 23, 59, 59);
        const struct utimbuf times = {when - 100, when};
        QCOMPARE(utime(QFile::encodeName(file).constData(), &times), 0);
        if (readOnly)
            QVERIFY(chmod(QFile::encodeName(file).constData(), 0444) == 0);
        ZipHandle zip = CreateZip(path("t.zip"), nullptr);
        QCOMPARE(ZipAdd(zip, "timed.bin", QFile::encodeName(file).constData()), ZipOk);
        QCOMPARE(CloseZip(zip), ZipOk);
        chmod(QFile::encodeName(file).constData(), 0644);

        const QJsonObject e = entry(inspect(at("t.zip")), "timed.bin");
        QCOMPARE(e["external"].toVariant().toUInt(), external);
        QCOMPARE(e["date_time"].toArray(), (QJsonArray{2024, 3, 31, 23, 59, 58}));
        const QByteArray extra = QByteArray::fromHex(e["extra"].toString().toLatin1());
        QCOMPARE(extra.size(), 9);
        QCOMPARE(qFromLittleEndian<quint32>(extra.constData() + 5), quint32(when));
        // The local extra holds modification, access and creation times.
        const QByteArray bytes = readFile(at("t.zip"));
        const QByteArray local17 = bytes.mid(30 + 9, 17);
        QCOMPARE(local17.left(5), QByteArray::fromHex("5554" "0d00" "07"));
        QCOMPARE(qFromLittleEndian<quint32>(local17.constData() + 5), quint32(when));
        QCOMPARE(qFromLittleEndian<quint32>(local17.constData() + 9), quint32(when - 100));
    }

    // One moment given for the archive replaces every source's own times, whatever kind
    // of source, and whether its data was made ahead or in turn.
    void oneMomentForEveryEntry()
    {
        const QString file = at("old.xml");
        QVERIFY(writeFile(file, worksheetXml(1000)));
        const struct utimbuf old = {1000000000, 1000000000};
        QCOMPARE(utime(QFile::encodeName(file).constData(), &old), 0);
        ZipPreparedEntry prepared{};
        const int dataFd = open(path("prepared.data").constData(), O_RDWR | O_CREAT | O_TRUNC, 0600);
        QVERIFY(dataFd >= 0);
        QCOMPARE(ZipPrepareEntry("prepared.xml", QFile::encodeName(file).constData(), dataFd, nullptr, nullptr,
                                 &prepared), ZipOk);

        const time_t when = localMoment(2023, 11, 14, 22, 13, 21);
        ZipHandle zip = CreateZip(path("moment.zip"), nullptr);
        QCOMPARE(ZipSetEntryTime(zip, when), ZipOk);
        QCOMPARE(ZipAdd(zip, "file.xml", QFile::encodeName(file).constData()), ZipOk);
        QCOMPARE(AddZipEntry(zip, "memory.bin", "data", 4, ZipKindMemory), ZipOk);
        QCOMPARE(AddZipEntry(zip, "folder", nullptr, 0, ZipKindFolder), ZipOk);
        QCOMPARE(ZipAddPrepared(zip, "prepared.xml", &prepared, dataFd), ZipOk);
        QCOMPARE(CloseZip(zip), ZipOk);
        close(dataFd);
        QCOMPARE(ZipSetEntryTime(nullptr, when), ZipErrorArgument);

        const QJsonObject archive = inspect(at("moment.zip"));
        const QByteArray bytes = readFile(at("moment.zip"));
        for (const char *name : {"file.xml", "memory.bin", "folder/", "prepared.xml"}) {
            const QJsonObject e = entry(archive, name);
            QCOMPARE(e["date_time"].toArray(), (QJsonArray{2023, 11, 14, 22, 13, 20}));
            const QByteArray extra = QByteArray::fromHex(e["extra"].toString().toLatin1());
            QCOMPARE(qFromLittleEndian<quint32>(extra.constData() + 5), quint32(when));
            const int header = e["offset"].toInt();
            const QByteArray local17 = bytes.mid(header + 30 + int(strlen(name)), 17);
            for (int field = 0; field < 3; ++field)
                QCOMPARE(qFromLittleEndian<quint32>(local17.constData() + 5 + 4 * field), quint32(when));
        }
    }
};

QTEST_GUILESS_MAIN(TestZipWriter)
#include "tst_zipwriter.moc"
