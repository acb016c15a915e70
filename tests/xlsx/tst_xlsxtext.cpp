#include "TextUtil.h"
#include "XmlStream.h"

#include <QtTest>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <locale>

using namespace Xlsx;

namespace {

struct CommaDecimal : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
};

std::string Format(double value)
{
    char text[kNumberTextRoom];
    return std::string(text, FormatNumber(value, text));
}

// The text the writer must keep giving: std::to_chars in general notation with 16 digits.
std::string General16(double value)
{
    char text[64];
    return std::string(text, std::to_chars(text, text + sizeof text, value, std::chars_format::general, 16).ptr);
}

double FromBits(uint64_t bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Each value with its neighbours one unit in the last place away on either side.
void AddWithNeighbours(QList<double> &values, double value)
{
    values << std::nextafter(value, -INFINITY) << value << std::nextafter(value, INFINITY);
}

} // namespace

class TestXlsxText : public QObject
{
    Q_OBJECT
private slots:
    void toUtf8_data()
    {
        QTest::addColumn<QString>("wide");
        QTest::addColumn<QByteArray>("utf8");
        QTest::newRow("ascii") << QString("Time, sec") << QByteArray("Time, sec");
        QTest::newRow("mu") << QString("#0, \u03bcA") << QByteArray("#0, \xce\xbc" "A");
        QTest::newRow("ukrainian") << QString::fromUtf8("Час") << QByteArray("\xd0\xa7\xd0\xb0\xd1\x81");
        QTest::newRow("three bytes") << QString(QChar(0x20AC)) << QByteArray("\xe2\x82\xac");
        // Beyond the Basic Multilingual Plane: one four-byte sequence, never two halves.
        QTest::newRow("emoji") << QString::fromUtf8("a\xf0\x9f\x94\x8b") << QByteArray("a\xf0\x9f\x94\x8b");
    }
    void toUtf8()
    {
        QFETCH(QString, wide);
        QFETCH(QByteArray, utf8);
        const std::string narrow = ToUtf8(wide.toStdWString());
        QCOMPARE(QByteArray::fromStdString(narrow), utf8);
        QCOMPARE(FromUtf8(narrow), wide.toStdWString());
    }

    void surrogatesAndMalformedInput()
    {
        // A pair handed in as two UTF-16 units joins; a lone half is replaced.
        QCOMPARE(ToUtf8(std::wstring{wchar_t(0xD83D), wchar_t(0xDD0B)}), std::string("\xf0\x9f\x94\x8b"));
        QCOMPARE(ToUtf8(std::wstring{L'x', wchar_t(0xD83D)}), std::string("x\xef\xbf\xbd"));
        QCOMPARE(ToUtf8(std::wstring{wchar_t(0xDC00), L'y'}), std::string("\xef\xbf\xbdy"));
        QCOMPARE(FromUtf8("\xff" "a\xc3"), (std::wstring{wchar_t(0xFFFD), L'a', wchar_t(0xFFFD)}));
        QCOMPARE(FromUtf8("\xc0\xaf"), std::wstring{wchar_t(0xFFFD)}); // overlong '/'
    }

    void cellReference_data()
    {
        QTest::addColumn<uint>("row");
        QTest::addColumn<uint>("column");
        QTest::addColumn<QString>("text");
        QTest::newRow("A1") << 1u << 0u << "A1";
        QTest::newRow("Z") << 7u << 25u << "Z7";
        QTest::newRow("AA") << 1u << 26u << "AA1";
        QTest::newRow("ZZ") << 10u << 701u << "ZZ10";
        QTest::newRow("AAA") << 1u << 702u << "AAA1";
        QTest::newRow("last cell") << 1048576u << 16383u << "XFD1048576";
        QTest::newRow("widest") << 4294967295u << 4294967295u << "MWLQKWV4294967295";
    }
    void cellReference()
    {
        QFETCH(uint, row);
        QFETCH(uint, column);
        QFETCH(QString, text);
        char buffer[kCellRefBufferSize];
        QCOMPARE(QString(CellRefToText(CCellPos{row, column}, buffer)), text);
        QCOMPARE(QString::fromStdString(CellRefToText(CCellPos{row, column})), text);
    }

