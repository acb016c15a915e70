#include "ChartPart.h"
#include "Drawing.h"
#include "TempTree.h"
#include "Worksheet.h"
#include "XmlStream.h"
#include "../xlsx/XlsxTestUtil.h"

#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace Xlsx;
using namespace XlsxTest;

namespace {

const QByteArray kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

// A sheet that only has a title, as the series references need.
class TitledSheet : public CSheet
{
public:
    explicit TitledSheet(const char *title) : m_title(std::string(title)) {}
    CDualString GetTitle() const override { return m_title; }

private:
    CDualString m_title;
};

CSeriesRecord Series(const CSheet &sheet, uint32_t column, const char *name)
{
    CSeriesRecord s;
    s.categorySheet = &sheet;
    s.categoryRange = {{2, 0}, {11, 0}};
    s.valueSheet = &sheet;
    s.valueRange = {{2, column}, {11, column}};
    s.name = CDualString(std::string(name));
    s.lineColor = "1F77B4";
    return s;
}

CChartPart &Prepare(CChartPart &chart, uint32_t kind)
{
    chart.kind = kind;
    chart.xAxis.id = 11;
    chart.yAxis.id = 12;
    chart.yAxis.valueAxis = true;
    chart.yAxis.position = AxisLeft;
    chart.secondaryXAxis.id = 13;
    chart.secondaryXAxis.position = AxisDeleted;
    chart.secondaryYAxis.id = 14;
    chart.secondaryYAxis.valueAxis = true;
    chart.secondaryYAxis.position = AxisRight;
    return chart;
}

QDomElement Child(const QDomElement &parent, const QString &name, int index = 0)
{
    QDomElement e = parent.firstChildElement(name);
    for (int i = 0; i < index; ++i)
        e = e.nextSiblingElement(name);
    return e;
}

QString Val(const QDomElement &parent, const QString &name)
{
    return parent.firstChildElement(name).attribute("val");
}

// The ids of the axes in the plot area, and every id a chart group names.
void AxisIds(const QDomElement &plotArea, QStringList *axes, QStringList *named)
{
    for (QDomElement e = plotArea.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        if (e.tagName() == "c:catAx" || e.tagName() == "c:valAx")
            *axes << Val(e, "c:axId");
        else
            for (QDomElement id = e.firstChildElement("c:axId"); !id.isNull(); id = id.nextSiblingElement("c:axId"))
                *named << id.attribute("val");
    }
}

using PieceWriter = std::function<void(CXmlStream &)>;

} // namespace

Q_DECLARE_METATYPE(PieceWriter)

class TestChartParts : public QObject
{
    Q_OBJECT

    QTemporaryDir m_base;

