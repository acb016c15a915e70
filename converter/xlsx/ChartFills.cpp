#include "ChartPart.h"
#include "XmlStream.h"

#include <algorithm>
#include <cmath>

namespace Xlsx {

namespace {

void WriteGradient(CXmlStream &xml, const CFillRecord &fill)
{
    xml.BeginElement("a:gradFill");
    xml.AttributeRaw("flip", "none");
    xml.AttributeRaw("rotWithShape", "1");
    // A stop list needs two stops at least, each with a colour.
    size_t stops = 0;
    for (const auto &stop : fill.stops)
        stops += Chart::IsColour(stop.second) ? 1 : 0;
    if (stops >= 2) {
        xml.BeginElement("a:gsLst");
        for (const auto &stop : fill.stops) {
            if (!Chart::IsColour(stop.second))
                continue;
            xml.BeginElement("a:gs");
            xml.Attribute("pos", int32_t(std::clamp(stop.first, 0, 100) * 1000));
            Chart::WriteColour(xml, stop.second);
            xml.EndElement();
        }
        xml.EndElement();
    }
    switch (fill.gradientKind) {
    case GradientLinear:
        if (fill.linearAngle != 0 && std::isfinite(fill.linearAngle)) {
            // Angles run from 0 up to, not including, a full turn.
            double degrees = std::fmod(fill.linearAngle, 360.0);
            if (degrees < 0)
                degrees += 360.0;
            const int64_t angle = int64_t(degrees * Chart::kAngleUnitsPerDegree) % (360 * Chart::kAngleUnitsPerDegree);
            xml.BeginElement("a:lin");
            xml.Attribute("ang", int32_t(angle));
            xml.AttributeRaw("scaled", fill.scaled ? "1" : "0");
            xml.EndElement();
        }
        break;
    case GradientCircle: CChartPart::WriteGradientPath(xml, "circle", fill.pathFocus); break;
    case GradientRect: CChartPart::WriteGradientPath(xml, "rect", fill.pathFocus); break;
    case GradientShape: CChartPart::WriteGradientPath(xml, "shape", 2); break;
    default: break;
    }
    xml.EndElement();
}

void WritePattern(CXmlStream &xml, const CFillRecord &fill)
{
    xml.BeginElement("a:pattFill");
    const char *preset = PatternPresetName(fill.pattern);
    if (*preset != '\0')
        xml.AttributeRaw("prst", preset);
    if (Chart::IsColour(fill.patternForeground)) {
        xml.BeginElement("a:fgClr");
        Chart::WriteColour(xml, fill.patternForeground);
        xml.EndElement();
    }
    if (Chart::IsColour(fill.patternBackground)) {
        xml.BeginElement("a:bgClr");
        Chart::WriteColour(xml, fill.patternBackground);
        xml.EndElement();
    }
    xml.EndElement();
}

} // namespace

const char *PatternPresetName(uint32_t index)
{
    static const char *const names[48] = {
        "pct5", "pct10", "pct20", "pct25", "pct30", "pct40", "pct50", "pct60", "pct70", "pct75",
        "pct80", "pct90", "ltDnDiag", "dkDnDiag", "wdDnDiag", "ltUpDiag", "dkUpDiag", "wdUpDiag",
        "ltVert", "narVert", "dkVert", "ltHorz", "narHorz", "dkHorz", "dashDnDiag", "dashUpDiag",
        "dashHorz", "dashVert", "smConfetti", "lgConfetti", "zigZag", "wave", "diagBrick", "horzBrick",
        "weave", "plaid", "divot", "dotGrid", "dotDmnd", "shingle", "trellis", "sphere", "smGrid",
        "lgGrid", "smCheck", "lgCheck", "openDmnd", "solidDmnd"};
    return index < 48 ? names[index] : "";
}

void CChartPart::WriteFill(CXmlStream &xml, const CFillRecord &fill)
{
    if (fill.kind == FillSolid) {
        if (!Chart::IsColour(fill.solidColor))
            return;
        xml.BeginElement("c:spPr");
        xml.BeginElement("a:solidFill");
        Chart::WriteColour(xml, fill.solidColor);
        xml.EndElement();
        xml.EndElement();
    } else if (fill.kind == FillGradient) {
        xml.BeginElement("c:spPr");
        WriteGradient(xml, fill);
        xml.EndElement();
    } else if (fill.kind == FillPattern) {
        xml.BeginElement("c:spPr");
        WritePattern(xml, fill);
        xml.EndElement();
    }
}

void CChartPart::WriteGradientPath(CXmlStream &xml, const char *pathName, uint32_t focus)
{
    struct Insets
    {
        const char *l, *t, *r, *b;
    };
    // Where the fill starts (fillToRect) and how its tile is laid (tileRect), per focus;
    // a focus out of range takes the centre.
    static const Insets fillTo[5] = {{"100000", "100000", nullptr, nullptr},
                                     {nullptr, "100000", "100000", nullptr},
                                     {"50000", "50000", "50000", "50000"},
                                     {"100000", nullptr, nullptr, "100000"},
                                     {nullptr, nullptr, "100000", "100000"}};
    static const Insets tile[5] = {{nullptr, nullptr, "-100000", "-100000"},
                                   {"-100000", nullptr, nullptr, "-100000"},
                                   {nullptr, nullptr, nullptr, nullptr},
                                   {nullptr, "-100000", "-100000", nullptr},
                                   {"-100000", "-100000", nullptr, nullptr}};
    if (focus > 4)
        focus = 2;
    auto insets = [&xml](const char *name, const Insets &values) {
        xml.BeginElement(name);
        if (values.l) xml.AttributeRaw("l", values.l);
        if (values.t) xml.AttributeRaw("t", values.t);
        if (values.r) xml.AttributeRaw("r", values.r);
        if (values.b) xml.AttributeRaw("b", values.b);
        xml.EndElement();
    };
    xml.BeginElement("a:path");
    xml.AttributeRaw("path", pathName);
    insets("a:fillToRect", fillTo[focus]);
    xml.EndElement();
    insets("a:tileRect", tile[focus]);
}

} // namespace Xlsx
