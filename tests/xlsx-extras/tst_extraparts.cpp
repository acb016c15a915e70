#include "Workbook.h"
#include "XmlStream.h"
#include "../xlsx/XlsxTestUtil.h"

#include <QtTest>

using namespace Xlsx;
using namespace XlsxTest;

namespace {

QByteArray Part(const CWorkbook &book, const std::string &part)
{
    return ReadFile(book.TempTree().Root() + part);
}

QDomElement Root(const CWorkbook &book, const std::string &part)
{
    QString error;
    const QDomDocument document = Parse(Part(book, part), &error);
    if (!error.isEmpty())
        qWarning() << QString::fromStdString(part) << error;
    return document.documentElement();
}

QStringList Entries(const QDomElement &root, const QString &attribute)
{
    QStringList entries;
    for (QDomElement e = root.firstChildElement(); !e.isNull(); e = e.nextSiblingElement())
        entries << e.attribute(attribute);
    return entries;
}

CComment Note(uint32_t row, uint32_t column, const char *text)
{
    return NoteFor({row, column}, CDualString(std::string(text)));
}

QStringList Registered(const CWorkbook &book, size_t from)
{
    QStringList parts;
    for (size_t i = from; i < book.TempTree().Parts().size(); ++i)
        parts << QString::fromStdString(book.TempTree().Parts()[i]);
    return parts;
}

} // namespace

class TestExtraParts : public QObject
{
    Q_OBJECT

private slots:
    void comments()
    {
        CWorkbook book(CDualString(std::string("R&D <lab>")));
        CWorksheet &first = book.NewWorksheet(CDualString());
        book.NewWorksheet(CDualString());
        CWorksheet &third = book.NewWorksheet(CDualString());
        QVERIFY(book.SaveComments());
        const size_t before = book.TempTree().Parts().size();
        QCOMPARE(before, size_t(3));   // the sheets only

        CComment wide = Note(3, 1, "first on 3");
        wide.width = 0;
        QVERIFY(book.AddComment(third, wide));
        CComment shown = Note(1, 0, "a\nb & <c>");
        shown.hidden = false;
        QVERIFY(book.AddComment(first, shown));
        CComment empty = Note(7, 2, "");
        empty.runs.clear();
        empty.hidden = false;
        empty.width = 0;
        QVERIFY(book.AddComment(third, empty));
        QVERIFY(!book.AddComment(third, Note(0, 2, "row 0")));
        QVERIFY(!book.AddComment(third, Note(3, 1, "same cell")));
        QVERIFY(book.SaveComments());

        QCOMPARE(Registered(book, before), QStringList({"/xl/comments1.xml", "/xl/drawings/vmlDrawing1.vml",
                                                        "/xl/comments3.xml", "/xl/drawings/vmlDrawing3.vml"}));
        const QByteArray one = Part(book, "/xl/comments1.xml");
        QVERIFY(one.contains("<authors><author>R&amp;D &lt;lab&gt;</author></authors>"));
        QVERIFY(one.contains("<comment ref=\"A1\" authorId=\"0\"><text><r><rPr><sz val=\"9\"/><rFont val=\"Tahoma\"/>"
                             "<charset val=\"1\"/><color rgb=\"FF000000\"/></rPr>"
                             "<t xml:space=\"preserve\">a&#10;b &amp; &lt;c&gt;</t></r></text></comment>"));
        QCOMPARE(Root(book, "/xl/comments1.xml").tagName(), QString("comments"));

        const QDomElement three = Root(book, "/xl/comments3.xml");
        QCOMPARE(Entries(three.firstChildElement("commentList"), "ref"), QStringList({"B3", "C7"}));
        QVERIFY(Part(book, "/xl/comments3.xml").contains("<comment ref=\"C7\" authorId=\"0\"><text/></comment>"));

        const QByteArray vml1 = Part(book, "/xl/drawings/vmlDrawing1.vml");
        QVERIFY(vml1.contains("<v:shape id=\"_x0000_s1001\" type=\"#_x0000_t202\" style=\"position:absolute; "
                              "margin-left:59pt;margin-top:1pt;width:108pt;height:59pt; z-index:2;"
                              "mso-wrap-style:tight\" fillcolor=\"#ffffe1\" o:insetmode=\"auto\">"));
        QVERIFY(vml1.contains("<x:Row>0</x:Row><x:Column>0</x:Column>"));
        const QDomElement vml3 = Root(book, "/xl/drawings/vmlDrawing3.vml");
        QCOMPARE(ChildNames(vml3), QStringList({"o:shapelayout", "v:shapetype", "v:shape", "v:shape"}));
        QCOMPARE(Entries(vml3, "id").mid(2), QStringList({"_x0000_s1002", "_x0000_s1003"}));
        QCOMPARE(Entries(vml3, "style").mid(2), QStringList({";visibility:hidden", ""}));
        const QDomElement data = vml3.elementsByTagName("x:ClientData").at(0).toElement();
        QCOMPARE(ChildNames(data), QStringList({"x:MoveWithCells", "x:SizeWithCells", "x:AutoFill", "x:Row",
                                                "x:Column"}));
        QCOMPARE(data.firstChildElement("x:Row").text() + data.firstChildElement("x:Column").text(), QString("21"));

        // The sheets point at their notes; the content types list them.
        QVERIFY(first.Save());
        QVERIFY(Part(book, "/xl/worksheets/sheet1.xml").contains("<legacyDrawing r:id=\"rId1\"/></worksheet>"));
        QCOMPARE(Entries(Root(book, "/xl/worksheets/_rels/sheet1.xml.rels"), "Target"),
                 QStringList({"../drawings/vmlDrawing1.vml", "../comments1.xml"}));
        QVERIFY(book.SaveContentTypes());
        const QDomElement types = Root(book, "/[Content_Types].xml");
        QVERIFY(Entries(types, "PartName").join(' ').contains("/xl/styles.xml  /xl/comments1.xml /xl/comments3.xml "
                                                              "/docProps/core.xml"));
        QCOMPARE(Entries(types, "Extension").join(' ').simplified(), QString("rels xml vml"));
    }

