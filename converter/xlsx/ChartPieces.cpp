#include "ChartPart.h"
#include "XmlStream.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace Xlsx {

namespace {

// Font sizes of chart texts, in hundredths of a point.
constexpr uint32_t kMinFontSize = 100;
constexpr uint32_t kMaxFontSize = 400000;
// Marker sizes a chart accepts.
constexpr uint64_t kMinMarkerSize = 2;
constexpr uint64_t kMaxMarkerSize = 72;
// Axis label rotations, degrees.
constexpr int32_t kMaxLabelRotation = 90;
// DrawingML line widths, EMU.
constexpr double kEmuPerPoint = 12700;
constexpr double kMaxLineWidthEmu = 20116800;

bool IsNumber(const std::string &text)
{
    double value = 0;
    const char *end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return !text.empty() && result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

void EmptyElement(CXmlStream &xml, const char *name)
{
    xml.BeginElement(name);
    xml.EndElement();
}

void WriteScaling(CXmlStream &xml, const CAxisRecord &axis)
{
    xml.BeginElement("c:scaling");
    Chart::WriteValElement(xml, "c:orientation", "minMax");
    // The bounds follow the orientation, the maximum first; a bound that is no number is left automatic.
    if (IsNumber(axis.maximum))
        Chart::WriteValElement(xml, "c:max", axis.maximum.c_str());
    if (IsNumber(axis.minimum))
        Chart::WriteValElement(xml, "c:min", axis.minimum.c_str());
    xml.EndElement();
}

void WriteGridlines(CXmlStream &xml, uint32_t gridlines)
{
    if (gridlines == GridMajor || gridlines == GridBoth)
        EmptyElement(xml, "c:majorGridlines");
    if (gridlines == GridMinor || gridlines == GridBoth)
        EmptyElement(xml, "c:minorGridlines");
}

void WriteLabelRotation(CXmlStream &xml, int32_t rotation)
{
    const int32_t degrees = std::clamp(rotation, -kMaxLabelRotation, kMaxLabelRotation);
    xml.BeginElement("c:txPr");
    xml.BeginElement("a:bodyPr");
    xml.Attribute("rot", int32_t(degrees * Chart::kAngleUnitsPerDegree));
    xml.EndElement();
    EmptyElement(xml, "a:lstStyle");
    xml.BeginElement("a:p");
    xml.BeginElement("a:pPr");
    EmptyElement(xml, "a:defRPr");
    xml.EndElement();
    xml.BeginElement("a:endParaRPr");
    xml.AttributeRaw("lang", "en-US");
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
}

// The steps both axis writers share, in the order the chart schema gives them.
void WriteAxis(CXmlStream &xml, const CAxisRecord &axis, uint32_t crossingId, bool xSide)
{
    xml.BeginElement(axis.valueAxis ? "c:valAx" : "c:catAx");
    Chart::WriteValElement(xml, "c:axId", uint64_t(axis.id));
    WriteScaling(xml, axis);
    Chart::WriteValElement(xml, "c:delete", axis.position == AxisDeleted ? "1" : "0");
    const char *position;
    if (xSide)
        position = axis.position == AxisLeft ? "l" : axis.position == AxisRight ? "r"
                 : axis.position == AxisTop ? "t" : "b";
    else
        position = axis.position == AxisRight ? "r" : axis.position == AxisTop ? "t"
                 : axis.position == AxisBottom ? "b" : "l";
    Chart::WriteValElement(xml, "c:axPos", position);
    WriteGridlines(xml, axis.gridlines);
    if (!axis.title.narrow.empty())
        CChartPart::WriteTitle(xml, axis.title.narrow, axis.titleSize, !xSide);
    if (!xSide && axis.sourceLinked) {
        xml.BeginElement("c:numFmt");
        xml.AttributeRaw("formatCode", "General");
        xml.AttributeRaw("sourceLinked", "1");
        xml.EndElement();
    }
    Chart::WriteValElement(xml, "c:majorTickMark", "none");
    Chart::WriteValElement(xml, "c:minorTickMark", "none");
    Chart::WriteValElement(xml, "c:tickLblPos", "nextTo");
    if (xSide && uint32_t(axis.labelRotation) != kAllOnes)
        WriteLabelRotation(xml, axis.labelRotation);
    // Every axis names the axis it crosses.
    Chart::WriteValElement(xml, "c:crossAx", uint64_t(crossingId));
    static const char *const crosses[] = {"autoZero", "min", "max"};
    if (axis.crossing < 3)
        Chart::WriteValElement(xml, "c:crosses", crosses[axis.crossing]);
    if (axis.valueAxis && !xSide)
        Chart::WriteValElement(xml, "c:crossBetween", "between");
    if (!axis.valueAxis && xSide) {
        Chart::WriteValElement(xml, "c:auto", "1");
        Chart::WriteValElement(xml, "c:lblAlgn", "ctr");
        Chart::WriteValElement(xml, "c:lblOffset", "100");
        // Skips count from 1.
        if (axis.labelSkip != kAllOnes && axis.labelSkip != 0)
            Chart::WriteValElement(xml, "c:tickLblSkip", uint64_t(axis.labelSkip));
        if (axis.tickMarkSkip != kAllOnes && axis.tickMarkSkip != 0)
            Chart::WriteValElement(xml, "c:tickMarkSkip", uint64_t(axis.tickMarkSkip));
        Chart::WriteValElement(xml, "c:noMultiLvlLbl", "0");
    }
    xml.EndElement();
}

} // namespace

namespace Chart {

bool IsColour(const std::string &text)
{
    return text.size() == 6 && std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    });
}

