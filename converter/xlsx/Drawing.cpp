#include "Drawing.h"
#include "ChartPart.h"
#include "DrawingNamespaces.h"
#include "Namespaces.h"
#include "TempTree.h"
#include "XmlStream.h"

namespace Xlsx {

namespace {

// The fixed place of a chart that fills its sheet.
constexpr const char *kAbsoluteWidthEmu = "9312088";
constexpr const char *kAbsoluteHeightEmu = "6084794";

bool ShowsChart(uint32_t kind)
{
    return kind == AnchorChartAbsolute || kind == AnchorChartTwoCell;
}

void WriteMarker(CXmlStream &xml, const char *name, uint32_t column, uint32_t columnOffset, uint32_t row,
                 uint32_t rowOffset)
{
    xml.BeginElement(name);
    xml.IntElement("xdr:col", column);
    xml.IntElement("xdr:colOff", columnOffset);
    xml.IntElement("xdr:row", row);
    xml.IntElement("xdr:rowOff", rowOffset);
    xml.EndElement();
}

void WriteFrom(CXmlStream &xml, const CDrawingAnchor &anchor)
{
    WriteMarker(xml, "xdr:from", anchor.fromColumn, anchor.fromColumnOffset, anchor.fromRow,
                anchor.fromRowOffset);
}

void WriteTo(CXmlStream &xml, const CDrawingAnchor &anchor)
{
    WriteMarker(xml, "xdr:to", anchor.toColumn, anchor.toColumnOffset, anchor.toRow, anchor.toRowOffset);
}

// Rows of a drawing count from 0; a row 0 given by mistake stays on the first row.
uint32_t DrawingRow(uint32_t row)
{
    return row > 0 ? row - 1 : 0;
}

} // namespace

bool CDrawing::AddAnchor(const CDrawingAnchor &anchor)
{
    const bool valid = ShowsChart(anchor.kind) ? anchor.chart != nullptr
        : (anchor.kind == AnchorPictureOneCell || anchor.kind == AnchorPictureTwoCell) && anchor.picture != nullptr;
    if (valid)
        m_anchors.push_back(anchor);
    return valid;
}

bool CDrawing::Save()
{
    if (m_anchors.empty())
        return true;
    const bool rels = SaveRels();
    return SaveDrawing() && rels;
}

bool CDrawing::SaveRels()
{
    CXmlStream xml(m_tempTree.RegisterPart("/xl/drawings/_rels/drawing" + std::to_string(m_number) + ".xml.rels"));
    xml.BeginElement("Relationships");
    xml.AttributeRaw("xmlns", Ns::kPackageRels);
    uint32_t i = 0;
    for (const CDrawingAnchor &anchor : m_anchors) {
        xml.BeginElement("Relationship");
        xml.Attribute("Id", "rId" + std::to_string(++i));
        if (ShowsChart(anchor.kind)) {
            xml.AttributeRaw("Type", Ns::kRelChart);
            xml.Attribute("Target", "../charts/chart" + std::to_string(anchor.chart->number) + ".xml");
        } else {
            xml.AttributeRaw("Type", Ns::kRelImage);
            xml.Attribute("Target", "../media/" + anchor.picture->mediaFileName);
        }
        xml.EndElement();
    }
    return xml.Close();
}

bool CDrawing::SaveDrawing()
{
    CXmlStream xml(m_tempTree.RegisterPart("/xl/drawings/drawing" + std::to_string(m_number) + ".xml"));
    xml.BeginElement("xdr:wsDr");
    xml.AttributeRaw("xmlns:xdr", Ns::kSpreadsheetDrawing);
    xml.AttributeRaw("xmlns:a", Ns::kDrawingMain);
    uint32_t i = 0;
    for (const CDrawingAnchor &anchor : m_anchors) {
        ++i;
        switch (anchor.kind) {
        case AnchorChartAbsolute:
            xml.BeginElement("xdr:absoluteAnchor");
            xml.BeginElement("xdr:pos");
            xml.AttributeRaw("x", "0");
            xml.AttributeRaw("y", "0");
            xml.EndElement();
            xml.BeginElement("xdr:ext");
            xml.AttributeRaw("cx", kAbsoluteWidthEmu);
            xml.AttributeRaw("cy", kAbsoluteHeightEmu);
            xml.EndElement();
            WriteChartFrame(xml, *anchor.chart, i);
            break;
        case AnchorChartTwoCell:
            xml.BeginElement("xdr:twoCellAnchor");
            WriteFrom(xml, anchor);
            WriteTo(xml, anchor);
            WriteChartFrame(xml, *anchor.chart, i);
            break;
        case AnchorPictureOneCell:
            xml.BeginElement("xdr:oneCellAnchor");
            WriteFrom(xml, anchor);
            xml.BeginElement("xdr:ext");
            xml.Attribute("cx", anchor.toColumn);
            xml.Attribute("cy", anchor.toRow);
            xml.EndElement();
            WritePicture(xml, *anchor.picture, i);
            break;
        default:
            xml.BeginElement("xdr:twoCellAnchor");
            WriteFrom(xml, anchor);
            WriteTo(xml, anchor);
            WritePicture(xml, *anchor.picture, i);
            break;
        }
        xml.EndElement();
    }
    return xml.Close();
}

void CDrawing::WriteChartFrame(CXmlStream &xml, const CChartPart &chart, uint32_t anchorNumber)
{
    const std::string relationId = "rId" + std::to_string(anchorNumber);
    xml.BeginElement("xdr:graphicFrame");
    xml.AttributeRaw("macro", "");
    xml.BeginElement("xdr:nvGraphicFramePr");
    xml.BeginElement("xdr:cNvPr");
    xml.Attribute("id", anchorNumber);
    xml.Attribute("name", chart.frameName.narrow);
    xml.EndElement();
    xml.BeginElement("xdr:cNvGraphicFramePr");
    xml.BeginElement("a:graphicFrameLocks");
    xml.AttributeRaw("noGrp", "1");
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
    xml.BeginElement("xdr:xfrm");
    xml.BeginElement("a:off");
    xml.AttributeRaw("x", "0");
    xml.AttributeRaw("y", "0");
    xml.EndElement();
    xml.BeginElement("a:ext");
    xml.AttributeRaw("cx", "0");
    xml.AttributeRaw("cy", "0");
    xml.EndElement();
    xml.EndElement();
    xml.BeginElement("a:graphic");
    xml.BeginElement("a:graphicData");
    xml.AttributeRaw("uri", Ns::kChart);
    xml.BeginElement("c:chart");
    xml.AttributeRaw("xmlns:c", Ns::kChart);
    xml.AttributeRaw("xmlns:r", Ns::kRelationships);
    xml.Attribute("r:id", relationId);
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
    xml.EndElement(); // xdr:graphicFrame
    xml.BeginElement("xdr:clientData");
    xml.EndElement();
}

void CDrawing::WritePicture(CXmlStream &xml, const CPicture &picture, uint32_t anchorNumber)
{
    xml.BeginElement("xdr:pic");
    xml.BeginElement("xdr:nvPicPr");
    xml.BeginElement("xdr:cNvPr");
    xml.Attribute("id", anchorNumber);
    xml.Attribute("name", picture.mediaFileName);
    xml.EndElement();
    xml.BeginElement("xdr:cNvPicPr");
    xml.BeginElement("a:picLocks");
    xml.AttributeRaw("noChangeAspect", "1");
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
    xml.BeginElement("xdr:blipFill");
    xml.BeginElement("a:blip");
    xml.AttributeRaw("xmlns:r", Ns::kRelationships);
    xml.Attribute("r:embed", "rId" + std::to_string(anchorNumber));
    xml.EndElement();
    xml.BeginElement("a:stretch");
    xml.BeginElement("a:fillRect");
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
    xml.BeginElement("xdr:spPr");
    xml.BeginElement("a:prstGeom");
    xml.AttributeRaw("prst", "rect");
    xml.BeginElement("a:avLst");
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
    xml.EndElement(); // xdr:pic
    xml.BeginElement("xdr:clientData");
    xml.EndElement();
}

CDrawingAnchor PictureAnchor(const CPicture &picture, const CCellPos &cell)
{
    CDrawingAnchor anchor;
    anchor.picture = &picture;
    anchor.kind = AnchorPictureOneCell;
    anchor.fromColumn = cell.column;
    anchor.fromRow = DrawingRow(cell.row);
    anchor.toColumn = uint32_t(picture.width) * kEmuPerPixel;
    anchor.toRow = uint32_t(picture.height) * kEmuPerPixel;
    return anchor;
}

CDrawingAnchor ChartAnchor(const CChartPart &chart, const CCellSpan &cells)
{
    CDrawingAnchor anchor;
    anchor.chart = &chart;
    anchor.kind = AnchorChartTwoCell;
    anchor.fromColumn = cells.first.column;
    anchor.fromRow = DrawingRow(cells.first.row);
    // The last cell is covered: the frame ends where the cell after it begins.
    anchor.toColumn = cells.last.column + 1;
    anchor.toRow = DrawingRow(cells.last.row) + 1;
    return anchor;
}

} // namespace Xlsx
