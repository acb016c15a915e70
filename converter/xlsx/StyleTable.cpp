#include "StyleTable.h"
#include "Platform.h"

namespace Xlsx {

namespace {

bool SameSide(const BorderItem &a, const BorderItem &b)
{
    return a.style == b.style && a.color == b.color;
}

// The diagonal side takes part too, so a style that differs only in its diagonal keeps it.
bool SameBorder(const Border &a, const Border &b)
{
    return a.diagonalUp == b.diagonalUp && a.diagonalDown == b.diagonalDown
        && SameSide(a.left, b.left) && SameSide(a.right, b.right)
        && SameSide(a.bottom, b.bottom) && SameSide(a.top, b.top)
        && SameSide(a.diagonal, b.diagonal);
}

bool SameFont(const Font &a, const Font &b)
{
    return a.size == b.size && a.name.narrow == b.name.narrow && a.theme == b.theme
        && a.color == b.color && a.attributes == b.attributes;
}

bool SameFill(const Fill &a, const Fill &b)
{
    return a.pattern == b.pattern && a.foreground == b.foreground && a.background == b.background;
}

bool IsBuiltIn(const NumFormat &f)
{
    return f.id < 164;
}

// A built-in format is known by its id alone; a custom one by what its code is built from.
bool SameNumFormat(const NumFormat &a, const NumFormat &b)
{
    if (IsBuiltIn(a) || IsBuiltIn(b))
        return IsBuiltIn(a) && IsBuiltIn(b) && a.id == b.id;
    return a.code == b.code && a.kind == b.kind && a.digits == b.digits
        && a.positiveColor == b.positiveColor && a.negativeColor == b.negativeColor
        && a.zeroColor == b.zeroColor && a.thousands == b.thousands;
}

bool SameAlignment(const Alignment &a, const Alignment &b)
{
    return a.horizontal == b.horizontal && a.vertical == b.vertical && a.wrap == b.wrap
        && a.rotation == b.rotation;
}

template <typename T, typename Equal>
uint32_t FindOrAppend(std::vector<T> &list, const T &item, Equal equal)
{
    for (size_t i = 0; i < list.size(); ++i)
        if (equal(list[i], item))
            return uint32_t(i);
    list.push_back(item);
    return uint32_t(list.size() - 1);
}

const char *ColorToken(int color)
{
    static const char *const tokens[] = {"", "[BLACK]", "[Green]", "[White]", "[Blue]",
                                         "[Magenta]", "[Yellow]", "[Cyan]", "[Red]"};
    return color >= 0 && color < int(std::size(tokens)) ? tokens[color] : "";
}

// The symbol as a quoted literal, so that letters in it ("грн", "Kč") are not
// taken for format codes.
std::string QuotedSymbol(const std::string &symbol)
{
    std::string quoted;
    for (char c : symbol)
        if (c != '"')
            quoted += c;
    return quoted.empty() ? quoted : '"' + quoted + '"';
}

} // namespace

uint64_t CStyleTable::FindOrAdd(const Style &style)
{
    CellFormat cell;
    cell.border = FindOrAppend(m_borders, style.border, SameBorder);
    cell.font = FindOrAppend(m_fonts, style.font, SameFont);
    cell.fill = FindOrAppend(m_fills, style.fill, SameFill);

    bool found = false;
    for (const NumFormat &known : m_numFormats) {
        if (SameNumFormat(known, style.numFormat)) {
            cell.numFormat = known.id;
            found = true;
            break;
        }
    }
    if (!found) {
        NumFormat added = style.numFormat;
        if (!IsBuiltIn(added))
            added.id = m_nextCustomId++;
        m_numFormats.push_back(added);
        cell.numFormat = added.id;
    }

    for (size_t i = 0; i < m_cellFormats.size(); ++i) {
        const CellFormat &known = m_cellFormats[i];
        if (known.border == cell.border && known.font == cell.font && known.fill == cell.fill
            && known.numFormat == cell.numFormat && SameAlignment(m_alignments[i], style.alignment))
            return i;
    }
    m_cellFormats.push_back(cell);
    m_alignments.push_back(style.alignment);
    return m_cellFormats.size() - 1;
}

const std::string &CStyleTable::CurrencySymbolText()
{
    if (!m_currencyKnown) {
        m_currencySymbol = CurrencySymbol();
        m_currencyKnown = true;
    }
    return m_currencySymbol;
}

std::string NumFormatCode(CStyleTable &table, const NumFormat &format)
{
    if (!format.code.empty())
        return format.code;
    switch (format.kind) {
    case DateKind: return "yyyy.mm.dd";
    case TimeKind: return "hh:mm:ss";
    case DateTimeKind: return "yyyy.mm.dd hh:mm:ss";
    default: break;
    }

    std::string body = format.thousands ? "#,##0" : "0";
    if (format.digits > 0)
        body += '.' + std::string(size_t(format.digits), '0');

    if (format.kind == AccountingKind) {
        const std::string symbol = QuotedSymbol(table.CurrencySymbolText());
        return std::string(ColorToken(format.positiveColor)) + "_-* " + body + symbol + "_-;"
            + ColorToken(format.negativeColor) + "\\-* " + body + symbol + "_-;"
            + "_-* \"-\"??" + symbol + "_-;" + "_-@_-";
    }

    std::string suffix;
    if (format.kind == PercentKind)
        suffix = "%";
    else if (format.kind == ScientificKind)
        suffix = "E+00";
    else if (format.kind == CurrencyKind)
        suffix = ' ' + QuotedSymbol(table.CurrencySymbolText());

    std::string code = ColorToken(format.positiveColor) + body + suffix;
    const bool negativeSection = format.negativeColor != 0 || format.positiveColor != 0;
    if (negativeSection)
        code += std::string(";") + ColorToken(format.negativeColor) + "\\-" + body + suffix;
    if (format.zeroColor != 0 || format.positiveColor != 0)
        code += std::string(negativeSection ? ";" : ";;") + ColorToken(format.zeroColor) + "0" + suffix;
    return code;
}

} // namespace Xlsx
