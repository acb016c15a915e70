#pragma once

#include <cstdint>
#include <string>

namespace Xlsx {

// A cell position: the row counted from 1 (as written into the file), the column from 0 (A = 0).
struct CCellPos
{
    uint32_t row = 1;
    uint32_t column = 0;
};

// A rectangular range of cells, first and last corner included.
struct CCellSpan
{
    CCellPos first;
    CCellPos last;
};

// Wide text to UTF-8. Surrogate pairs and code points beyond the Basic Multilingual
// Plane become four-byte sequences; a lone surrogate or a value beyond U+10FFFF
// becomes U+FFFD, so the result is always valid UTF-8.
std::string ToUtf8(const std::wstring &text);

// UTF-8 to wide text; malformed sequences become U+FFFD.
std::wstring FromUtf8(const std::string &text);

// A1 text of a cell position. The buffer variant writes into the end of a caller's
// buffer of 20 characters and returns a pointer to the first letter.
constexpr size_t kCellRefBufferSize = 20;
const char *CellRefToText(const CCellPos &pos, char (&buffer)[kCellRefBufferSize]);
std::string CellRefToText(const CCellPos &pos);

} // namespace Xlsx