    QDomElement SaveAndRead(CChartPart &chart, CTempTree &tree, QByteArray *raw = nullptr)
    {
        const std::string part = "/xl/charts/chart" + std::to_string(chart.number) + ".xml";
        if (!chart.Save())
            qWarning("chart save failed");
        const QByteArray xml = ReadFile(tree.Root() + part);
        if (raw)
            *raw = xml;
        QString error;
        const QDomDocument document = Parse(xml, &error);
        if (!error.isEmpty())
            qWarning() << error;
        return document.documentElement();
    }

private slots:
    void lineWithSecondaryBars()
    {
        CTempTree tree(m_base.path().toStdString());
        TitledSheet week("Week's");
        CChartPart chart(3, tree);
        Prepare(chart, ChartLine);
        chart.title = CDualString(std::string("Current & <power>"));
        chart.secondaryKind = ChartBar;
        chart.xAxis.minimum = "1";
        chart.xAxis.maximum = "10";
        chart.yAxis.minimum = "low";            // not a number: left automatic
        chart.yAxis.title = CDualString(std::string("mA"));
        chart.yAxis.sourceLinked = true;
        chart.xAxis.labelRotation = -45;
        chart.xAxis.labelSkip = 2;
        for (int i = 0; i < 3; ++i)
            chart.primarySeries.push_back(Series(week, uint32_t(i + 1), i == 0 ? "A&B" : "line"));
        chart.primarySeries[1].categorySheet = nullptr;      // no categories
        chart.primarySeries[2].categoryRange.last = {0, 0};  // no categories either
        chart.primarySeries[2].name = CDualString();
        for (int i = 0; i < 2; ++i) {
            CSeriesRecord bar = Series(week, 4, "bar");
            bar.invertIfNegative = true;
            bar.negativeFill = "FF0000";
            bar.barFillKind = uint32_t(i);
            chart.secondarySeries.push_back(bar);
        }

        QByteArray raw;
        const QDomElement space = SaveAndRead(chart, tree, &raw);
        QCOMPARE(ChildNames(space), QStringList({"c:date1904", "c:lang", "c:roundedCorners",
                                                 "mc:AlternateContent", "c:chart"}));
        const QDomElement c = space.firstChildElement("c:chart");
        QCOMPARE(ChildNames(c), QStringList({"c:title", "c:autoTitleDeleted", "c:plotArea", "c:legend",
                                             "c:plotVisOnly", "c:dispBlanksAs", "c:showDLblsOverMax"}));
        QCOMPARE(c.firstChildElement("c:title").elementsByTagName("a:t").at(0).toElement().text(),
                 QString("Current & <power>"));
        const QDomElement plot = c.firstChildElement("c:plotArea");
        QCOMPARE(ChildNames(plot), QStringList({"c:layout", "c:lineChart", "c:barChart", "c:catAx", "c:valAx",
                                                "c:catAx", "c:valAx"}));

        const QDomElement line = plot.firstChildElement("c:lineChart");
        QCOMPARE(ChildNames(line), QStringList({"c:grouping", "c:varyColors", "c:ser", "c:ser", "c:ser",
                                                "c:dLbls", "c:marker", "c:smooth", "c:axId", "c:axId"}));
        const QDomElement first = Child(line, "c:ser");
        QCOMPARE(ChildNames(first), QStringList({"c:idx", "c:order", "c:tx", "c:spPr", "c:marker", "c:cat",
                                                 "c:val", "c:smooth"}));
        QCOMPARE(first.firstChildElement("c:tx").firstChildElement("c:v").text(), QString("A&B"));
        QCOMPARE(first.firstChildElement("c:cat").firstChildElement("c:numRef").firstChildElement("c:f").text(),
                 QString("'Week''s'!$A2:$A11"));
        QCOMPARE(first.firstChildElement("c:val").firstChildElement("c:numRef").firstChildElement("c:f").text(),
                 QString("'Week''s'!$B2:$B11"));
        QVERIFY(!ChildNames(Child(line, "c:ser", 1)).contains("c:cat"));
        QCOMPARE(ChildNames(Child(line, "c:ser", 2)), QStringList({"c:idx", "c:order", "c:spPr", "c:marker",
                                                                   "c:val", "c:smooth"}));

        const QDomElement bars = plot.firstChildElement("c:barChart");
        QCOMPARE(ChildNames(bars), QStringList({"c:barDir", "c:grouping", "c:varyColors", "c:ser", "c:ser",
                                                "c:dLbls", "c:axId", "c:axId"}));
        QCOMPARE(ChildNames(Child(bars, "c:ser")), QStringList({"c:idx", "c:order", "c:tx", "c:spPr",
                                                               "c:invertIfNegative", "c:cat", "c:val"}));
        QCOMPARE(ChildNames(Child(bars, "c:ser", 1)), QStringList({"c:idx", "c:order", "c:tx", "c:spPr",
                                                                  "c:invertIfNegative", "c:cat", "c:val",
                                                                  "c:extLst"}));
        QCOMPARE(Val(Child(bars, "c:ser"), "c:idx"), QString("3"));
        QCOMPARE(Val(Child(bars, "c:ser", 1), "c:order"), QString("4"));
        QVERIFY(raw.contains("<c:spPr><a:noFill/></c:spPr><c:invertIfNegative val=\"1\"/>"));

        QStringList axes, named;
        AxisIds(plot, &axes, &named);
        QCOMPARE(axes, QStringList({"11", "12", "13", "14"}));
        QCOMPARE(named, QStringList({"11", "12", "13", "14"}));

        const QDomElement xAxis = plot.firstChildElement("c:catAx");
        QCOMPARE(ChildNames(xAxis), QStringList({"c:axId", "c:scaling", "c:delete", "c:axPos", "c:majorTickMark",
                                                 "c:minorTickMark", "c:tickLblPos", "c:txPr", "c:crossAx",
                                                 "c:crosses", "c:auto", "c:lblAlgn", "c:lblOffset",
                                                 "c:tickLblSkip", "c:noMultiLvlLbl"}));
        QCOMPARE(ChildNames(xAxis.firstChildElement("c:scaling")),
                 QStringList({"c:orientation", "c:max", "c:min"}));
        QVERIFY(raw.contains("<a:bodyPr rot=\"-2700000\"/>"));
        const QDomElement yAxis = plot.firstChildElement("c:valAx");
        QCOMPARE(ChildNames(yAxis), QStringList({"c:axId", "c:scaling", "c:delete", "c:axPos", "c:title",
                                                 "c:numFmt", "c:majorTickMark", "c:minorTickMark",
                                                 "c:tickLblPos", "c:crossAx", "c:crosses", "c:crossBetween"}));
        QCOMPARE(ChildNames(yAxis.firstChildElement("c:scaling")), QStringList({"c:orientation"}));
        QCOMPARE(Val(yAxis, "c:crossAx"), QString("11"));
        QCOMPARE(Val(Child(plot, "c:catAx", 1), "c:delete"), QString("1"));
        QCOMPARE(Val(Child(plot, "c:valAx", 1), "c:axPos"), QString("r"));
    }

