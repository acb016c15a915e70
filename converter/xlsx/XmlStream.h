#pragma once

#include "NumberText.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace Xlsx {

// Forward-only XML writer that streams one package part straight into its file.
// Elements are written with no white space between them; an element without
// content is closed as "/>". Numbers are written independently of the process
// locale. A failure to open, write or close the file is remembered and reported
// by Close(), so a part that did not reach the disk completely is never taken
// for a good one.
class CXmlStream
{
public:
    explicit CXmlStream(const std::string &path);
    ~CXmlStream();
    CXmlStream(const CXmlStream &) = delete;
    CXmlStream &operator=(const CXmlStream &) = delete;

    void BeginElement(const char *name);
    // Starts an element that the caller completes itself with raw text (attributes,
    // then "/>" or its content and end tag); nothing is pushed.
    void OpenTag(const char *name);

    // Attribute values that may come from outside the writer are escaped.
    void Attribute(const char *name, std::string_view value);
    void Attribute(const char *name, const char *value) { Attribute(name, std::string_view(value)); }
    void Attribute(const char *name, const std::string &value) { Attribute(name, std::string_view(value)); }
    // Values the writer builds itself (namespaces, fixed tokens) go out unchanged.
    void AttributeRaw(const char *name, std::string_view value);
    void Attribute(const char *name, int32_t value);
    void Attribute(const char *name, uint32_t value);
    void Attribute(const char *name, uint64_t value);
    void Attribute(const char *name, double value);

    // An element holding only text (escaped) or an unsigned number.
    void TextElement(const char *name, std::string_view text);
    void IntElement(const char *name, uint64_t value);

    void EndElement();

    // Completes a pending start tag and marks the innermost element as having content,
    // for callers that write content themselves.
    void BeginContent()
    {
        CloseStartTag();
        empty = false;
    }
    void WriteEscaped(std::string_view text);
    void Raw(std::string_view text)
    {
        if (text.size() <= sizeof m_buffer - m_used) {
            std::memcpy(m_buffer + m_used, text.data(), text.size());
            m_used += text.size();
        } else {
            RawInPieces(text);
        }
    }
    // Room for up to `most` bytes (at most the buffer's size) written in place by the
    // caller, who hands back the end of what it wrote to Commit. Spares the copies of
    // the small pieces a cell is made of.
    char *Reserve(size_t most)
    {
        if (sizeof m_buffer - m_used < most)
            Flush();
        return m_buffer + m_used;
    }
    void Commit(const char *end) { m_used = size_t(end - m_buffer); }
    void Number(double value);
    void Integer(uint64_t value);
    void SignedInteger(int64_t value);

    // Ends every open element, flushes and closes the file. True when the file
    // was opened and every byte reached it.
    bool Close();
    bool IsOpen() const { return m_file != nullptr; }

private:
    void Put(char c)
    {
        if (m_used == sizeof m_buffer)
            Flush();
        m_buffer[m_used++] = c;
    }
    void Flush();
    void RawInPieces(std::string_view text);
    void CloseStartTag()
    {
        if (tagOpen) {
            Put('>');
            tagOpen = false;
        }
    }

    bool tagOpen = false;
    bool empty = true;
    std::FILE *m_file = nullptr;
    bool m_ok = false;
    std::vector<std::string> names;
    size_t m_used = 0;
    char m_buffer[1 << 16];
};

} // namespace Xlsx