    void numbers_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("0.1") << 0.1 << "0.1";
        QTest::newRow("third") << 1.0 / 3 << "0.3333333333333333";
        QTest::newRow("integer") << 5.0 << "5";
        QTest::newRow("negative") << -2.5 << "-2.5";
        QTest::newRow("16 digits") << 1234567890123456.0 << "1234567890123456";
        QTest::newRow("17 digits") << 12345678901234567.0 << "1.234567890123457e+16";
        QTest::newRow("small") << 0.0001 << "0.0001";
        QTest::newRow("smaller") << 0.00001 << "1e-05";
        QTest::newRow("float width") << double(8.43f) << "8.430000305175781";
        QTest::newRow("app version") << 14.03 << "14.03";
    }
    void numbers()
    {
        QFETCH(double, value);
        QFETCH(QString, text);
        QCOMPARE(QString::fromStdString(Format(value)), text);
        char printed[64];
        std::snprintf(printed, sizeof printed, "%.16g", value);
        QCOMPARE(QString::fromStdString(Format(value)), QString(printed));
    }

    // Groups of values compared with the general 16-digit form of the standard library.
    void numbersAsGeneral16_data()
    {
        QTest::addColumn<QList<double>>("values");
        std::mt19937_64 random(20261210);

        QList<double> anyBits; // every magnitude, sign and exponent, subnormals included
        for (int i = 0; i < 400000; ++i) {
            const double value = FromBits(random());
            if (std::isfinite(value))
                anyBits << value;
        }
        QTest::newRow("random bit patterns") << anyBits;

        QList<double> measured; // the magnitudes of currents, voltages and times
        std::uniform_real_distribution<double> exponent(-13, 17);
        for (int i = 0; i < 400000; ++i)
            measured << (i % 2 ? -1 : 1) * std::pow(10.0, exponent(random));
        for (int i = 0; i < 100000; ++i)
            measured << 120.5 + (i % 977) * 0.37 << 3300.0 + (i % 131) * 0.011 << i * 0.0001;
        QTest::newRow("measurement range") << measured;

        QList<double> integers;
        for (int64_t n = 1; n < 100000; n += 7)
            integers << double(n) << -double(n);
        for (int i = 0; i < 50000; ++i)
            integers << double(random() >> (i % 64));
        for (int bit = 0; bit <= 70; ++bit)
            AddWithNeighbours(integers, std::ldexp(1.0, bit));
        QTest::newRow("integers and powers of two") << integers;

        QList<double> tens; // 10^k and, near the notation switches 1e-5 and 1e16, the values rounding to them
        for (int k = -320; k <= 308; ++k)
            AddWithNeighbours(tens, std::pow(10.0, k));
        for (double edge : {1e-5, 1e-4, 1e15, 1e16, 1e17}) {
            double below = edge, above = edge;
            for (int step = 0; step < 3000; ++step) {
                below = std::nextafter(below, 0.0);
                above = std::nextafter(above, INFINITY);
                tens << below << above;
            }
        }
        tens << 9.9999999999999995e15 << 9.9999999999999990e-5 << 9.99999999999999949e-6
             << 0.000099999999999999995 << 999999999999999.94;
        QTest::newRow("powers of ten and notation switches") << tens;

        QList<double> ties; // exactly halfway between two 16-digit texts: rounded to the even one
        for (int64_t n = 1000000000000000; n < 1000000000000000 + 2000; ++n)
            ties << n + 0.5 << -(n + 0.5);
        for (int64_t n = 4503599627370496; n < 4503599627370496 + 2000; ++n)
            ties << n + 0.25 << n + 0.75;
        ties << 0.5 << 1.5 << 2.5 << 0.125 << 1.0000000000000002 << 0.30000000000000004;
        QTest::newRow("halfway values") << ties;

        QList<double> special{0.0, -0.0, std::numeric_limits<double>::denorm_min(),
                              -std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::min(),
                              std::numeric_limits<double>::max(), -std::numeric_limits<double>::max(),
                              std::numeric_limits<double>::epsilon(), INFINITY, -INFINITY,
                              std::numeric_limits<double>::quiet_NaN(), 9.3, 0.0006000000000000001};
        QTest::newRow("zeros, extremes, infinities, NaN") << special;
    }
    void numbersAsGeneral16()
    {
        QFETCH(QList<double>, values);
        for (double value : values) {
            const std::string ours = Format(value);
            if (ours != General16(value))
                QFAIL(qPrintable(QStringLiteral("%1: %2 instead of %3")
                                     .arg(value, 0, 'g', 17)
                                     .arg(QString::fromStdString(ours), QString::fromStdString(General16(value)))));
        }
    }

    void numbersIgnoreTheProcessLocale()
    {
        const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaDecimal));
        std::setlocale(LC_NUMERIC, "uk_UA.UTF-8"); // where installed
        const std::string text = Format(0.1);
        std::setlocale(LC_NUMERIC, "C");
        std::locale::global(previous);
        QCOMPARE(QString::fromStdString(text), QString("0.1"));
    }
};

QTEST_APPLESS_MAIN(TestXlsxText)
#include "tst_xlsxtext.moc"