    void scatterAndPie()
    {
        CTempTree tree(m_base.path().toStdString());
        TitledSheet data("Data");
        CChartPart scatter(1, tree);
        Prepare(scatter, ChartScatter);
        scatter.xAxis.valueAxis = true;
        scatter.scatterStyle = 7;               // out of range: straight lines with markers
        CSeriesRecord s = Series(data, 1, "xy");
        s.markerSymbol = MarkerTriangle;
        s.markerSize = 100;
        s.markerFill = "00FF00";
        scatter.primarySeries = {s, s};
        scatter.primarySeries[1].markerSize = 0;
        scatter.primarySeries[1].markerFill = "12345";   // not a colour: no shape properties

        QByteArray raw;
        QDomElement plot = SaveAndRead(scatter, tree, &raw).firstChildElement("c:chart").firstChildElement("c:plotArea");
        QCOMPARE(ChildNames(plot), QStringList({"c:layout", "c:scatterChart", "c:valAx", "c:valAx"}));
        const QDomElement group = plot.firstChildElement("c:scatterChart");
        QCOMPARE(ChildNames(group), QStringList({"c:scatterStyle", "c:varyColors", "c:ser", "c:ser", "c:dLbls",
                                                 "c:axId", "c:axId"}));
        QCOMPARE(Val(group, "c:scatterStyle"), QString("lineMarker"));
        QCOMPARE(ChildNames(Child(group, "c:ser")), QStringList({"c:idx", "c:order", "c:tx", "c:spPr", "c:marker",
                                                                "c:xVal", "c:yVal", "c:smooth"}));
        QVERIFY(raw.contains("<c:marker><c:symbol val=\"triangle\"/><c:size val=\"72\"/><c:spPr><a:solidFill>"
                             "<a:srgbClr val=\"00FF00\"/></a:solidFill></c:spPr></c:marker>"));
        QVERIFY(raw.contains("<c:marker><c:symbol val=\"triangle\"/><c:size val=\"2\"/></c:marker>"));
        // A value axis on the category side carries no category-axis elements.
        QCOMPARE(ChildNames(plot.firstChildElement("c:valAx")),
                 QStringList({"c:axId", "c:scaling", "c:delete", "c:axPos", "c:majorTickMark", "c:minorTickMark",
                              "c:tickLblPos", "c:crossAx", "c:crosses"}));

        CChartPart pie(2, tree);
        Prepare(pie, ChartPie);
        pie.firstSliceAngle = 500;
        pie.secondaryKind = ChartLine;
        pie.primarySeries = {Series(data, 1, "share")};
        pie.secondarySeries = {Series(data, 2, "trend")};
        plot = SaveAndRead(pie, tree).firstChildElement("c:chart").firstChildElement("c:plotArea");
        QCOMPARE(ChildNames(plot), QStringList({"c:layout", "c:pieChart", "c:lineChart", "c:catAx", "c:valAx"}));
        const QDomElement pieGroup = plot.firstChildElement("c:pieChart");
        QCOMPARE(ChildNames(pieGroup), QStringList({"c:varyColors", "c:ser", "c:dLbls", "c:firstSliceAng"}));
        QCOMPARE(Val(pieGroup, "c:firstSliceAng"), QString("360"));
        QCOMPARE(ChildNames(Child(pieGroup, "c:ser")), QStringList({"c:idx", "c:order", "c:tx", "c:dLbls",
                                                                   "c:cat", "c:val"}));
        QVERIFY(ChildNames(pieGroup.firstChildElement("c:dLbls")).endsWith("c:showLeaderLines"));
        QStringList axes, named;
        AxisIds(plot, &axes, &named);
        QCOMPARE(axes, QStringList({"13", "14"}));
        QCOMPARE(named, axes);
    }

