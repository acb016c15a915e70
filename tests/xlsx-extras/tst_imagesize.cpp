#include "ImageSize.h"

#include <QtTest>

#include <sstream>
#include <string>

using namespace Xlsx;

namespace {

// Little byte-building helpers for the fixtures.
QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

QByteArray U16(uint32_t v, bool little)
{
    return little ? Bytes({int(v & 0xFF), int(v >> 8 & 0xFF)}) : Bytes({int(v >> 8 & 0xFF), int(v & 0xFF)});
}

QByteArray U32(uint32_t v, bool little)
{
    return little ? U16(v & 0xFFFF, true) + U16(v >> 16, true) : U16(v >> 16, false) + U16(v & 0xFFFF, false);
}

QByteArray Gif(uint32_t w, uint32_t h)
{
    return QByteArray("GIF89a") + U16(w, true) + U16(h, true) + Bytes({0xF7, 0, 0});
}

QByteArray Png(uint32_t w, uint32_t h)
{
    return Bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0x0D}) + "IHDR" + U32(w, false)
        + U32(h, false) + Bytes({8, 2, 0, 0, 0});
}

// Start of image, a JFIF application segment, then a frame header with the given marker.
QByteArray Jpeg(int frameMarker, uint32_t w, uint32_t h)
{
    const QByteArray app0 = Bytes({0xFF, 0xE0}) + U16(16, false) + QByteArray("JFIF\0", 5)
        + Bytes({1, 1, 0, 0, 1, 0, 1, 0, 0});
    const QByteArray frame = Bytes({0xFF, frameMarker}) + U16(17, false) + Bytes({8}) + U16(h, false)
        + U16(w, false) + Bytes({3, 1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1});
    return Bytes({0xFF, 0xD8}) + app0 + frame + Bytes({0xFF, 0xD9});
}

struct TiffEntry
{
    uint32_t tag;
    uint32_t type;
    uint32_t value;
};

// A directory at the given offset holding the entries and the offset of the next one.
QByteArray TiffDirectory(const QList<TiffEntry> &entries, uint32_t next, bool little)
{
    QByteArray out = U16(uint32_t(entries.size()), little);
    for (const TiffEntry &e : entries) {
        out += U16(e.tag, little) + U16(e.type, little) + U32(1, little);
        // A SHORT value stands in the first two bytes of the value field.
        out += e.type == 3 ? U16(e.value, little) + U16(0, little) : U32(e.value, little);
    }
    return out + U32(next, little);
}

QByteArray TiffHeader(bool little, uint32_t firstDirectory = 8)
{
    return (little ? QByteArray("II") + Bytes({0x2A, 0}) : QByteArray("MM") + Bytes({0, 0x2A}))
        + U32(firstDirectory, little);
}

constexpr uint32_t Short = 3, Long = 4, Rational = 5;

// Header, then directories laid out one after the other, each chained to the next.
QByteArray Tiff(bool little, const QList<QList<TiffEntry>> &directories, bool cyclic = false)
{
    QByteArray out = TiffHeader(little);
    for (int i = 0; i < directories.size(); ++i) {
        const uint32_t size = 2 + 12 * uint32_t(directories[i].size()) + 4;
        const bool last = i + 1 == directories.size();
        const uint32_t next = last ? (cyclic ? 8 : 0) : uint32_t(out.size()) + size;
        out += TiffDirectory(directories[i], next, little);
    }
    return out;
}

} // namespace

class TestImageSize : public QObject
{
    Q_OBJECT

private slots:
    void readers_data();
    void readers();
    void table();
};

