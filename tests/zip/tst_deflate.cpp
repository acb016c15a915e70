#include "Crc32.h"
#include "ZipTestTools.h"
#include "ZipWriter.h"

#include <QtTest>

using namespace ZipTestTools;

namespace {

// Bit by bit, as the ZIP format defines it: the reference for the table-driven CRC.
uint32_t bitwiseCrc(const QByteArray &data)
{
    uint32_t c = 0xFFFFFFFFu;
    for (char ch : data) {
        c ^= uint8_t(ch);
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? (c >> 1) ^ 0xEDB88320u : c >> 1;
    }
    return ~c;
}

// Chunks of three bytes found nowhere else within reach, then 258 bytes of 'a': three
// literals and one longest match each, so blocks compress far below half their input.
QByteArray literalsAndLongMatches(int chunks)
{
    QByteArray data;
    for (int i = 0; i < chunks; ++i) {
        data += char(0x80 + (i >> 7));
        data += char(0x80 + (i & 127));
        data += char(0x80 + ((i * 5 + 3) & 127));
        data += QByteArray(258, 'a');
    }
    return data;
}

// Two strings of `length` bytes `distance` apart, each between bytes found nowhere else
// (the first not at position 0, which no chain can point at).
QByteArray threeByteRepeat(int distance, int length)
{
    const QByteArray marker = QByteArray("\xF0\xF1\xF2\xF5", length);
    QByteArray data = "\xF6" + marker;
    QByteArray filler = randomBytes(distance - length - 1, 99);
    for (char &c : filler)
        c = char(uint8_t(c) & 0x7F);
    data += filler;
    data += '\xF4';
    data += marker;
    data += '\xF3';
    return data;
}

// Text that copies earlier pieces of itself from near and far, with the last byte of
// a copy often changed: many long matches, some ending close to where input runs out.
QByteArray backReferences(int size, quint32 seed)
{
    QRandomGenerator g(seed);
    static const int alphabets[] = {2, 3, 4, 10, 26, 256};
    const int alphabet = alphabets[g.bounded(6)];
    QByteArray d;
    while (d.size() < size) {
        const int pick = int(g.bounded(100));
        if (pick < 25 || d.size() < 10) {
            for (int n = int(g.bounded(1, 40)); n > 0; --n)
                d += char(alphabet == 256 ? g.bounded(256) : 'a' + g.bounded(alphabet));
        } else if (pick < 85) {
            static const int reach[] = {4, 50, 300, 4100, 20000, 32506, 33000};
            static const int longest[] = {5, 12, 40, 260, 700};
            const int distance = int(g.bounded(1, qMin(int(d.size()), reach[g.bounded(7)]) + 1));
            for (int n = int(g.bounded(3, longest[g.bounded(5)])); n > 0; --n)
                d += d.at(d.size() - distance);
            if (g.bounded(10) < 6)
                d[d.size() - 1] = char(d.at(d.size() - 1) + 1);
        } else {
            // Drawn one after the other: the order of a call's arguments is the compiler's.
            const char fill = char(g.bounded(256));
            const int run = int(g.bounded(1, 400));
            d += QByteArray(run, fill);
        }
    }
    return d.left(size);
}

QString blockTypes(const QJsonArray &blocks)
{
    QString types;
    for (const QJsonValue &b : blocks)
        types += QString::number(b["type"].toInt());
    return types;
}

} // namespace

class TestDeflate : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

    // One deflated entry holding `data`, decoded by the tracer and by zlib.
    QJsonObject compressAndTrace(const QByteArray &data, bool matches = false)
    {
        const QString archive = dir.filePath("d.zip");
        ZipHandle zip = CreateZip(QFile::encodeName(archive).constData(), nullptr);
        const char *bytes = data.isEmpty() ? nullptr : data.constData();
        const ZipResult added = data.isEmpty() ? ZipAdd(zip, "d.xml", "/dev/null")
                                               : AddZipEntry(zip, "d.xml", bytes, uint32_t(data.size()), ZipKindMemory);
        if (added != ZipOk || CloseZip(zip) != ZipOk)
            return QJsonObject();
        const QJsonObject e = entry(inspect(archive), "d.xml");
        QJsonObject t = trace(archive, "d.xml", matches);
        t["raw_ok"] = e["raw_ok"];
        t["compressed"] = e["compressed"];
        t["crc"] = e["crc"];
        t["raw_sha256"] = e["raw_sha256"];
        return t;
    }

