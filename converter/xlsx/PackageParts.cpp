#include "DrawingNamespaces.h"
#include "Namespaces.h"
#include "Workbook.h"
#include "XmlStream.h"

#include <ctime>

namespace Xlsx {

namespace {

std::string RelationshipId(uint64_t number)
{
    return "rId" + std::to_string(number);
}

void WriteRelationship(CXmlStream &xml, const std::string &id, const char *type, const std::string &target)
{
    xml.BeginElement("Relationship");
    xml.Attribute("Id", id);
    xml.AttributeRaw("Type", type);
    xml.Attribute("Target", target);
    xml.EndElement();
}

void WriteOverride(CXmlStream &xml, const std::string &part, const char *type)
{
    xml.BeginElement("Override");
    xml.Attribute("PartName", part);
    xml.AttributeRaw("ContentType", type);
    xml.EndElement();
}

void WriteDefault(CXmlStream &xml, const char *extension, const char *type)
{
    xml.BeginElement("Default");
    xml.AttributeRaw("Extension", extension);
    xml.AttributeRaw("ContentType", type);
    xml.EndElement();
}

std::string UtcText(int64_t unixSeconds)
{
    const std::time_t when = std::time_t(unixSeconds);
    std::tm utc{};
    gmtime_r(&when, &utc);
    char text[32];
    const size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
    return std::string(text, length);
}

// Leading or trailing blanks survive a reader only when the text says so.
bool NeedsPreservedSpace(const std::string &text)
{
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
    return !text.empty() && (blank(text.front()) || blank(text.back()));
}

void WriteVariant(CXmlStream &xml, const char *type, const std::string &text)
{
    xml.BeginElement("vt:variant");
    xml.TextElement(type, text);
    xml.EndElement();
}

} // namespace

bool CWorkbook::AnySheetHasFormulas() const
{
    for (const auto &sheet : m_worksheets)
        if (sheet->HasFormulas())
            return true;
    return false;
}

bool CWorkbook::SaveCore()
{
    // Within a Save the save's moment; a part written on its own takes the current time.
    const std::string moment = UtcText(m_saveTime.value_or(int64_t(std::time(nullptr))));
    {
        CXmlStream xml(m_tempTree.RegisterPart("/docProps/core.xml"));
        xml.BeginElement("cp:coreProperties");
        xml.AttributeRaw("xmlns:cp", Ns::kCoreProps);
        xml.AttributeRaw("xmlns:dc", Ns::kDc);
        xml.AttributeRaw("xmlns:dcterms", Ns::kDcTerms);
        xml.AttributeRaw("xmlns:dcmitype", Ns::kDcmiType);
        xml.AttributeRaw("xmlns:xsi", Ns::kXsi);
        xml.TextElement("dc:creator", m_author.narrow);
        xml.TextElement("cp:lastModifiedBy", m_author.narrow);
        for (const char *name : {"dcterms:created", "dcterms:modified"}) {
            xml.BeginElement(name);
            xml.AttributeRaw("xsi:type", "dcterms:W3CDTF");
            xml.BeginContent();
            xml.Raw(moment);
            xml.EndElement();
        }
        if (!xml.Close())
            return false;
    }
    CXmlStream xml(m_tempTree.RegisterPart("/_rels/.rels"));
    xml.BeginElement("Relationships");
    xml.AttributeRaw("xmlns", Ns::kPackageRels);
    WriteRelationship(xml, "rId3", Ns::kRelExtendedProps, "docProps/app.xml");
    WriteRelationship(xml, "rId2", Ns::kRelCoreProps, "docProps/core.xml");
    WriteRelationship(xml, "rId1", Ns::kRelOfficeDocument, "xl/workbook.xml");
    return xml.Close();
}

bool CWorkbook::SaveApp()
{
    CXmlStream xml(m_tempTree.RegisterPart("/docProps/app.xml"));
    xml.BeginElement("Properties");
    xml.AttributeRaw("xmlns", Ns::kExtendedProps);
    xml.AttributeRaw("xmlns:vt", Ns::kVariantTypes);
    xml.TextElement("Application", "Microsoft Excel");
    xml.TextElement("DocSecurity", "0");
    xml.TextElement("ScaleCrop", "false");

    xml.BeginElement("HeadingPairs");
    xml.BeginElement("vt:vector");
    xml.AttributeRaw("size", m_chartsheets.empty() ? "2" : "4");
    xml.AttributeRaw("baseType", "variant");
    WriteVariant(xml, "vt:lpstr", "Worksheets");
    WriteVariant(xml, "vt:i4", std::to_string(m_worksheets.size()));
    if (!m_chartsheets.empty()) {
        WriteVariant(xml, "vt:lpstr", "Diagramms");
        WriteVariant(xml, "vt:i4", std::to_string(m_chartsheets.size()));
    }
    xml.EndElement();
    xml.EndElement();

    xml.BeginElement("TitlesOfParts");
    xml.BeginElement("vt:vector");
    xml.Attribute("size", uint64_t(m_worksheets.size() + m_chartsheets.size()));
    xml.AttributeRaw("baseType", "lpstr");
    for (const CDualString &title : SheetTitles())
        xml.TextElement("vt:lpstr", title.narrow);
    xml.EndElement();
    xml.EndElement();

    xml.BeginElement("Company");
    xml.BeginContent();
    xml.EndElement();
    xml.TextElement("LinksUpToDate", "false");
    xml.TextElement("SharedDoc", "false");
    xml.TextElement("HyperlinksChanged", "false");
    xml.BeginElement("AppVersion");
    xml.BeginContent();
    xml.Number(14.03);
    xml.EndElement();
    return xml.Close();
}

bool CWorkbook::SaveContentTypes()
{
    CXmlStream xml(m_tempTree.RegisterPart("/[Content_Types].xml"));
    xml.BeginElement("Types");
    xml.AttributeRaw("xmlns", Ns::kContentTypes);
    WriteDefault(xml, "rels", "application/vnd.openxmlformats-package.relationships+xml");
    WriteDefault(xml, "xml", "application/xml");
    WriteImageDefaults(xml);
    WriteOverride(xml, "/xl/workbook.xml",
                  "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml");
    for (const auto &sheet : m_worksheets)
        WriteOverride(xml, "/xl/worksheets/sheet" + std::to_string(sheet->Id()) + ".xml",
                      "application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml");
    bool chainWritten = true;
    if (AnySheetHasFormulas()) {
        WriteOverride(xml, "/xl/calcChain.xml",
                      "application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml");
        chainWritten = SaveCalcChain();
    }
    for (const auto &sheet : m_chartsheets)
        WriteOverride(xml, "/xl/chartsheets/sheet" + std::to_string(sheet->Id()) + ".xml", Ns::kTypeChartsheet);
    WriteOverride(xml, "/xl/theme/theme1.xml", "application/vnd.openxmlformats-officedocument.theme+xml");
    WriteOverride(xml, "/xl/styles.xml",
                  "application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml");
    if (!m_sharedStrings.empty())
        WriteOverride(xml, "/xl/sharedStrings.xml",
                      "application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml");
    for (const auto &drawing : m_drawings)
        if (drawing->HasAnchors())
            WriteOverride(xml, "/xl/drawings/drawing" + std::to_string(drawing->Number()) + ".xml",
                          Ns::kTypeDrawing);
    for (const auto &chart : m_charts)
        WriteOverride(xml, "/xl/charts/chart" + std::to_string(chart->number) + ".xml", Ns::kTypeChart);
    if (!m_comments.empty()) {
        WriteDefault(xml, "vml", Ns::kTypeVmlDrawing);
        for (const auto &sheet : m_worksheets)
            if (sheet->HasComments())
                WriteOverride(xml, "/xl/comments" + std::to_string(sheet->Id()) + ".xml", Ns::kTypeComments);
    }
    WriteOverride(xml, "/docProps/core.xml", "application/vnd.openxmlformats-package.core-properties+xml");
    WriteOverride(xml, "/docProps/app.xml",
                  "application/vnd.openxmlformats-officedocument.extended-properties+xml");
    return xml.Close() && chainWritten;
}

bool CWorkbook::SaveCalcChain()
{
    CXmlStream xml(m_tempTree.RegisterPart("/xl/calcChain.xml"));
    xml.BeginElement("calcChain");
    xml.AttributeRaw("xmlns", Ns::kMain);
    for (const auto &sheet : m_worksheets) {
        bool first = true;
        for (const std::string &ref : sheet->FormulaCells()) {
            xml.BeginElement("c");
            xml.Attribute("r", ref);
            if (first)
                xml.Attribute("i", sheet->Id());
            first = false;
            xml.EndElement();
        }
    }
    return xml.Close();
}

bool CWorkbook::SaveSharedStrings()
{
    if (m_sharedStrings.empty())
        return true;
    std::vector<const std::string *> slots(m_sharedStrings.size(), nullptr);
    for (const auto &entry : m_sharedStrings)
        slots[entry.second] = &entry.first;

    CXmlStream xml(m_tempTree.RegisterPart("/xl/sharedStrings.xml"));
    xml.BeginElement("sst");
    xml.AttributeRaw("xmlns", Ns::kMain);
    xml.Attribute("count", uint64_t(slots.size()));
    xml.Attribute("uniqueCount", uint64_t(slots.size()));
    for (const std::string *text : slots) {
        xml.BeginElement("si");
        xml.BeginElement("t");
        if (NeedsPreservedSpace(*text))
            xml.AttributeRaw("xml:space", "preserve");
        xml.BeginContent();
        xml.WriteEscaped(*text);
        xml.EndElement();
        xml.EndElement();
    }
    return xml.Close();
}

bool CWorkbook::SaveWorkbook()
{
    {
        CXmlStream xml(m_tempTree.RegisterPart("/xl/_rels/workbook.xml.rels"));
        xml.BeginElement("Relationships");
        xml.AttributeRaw("xmlns", Ns::kPackageRels);
        for (const auto &sheet : m_worksheets)
            WriteRelationship(xml, RelationshipId(sheet->Id()), Ns::kRelWorksheet,
                              "worksheets/sheet" + std::to_string(sheet->Id()) + ".xml");
        for (const auto &sheet : m_chartsheets)
            WriteRelationship(xml, RelationshipId(sheet->Id()), Ns::kRelChartsheet,
                              "chartsheets/sheet" + std::to_string(sheet->Id()) + ".xml");
        uint64_t k = m_nextSheetId;
        if (AnySheetHasFormulas())
            WriteRelationship(xml, RelationshipId(k++), Ns::kRelCalcChain, "calcChain.xml");
        if (!m_sharedStrings.empty())
            WriteRelationship(xml, RelationshipId(k++), Ns::kRelSharedStrings, "sharedStrings.xml");
        WriteRelationship(xml, RelationshipId(k), Ns::kRelStyles, "styles.xml");
        WriteRelationship(xml, RelationshipId(k + 1), Ns::kRelTheme, "theme/theme1.xml");
        if (!xml.Close())
            return false;
    }

    CXmlStream xml(m_tempTree.RegisterPart("/xl/workbook.xml"));
    xml.BeginElement("workbook");
    xml.AttributeRaw("xmlns", Ns::kMain);
    xml.AttributeRaw("xmlns:r", Ns::kRelationships);
    xml.BeginElement("fileVersion");
    xml.AttributeRaw("appName", "xl");
    xml.AttributeRaw("lastEdited", "5");
    xml.AttributeRaw("lowestEdited", "5");
    xml.AttributeRaw("rupBuild", "9303");
    xml.EndElement();
    xml.BeginElement("workbookPr");
    xml.AttributeRaw("codeName", "ThisWorkbook");
    xml.AttributeRaw("defaultThemeVersion", "124226");
    xml.EndElement();
    xml.BeginElement("bookViews");
    xml.BeginElement("workbookView");
    xml.AttributeRaw("xWindow", "270");
    xml.AttributeRaw("yWindow", "630");
    xml.AttributeRaw("windowWidth", "24615");
    xml.AttributeRaw("windowHeight", "11445");
    xml.Attribute("activeTab", m_activeSheet < m_nextSheetId - 1 ? m_activeSheet : uint64_t(0));
    xml.EndElement();
    xml.EndElement();
    if (m_worksheets.empty() && m_chartsheets.empty()) {
        xml.Close();
        return false;
    }
    xml.BeginElement("sheets");
    // Worksheets and chartsheets share one sequence of numbers; the tabs follow it.
    for (uint64_t number = 1; number < m_nextSheetId; ++number) {
        const CSheet *sheet = WorksheetNumbered(number);
        if (sheet == nullptr)
            sheet = ChartSheetNumbered(number);
        if (sheet == nullptr)
            continue;
        xml.BeginElement("sheet");
        xml.Attribute("name", sheet->GetTitle().narrow);
        xml.Attribute("sheetId", number);
        xml.Attribute("r:id", RelationshipId(number));
        xml.EndElement();
    }
    xml.EndElement();
    xml.BeginElement("calcPr");
    xml.AttributeRaw("calcId", "124519");
    xml.EndElement();
    return xml.Close();
}

} // namespace Xlsx
