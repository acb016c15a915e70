#include "ChartSheet.h"
#include "Drawing.h"
#include "DrawingNamespaces.h"
#include "Namespaces.h"
#include "TempTree.h"
#include "XmlStream.h"

namespace Xlsx {

bool CChartSheetPart::Save()
{
    const std::string number = std::to_string(m_number);
    bool ok;
    {
        CXmlStream xml(m_tempTree.RegisterPart("/xl/chartsheets/_rels/sheet" + number + ".xml.rels"));
        xml.BeginElement("Relationships");
        xml.AttributeRaw("xmlns", Ns::kPackageRels);
        xml.BeginElement("Relationship");
        xml.AttributeRaw("Id", "rId1");
        xml.AttributeRaw("Type", Ns::kRelDrawing);
        xml.Attribute("Target", "../drawings/drawing" + std::to_string(m_drawing.Number()) + ".xml");
        xml.EndElement();
        ok = xml.Close();
    }

    CXmlStream xml(m_tempTree.RegisterPart("/xl/chartsheets/sheet" + number + ".xml"));
    xml.BeginElement("chartsheet");
    xml.AttributeRaw("xmlns", Ns::kMain);
    xml.AttributeRaw("xmlns:r", Ns::kRelationships);
    xml.BeginElement("sheetPr");
    xml.EndElement();
    xml.BeginElement("sheetViews");
    xml.BeginElement("sheetView");
    xml.AttributeRaw("zoomScale", "85");
    xml.AttributeRaw("workbookViewId", "0");
    xml.AttributeRaw("zoomToFit", "1");
    xml.EndElement();
    xml.EndElement();
    xml.BeginElement("pageMargins");
    xml.Attribute("left", 0.7);
    xml.Attribute("right", 0.7);
    xml.Attribute("top", 0.75);
    xml.Attribute("bottom", 0.75);
    xml.Attribute("header", 0.3);
    xml.Attribute("footer", 0.3);
    xml.EndElement();
    xml.BeginElement("drawing");
    xml.AttributeRaw("r:id", "rId1");
    xml.EndElement();
    return xml.Close() && ok;
}

} // namespace Xlsx
