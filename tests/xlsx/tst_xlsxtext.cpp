#include "TextUtil.h"
#include "XmlStream.h"

#include <QtTest>

#include <clocale>
#include <locale>

using namespace Xlsx;

namespace {

struct CommaDecimal : std::numpunct<char>
{
    char do_decimal_point() const override { return ','; }
};

std::string Format(double value)
{
    char text[32];
    return std::string(text, FormatNumber(value, text));
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