    void unsavableCharts()
    {
        CTempTree tree(m_base.path().toStdString());
        TitledSheet data("Data");
        CChartPart empty(1, tree);
        QVERIFY(!empty.Save());
        QVERIFY(tree.Parts().empty());

        CChartPart none(2, tree);
        Prepare(none, ChartNone);
        none.primarySeries = {Series(data, 1, "s")};
        QVERIFY(!none.Save());
        QByteArray raw = ReadFile(tree.Root() + "/xl/charts/chart2.xml");
        QVERIFY(raw.endsWith("<c:autoTitleDeleted val=\"0\"/><c:plotArea><c:layout/></c:plotArea></c:chart>"
                             "</c:chartSpace>"));
        QVERIFY(!Parse(raw).isNull());
    }

    void pieces_data()
    {
        QTest::addColumn<PieceWriter>("write");
        QTest::addColumn<QByteArray>("expected");

        auto fill = [](std::function<void(CFillRecord &)> setUp) {
            return PieceWriter([setUp](CXmlStream &xml) {
                CFillRecord record;
                setUp(record);
                CChartPart::WriteFill(xml, record);
            });
        };
        QTest::newRow("no fill") << fill([](CFillRecord &) {}) << QByteArray();
        QTest::newRow("solid") << fill([](CFillRecord &f) { f.kind = FillSolid; f.solidColor = "C0C0C0"; })
                               << QByteArray("<c:spPr><a:solidFill><a:srgbClr val=\"C0C0C0\"/></a:solidFill></c:spPr>");
        QTest::newRow("solid of 5 characters") << fill([](CFillRecord &f) { f.kind = FillSolid; f.solidColor = "C0C0C"; })
                                               << QByteArray();
        QTest::newRow("solid of 7 characters") << fill([](CFillRecord &f) { f.kind = FillSolid; f.solidColor = "C0C0C0C"; })
                                               << QByteArray();
        QTest::newRow("linear gradient at 0 degrees")
            << fill([](CFillRecord &f) { f.kind = FillGradient; f.stops = {{100, "FFFFFF"}, {0, "000000"}}; })
            << QByteArray("<c:spPr><a:gradFill flip=\"none\" rotWithShape=\"1\"><a:gsLst>"
                          "<a:gs pos=\"0\"><a:srgbClr val=\"000000\"/></a:gs>"
                          "<a:gs pos=\"100000\"><a:srgbClr val=\"FFFFFF\"/></a:gs></a:gsLst></a:gradFill></c:spPr>");
        QTest::newRow("linear gradient past a full turn")
            << fill([](CFillRecord &f) { f.kind = FillGradient; f.linearAngle = 450; f.scaled = true; })
            << QByteArray("<c:spPr><a:gradFill flip=\"none\" rotWithShape=\"1\">"
                          "<a:lin ang=\"5400000\" scaled=\"1\"/></a:gradFill></c:spPr>");
        QTest::newRow("circle path focus 1")
            << fill([](CFillRecord &f) { f.kind = FillGradient; f.gradientKind = GradientCircle; f.pathFocus = 1; })
            << QByteArray("<c:spPr><a:gradFill flip=\"none\" rotWithShape=\"1\"><a:path path=\"circle\">"
                          "<a:fillToRect t=\"100000\" r=\"100000\"/></a:path>"
                          "<a:tileRect l=\"-100000\" b=\"-100000\"/></a:gradFill></c:spPr>");
        QTest::newRow("shape path is always centred")
            << fill([](CFillRecord &f) { f.kind = FillGradient; f.gradientKind = GradientShape; f.pathFocus = 4; })
            << QByteArray("<c:spPr><a:gradFill flip=\"none\" rotWithShape=\"1\"><a:path path=\"shape\">"
                          "<a:fillToRect l=\"50000\" t=\"50000\" r=\"50000\" b=\"50000\"/></a:path><a:tileRect/>"
                          "</a:gradFill></c:spPr>");
        QTest::newRow("pattern 0")
            << fill([](CFillRecord &f) { f.kind = FillPattern; f.patternForeground = "FF0000"; f.patternBackground = "00FF00"; })
            << QByteArray("<c:spPr><a:pattFill prst=\"pct5\"><a:fgClr><a:srgbClr val=\"FF0000\"/></a:fgClr>"
                          "<a:bgClr><a:srgbClr val=\"00FF00\"/></a:bgClr></a:pattFill></c:spPr>");
        QTest::newRow("pattern 47")
            << fill([](CFillRecord &f) { f.kind = FillPattern; f.pattern = 47; f.patternForeground = "red"; })
            << QByteArray("<c:spPr><a:pattFill prst=\"solidDmnd\"/></c:spPr>");
        QTest::newRow("pattern 48") << fill([](CFillRecord &f) { f.kind = FillPattern; f.pattern = 48; })
                                    << QByteArray("<c:spPr><a:pattFill/></c:spPr>");

        QTest::newRow("legend 0") << PieceWriter([](CXmlStream &xml) { CChartPart::WriteLegend(xml, 0); }) << QByteArray();
        QTest::newRow("legend 5") << PieceWriter([](CXmlStream &xml) { CChartPart::WriteLegend(xml, 5); })
                                  << QByteArray("<c:legend><c:legendPos val=\"l\"/><c:layout/><c:overlay val=\"0\"/></c:legend>");
        QTest::newRow("legend 4") << PieceWriter([](CXmlStream &xml) { CChartPart::WriteLegend(xml, 4); })
                                  << QByteArray("<c:legend><c:legendPos val=\"b\"/><c:layout/><c:overlay val=\"1\"/></c:legend>");
        QTest::newRow("data table with keys") << PieceWriter([](CXmlStream &xml) { CChartPart::WriteDataTable(xml, 2); })
            << QByteArray("<c:dTable><c:showHorzBorder val=\"1\"/><c:showVertBorder val=\"1\"/>"
                          "<c:showOutline val=\"1\"/><c:showKeys val=\"1\"/></c:dTable>");
        QTest::newRow("vertical title of size 0")
            << PieceWriter([](CXmlStream &xml) { CChartPart::WriteTitle(xml, "V<", 0, true); })
            << QByteArray("<c:title><c:tx><c:rich><a:bodyPr rot=\"-5400000\" vert=\"horz\"/><a:lstStyle/><a:p><a:pPr>"
                          "<a:defRPr lang=\"en-US\" sz=\"100\"/></a:pPr><a:r><a:rPr lang=\"en-US\" sz=\"100\"/>"
                          "<a:t>V&lt;</a:t></a:r><a:endParaRPr lang=\"en-US\"/></a:p></c:rich></c:tx><c:layout/>"
                          "<c:overlay val=\"0\"/></c:title>");
        QTest::newRow("range reference") << PieceWriter([](CXmlStream &xml) {
            xml.TextElement("c:f", RangeReference("Week's", {1, 0}, {5, 27}));
        }) << QByteArray("<c:f>&apos;Week&apos;&apos;s&apos;!$A1:$AB5</c:f>");
    }