void WriteValElement(CXmlStream &xml, const char *name, const char *value)
{
    xml.BeginElement(name);
    xml.Attribute("val", value);
    xml.EndElement();
}

void WriteValElement(CXmlStream &xml, const char *name, uint64_t value)
{
    xml.BeginElement(name);
    xml.Attribute("val", value);
    xml.EndElement();
}

void WriteColour(CXmlStream &xml, const std::string &colour)
{
    WriteValElement(xml, "a:srgbClr", colour.c_str());
}

uint64_t LineWidthEmu(double points)
{
    const double emu = std::floor(points * kEmuPerPoint);
    return emu > 0 ? uint64_t(std::min(emu, kMaxLineWidthEmu)) : 0;
}

void WriteLineProperties(CXmlStream &xml, const CSeriesRecord &series)
{
    static const char *const dashes[] = {"solid", "sysDot", "sysDash", "dash"};
    if (series.lineKind == LineNone) {
        xml.BeginElement("c:spPr");
        xml.BeginElement("a:ln");
        xml.AttributeRaw("w", "28000");
        EmptyElement(xml, "a:noFill");
        xml.EndElement();
        xml.EndElement();
    } else if (series.lineKind == LineStraight || series.lineKind == LineSmooth) {
        xml.BeginElement("c:spPr");
        xml.BeginElement("a:ln");
        xml.Attribute("w", LineWidthEmu(series.lineWidth));
        if (IsColour(series.lineColor)) {
            xml.BeginElement("a:solidFill");
            WriteColour(xml, series.lineColor);
            xml.EndElement();
        }
        WriteValElement(xml, "a:prstDash", dashes[series.dashKind < 4 ? series.dashKind : 0]);
        xml.EndElement();
        xml.EndElement();
    }
}

} // namespace Chart

void CChartPart::WriteXAxis(CXmlStream &xml, const CAxisRecord &axis, uint32_t crossingId)
{
    WriteAxis(xml, axis, crossingId, true);
}

void CChartPart::WriteYAxis(CXmlStream &xml, const CAxisRecord &axis, uint32_t crossingId)
{
    WriteAxis(xml, axis, crossingId, false);
}

