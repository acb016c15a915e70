#include "TextUtil.h"
#include "DualString.h"

namespace Xlsx {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string &out, char32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

bool IsHighSurrogate(char32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

} // namespace

std::string ToUtf8(const std::wstring &text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t unit = char32_t(text[i]);
        if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(char32_t(text[i + 1]))) {
            char32_t low = char32_t(text[++i]);
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit) || unit > 0x10FFFF) {
            unit = kReplacement;
        }
        AppendUtf8(out, unit);
    }
    return out;
}

std::wstring FromUtf8(const std::string &text)
{
    std::wstring out;
    out.reserve(text.size());
    const auto *p = reinterpret_cast<const unsigned char *>(text.data());
    const auto *end = p + text.size();
    while (p < end) {
        unsigned char lead = *p++;
        int follow = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (lead < 0x80) {
            out += wchar_t(lead);
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            follow = 1, cp = lead & 0x1F, minimum = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            follow = 2, cp = lead & 0x0F, minimum = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            follow = 3, cp = lead & 0x07, minimum = 0x10000;
        } else {
            out += wchar_t(kReplacement);
            continue;
        }
        int taken = 0;
        while (taken < follow && p < end && (*p & 0xC0) == 0x80) {
            cp = (cp << 6) | (*p++ & 0x3F);
            ++taken;
        }
        if (taken < follow || cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            cp = kReplacement;
        if constexpr (sizeof(wchar_t) == 2) {
            if (cp >= 0x10000) {
                cp -= 0x10000;
                out += wchar_t(0xD800 + (cp >> 10));
                out += wchar_t(0xDC00 + (cp & 0x3FF));
                continue;
            }
        }
        out += wchar_t(cp);
    }
    return out;
}

const char *CellRefToText(const CCellPos &pos, char (&buffer)[kCellRefBufferSize])
{
    // Built backwards from the end: row digits, then the column letters in
    // bijective base 26 (A..Z, AA..ZZ, AAA..).
    char *p = buffer + kCellRefBufferSize - 1;
    *p = '\0';
    uint32_t row = pos.row;
    do {
        *--p = char('0' + row % 10);
        row /= 10;
    } while (row != 0);
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    uint32_t c = pos.column;
    *--p = letters[c % 26];
    for (uint32_t q = c / 26; q != 0; q = (q - 1) / 26)
        *--p = letters[(q - 1) % 26];
    return p;
}

std::string CellRefToText(const CCellPos &pos)
{
    char buffer[kCellRefBufferSize];
    return CellRefToText(pos, buffer);
}

CDualString::CDualString(const std::wstring &text) : narrow(ToUtf8(text)), wide(text) {}

CDualString::CDualString(const std::string &utf8) : narrow(utf8), wide(FromUtf8(utf8)) {}

} // namespace Xlsx
