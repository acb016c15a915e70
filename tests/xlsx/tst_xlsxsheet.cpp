#include "Workbook.h"
#include "XlsxTestUtil.h"

#include <QtTest>

#include <cmath>
#include <functional>

using namespace Xlsx;
using namespace XlsxTest;

namespace {

using SheetFill = std::function<void(CWorksheet &)>;

const QByteArray kTail = "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" "
                         "header=\"0.3\" footer=\"0.3\"/><pageSetup paperSize=\"9\" orientation=\"portrait\"/>"
                         "</worksheet>";

QByteArray SheetPart(CWorkbook &book, uint64_t id = 1)
{
    return ReadFile(book.TempTree().Root() + "/xl/worksheets/sheet" + std::to_string(id) + ".xml");
}

// The text between the end of the head and the tail.
QByteArray SheetBody(const QByteArray &part)
{
    const int start = part.indexOf("<sheetData");
    const int end = part.indexOf("<pageMargins");
    return part.mid(start, end - start);
}

} // namespace

Q_DECLARE_METATYPE(SheetFill)

class TestXlsxSheet : public QObject
{
    Q_OBJECT
private slots:
    void head()
    {
        CWorkbook book;
        CWorksheet &sheet = book.NewWorksheet(CDualString());
        QVERIFY(sheet.Save());
        const QByteArray part = SheetPart(book);
        QString error;
        const QDomElement root = Parse(part, &error).documentElement();
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(part.startsWith(
            "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n"
            "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
            "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\" "
            "xmlns:mc=\"http://schemas.openxmlformats.org/markup-compatibility/2006\" mc:Ignorable=\"x14ac\" "
            "xmlns:x14ac=\"http://schemas.microsoft.com/office/spreadsheetml/2009/9/ac\">"
            "<sheetViews><sheetView tabSelected=\"0\" workbookViewId=\"0\"/></sheetViews>"
            "<sheetFormatPr defaultRowHeight=\"15\" x14ac:dyDescent=\"0.25\"/><sheetData/>"));
        QVERIFY(part.endsWith("<sheetData/>" + kTail));
        QCOMPARE(ChildNames(root), QStringList({"sheetViews", "sheetFormatPr", "sheetData",
                                                "pageMargins", "pageSetup"}));
        // Nothing refers to a drawing or notes, so the sheet has no relationships part.
        QCOMPARE(book.TempTree().Parts(), std::vector<std::string>{"/xl/worksheets/sheet1.xml"});
    }