void CChartPart::WriteTitle(CXmlStream &xml, const std::string &text, uint32_t size, bool vertical)
{
    const uint32_t fontSize = uint32_t(std::clamp<uint64_t>(uint64_t(size) * 100, kMinFontSize, kMaxFontSize));
    xml.BeginElement("c:title");
    xml.BeginElement("c:tx");
    xml.BeginElement("c:rich");
    xml.BeginElement("a:bodyPr");
    if (vertical) {
        xml.AttributeRaw("rot", "-5400000");
        xml.AttributeRaw("vert", "horz");
    }
    xml.EndElement();
    EmptyElement(xml, "a:lstStyle");
    xml.BeginElement("a:p");
    xml.BeginElement("a:pPr");
    xml.BeginElement("a:defRPr");
    xml.AttributeRaw("lang", "en-US");
    xml.Attribute("sz", fontSize);
    xml.EndElement();
    xml.EndElement();
    xml.BeginElement("a:r");
    xml.BeginElement("a:rPr");
    xml.AttributeRaw("lang", "en-US");
    xml.Attribute("sz", fontSize);
    xml.EndElement();
    xml.TextElement("a:t", text);
    xml.EndElement();
    xml.BeginElement("a:endParaRPr");
    xml.AttributeRaw("lang", "en-US");
    xml.EndElement();
    xml.EndElement(); // a:p
    xml.EndElement(); // c:rich
    xml.EndElement(); // c:tx
    EmptyElement(xml, "c:layout");
    Chart::WriteValElement(xml, "c:overlay", "0");
    xml.EndElement();
}

void CChartPart::WriteLegend(CXmlStream &xml, uint32_t position)
{
    // 1 to 4 lie over the plot area, 5 to 8 beside it.
    static const char *const sides[] = {"l", "r", "t", "b"};
    if (position == 0 || position > 8)
        return;
    xml.BeginElement("c:legend");
    Chart::WriteValElement(xml, "c:legendPos", sides[(position - 1) % 4]);
    EmptyElement(xml, "c:layout");
    Chart::WriteValElement(xml, "c:overlay", position <= 4 ? "1" : "0");
    xml.EndElement();
}

void CChartPart::WriteDataTable(CXmlStream &xml, uint32_t mode)
{
    if (mode == 0)
        return;
    xml.BeginElement("c:dTable");
    Chart::WriteValElement(xml, "c:showHorzBorder", "1");
    Chart::WriteValElement(xml, "c:showVertBorder", "1");
    Chart::WriteValElement(xml, "c:showOutline", "1");
    if (mode == 2)
        Chart::WriteValElement(xml, "c:showKeys", "1");
    xml.EndElement();
}

void CChartPart::WriteDataLabels(CXmlStream &xml, const CDataLabelFlags &flags, bool leaderLines)
{
    auto flag = [&xml](const char *name, uint8_t value) {
        Chart::WriteValElement(xml, name, value != 0 ? "1" : "0");
    };
    xml.BeginElement("c:dLbls");
    flag("c:showLegendKey", flags.showLegendKey);
    flag("c:showVal", flags.showValue);
    flag("c:showCatName", flags.showCategoryName);
    flag("c:showSerName", flags.showSeriesName);
    flag("c:showPercent", flags.showPercent);
    flag("c:showBubbleSize", flags.showBubbleSize);
    if (leaderLines)
        flag("c:showLeaderLines", flags.showLeaderLines);
    xml.EndElement();
}

void CChartPart::WriteMarker(CXmlStream &xml, const CSeriesRecord &series, const char *symbolName)
{
    xml.BeginElement("c:marker");
    Chart::WriteValElement(xml, "c:symbol", symbolName);
    Chart::WriteValElement(xml, "c:size", std::clamp(series.markerSize, kMinMarkerSize, kMaxMarkerSize));
    const bool fill = Chart::IsColour(series.markerFill);
    const bool outline = Chart::IsColour(series.markerOutline);
    if (fill || outline) {
        xml.BeginElement("c:spPr");
        if (fill) {
            xml.BeginElement("a:solidFill");
            Chart::WriteColour(xml, series.markerFill);
            xml.EndElement();
        }
        if (outline) {
            xml.BeginElement("a:ln");
            xml.Attribute("w", Chart::LineWidthEmu(series.markerOutlineWidth));
            xml.BeginElement("a:solidFill");
            Chart::WriteColour(xml, series.markerOutline);
            xml.EndElement();
            xml.EndElement();
        }
        xml.EndElement();
    }
    xml.EndElement();
}

} // namespace Xlsx
