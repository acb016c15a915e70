#include "ThemePart.h"
#include "Namespaces.h"
#include "TempTree.h"
#include "XmlStream.h"

#include <utility>

namespace Xlsx {

namespace {

using Modifier = std::pair<const char *, int32_t>; // element name, val

void EmptyElement(CXmlStream &xml, const char *name, const char *attribute, const char *value)
{
    xml.BeginElement(name);
    xml.AttributeRaw(attribute, value);
    xml.EndElement();
}

void PlaceholderColor(CXmlStream &xml, std::initializer_list<Modifier> modifiers)
{
    xml.BeginElement("a:schemeClr");
    xml.AttributeRaw("val", "phClr");
    for (const Modifier &m : modifiers) {
        xml.BeginElement(m.first);
        xml.Attribute("val", m.second);
        xml.EndElement();
    }
    xml.EndElement();
}

void GradientStop(CXmlStream &xml, int32_t pos, std::initializer_list<Modifier> modifiers)
{
    xml.BeginElement("a:gs");
    xml.Attribute("pos", pos);
    PlaceholderColor(xml, modifiers);
    xml.EndElement();
}

void ColorScheme(CXmlStream &xml)
{
    xml.BeginElement("a:clrScheme");
    xml.AttributeRaw("name", "Office");
    xml.BeginElement("a:dk1");
    xml.BeginElement("a:sysClr");
    xml.AttributeRaw("val", "windowText");
    xml.AttributeRaw("lastClr", "000000");
    xml.EndElement();
    xml.EndElement();
    xml.BeginElement("a:lt1");
    xml.BeginElement("a:sysClr");
    xml.AttributeRaw("val", "window");
    xml.AttributeRaw("lastClr", "FFFFFF");
    xml.EndElement();
    xml.EndElement();
    static const std::pair<const char *, const char *> slots[] = {
        {"a:dk2", "1F497D"}, {"a:lt2", "EEECE1"}, {"a:accent1", "4F81BD"},
        {"a:accent2", "C0504D"}, {"a:accent3", "9BBB59"}, {"a:accent4", "8064A2"},
        {"a:accent5", "4BACC6"}, {"a:accent6", "F79646"}, {"a:hlink", "0000FF"},
        {"a:folHlink", "800080"}};
    for (const auto &slot : slots) {
        xml.BeginElement(slot.first);
        EmptyElement(xml, "a:srgbClr", "val", slot.second);
        xml.EndElement();
    }
    xml.EndElement();
}

void SchemeFont(CXmlStream &xml, const char *name)
{
    static const std::pair<const char *, const char *> scripts[] = {
        {"Arab", "Times New Roman"}, {"Herb", "Times New Roman"}, {"Thai", "Tahoma"},
        {"Ethi", "Nyala"}, {"Beng", "Vrinda"}, {"Gujr", "Shruti"}, {"Khmr", "MoolBoran"},
        {"Knda", "Tunga"}, {"Guru", "Raavi"}, {"Cans", "Euphemia"},
        {"Cher", "Plantagenet Cherokee"}, {"Yiii", "Microsoft Yi Baiti"},
        {"Tibt", "Microsoft Himalaya"}, {"Thaa", "MV Boli"}, {"Deva", "Mangal"},
        {"Telu", "Gautami"}, {"Taml", "Latha"}, {"Syrc", "Estrangelo Edessa"},
        {"Orya", "Kalinga"}, {"Mlym", "Kartika"}, {"Laoo", "DokChampa"},
        {"Sinh", "Iskoola Pota"}, {"Mong", "Mongolian Baiti"}, {"Viet", "Times New Roman"},
        {"Uigh", "Microsoft Uighur"}, {"Geor", "Sylfaen"}};
    xml.BeginElement(name);
    EmptyElement(xml, "a:latin", "typeface", "Cambria");
    EmptyElement(xml, "a:ea", "typeface", "");
    EmptyElement(xml, "a:cs", "typeface", "");
    for (const auto &script : scripts) {
        xml.BeginElement("a:font");
        xml.AttributeRaw("script", script.first);
        xml.AttributeRaw("typeface", script.second);
        xml.EndElement();
    }
    xml.EndElement();
}

void FontScheme(CXmlStream &xml)
{
    xml.BeginElement("a:fontScheme");
    xml.AttributeRaw("name", "Office");
    // The minor font repeats the major font, Cambria included.
    SchemeFont(xml, "a:majorFont");
    SchemeFont(xml, "a:minorFont");
    xml.EndElement();
}

void SolidPlaceholderFill(CXmlStream &xml, std::initializer_list<Modifier> modifiers)
{
    xml.BeginElement("a:solidFill");
    PlaceholderColor(xml, modifiers);
    xml.EndElement();
}

void LinearGradient(CXmlStream &xml, const char *scaled,
                    std::initializer_list<std::pair<int32_t, std::initializer_list<Modifier>>> stops)
{
    xml.BeginElement("a:gradFill");
    xml.AttributeRaw("rotWithShape", "1");
    xml.BeginElement("a:gsLst");
    for (const auto &stop : stops)
        GradientStop(xml, stop.first, stop.second);
    xml.EndElement();
    xml.BeginElement("a:lin");
    xml.AttributeRaw("ang", "16200000");
    xml.AttributeRaw("scaled", scaled);
    xml.EndElement();
    xml.EndElement();
}

void CircleGradient(CXmlStream &xml, std::initializer_list<int32_t> rect,
                    std::initializer_list<std::pair<int32_t, std::initializer_list<Modifier>>> stops)
{
    xml.BeginElement("a:gradFill");
    xml.AttributeRaw("rotWithShape", "1");
    xml.BeginElement("a:gsLst");
    for (const auto &stop : stops)
        GradientStop(xml, stop.first, stop.second);
    xml.EndElement();
    xml.BeginElement("a:path");
    xml.AttributeRaw("path", "circle");
    xml.BeginElement("a:fillToRect");
    static const char *const edges[] = {"l", "t", "r", "b"};
    const int32_t *value = rect.begin();
    for (const char *edge : edges)
        xml.Attribute(edge, *value++);
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
}

void Line(CXmlStream &xml, int32_t width, std::initializer_list<Modifier> modifiers)
{
    xml.BeginElement("a:ln");
    xml.Attribute("w", width);
    xml.AttributeRaw("cap", "flat");
    xml.AttributeRaw("cmpd", "sng");
    xml.AttributeRaw("algn", "ctr");
    SolidPlaceholderFill(xml, modifiers);
    EmptyElement(xml, "a:prstDash", "val", "solid");
    xml.EndElement();
}

void Rotation(CXmlStream &xml, int32_t rev)
{
    xml.BeginElement("a:rot");
    xml.AttributeRaw("lat", "0");
    xml.AttributeRaw("lon", "0");
    xml.Attribute("rev", rev);
    xml.EndElement();
}

void EffectStyle(CXmlStream &xml, int32_t dist, int32_t alpha, bool threeD)
{
    xml.BeginElement("a:effectStyle");
    xml.BeginElement("a:effectLst");
    xml.BeginElement("a:outerShdw");
    xml.AttributeRaw("blurRad", "40000");
    xml.Attribute("dist", dist);
    xml.AttributeRaw("dir", "5400000");
    xml.AttributeRaw("rotWithShape", "0");
    xml.BeginElement("a:srgbClr");
    xml.AttributeRaw("val", "000000");
    xml.BeginElement("a:alpha");
    xml.Attribute("val", alpha);
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
    xml.EndElement();
    if (threeD) {
        xml.BeginElement("a:scene3d");
        xml.BeginElement("a:camera");
        xml.AttributeRaw("prst", "orthographicFront");
        Rotation(xml, 0);
        xml.EndElement();
        xml.BeginElement("a:lightRig");
        xml.AttributeRaw("rig", "threePt");
        xml.AttributeRaw("dir", "t");
        Rotation(xml, 1200000);
        xml.EndElement();
        xml.EndElement();
        xml.BeginElement("a:sp3d");
        xml.BeginElement("a:bevelT");
        xml.AttributeRaw("w", "63500");
        xml.AttributeRaw("h", "25400");
        xml.EndElement();
        xml.EndElement();
    }
    xml.EndElement();
}

void FormatScheme(CXmlStream &xml)
{
    xml.BeginElement("a:fmtScheme");
    xml.AttributeRaw("name", "Office");

    xml.BeginElement("a:fillStyleLst");
    SolidPlaceholderFill(xml, {});
    LinearGradient(xml, "1", {{0, {{"a:tint", 50000}, {"a:satMod", 300000}}},
                              {35000, {{"a:tint", 37000}, {"a:satMod", 300000}}},
                              {100000, {{"a:tint", 15000}, {"a:satMod", 350000}}}});
    LinearGradient(xml, "0", {{0, {{"a:shade", 51000}, {"a:satMod", 130000}}},
                              {80000, {{"a:shade", 93000}, {"a:satMod", 130000}}},
                              {100000, {{"a:shade", 94000}, {"a:satMod", 135000}}}});
    xml.EndElement();

    xml.BeginElement("a:lnStyleLst");
    Line(xml, 9525, {{"a:shade", 95000}, {"a:satMod", 105000}});
    Line(xml, 25400, {});
    Line(xml, 38100, {});
    xml.EndElement();

    xml.BeginElement("a:effectStyleLst");
    EffectStyle(xml, 20000, 38000, false);
    EffectStyle(xml, 23000, 35000, false);
    EffectStyle(xml, 23000, 35000, true);
    xml.EndElement();

    xml.BeginElement("a:bgFillStyleLst");
    SolidPlaceholderFill(xml, {});
    CircleGradient(xml, {50000, -80000, 50000, 180000},
                   {{0, {{"a:tint", 40000}, {"a:satMod", 350000}}},
                    {40000, {{"a:tint", 45000}, {"a:shade", 99000}, {"a:satMod", 350000}}},
                    {100000, {{"a:shade", 20000}, {"a:satMod", 255000}}}});
    CircleGradient(xml, {50000, 50000, 50000, 50000},
                   {{0, {{"a:tint", 80000}, {"a:satMod", 300000}}},
                    {100000, {{"a:shade", 30000}, {"a:satMod", 200000}}}});
    xml.EndElement();

    xml.EndElement();
}

} // namespace

bool WriteThemePart(CTempTree &tree)
{
    CXmlStream xml(tree.RegisterPart("/xl/theme/theme1.xml"));
    xml.BeginElement("a:theme");
    xml.AttributeRaw("xmlns:a", Ns::kDrawingMain);
    xml.AttributeRaw("name", "Office Theme");
    xml.BeginElement("a:themeElements");
    ColorScheme(xml);
    FontScheme(xml);
    FormatScheme(xml);
    xml.EndElement();
    xml.BeginElement("a:objectDefaults");
    xml.EndElement();
    xml.BeginElement("a:extraClrSchemeLst");
    xml.EndElement();
    return xml.Close();
}

} // namespace Xlsx
