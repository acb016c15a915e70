#include "ChartPart.h"
#include "DrawingNamespaces.h"
#include "Namespaces.h"
#include "TempTree.h"
#include "Worksheet.h"
#include "XmlStream.h"

#include <algorithm>

namespace Xlsx {

using Chart::WriteValElement;

namespace {

// The highest angle a pie's first slice may start at.
constexpr uint16_t kMaxSliceAngle = 360;

bool DrawsOnAxes(uint32_t kind)
{
    return kind == ChartLine || kind == ChartBar || kind == ChartScatter;
}

bool IsChartKind(uint32_t kind)
{
    return DrawsOnAxes(kind) || kind == ChartPie;
}

void WriteIndex(CXmlStream &xml, uint64_t index)
{
    WriteValElement(xml, "c:idx", index);
    WriteValElement(xml, "c:order", index);
}

void WritePlainName(CXmlStream &xml, const CSeriesRecord &series)
{
    if (series.name.narrow.empty())
        return;
    xml.BeginElement("c:tx");
    xml.TextElement("c:v", series.name.narrow);
    xml.EndElement();
}

// E > c:numRef > c:f; nothing for a series that has no sheet to refer to.
void WriteNumRef(CXmlStream &xml, const char *name, const CSheet *sheet, const CCellSpan &range)
{
    if (sheet == nullptr)
        return;
    xml.BeginElement(name);
    xml.BeginElement("c:numRef");
    xml.TextElement("c:f", RangeReference(sheet->GetTitle().narrow, range.first, range.last));
    xml.EndElement();
    xml.EndElement();
}

void WriteCategories(CXmlStream &xml, const CSeriesRecord &series)
{
    const CCellPos &last = series.categoryRange.last;
    if (last.row == 0 && last.column == 0)
        return;
    WriteNumRef(xml, "c:cat", series.categorySheet, series.categoryRange);
}

void WriteSmooth(CXmlStream &xml, const CSeriesRecord &series)
{
    WriteValElement(xml, "c:smooth", series.lineKind == LineSmooth ? "1" : "0");
}

const char *MarkerSymbolName(uint32_t symbol)
{
    switch (symbol) {
    case MarkerDiamond: return "diamond";
    case MarkerCircle: return "circle";
    case MarkerSquare: return "square";
    case MarkerTriangle: return "triangle";
    default: return "none";
    }
}

// Bars: no fill, or a solid fill in the series' line colour.
void WriteBarShape(CXmlStream &xml, const CSeriesRecord &series)
{
    if (series.barFillKind == 0) {
        xml.BeginElement("c:spPr");
        xml.BeginElement("a:noFill");
        xml.EndElement();
        xml.EndElement();
    } else if (series.barFillKind == 1 && Chart::IsColour(series.lineColor)) {
        xml.BeginElement("c:spPr");
        xml.BeginElement("a:solidFill");
        Chart::WriteColour(xml, series.lineColor);
        xml.EndElement();
        xml.EndElement();
    }
}

// The fill of negative bars, which only the 2010 extension of a series can carry.
void WriteNegativeFill(CXmlStream &xml, const CSeriesRecord &series)
{
    if (!series.invertIfNegative || series.barFillKind != 1 || !Chart::IsColour(series.negativeFill))
        return;
    xml.BeginElement("c:extLst");
    xml.BeginElement("c:ext");
    xml.AttributeRaw("uri", "{6F2FDCE9-48DA-4B69-8628-5D25D57E5C99}");
    xml.AttributeRaw("xmlns:c14", Ns::kChart2010);
    xml.BeginElement("c14:invertSolidFillFmt");
    xml.BeginElement("c14:spPr");
    xml.AttributeRaw("xmlns:c14", Ns::kChart2010);
    xml.BeginElement("a:solidFill");
    Chart::WriteColour(xml, series.negativeFill);
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
}

void WriteAxisIds(CXmlStream &xml, uint32_t x, uint32_t y)
{
    WriteValElement(xml, "c:axId", uint64_t(x));
    WriteValElement(xml, "c:axId", uint64_t(y));
}

} // namespace

std::string RangeReference(const std::string &sheetTitle, const CCellPos &first, const CCellPos &last)
{
    std::string text = "'";
    for (char c : sheetTitle) {
        if (c == '\'')
            text += '\'';
        text += c;
    }
    return text + "'!$" + CellRefToText(first) + ":$" + CellRefToText(last);
}

CChartPart::CChartPart(uint64_t chartNumber, CTempTree &tree)
    : number(chartNumber), m_tempTree(tree)
{
}

bool CChartPart::Save()
{
    if (primarySeries.empty())
        return false;
    CXmlStream xml(m_tempTree.RegisterPart("/xl/charts/chart" + std::to_string(number) + ".xml"));
    xml.BeginElement("c:chartSpace");
    xml.AttributeRaw("xmlns:c", Ns::kChart);
    xml.AttributeRaw("xmlns:a", Ns::kDrawingMain);
    xml.AttributeRaw("xmlns:r", Ns::kRelationships);
    WriteValElement(xml, "c:date1904", "0");
    WriteValElement(xml, "c:lang", "en-US");
    WriteValElement(xml, "c:roundedCorners", "0");
    xml.BeginElement("mc:AlternateContent");
    xml.AttributeRaw("xmlns:mc", Ns::kMarkupCompat);
    xml.BeginElement("mc:Choice");
    xml.AttributeRaw("Requires", "c14");
    xml.AttributeRaw("xmlns:c14", Ns::kChart2010);
    WriteValElement(xml, "c14:style", "102");
    xml.EndElement();
    xml.BeginElement("mc:Fallback");
    WriteValElement(xml, "c:style", "2");
    xml.EndElement();
    xml.EndElement();

    xml.BeginElement("c:chart");
    if (!title.narrow.empty())
        WriteTitle(xml, title.narrow, titleSize, false);
    WriteValElement(xml, "c:autoTitleDeleted", "0");
    xml.BeginElement("c:plotArea");
    xml.BeginElement("c:layout");
    xml.EndElement();
    // A plot area needs a chart group: without a known kind there is no chart to save.
    if (!IsChartKind(kind)) {
        xml.Close();
        return false;
    }

    WriteGroup(xml, kind, {xAxis.id, yAxis.id}, primarySeries, 0);
    const bool secondaryGroup = !secondarySeries.empty()
        && WriteGroup(xml, secondaryKind, {secondaryXAxis.id, secondaryYAxis.id}, secondarySeries,
                      primarySeries.size());
    // Axes are written for the groups that draw on them, so every axis id a group
    // names exists and no axis stands alone.
    if (DrawsOnAxes(kind)) {
        WriteXAxis(xml, xAxis, yAxis.id);
        WriteYAxis(xml, yAxis, xAxis.id);
    }
    if (secondaryGroup && DrawsOnAxes(secondaryKind)) {
        WriteXAxis(xml, secondaryXAxis, secondaryYAxis.id);
        WriteYAxis(xml, secondaryYAxis, secondaryXAxis.id);
    }
    WriteDataTable(xml, dataTable);
    WriteFill(xml, plotAreaFill);
    xml.EndElement(); // c:plotArea

    WriteLegend(xml, legendPosition);
    WriteValElement(xml, "c:plotVisOnly", plotHiddenCells == 0 ? "1" : "0");
    static const char *const blanks[] = {"gap", "zero", "span"};
    if (blankCells < 3)
        WriteValElement(xml, "c:dispBlanksAs", blanks[blankCells]);
    WriteValElement(xml, "c:showDLblsOverMax", "0");
    xml.EndElement(); // c:chart

    WriteFill(xml, chartAreaFill);
    return xml.Close();
}

bool CChartPart::WriteGroup(CXmlStream &xml, uint32_t groupKind, const GroupAxes &axes,
                            const std::vector<CSeriesRecord> &series, uint64_t firstIndex) const
{
    switch (groupKind) {
    case ChartLine: WriteLineChart(xml, axes, series, firstIndex); return true;
    case ChartBar: WriteBarChart(xml, axes, series, firstIndex); return true;
    case ChartScatter: WriteScatterChart(xml, axes, series, firstIndex); return true;
    case ChartPie: WritePieChart(xml, series, firstIndex); return true;
    default: return false;
    }
}

void CChartPart::WriteLineChart(CXmlStream &xml, const GroupAxes &axes,
                                const std::vector<CSeriesRecord> &series, uint64_t firstIndex) const
{
    xml.BeginElement("c:lineChart");
    WriteValElement(xml, "c:grouping", "standard");
    WriteValElement(xml, "c:varyColors", "0");
    for (size_t i = 0; i < series.size(); ++i) {
        const CSeriesRecord &s = series[i];
        xml.BeginElement("c:ser");
        WriteIndex(xml, firstIndex + i);
        WritePlainName(xml, s);
        Chart::WriteLineProperties(xml, s);
        WriteMarker(xml, s, MarkerSymbolName(s.markerSymbol));
        WriteCategories(xml, s);
        WriteNumRef(xml, "c:val", s.valueSheet, s.valueRange);
        WriteSmooth(xml, s);
        xml.EndElement();
    }
    WriteDataLabels(xml, labels, false);
    WriteValElement(xml, "c:marker", "1");
    WriteValElement(xml, "c:smooth", "0");
    WriteAxisIds(xml, axes.x, axes.y);
    xml.EndElement();
}

void CChartPart::WriteBarChart(CXmlStream &xml, const GroupAxes &axes,
                               const std::vector<CSeriesRecord> &series, uint64_t firstIndex) const
{
    static const char *const groupings[] = {"clustered", "stacked", "percentStacked"};
    xml.BeginElement("c:barChart");
    // The direction is required; anything but horizontal bars gives columns.
    WriteValElement(xml, "c:barDir", barDirection == 1 ? "bar" : "col");
    if (barGrouping < 3)
        WriteValElement(xml, "c:grouping", groupings[barGrouping]);
    WriteValElement(xml, "c:varyColors", "1");
    for (size_t i = 0; i < series.size(); ++i) {
        const CSeriesRecord &s = series[i];
        xml.BeginElement("c:ser");
        WriteIndex(xml, firstIndex + i);
        WritePlainName(xml, s);
        WriteBarShape(xml, s);
        WriteValElement(xml, "c:invertIfNegative", s.invertIfNegative ? "1" : "0");
        WriteCategories(xml, s);
        WriteNumRef(xml, "c:val", s.valueSheet, s.valueRange);
        WriteNegativeFill(xml, s);
        xml.EndElement();
    }
    WriteDataLabels(xml, labels, false);
    WriteAxisIds(xml, axes.x, axes.y);
    xml.EndElement();
}

void CChartPart::WriteScatterChart(CXmlStream &xml, const GroupAxes &axes,
                                   const std::vector<CSeriesRecord> &series, uint64_t firstIndex) const
{
    // The style is required; anything but smooth lines gives straight lines with markers.
    const bool smooth = scatterStyle == 0;
    xml.BeginElement("c:scatterChart");
    WriteValElement(xml, "c:scatterStyle", smooth ? "smoothMarker" : "lineMarker");
    WriteValElement(xml, "c:varyColors", "0");
    for (size_t i = 0; i < series.size(); ++i) {
        const CSeriesRecord &s = series[i];
        xml.BeginElement("c:ser");
        WriteIndex(xml, firstIndex + i);
        WritePlainName(xml, s);
        Chart::WriteLineProperties(xml, s);
        WriteMarker(xml, s, smooth ? "none" : MarkerSymbolName(s.markerSymbol));
        WriteNumRef(xml, "c:xVal", s.categorySheet, s.categoryRange);
        WriteNumRef(xml, "c:yVal", s.valueSheet, s.valueRange);
        WriteSmooth(xml, s);
        xml.EndElement();
    }
    WriteDataLabels(xml, labels, false);
    WriteAxisIds(xml, axes.x, axes.y);
    xml.EndElement();
}

void CChartPart::WritePieChart(CXmlStream &xml, const std::vector<CSeriesRecord> &series,
                               uint64_t firstIndex) const
{
    xml.BeginElement("c:pieChart");
    WriteValElement(xml, "c:varyColors", "1");
    for (size_t i = 0; i < series.size(); ++i) {
        const CSeriesRecord &s = series[i];
        xml.BeginElement("c:ser");
        WriteIndex(xml, firstIndex + i);
        WritePlainName(xml, s);
        WriteDataLabels(xml, s.labels, true);
        WriteCategories(xml, s);
        WriteNumRef(xml, "c:val", s.valueSheet, s.valueRange);
        xml.EndElement();
    }
    WriteDataLabels(xml, labels, true);
    WriteValElement(xml, "c:firstSliceAng", uint64_t(std::min(firstSliceAngle, kMaxSliceAngle)));
    xml.EndElement();
}

} // namespace Xlsx