    void pieces()
    {
        QFETCH(PieceWriter, write);
        QTemporaryDir dir;
        const std::string path = dir.filePath("piece.xml").toStdString();
        {
            CXmlStream xml(path);
            write(xml);
            QVERIFY(xml.Close());
        }
        QTEST(ReadFile(path).mid(kDeclaration.size()), "expected");
    }

    void drawingParts()
    {
        CTempTree tree(m_base.path().toStdString());
        CDrawing bare(1, tree);
        QVERIFY(bare.Save());
        QVERIFY(tree.Parts().empty());

        CChartPart chart(4, tree);
        chart.frameName = CDualString(std::string("Chart \"A\" & B"));
        CPicture picture{"image1.png", ImagePng, 20, 10, {}};
        CDrawing drawing(2, tree);
        QVERIFY(!drawing.AddAnchor(CDrawingAnchor{}));                    // a chart anchor without its chart
        QVERIFY(drawing.AddAnchor(ChartAnchor(chart, {{2, 1}, {16, 8}})));
        QVERIFY(drawing.AddAnchor(PictureAnchor(picture, {3, 10})));
        CDrawingAnchor absolute;
        absolute.chart = &chart;
        absolute.kind = AnchorChartAbsolute;
        absolute.fromColumn = 7;
        QVERIFY(drawing.AddAnchor(absolute));
        QVERIFY(drawing.Save());
        QCOMPARE(tree.Parts(), (std::vector<std::string>{"/xl/drawings/_rels/drawing2.xml.rels",
                                                         "/xl/drawings/drawing2.xml"}));

        const QDomElement rels = Parse(ReadFile(tree.Root() + tree.Parts()[0])).documentElement();
        QCOMPARE(AttributeValues(rels, "Relationship", "Id"), QStringList({"rId1", "rId2", "rId3"}));
        QCOMPARE(AttributeValues(rels, "Relationship", "Target"),
                 QStringList({"../charts/chart4.xml", "../media/image1.png", "../charts/chart4.xml"}));
        QVERIFY(AttributeValues(rels, "Relationship", "Type")[1].endsWith("/relationships/image"));

        const QByteArray raw = ReadFile(tree.Root() + tree.Parts()[1]);
        const QDomElement root = Parse(raw).documentElement();
        QCOMPARE(ChildNames(root), QStringList({"xdr:twoCellAnchor", "xdr:oneCellAnchor", "xdr:absoluteAnchor"}));
        QVERIFY(raw.contains("<xdr:from><xdr:col>1</xdr:col><xdr:colOff>0</xdr:colOff><xdr:row>1</xdr:row>"
                             "<xdr:rowOff>0</xdr:rowOff></xdr:from><xdr:to><xdr:col>9</xdr:col>"
                             "<xdr:colOff>0</xdr:colOff><xdr:row>16</xdr:row><xdr:rowOff>0</xdr:rowOff></xdr:to>"));
        QVERIFY(raw.contains("<xdr:cNvPr id=\"1\" name=\"Chart &quot;A&quot; &amp; B\"/>"));
        QVERIFY(raw.contains("r:id=\"rId1\"/>"));
        QVERIFY(raw.contains("<xdr:ext cx=\"190500\" cy=\"95250\"/><xdr:pic><xdr:nvPicPr><xdr:cNvPr id=\"2\" "
                             "name=\"image1.png\"/>"));
        QVERIFY(raw.contains("r:embed=\"rId2\"/>"));
        QVERIFY(raw.contains("<xdr:absoluteAnchor><xdr:pos x=\"0\" y=\"0\"/><xdr:ext cx=\"9312088\" "
                             "cy=\"6084794\"/><xdr:graphicFrame macro=\"\">"));
        const QDomElement one = root.firstChildElement("xdr:oneCellAnchor");
        QCOMPARE(ChildNames(one), QStringList({"xdr:from", "xdr:ext", "xdr:pic", "xdr:clientData"}));
    }
};

QTEST_APPLESS_MAIN(TestChartParts)
#include "tst_chartparts.moc"
