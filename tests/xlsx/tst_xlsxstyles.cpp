#include "Platform.h"
#include "StyleTable.h"
#include "TempTree.h"
#include "XlsxTestUtil.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace Xlsx;
using namespace XlsxTest;

namespace {

int g_symbolRequests = 0;
std::string Hryvnia()
{
    ++g_symbolRequests;
    return "\xd0\xb3\xd1\x80\xd0\xbd"; // грн
}

NumFormat Format(int kind, int digits = 2, bool thousands = false, int positive = 0, int negative = 0,
                 int zero = 0)
{
    NumFormat f;
    f.kind = kind;
    f.digits = digits;
    f.thousands = thousands;
    f.positiveColor = positive;
    f.negativeColor = negative;
    f.zeroColor = zero;
    return f;
}

// The two styles every workbook starts with.
void AddDefaults(CStyleTable &table)
{
    Style style;
    QCOMPARE(table.FindOrAdd(style), uint64_t(0));
    style.fill.pattern = 17;
    QCOMPARE(table.FindOrAdd(style), uint64_t(1));
}

} // namespace

Q_DECLARE_METATYPE(NumFormat)

class TestXlsxStyles : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { SetCurrencySymbolSource(Hryvnia); }
    void cleanupTestCase() { SetCurrencySymbolSource(nullptr); }

    void findOrAddShares()
    {
        CStyleTable table;
        AddDefaults(table);
        Style style;
        QCOMPARE(table.FindOrAdd(style), uint64_t(0));

        Style centered;
        centered.alignment.horizontal = 2;
        QCOMPARE(table.FindOrAdd(centered), uint64_t(2));
        QCOMPARE(table.CellFormats()[2].font, 0u);
        QCOMPARE(table.CellFormats()[2].numFormat, 164u);
        QCOMPARE(table.Fonts().size(), size_t(1));

        // Only the diagonal differs: the style keeps its own border.
        Style diagonal;
        diagonal.border.diagonal.style = 1;
        QCOMPARE(table.FindOrAdd(diagonal), uint64_t(3));
        QCOMPARE(table.CellFormats()[3].border, 1u);

        // Custom formats are numbered from 164 in order of first use.
        Style percent;
        percent.numFormat = Format(PercentKind, 1);
        QCOMPARE(table.FindOrAdd(percent), uint64_t(4));
        QCOMPARE(table.CellFormats()[4].numFormat, 165u);
        Style coded;
        coded.numFormat.code = "0.000";
        coded.numFormat.id = 200;
        table.FindOrAdd(coded);
        QCOMPARE(table.CellFormats()[5].numFormat, 166u);

        // Built-in formats are told apart by their id, and keep it.
        Style date, dateTime;
        date.numFormat.id = 14;
        dateTime.numFormat.id = 22;
        QCOMPARE(table.FindOrAdd(date), uint64_t(6));
        QCOMPARE(table.FindOrAdd(dateTime), uint64_t(7));
        QCOMPARE(table.CellFormats()[6].numFormat, 14u);
        QCOMPARE(table.CellFormats()[7].numFormat, 22u);
        QCOMPARE(table.FindOrAdd(date), uint64_t(6));
    }

    void formatCodes_data()
    {
        QTest::addColumn<NumFormat>("format");
        QTest::addColumn<QString>("code");
        QTest::newRow("default") << NumFormat() << "0.00";
        QTest::newRow("thousands, no digits") << Format(NumberKind, 0, true) << "#,##0";
        QTest::newRow("percent") << Format(PercentKind, 1) << "0.0%";
        QTest::newRow("scientific") << Format(ScientificKind, 3) << "0.000E+00";
        QTest::newRow("currency, quoted symbol") << Format(CurrencyKind) << "0.00 \"грн\"";
        QTest::newRow("accounting") << Format(AccountingKind, 2, true)
            << "_-* #,##0.00\"грн\"_-;\\-* #,##0.00\"грн\"_-;_-* \"-\"??\"грн\"_-;_-@_-";
        QTest::newRow("positive colour") << Format(NumberKind, 1, false, 8) << "[Red]0.0;\\-0.0;0";
        QTest::newRow("negative colour") << Format(NumberKind, 0, false, 0, 8) << "0;[Red]\\-0";
        QTest::newRow("zero colour") << Format(PercentKind, 0, false, 0, 0, 4) << "0%;;[Blue]0%";
        QTest::newRow("all colours") << Format(NumberKind, 0, false, 1, 2, 3) << "[BLACK]0;[Green]\\-0;[White]0";
        QTest::newRow("colour out of range") << Format(NumberKind, 0, false, 0, 99) << "0;\\-0";
        QTest::newRow("date") << Format(DateKind) << "yyyy.mm.dd";
        QTest::newRow("time") << Format(TimeKind) << "hh:mm:ss";
        QTest::newRow("date time") << Format(DateTimeKind) << "yyyy.mm.dd hh:mm:ss";
        NumFormat given;
        given.code = "0.0##";
        QTest::newRow("given code") << given << "0.0##";
    }
    void formatCodes()
    {
        QFETCH(NumFormat, format);
        QFETCH(QString, code);
        CStyleTable table;
        QCOMPARE(QString::fromStdString(NumFormatCode(table, format)), code);
    }

    void currencySymbolIsAskedOnce()
    {
        g_symbolRequests = 0;
        CStyleTable table;
        NumFormatCode(table, NumFormat());
        QCOMPARE(g_symbolRequests, 0);
        NumFormatCode(table, Format(CurrencyKind));
        NumFormatCode(table, Format(AccountingKind));
        QCOMPARE(g_symbolRequests, 1);
    }

    void defaultStylesheet()
    {
        QTemporaryDir dir;
        CTempTree tree(dir.path().toStdString());
        CStyleTable table;
        AddDefaults(table);
        QVERIFY(SaveStyles(table, tree));
        const QByteArray xml = ReadFile(tree.Root() + "/xl/styles.xml");
        QString error;
        const QDomElement sheet = Parse(xml, &error).documentElement();
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(ChildNames(sheet), QStringList({"numFmts", "fonts", "fills", "borders", "cellStyleXfs",
                                                 "cellXfs", "cellStyles", "dxfs", "tableStyles", "extLst"}));
        QVERIFY(xml.contains("<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"0.00\"/></numFmts>"));
        QVERIFY(xml.contains("<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/>"
                             "<charset val=\"204\"/><color theme=\"1\"/></font></fonts>"));
        QVERIFY(xml.contains("<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
                             "<fill><patternFill patternType=\"gray125\"/></fill></fills>"));
        QVERIFY(xml.contains("<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"));
        QVERIFY(xml.contains("<cellXfs count=\"2\">"
                             "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"0\" borderId=\"0\" applyNumberFormat=\"1\"/>"
                             "<xf numFmtId=\"164\" fontId=\"0\" fillId=\"1\" borderId=\"0\" applyFill=\"1\" applyNumberFormat=\"1\"/>"
                             "</cellXfs>"));
        QVERIFY(xml.endsWith("<extLst><ext uri=\"{EB79DEF2-80B8-43e5-95BD-54CBDDF9020C}\" "
                             "xmlns:x14=\"http://schemas.microsoft.com/office/spreadsheetml/2009/9/main\">"
                             "<x14:slicerStyles defaultSlicerStyle=\"SlicerStyleLight1\"/></ext></extLst></styleSheet>"));
    }

    void richStylesheet()
    {
        QTemporaryDir dir;
        CTempTree tree(dir.path().toStdString());
        CStyleTable table;
        Style style;
        style.font.attributes = FontItalic | FontBold | FontExtend;
        style.font.theme = false;
        style.font.color = "FFFF0000";
        style.font.name = CDualString(std::string("A&B"));
        style.fill.pattern = 42;
        style.fill.foreground = "FF00FF00";
        style.border.left.style = 1;
        style.border.top = {2, "FF0000FF"};
        style.border.bottom.style = 99;
        style.border.diagonalDown = true;
        style.numFormat.id = 14;
        style.alignment = {3, 2, true, 90};
        table.FindOrAdd(style);
        Style custom;
        custom.numFormat.code = "0.0 \"<V>\"";
        table.FindOrAdd(custom);
        QVERIFY(SaveStyles(table, tree));
        const QByteArray xml = ReadFile(tree.Root() + "/xl/styles.xml");
        QString error;
        Parse(xml, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(xml.contains("<numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"0.0 &quot;&lt;V&gt;&quot;\"/></numFmts>"));
        QVERIFY(xml.contains("<font><b/><i/><extend/><sz val=\"11\"/><name val=\"A&amp;B\"/>"
                             "<charset val=\"204\"/><color rgb=\"FFFF0000\"/></font>"));
        QVERIFY(xml.contains("<fill><patternFill><fgColor rgb=\"FF00FF00\"/></patternFill></fill>"));
        QVERIFY(xml.contains("<border diagonalDown=\"1\"><left style=\"thin\"><color indexed=\"64\"/></left><right/>"
                             "<top style=\"medium\"><color rgb=\"FF0000FF\"/></top><bottom/><diagonal/></border>"));
        QVERIFY(xml.contains("<xf numFmtId=\"14\" fontId=\"0\" fillId=\"0\" borderId=\"0\" applyNumberFormat=\"1\" "
                             "applyAlignment=\"1\"><alignment horizontal=\"right\" vertical=\"center\" "
                             "wrapText=\"1\" textRotation=\"90\"/></xf>"));
        QVERIFY(xml.contains("<xf numFmtId=\"164\" fontId=\"1\" fillId=\"1\" borderId=\"1\" applyFont=\"1\" "
                             "applyFill=\"1\" applyBorder=\"1\" applyNumberFormat=\"1\"/>"));
    }
};

QTEST_APPLESS_MAIN(TestXlsxStyles)
#include "tst_xlsxstyles.moc"
