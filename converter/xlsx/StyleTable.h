#pragma once

#include "DualString.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Xlsx {

class CTempTree;
class CXmlStream;

// Font attribute bits.
enum FontAttribute : uint32_t {
    FontBold = 1, FontItalic = 2, FontUnderline = 4, FontStrike = 8,
    FontOutline = 16, FontShadow = 32, FontCondense = 64, FontExtend = 128
};

struct Font
{
    CDualString name{std::string("Calibri"), std::wstring(L"Calibri")};
    std::string color;            // "AARRGGBB", used when theme is off
    int size = 11;                // points
    uint32_t attributes = 0;      // FontAttribute bits
    bool theme = true;            // colour from the theme
};

// Pattern types 0-18, from "none" (0) and "solid" (1) to "gray125" (17) and "gray0625" (18).
struct Fill
{
    int pattern = 0;
    std::string foreground;
    std::string background;
};

// Line styles 1-13 ("thin" .. "slantDashDot"); 0 is no line.
struct BorderItem
{
    int style = 0;
    std::string color;
};

struct Border
{
    BorderItem left, right, bottom, top, diagonal;
    bool diagonalUp = false;
    bool diagonalDown = false;
};

// Kinds of a number format built from its fields.
enum NumFormatKind {
    NumberKind = 0, NumberKind1 = 1, PercentKind = 2, ScientificKind = 3, AccountingKind = 4,
    CurrencyKind = 5, DateKind = 6, TimeKind = 7, DateTimeKind = 8
};

// Section colours 0-8: none, "[BLACK]", "[Green]", "[White]", "[Blue]", "[Magenta]",
// "[Yellow]", "[Cyan]", "[Red]".
struct NumFormat
{
    uint32_t id = 164;            // below 164 a built-in format, else a custom one numbered by the table
    std::string code;             // empty: built from the fields below
    int kind = NumberKind;
    int positiveColor = 0;
    int negativeColor = 0;
    int zeroColor = 0;
    bool thousands = false;
    int digits = 2;               // after the decimal point
};

// Horizontal 1 left, 2 center, 3 right; vertical 1 top, 2 center, 3 bottom; 0 none.
struct Alignment
{
    int horizontal = 0;
    int vertical = 0;
    bool wrap = false;
    int rotation = 0;
};

struct Style
{
    Font font;
    Fill fill;
    Border border;
    NumFormat numFormat;
    Alignment alignment;
};

// The workbook's cell styles: turns full style descriptions into the small indexes
// that cells carry, sharing equal fonts, fills, borders, number formats and cell formats.
class CStyleTable
{
public:
    struct CellFormat
    {
        uint32_t border = 0;
        uint32_t font = 0;
        uint32_t fill = 0;
        uint32_t numFormat = 0;   // the number format's id
    };

    // Index of a cell format equal to the style, appended when there is none yet.
    uint64_t FindOrAdd(const Style &style);

    // The system's currency symbol, asked for once per table, when first needed.
    const std::string &CurrencySymbolText();

    const std::vector<Border> &Borders() const { return m_borders; }
    const std::vector<Font> &Fonts() const { return m_fonts; }
    const std::vector<Fill> &Fills() const { return m_fills; }
    const std::vector<NumFormat> &NumFormats() const { return m_numFormats; }
    const std::vector<CellFormat> &CellFormats() const { return m_cellFormats; }
    const std::vector<Alignment> &Alignments() const { return m_alignments; }

private:
    std::vector<Border> m_borders;
    std::vector<Font> m_fonts;
    std::vector<Fill> m_fills;
    std::vector<NumFormat> m_numFormats;
    std::vector<CellFormat> m_cellFormats;
    std::vector<Alignment> m_alignments;
    uint32_t m_nextCustomId = 164;
    std::string m_currencySymbol;
    bool m_currencyKnown = false;
};

// The format code written for a custom number format.
std::string NumFormatCode(CStyleTable &table, const NumFormat &format);

// Writes a font's properties: the attribute elements, size, name (as nameElement),
// character set and colour. Fonts of the styles part and runs of rich text share it.
void WriteFontProperties(CXmlStream &xml, const Font &font, const char *nameElement, const char *charset);

// Writes "/xl/styles.xml" from the table. False when the part could not be written completely.
bool SaveStyles(CStyleTable &table, CTempTree &tree);

} // namespace Xlsx