    void cells_data()
    {
        QTest::addColumn<SheetFill>("fill");
        QTest::addColumn<QByteArray>("body");
        QTest::newRow("numbers") << SheetFill([](CWorksheet &s) {
            s.OpenRow();
            s.PutCell(0.1);
            s.PutCell(1.0 / 3, 1);
            s.CloseRow();
        }) << QByteArray("<sheetData><row r=\"1\" x14ac:dyDescent=\"0.25\"><c r=\"A1\"><v>0.1</v></c>"
                         "<c r=\"B1\" s=\"1\"><v>0.3333333333333333</v></c></row></sheetData>");
        QTest::newRow("not a number is an empty cell") << SheetFill([](CWorksheet &s) {
            s.OpenRow();
            s.PutCell(std::nan(""));
            s.PutCell(INFINITY, 1);
            s.PutCell(-INFINITY);
            s.PutCell(2.0);
        }) << QByteArray("<sheetData><row r=\"1\" x14ac:dyDescent=\"0.25\"><c r=\"A1\"/><c r=\"B1\" s=\"1\"/>"
                         "<c r=\"C1\"/><c r=\"D1\"><v>2</v></c></row></sheetData>");
        QTest::newRow("shared strings") << SheetFill([](CWorksheet &s) {
            s.OpenRow();
            s.PutCell(std::string("Time, sec"));
            s.PutCell(std::string("#0, \xce\xbc" "A"), 1);
            s.OpenRow();
            s.PutCell(std::string("#0, \xce\xbc" "A"));
        }) << QByteArray("<sheetData><row r=\"1\" x14ac:dyDescent=\"0.25\"><c r=\"A1\" t=\"s\"><v>0</v></c>"
                         "<c r=\"B1\" s=\"1\" t=\"s\"><v>1</v></c></row><row r=\"2\" x14ac:dyDescent=\"0.25\">"
                         "<c r=\"A2\" t=\"s\"><v>1</v></c></row></sheetData>");
        QTest::newRow("empty texts and formulas") << SheetFill([](CWorksheet &s) {
            s.OpenRow();
            s.PutCell(std::string());
            s.PutCell(std::string(), 1);
            s.PutCell(std::string("=A1&\"<\""));
        }) << QByteArray("<sheetData><row r=\"1\" x14ac:dyDescent=\"0.25\"><c r=\"B1\" s=\"1\"/>"
                         "<c r=\"C1\"><f>A1&amp;&quot;&lt;&quot;</f></c></row></sheetData>");
        QTest::newRow("empty rows and heights") << SheetFill([](CWorksheet &s) {
            s.OpenRow();
            s.OpenRow(20.5);
            s.PutCell(1.0);
            s.OpenRow(std::nan(""));
            s.CloseRow();
            s.CloseRow();
        }) << QByteArray("<sheetData><row r=\"1\" x14ac:dyDescent=\"0.25\"/>"
                         "<row r=\"2\" x14ac:dyDescent=\"0.25\" ht=\"20.5\" customHeight=\"1\"><c r=\"A2\"><v>1</v></c></row>"
                         "<row r=\"3\" x14ac:dyDescent=\"0.25\"/></sheetData>");
        // References past column Z and row 9, and styles of many digits.
        QByteArray emptyRows = "<sheetData>";
        for (int row = 1; row <= 9; ++row)
            emptyRows += "<row r=\"" + QByteArray::number(row) + "\" x14ac:dyDescent=\"0.25\"/>";
        QTest::newRow("wide and long sheets") << SheetFill([](CWorksheet &s) {
            for (int row = 1; row <= 10; ++row)
                s.OpenRow();
            for (int column = 0; column < 26; ++column)
                s.PutCell(std::string());
            s.PutCell(-0.5, 12345678901234567890u);
            s.PutCell(std::string("x"), 7);
            for (int column = 28; column < 702; ++column)
                s.PutCell(std::string());
            s.PutCell(std::string(), 3);
            s.PutCell(1e-7);
        }) << emptyRows + QByteArray("<row r=\"10\" x14ac:dyDescent=\"0.25\"><c r=\"AA10\" s=\"12345678901234567890\">"
                                     "<v>-0.5</v></c><c r=\"AB10\" s=\"7\" t=\"s\"><v>0</v></c><c r=\"AAA10\" s=\"3\"/>"
                                     "<c r=\"AAB10\"><v>1e-07</v></c></row></sheetData>");
        // A cell before any row, and a row left open at Save, still give well-formed rows.
        QTest::newRow("cell without a row") << SheetFill([](CWorksheet &s) {
            s.PutCell(7.0);
        }) << QByteArray("<sheetData><row r=\"1\" x14ac:dyDescent=\"0.25\"><c r=\"A1\"><v>7</v></c></row></sheetData>");
        QTest::newRow("merged cells") << SheetFill([](CWorksheet &s) {
            s.MergeCells({{1, 0}, {2, 1}});
            s.MergeCells({{3, 2}, {3, 27}});
        }) << QByteArray("<sheetData/><mergeCells count=\"2\"><mergeCell ref=\"A1:B2\"/>"
                         "<mergeCell ref=\"C3:AB3\"/></mergeCells>");
    }
    void cells()
    {
        QFETCH(SheetFill, fill);
        QFETCH(QByteArray, body);
        CWorkbook book;
        CWorksheet &sheet = book.NewWorksheet(CDualString(std::string("S")));
        fill(sheet);
        QVERIFY(sheet.Save());
        const QByteArray part = SheetPart(book);
        QString error;
        Parse(part, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(SheetBody(part), body);
        QVERIFY(part.endsWith(kTail));
    }

    void formulasAreListed()
    {
        CWorkbook book;
        CWorksheet &sheet = book.NewWorksheet(CDualString());
        QVERIFY(!sheet.HasFormulas());
        sheet.OpenRow();
        sheet.PutCell(1.0);
        sheet.PutCell(std::string("=A1*2"));
        sheet.OpenRow();
        sheet.PutCell(std::string("=B1"));
        QVERIFY(sheet.HasFormulas());
        QCOMPARE(sheet.FormulaCells(), (std::vector<std::string>{"B1", "A2"}));
    }

    void frozenPanesAndWidths_data()
    {
        QTest::addColumn<uint>("columns");
        QTest::addColumn<uint>("rows");
        QTest::addColumn<QByteArray>("view");
        QTest::newRow("rows") << 0u << 1u << QByteArray(
            "<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/>"
            "<selection pane=\"bottomLeft\" activeCell=\"A2\" sqref=\"A2\"/>");
        QTest::newRow("columns") << 2u << 0u << QByteArray(
            "<pane xSplit=\"2\" topLeftCell=\"C1\" activePane=\"topRight\" state=\"frozen\"/>"
            "<selection pane=\"topRight\" activeCell=\"C1\" sqref=\"C1\"/>");
        QTest::newRow("both") << 2u << 3u << QByteArray(
            "<pane xSplit=\"2\" ySplit=\"3\" topLeftCell=\"C4\" activePane=\"bottomRight\" state=\"frozen\"/>"
            "<selection pane=\"topRight\" activeCell=\"C3\" sqref=\"C3\"/>"
            "<selection pane=\"bottomLeft\" activeCell=\"B4\" sqref=\"B4\"/>"
            "<selection pane=\"bottomRight\" activeCell=\"C4\" sqref=\"C4\"/>");
    }
    void frozenPanesAndWidths()
    {
        QFETCH(uint, columns);
        QFETCH(uint, rows);
        QFETCH(QByteArray, view);
        CWorkbook book;
        CWorksheet &sheet = book.NewWorksheet(CDualString());
        sheet.OpenRow();
        sheet.PutCell(std::string("dropped"));
        // Starting the head again drops the rows but keeps the sheet able to take texts.
        // Widths that are no number or below zero would make the part unreadable: their
        // columns keep the default width.
        sheet.WriteHead(columns, rows, {{0, 1, 8.43f}, {2, 2, NAN}, {3, 3, -1}, {4, 4, 20}});
        sheet.OpenRow();
        sheet.PutCell(std::string("kept"));
        QVERIFY(sheet.Save());
        const QByteArray part = SheetPart(book);
        QString error;
        Parse(part, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(part.contains("<sheetView tabSelected=\"0\" workbookViewId=\"0\">" + view + "</sheetView>"));
        QVERIFY(part.contains("<sheetFormatPr defaultRowHeight=\"15\" x14ac:dyDescent=\"0.25\"/>"
                              "<cols><col min=\"1\" max=\"2\" width=\"8.430000305175781\"/>"
                              "<col min=\"5\" max=\"5\" width=\"20\"/></cols><sheetData>"));
        QVERIFY(part.contains("<row r=\"1\" x14ac:dyDescent=\"0.25\"><c r=\"A1\" t=\"s\"><v>1</v></c></row>"));
        QCOMPARE(book.TempTree().Parts().size(), size_t(1));
    }

    void noUsableWidthNoColumns()
    {
        CWorkbook book;
        CWorksheet &sheet = book.NewWorksheet(CDualString());
        sheet.WriteHead(0, 0, {{0, 0, NAN}, {1, 1, INFINITY}});
        QVERIFY(sheet.Save());
        const QByteArray part = SheetPart(book);
        QString error;
        const QDomElement root = Parse(part, &error).documentElement();
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(ChildNames(root), QStringList({"sheetViews", "sheetFormatPr", "sheetData",
                                                "pageMargins", "pageSetup"}));
    }

    void sheetRelationships()
    {
        QVERIFY(SheetRelationships(3, 0, false).empty());
        const auto both = SheetRelationships(3, 3, true);
        QCOMPARE(both.size(), size_t(3));
        QCOMPARE(both[0].id, std::string("rId1"));
        QCOMPARE(both[0].target, std::string("../drawings/drawing3.xml"));
        QCOMPARE(both[1].id, std::string("rId2"));
        QCOMPARE(both[1].target, std::string("../drawings/vmlDrawing3.vml"));
        QCOMPARE(both[2].id, std::string("rId3"));
        QCOMPARE(both[2].target, std::string("../comments3.xml"));
        const auto notes = SheetRelationships(1, 0, true);
        QCOMPARE(notes[0].id, std::string("rId1"));
        QCOMPARE(notes[1].id, std::string("rId2"));
    }

    void unwritablePartFailsTheSheet()
    {
        const QByteArray temp = qgetenv("TEMP");
        qputenv("TEMP", "/nonexistent-folder");
        CWorkbook book;
        qputenv("TEMP", temp);
        CWorksheet &sheet = book.NewWorksheet(CDualString());
        sheet.OpenRow();
        sheet.PutCell(1.0);
        QVERIFY(!sheet.Save());
    }

    void savedSheetTakesNoMoreRows()
    {
        CWorkbook book;
        CWorksheet &sheet = book.NewWorksheet(CDualString());
        QVERIFY(sheet.Save());
        sheet.OpenRow();
        sheet.PutCell(1.0);
        QVERIFY(!sheet.Save());
        QVERIFY(SheetPart(book).endsWith(kTail));
    }
};

QTEST_APPLESS_MAIN(TestXlsxSheet)
#include "tst_xlsxsheet.moc"
