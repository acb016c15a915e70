#include "Namespaces.h"
#include "StyleTable.h"
#include "TempTree.h"
#include "XmlStream.h"

#include <iterator>

namespace Xlsx {

void WriteFontProperties(CXmlStream &xml, const Font &font, const char *nameElement, const char *charset)
{
    static const char *const attributeNames[] = {"b", "i", "u", "strike", "outline", "shadow",
                                                 "condense", "extend"};
    for (size_t bit = 0; bit < std::size(attributeNames); ++bit) {
        if (font.attributes & (1u << bit)) {
            xml.BeginElement(attributeNames[bit]);
            xml.EndElement();
        }
    }
    xml.BeginElement("sz");
    xml.Attribute("val", int32_t(font.size));
    xml.EndElement();
    xml.BeginElement(nameElement);
    xml.Attribute("val", font.name.narrow);
    xml.EndElement();
    xml.BeginElement("charset");
    xml.AttributeRaw("val", charset);
    xml.EndElement();
    xml.BeginElement("color");
    if (!font.theme && !font.color.empty())
        xml.Attribute("rgb", font.color);
    else
        xml.AttributeRaw("theme", "1");
    xml.EndElement();
}

namespace {

// Name from a fixed table, or null for a value outside it, which then writes
// the element without that attribute instead of reading past the table.
template <size_t N>
const char *TableName(const char *const (&names)[N], int value)
{
    return value >= 0 && size_t(value) < N ? names[value] : nullptr;
}

const char *const kPatternNames[] = {
    "none", "solid", "mediumGray", "darkGray", "lightGray", "darkHorizontal", "darkVertical",
    "darkDown", "darkUp", "darkGrid", "darkTrellis", "lightHorizontal", "lightVertical",
    "lightDown", "lightUp", "lightGrid", "lightTrellis", "gray125", "gray0625"};

const char *const kLineStyleNames[] = {
    nullptr, "thin", "medium", "dashed", "dotted", "thick", "double", "hair", "mediumDashed",
    "dashDot", "mediumDashDot", "dashDotDot", "mediumDashDotDot", "slantDashDot"};

const char *const kHorizontalNames[] = {nullptr, "left", "center", "right"};
const char *const kVerticalNames[] = {nullptr, "top", "center", "bottom"};

void WriteNumFormats(CXmlStream &xml, CStyleTable &table)
{
    uint64_t custom = 0;
    for (const NumFormat &format : table.NumFormats())
        custom += format.id >= 164;
    if (custom == 0)
        return;
    xml.BeginElement("numFmts");
    xml.Attribute("count", custom);
    for (const NumFormat &format : table.NumFormats()) {
        if (format.id < 164)
            continue;
        xml.BeginElement("numFmt");
        xml.Attribute("numFmtId", format.id);
        xml.Attribute("formatCode", NumFormatCode(table, format));
        xml.EndElement();
    }
    xml.EndElement();
}

void WriteFonts(CXmlStream &xml, const std::vector<Font> &fonts)
{
    xml.BeginElement("fonts");
    xml.Attribute("count", uint64_t(fonts.size()));
    for (const Font &font : fonts) {
        xml.BeginElement("font");
        WriteFontProperties(xml, font, "name", "204");
        xml.EndElement();
    }
    xml.EndElement();
}

void WriteFills(CXmlStream &xml, const std::vector<Fill> &fills)
{
    xml.BeginElement("fills");
    xml.Attribute("count", uint64_t(fills.size()));
    for (const Fill &fill : fills) {
        xml.BeginElement("fill");
        xml.BeginElement("patternFill");
        if (const char *name = TableName(kPatternNames, fill.pattern))
            xml.AttributeRaw("patternType", name);
        if (!fill.foreground.empty()) {
            xml.BeginElement("fgColor");
            xml.Attribute("rgb", fill.foreground);
            xml.EndElement();
        }
        if (!fill.background.empty()) {
            xml.BeginElement("bgColor");
            xml.Attribute("rgb", fill.background);
            xml.EndElement();
        }
        xml.EndElement();
        xml.EndElement();
    }
    xml.EndElement();
}

void WriteBorderSide(CXmlStream &xml, const char *side, const BorderItem &item)
{
    xml.BeginElement(side);
    if (const char *style = TableName(kLineStyleNames, item.style)) {
        xml.AttributeRaw("style", style);
        xml.BeginElement("color");
        if (!item.color.empty())
            xml.Attribute("rgb", item.color);
        else
            xml.AttributeRaw("indexed", "64");
        xml.EndElement();
    }
    xml.EndElement();
}

void WriteBorders(CXmlStream &xml, const std::vector<Border> &borders)
{
    xml.BeginElement("borders");
    xml.Attribute("count", uint64_t(borders.size()));
    for (const Border &border : borders) {
        xml.BeginElement("border");
        if (border.diagonalUp)
            xml.AttributeRaw("diagonalUp", "1");
        if (border.diagonalDown)
            xml.AttributeRaw("diagonalDown", "1");
        WriteBorderSide(xml, "left", border.left);
        WriteBorderSide(xml, "right", border.right);
        WriteBorderSide(xml, "top", border.top);
        WriteBorderSide(xml, "bottom", border.bottom);
        WriteBorderSide(xml, "diagonal", border.diagonal);
        xml.EndElement();
    }
    xml.EndElement();
}

void WriteCellFormats(CXmlStream &xml, const CStyleTable &table)
{
    const auto &formats = table.CellFormats();
    xml.BeginElement("cellXfs");
    xml.Attribute("count", uint64_t(formats.size()));
    for (size_t i = 0; i < formats.size(); ++i) {
        const CStyleTable::CellFormat &cell = formats[i];
        const Alignment &alignment = table.Alignments()[i];
        xml.BeginElement("xf");
        xml.Attribute("numFmtId", cell.numFormat);
        xml.Attribute("fontId", cell.font);
        xml.Attribute("fillId", cell.fill);
        xml.Attribute("borderId", cell.border);
        if (cell.font != 0)
            xml.AttributeRaw("applyFont", "1");
        if (cell.fill != 0)
            xml.AttributeRaw("applyFill", "1");
        if (cell.border != 0)
            xml.AttributeRaw("applyBorder", "1");
        if (cell.numFormat != 0)
            xml.AttributeRaw("applyNumberFormat", "1");
        const char *horizontal = TableName(kHorizontalNames, alignment.horizontal);
        const char *vertical = TableName(kVerticalNames, alignment.vertical);
        if (horizontal || vertical || alignment.wrap || alignment.rotation != 0) {
            xml.AttributeRaw("applyAlignment", "1");
            xml.BeginElement("alignment");
            if (horizontal)
                xml.AttributeRaw("horizontal", horizontal);
            if (vertical)
                xml.AttributeRaw("vertical", vertical);
            if (alignment.wrap)
                xml.AttributeRaw("wrapText", "1");
            if (alignment.rotation != 0)
                xml.Attribute("textRotation", int32_t(alignment.rotation));
            xml.EndElement();
        }
        xml.EndElement();
    }
    xml.EndElement();
}

} // namespace

bool SaveStyles(CStyleTable &table, CTempTree &tree)
{
    CXmlStream xml(tree.RegisterPart("/xl/styles.xml"));
    xml.BeginElement("styleSheet");
    xml.AttributeRaw("xmlns", Ns::kMain);
    xml.AttributeRaw("xmlns:mc", Ns::kMarkupCompat);
    xml.AttributeRaw("mc:Ignorable", "x14ac");
    xml.AttributeRaw("xmlns:x14ac", Ns::kX14ac);

    WriteNumFormats(xml, table);
    WriteFonts(xml, table.Fonts());
    WriteFills(xml, table.Fills());
    WriteBorders(xml, table.Borders());

    xml.BeginElement("cellStyleXfs");
    xml.AttributeRaw("count", "1");
    xml.BeginElement("xf");
    xml.AttributeRaw("numFmtId", "0");
    xml.AttributeRaw("fontId", "0");
    xml.AttributeRaw("fillId", "0");
    xml.AttributeRaw("borderId", "0");
    xml.EndElement();
    xml.EndElement();

    WriteCellFormats(xml, table);

    xml.BeginElement("cellStyles");
    xml.AttributeRaw("count", "1");
    xml.BeginElement("cellStyle");
    xml.AttributeRaw("name", "Normal");
    xml.AttributeRaw("xfId", "0");
    xml.AttributeRaw("builtinId", "0");
    xml.EndElement();
    xml.EndElement();

    xml.BeginElement("dxfs");
    xml.AttributeRaw("count", "0");
    xml.EndElement();

    xml.BeginElement("tableStyles");
    xml.AttributeRaw("count", "0");
    xml.AttributeRaw("defaultTableStyle", "TableStyleMedium2");
    xml.AttributeRaw("defaultPivotStyle", "PivotStyleLight16");
    xml.EndElement();

    xml.BeginElement("extLst");
    xml.BeginElement("ext");
    xml.AttributeRaw("uri", "{EB79DEF2-80B8-43e5-95BD-54CBDDF9020C}");
    xml.AttributeRaw("xmlns:x14", Ns::kX14);
    xml.BeginElement("x14:slicerStyles");
    xml.AttributeRaw("defaultSlicerStyle", "SlicerStyleLight1");
    return xml.Close();
}

} // namespace Xlsx