    void chartsheetAndDrawings()
    {
        CWorkbook book;
        CWorksheet &data = book.NewWorksheet(CDualString(std::string("Data")));
        data.OpenRow();
        data.PutCell(std::string("x"));
        data.CloseRow();
        CChartPart &chart = book.NewChart();
        CSeriesRecord series;
        series.valueSheet = &data;
        series.valueRange = {{2, 0}, {5, 0}};
        chart.primarySeries.push_back(series);
        CChartSheetPart &sheet = book.NewChartSheet(CDualString(std::string("Data")), chart);
        QCOMPARE(sheet.Id(), uint64_t(2));
        QCOMPARE(sheet.GetTitle().narrow, std::string("Data (2)"));
        CWorksheet &third = book.NewWorksheet(CDualString(std::string("Third")));
        QCOMPARE(third.Id(), uint64_t(3));
        QVERIFY(book.DrawingOf(third).AddAnchor(ChartAnchor(chart, {{1, 0}, {10, 5}})));

        QVERIFY(book.SaveApp());
        QVERIFY(book.SaveContentTypes());
        QVERIFY(book.SaveWorkbook());
        const size_t before = book.TempTree().Parts().size();
        QVERIFY(data.Save());
        QVERIFY(third.Save());
        QVERIFY(book.SaveChartsAndDrawings());
        QCOMPARE(Registered(book, before),
                 QStringList({"/xl/worksheets/_rels/sheet3.xml.rels", "/xl/chartsheets/_rels/sheet2.xml.rels",
                              "/xl/chartsheets/sheet2.xml", "/xl/charts/chart1.xml",
                              "/xl/drawings/_rels/drawing2.xml.rels", "/xl/drawings/drawing2.xml",
                              "/xl/drawings/_rels/drawing3.xml.rels", "/xl/drawings/drawing3.xml"}));

        QVERIFY(Part(book, "/xl/workbook.xml").contains(
            "<sheets><sheet name=\"Data\" sheetId=\"1\" r:id=\"rId1\"/><sheet name=\"Data (2)\" sheetId=\"2\" "
            "r:id=\"rId2\"/><sheet name=\"Third\" sheetId=\"3\" r:id=\"rId3\"/></sheets>"));
        const QDomElement rels = Root(book, "/xl/_rels/workbook.xml.rels");
        QCOMPARE(Entries(rels, "Target"), QStringList({"worksheets/sheet1.xml", "worksheets/sheet3.xml",
                                                       "chartsheets/sheet2.xml", "sharedStrings.xml",
                                                       "styles.xml", "theme/theme1.xml"}));
        QCOMPARE(Entries(rels, "Id")[2], QString("rId2"));
        QVERIFY(Entries(rels, "Type")[2].endsWith("/relationships/chartsheet"));
        QCOMPARE(Entries(rels, "Id")[3], QString("rId4"));

        QCOMPARE(Entries(Root(book, "/[Content_Types].xml"), "PartName").join(' ').simplified(),
                 QString("/xl/workbook.xml /xl/worksheets/sheet1.xml /xl/worksheets/sheet3.xml "
                         "/xl/chartsheets/sheet2.xml /xl/theme/theme1.xml /xl/styles.xml /xl/sharedStrings.xml "
                         "/xl/drawings/drawing2.xml /xl/drawings/drawing3.xml /xl/charts/chart1.xml "
                         "/docProps/core.xml /docProps/app.xml"));
        const QByteArray app = Part(book, "/docProps/app.xml");
        QVERIFY(app.contains("<vt:vector size=\"4\" baseType=\"variant\"><vt:variant><vt:lpstr>Worksheets</vt:lpstr>"
                             "</vt:variant><vt:variant><vt:i4>2</vt:i4></vt:variant><vt:variant><vt:lpstr>Diagramms"
                             "</vt:lpstr></vt:variant><vt:variant><vt:i4>1</vt:i4></vt:variant></vt:vector>"));
        QVERIFY(app.contains("<vt:vector size=\"3\" baseType=\"lpstr\"><vt:lpstr>Data</vt:lpstr><vt:lpstr>Third"
                             "</vt:lpstr><vt:lpstr>Data (2)</vt:lpstr></vt:vector>"));

        const QDomElement chartsheet = Root(book, "/xl/chartsheets/sheet2.xml");
        QCOMPARE(ChildNames(chartsheet), QStringList({"sheetPr", "sheetViews", "pageMargins", "drawing"}));
        QVERIFY(Part(book, "/xl/chartsheets/sheet2.xml").contains(
            "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>"
            "<drawing r:id=\"rId1\"/></chartsheet>"));
        QCOMPARE(Entries(Root(book, "/xl/chartsheets/_rels/sheet2.xml.rels"), "Target"),
                 QStringList({"../drawings/drawing2.xml"}));
        QVERIFY(Part(book, "/xl/drawings/drawing2.xml").contains("<xdr:absoluteAnchor>"));
        QCOMPARE(Entries(Root(book, "/xl/worksheets/_rels/sheet3.xml.rels"), "Target"),
                 QStringList({"../drawings/drawing3.xml"}));
        QVERIFY(Part(book, "/xl/worksheets/sheet3.xml").contains("<drawing r:id=\"rId1\"/></worksheet>"));
        QVERIFY(!Part(book, "/xl/worksheets/sheet1.xml").contains("<drawing"));
        // A drawing numbered apart from its sheet is the one the sheet points at.
        QCOMPARE(SheetRelationships(2, 5, false).front().target, std::string("../drawings/drawing5.xml"));
    }

