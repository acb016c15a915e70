#include "XmlStream.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace Xlsx {

namespace {

constexpr std::string_view kDeclaration =
    "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// A text that already reads like the spreadsheet's escape form "_xHHHH_"
// would be decoded by a reader; its underscore is escaped so the text survives.
bool LooksLikeEscape(std::string_view text, size_t at)
{
    if (at + 7 > text.size() || text[at + 1] != 'x' || text[at + 6] != '_')
        return false;
    for (size_t i = at + 2; i < at + 6; ++i)
        if (!IsHexDigit(text[i]))
            return false;
    return true;
}

bool IsNonCharacter(std::string_view text, size_t at)
{
    // U+FFFE and U+FFFF, which XML does not allow either.
    return at + 2 < text.size() && uint8_t(text[at]) == 0xEF && uint8_t(text[at + 1]) == 0xBF
        && (uint8_t(text[at + 2]) == 0xBE || uint8_t(text[at + 2]) == 0xBF);
}

bool NeedsEscape(unsigned char c)
{
    return c < 0x20 || c == '&' || c == '<' || c == '>' || c == '"' || c == '\'' || c == '_'
        || c == 0xEF;
}

} // namespace

CXmlStream::CXmlStream(const std::string &path)
{
    m_file = std::fopen(path.c_str(), "wb");
    m_ok = m_file != nullptr;
    Raw(kDeclaration);
}

CXmlStream::~CXmlStream()
{
    Close();
}

void CXmlStream::Flush()
{
    if (m_used == 0)
        return;
    if (m_file == nullptr || std::fwrite(m_buffer, 1, m_used, m_file) != m_used)
        m_ok = false;
    m_used = 0;
}

bool CXmlStream::Close()
{
    while (!names.empty())
        EndElement();
    Flush();
    if (m_file != nullptr) {
        if (std::fclose(m_file) != 0)
            m_ok = false;
        m_file = nullptr;
    }
    return m_ok;
}

void CXmlStream::BeginElement(const char *name)
{
    CloseStartTag();
    Put('<');
    Raw(name);
    tagOpen = true;
    empty = true;
    names.emplace_back(name);
}

void CXmlStream::OpenTag(const char *name)
{
    CloseStartTag();
    Put('<');
    Raw(name);
    tagOpen = false;
    empty = false;
}

void CXmlStream::Attribute(const char *name, std::string_view value)
{
    Put(' ');
    Raw(name);
    Raw("=\"");
    WriteEscaped(value);
    Put('"');
}

void CXmlStream::AttributeRaw(const char *name, std::string_view value)
{
    Put(' ');
    Raw(name);
    Raw("=\"");
    Raw(value);
    Put('"');
}

void CXmlStream::Attribute(const char *name, int32_t value)
{
    Put(' ');
    Raw(name);
    Raw("=\"");
    SignedInteger(value);
    Put('"');
}

void CXmlStream::Attribute(const char *name, uint32_t value)
{
    Attribute(name, uint64_t(value));
}

void CXmlStream::Attribute(const char *name, uint64_t value)
{
    Put(' ');
    Raw(name);
    Raw("=\"");
    Integer(value);
    Put('"');
}

void CXmlStream::Attribute(const char *name, double value)
{
    Put(' ');
    Raw(name);
    Raw("=\"");
    Number(value);
    Put('"');
}

void CXmlStream::TextElement(const char *name, std::string_view text)
{
    CloseStartTag();
    Put('<');
    Raw(name);
    Put('>');
    WriteEscaped(text);
    Raw("</");
    Raw(name);
    Put('>');
    empty = false;
}

void CXmlStream::IntElement(const char *name, uint64_t value)
{
    CloseStartTag();
    Put('<');
    Raw(name);
    Put('>');
    Integer(value);
    Raw("</");
    Raw(name);
    Put('>');
    empty = false;
}

void CXmlStream::EndElement()
{
    if (names.empty())
        return;
    if (empty) {
        Raw("/>");
    } else {
        CloseStartTag();
        Raw("</");
        Raw(names.back());
        Put('>');
    }
    names.pop_back();
    tagOpen = false;
    empty = false;
}

void CXmlStream::RawInPieces(std::string_view text)
{
    while (!text.empty()) {
        if (m_used == sizeof m_buffer)
            Flush();
        size_t n = std::min(text.size(), sizeof m_buffer - m_used);
        std::memcpy(m_buffer + m_used, text.data(), n);
        m_used += n;
        text.remove_prefix(n);
    }
}

void CXmlStream::WriteEscaped(std::string_view text)
{
    size_t clean = 0; // start of the run not yet written
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = uint8_t(text[i]);
        if (!NeedsEscape(c))
            continue;
        const char *replacement = nullptr;
        char hex[8];
        switch (c) {
        case '&': replacement = "&amp;"; break;
        case '<': replacement = "&lt;"; break;
        case '>': replacement = "&gt;"; break;
        case '"': replacement = "&quot;"; break;
        case '\'': replacement = "&apos;"; break;
        // Character references, so that attribute normalisation and line-end
        // handling of a reader give back the very characters written.
        case '\t': replacement = "&#9;"; break;
        case '\n': replacement = "&#10;"; break;
        case '\r': replacement = "&#13;"; break;
        case '_':
            if (LooksLikeEscape(text, i))
                replacement = "_x005F_";
            break;
        case 0xEF:
            if (IsNonCharacter(text, i)) {
                Raw(text.substr(clean, i - clean));
                Raw(uint8_t(text[i + 2]) == 0xBE ? "_xFFFE_" : "_xFFFF_");
                i += 2;
                clean = i + 1;
            }
            continue;
        default: {
            // Control characters that XML 1.0 does not allow, in the spreadsheet's own form.
            static const char digits[] = "0123456789ABCDEF";
            std::memcpy(hex, "_x00", 4);
            hex[4] = digits[c >> 4];
            hex[5] = digits[c & 15];
            hex[6] = '_';
            hex[7] = '\0';
            replacement = hex;
        }
        }
        if (replacement == nullptr)
            continue;
        Raw(text.substr(clean, i - clean));
        Raw(replacement);
        clean = i + 1;
    }
    Raw(text.substr(clean));
}

void CXmlStream::Number(double value)
{
    char *at = Reserve(kNumberTextRoom);
    Commit(at + FormatNumber(value, at));
}

void CXmlStream::Integer(uint64_t value)
{
    char digits[24];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    Raw(std::string_view(digits, size_t(result.ptr - digits)));
}

void CXmlStream::SignedInteger(int64_t value)
{
    char digits[24];
    auto result = std::to_chars(digits, digits + sizeof digits, value);
    Raw(std::string_view(digits, size_t(result.ptr - digits)));
}

} // namespace Xlsx