private slots:
    void blocks_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("types");  // pattern of block types, 0 stored, 1 fixed, 2 dynamic
        QTest::newRow("empty") << QByteArray() << "^1$";
        QTest::newRow("short text") << QByteArray("hello, hello, hello, world") << "^1$";
        QTest::newRow("random 100000 bytes") << randomBytes(100000, 1) << "^0000$";
        QTest::newRow("70000 identical bytes") << QByteArray(70000, 'a') << "^[12]$";
        QTest::newRow("worksheet rows") << worksheetXml(400000) << "^2+$";
        QTest::newRow("rows, then random") << worksheetXml(60000) + randomBytes(70000, 2) << "^2+0+$";
        QTest::newRow("literals and long matches") << literalsAndLongMatches(1500) << "^2+$";
    }

    void blocks()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, types);
        const QJsonObject t = compressAndTrace(data);
        QVERIFY(t["raw_ok"].toBool());  // zlib decodes it alone, nothing left over
        QCOMPARE(t["trailing"].toInt(), 0);
        QCOMPARE(t["sha256"].toString(), sha256(data));
        QCOMPARE(t["crc"].toVariant().toUInt(), bitwiseCrc(data));
        const QJsonArray blocks = t["blocks"].toArray();
        QVERIFY2(QRegularExpression(types).match(blockTypes(blocks)).hasMatch(), qPrintable(blockTypes(blocks)));
        int total = 0;
        int stored = 0;
        for (int i = 0; i < blocks.size(); ++i) {
            const QJsonObject b = blocks[i].toObject();
            QCOMPARE(b["final"].toBool(), i == blocks.size() - 1);
            total += b["length"].toInt();
            stored += b["type"].toInt() == 0;
            // A block ends when the symbol buffer is full, or at a multiple of 4096
            // symbols when it already compresses to less than half.
            if (i < blocks.size() - 1 && b["type"].toInt() != 0) {
                const int symbols = b["symbols"].toInt();
                QVERIFY2(symbols == 32767 || symbols % 4096 == 0, qPrintable(QString::number(symbols)));
            }
        }
        QCOMPARE(total, data.size());
        if (data.isEmpty())
            QCOMPARE(t["compressed"].toInt(), 2);
        if (types == "^0000$")  // each stored block costs five bytes: header and lengths
            QCOMPARE(t["compressed"].toInt(), data.size() + 5 * stored);
    }

    void choicesStayTheSame_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("compressed");
        QTest::addColumn<QString>("rawSha256");
        QTest::newRow("mixed") << worksheetXml(300000) + literalsAndLongMatches(300) + randomBytes(40000, 21)
                                      + QByteArray(3000, 'z') + threeByteRepeat(4097, 3) + worksheetXml(90000)
                               << 112828 << "754c33d4ec741f77731cab8f272de2b6a335ba139bfe56f51f22fd28644c2003";
        QTest::newRow("back references") << backReferences(140000, 763) << 6471
                                         << "161328269e815c25d8f6b7e24f69a28a4bc65b761ded479b11a2583b558b2d20";
    }

    void choicesStayTheSame()
    {
        // Which matches are taken and how blocks are cut is fixed; a faster search or
        // tree builder must produce these very bytes.
        QFETCH(QByteArray, data);
        QFETCH(int, compressed);
        QFETCH(QString, rawSha256);
        const QJsonObject t = compressAndTrace(data);
        QCOMPARE(t["sha256"].toString(), sha256(data));
        QCOMPARE(t["compressed"].toInt(), compressed);
        QCOMPARE(t["raw_sha256"].toString(), rawSha256);
    }

    void blockEndsEarlyWhenItCompressesWell()
    {
        const QJsonArray blocks = compressAndTrace(literalsAndLongMatches(1500))["blocks"].toArray();
        QVERIFY(blocks.size() >= 2);
        QCOMPARE(blocks[0]["symbols"].toInt(), 4096);
    }

    void longMatchesAcrossTheSlide()
    {
        const QJsonObject t = compressAndTrace(QByteArray(70000, 'a'), true);
        const QJsonArray matches = t["matches"].toArray();
        int longest = 0;
        for (const QJsonValue &m : matches)
            longest += m[0].toInt() == 258 && m[1].toInt() == 1;
        QVERIFY(longest >= (70000 - 258) / 258);
        QCOMPARE(t["sha256"].toString(), sha256(QByteArray(70000, 'a')));
    }

    void threeByteMatchesStayNear_data()
    {
        QTest::addColumn<int>("distance");
        QTest::addColumn<int>("length");
        QTest::addColumn<bool>("used");
        QTest::newRow("3 bytes at 4096") << 4096 << 3 << true;
        QTest::newRow("3 bytes at 4097") << 4097 << 3 << false;
        QTest::newRow("4 bytes at 20000") << 20000 << 4 << true;
    }

    void threeByteMatchesStayNear()
    {
        QFETCH(int, distance);
        QFETCH(int, length);
        QFETCH(bool, used);
        const QByteArray data = threeByteRepeat(distance, length);
        const QJsonObject t = compressAndTrace(data, true);
        QCOMPARE(t["sha256"].toString(), sha256(data));
        bool found = false;
        for (const QJsonValue &m : t["matches"].toArray())
            found |= m[0].toInt() == length && m[1].toInt() == distance;
        QCOMPARE(found, used);
    }

    void crc32()
    {
        QCOMPARE(Crc32(0, "123456789", 9), 0xCBF43926u);
        QCOMPARE(Crc32(0, "", 0), 0u);
        QCOMPARE(Crc32(0x12345678u, nullptr, 5), 0u);
        const QByteArray data = randomBytes(70, 4);
        for (int n = 0; n <= data.size(); ++n) {
            QCOMPARE(Crc32(0, data.constData(), size_t(n)), bitwiseCrc(data.left(n)));
            const uint32_t head = Crc32(0, data.constData(), size_t(n / 3));
            QCOMPARE(Crc32(head, data.constData() + n / 3, size_t(n - n / 3)), bitwiseCrc(data.left(n)));
        }
    }
};

QTEST_GUILESS_MAIN(TestDeflate)
#include "tst_deflate.moc"