void TestImageSize::readers_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");

    QTest::newRow("gif") << "a.gif" << Gif(300, 200) << true << 300 << 200;
    QTest::newRow("gif of 6 bytes") << "a.gif" << QByteArray("GIF89a") << false << 0 << 0;
    QTest::newRow("gif signature wrong") << "a.gif" << ("PNG" + Gif(3, 2).mid(3)) << false << 0 << 0;

    QTest::newRow("png") << "a.png" << Png(640, 480) << true << 640 << 480;
    QTest::newRow("png 65535 wide") << "a.PNG" << Png(65535, 1) << true << 65535 << 1;
    QTest::newRow("png 70000 x 10") << "a.png" << Png(70000, 10) << false << 0 << 0;
    QTest::newRow("png truncated") << "a.png" << Png(640, 480).left(23) << false << 0 << 0;
    QTest::newRow("png other chunk first") << "a.png" << Png(640, 480).replace("IHDR", "PLTE") << false << 0 << 0;

    QTest::newRow("jpeg baseline") << "a.jpg" << Jpeg(0xC0, 1024, 768) << true << 1024 << 768;
    QTest::newRow("jpeg progressive") << "a.jpeg" << Jpeg(0xC2, 33, 44) << true << 33 << 44;
    QByteArray filled = Jpeg(0xC1, 5, 6);
    filled.insert(2, Bytes({0xFF, 0xFF, 0xFF, 0xD0}));   // fill bytes and a restart marker
    QTest::newRow("jpeg fill bytes") << "a.jpg" << filled << true << 5 << 6;
    QTest::newRow("jpeg huffman table is no frame")
        << "a.jpg" << Jpeg(0xC4, 5, 6) << false << 0 << 0;
    QTest::newRow("jpeg scan before frame")
        << "a.jpg" << (Bytes({0xFF, 0xD8, 0xFF, 0xDA}) + U16(8, false) + Jpeg(0xC0, 5, 6).mid(2)) << false << 0 << 0;
    QByteArray zeroLength = Jpeg(0xC0, 5, 6);
    zeroLength[4] = 0;
    zeroLength[5] = 0;
    QTest::newRow("jpeg segment length 0") << "a.jpg" << zeroLength << false << 0 << 0;
    QTest::newRow("jpeg truncated in frame") << "a.jpg" << Jpeg(0xC0, 5, 6).left(26) << false << 0 << 0;
    QTest::newRow("jpeg segment runs past end") << "a.jpg" << Jpeg(0xC0, 5, 6).left(10) << false << 0 << 0;
    QTest::newRow("jpeg no start marker") << "a.jpg" << Jpeg(0xC0, 5, 6).mid(2) << false << 0 << 0;

    const TiffEntry w16{256, Short, 1200}, h16{257, Short, 900};
    const TiffEntry w32{256, Long, 4000}, h32{257, Long, 3000};
    const TiffEntry other{259, Short, 1};
    QTest::newRow("tiff II short") << "a.tif" << Tiff(true, {{other, w16, h16}}) << true << 1200 << 900;
    QTest::newRow("tiff MM short") << "a.tif" << Tiff(false, {{w16, other, h16}}) << true << 1200 << 900;
    QTest::newRow("tiff II long") << "a.tiff" << Tiff(true, {{w32, h32}}) << true << 4000 << 3000;
    QTest::newRow("tiff MM long") << "a.TIFF" << Tiff(false, {{h32, w32}}) << true << 4000 << 3000;
    QTest::newRow("tiff second directory") << "a.tif" << Tiff(false, {{other}, {w16, h16}}) << true << 1200 << 900;
    QTest::newRow("tiff sizes split over two directories") << "a.tif" << Tiff(true, {{w16}, {h16}}) << false << 0 << 0;
    QTest::newRow("tiff width twice, no height") << "a.tif" << Tiff(true, {{w16, w16}}) << false << 0 << 0;
    QTest::newRow("tiff rational width ignored")
        << "a.tif" << Tiff(true, {{TiffEntry{256, Rational, 8}, h16}}) << false << 0 << 0;
    QTest::newRow("tiff width 70000") << "a.tif" << Tiff(true, {{TiffEntry{256, Long, 70000}, h16}}) << false << 0 << 0;
    QTest::newRow("tiff cyclic chain") << "a.tif" << Tiff(true, {{other}, {other}}, true) << false << 0 << 0;
    QTest::newRow("tiff truncated directory") << "a.tif" << Tiff(true, {{w16, h16}}).left(20) << false << 0 << 0;
    QTest::newRow("tiff directory past end") << "a.tif" << TiffHeader(true, 4000) << false << 0 << 0;
    QTest::newRow("tiff wrong magic") << "a.tif" << Tiff(true, {{w16, h16}}).replace(0, 2, "MI") << false << 0 << 0;
}

void TestImageSize::readers()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, found);

    const ImageTypeEntry &entry = FindImageType(fileName.toStdString());
    QVERIFY(entry.reader != nullptr);
    std::istringstream in(bytes.toStdString());
    uint16_t width = 0, height = 0;
    QCOMPARE(entry.reader(in, width, height), found);
    if (found) {
        QTEST(int(width), "width");
        QTEST(int(height), "height");
    }
}

void TestImageSize::table()
{
    QCOMPARE(FindImageType("photo.JPG").type, int32_t(ImageJpg));
    QCOMPARE(FindImageType("scan.tiff").type, int32_t(ImageTiff));
    QCOMPARE(FindImageType("scan.tif").type, int32_t(ImageTif));
    QCOMPARE(FindImageType("drawing.bmp").type, int32_t(ImageNone));
    QCOMPARE(FindImageType(".png").type, int32_t(ImageNone));
    QVERIFY(FindImageType("noextension").reader == nullptr);
    QCOMPARE(QString(ImageTypeTable[6].extension), QString());
    QCOMPARE(QString(ImageContentType(ImageJpeg)), QString("image/jpeg"));
    QCOMPARE(QString(ImageExtension(ImageTiff)), QString("tiff"));
    QVERIFY(ImageContentType(7) == nullptr);
}

QTEST_APPLESS_MAIN(TestImageSize)
#include "tst_imagesize.moc"