    void pictures()
    {
        QTemporaryDir dir;
        const QString png = dir.filePath("dot.PNG");
        QFile file(png);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray::fromHex("89504e470d0a1a0a0000000d4948445200000003000000020806000000"));
        file.close();
        QFile::copy(png, dir.filePath("fake.gif"));

        CWorkbook book;
        CWorksheet &sheet = book.NewWorksheet(CDualString());
        QVERIFY(book.AddPicture(dir.filePath("fake.gif").toStdString()) == nullptr);
        QVERIFY(book.AddPicture(dir.filePath("missing.png").toStdString()) == nullptr);
        QVERIFY(book.AddPicture(dir.filePath("notes.txt").toStdString()) == nullptr);
        CPicture *picture = book.AddPicture(png.toStdString());
        QVERIFY(picture != nullptr);
        QCOMPARE(picture->mediaFileName, std::string("image1.png"));
        QCOMPARE(int(picture->width) * 10 + picture->height, 32);
        QVERIFY(book.DrawingOf(sheet).AddAnchor(PictureAnchor(*picture, {2, 1})));
        QVERIFY(book.SaveContentTypes());
        QCOMPARE(Entries(Root(book, "/[Content_Types].xml"), "Extension").join(' ').simplified(),
                 QString("rels xml png"));
        QVERIFY(book.SaveChartsAndDrawings());
        QCOMPARE(Part(book, "/xl/media/image1.png"), ReadFile(png));
        QVERIFY(Part(book, "/xl/drawings/drawing1.xml").contains(
            "<xdr:oneCellAnchor><xdr:from><xdr:col>1</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>1</xdr:row>"
            "<xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:ext cx=\"28575\" cy=\"19050\"/>"));
    }
};

QTEST_GUILESS_MAIN(TestExtraParts)
#include "tst_extraparts.moc"
