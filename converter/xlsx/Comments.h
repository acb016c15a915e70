#pragma once

#include "DualString.h"
#include "StyleTable.h"
#include "TextUtil.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Xlsx {

// One run of a note's rich text.
struct CCommentRun
{
    Font font;
    CDualString text;
};

// A cell comment (note): rich text attached to one cell of a worksheet, shown in a
// box beside it. The box position and size are in points.
struct CComment
{
    uint64_t sheetNumber = 0;
    std::vector<CCommentRun> runs;
    CCellPos cell;
    std::string fillColor = "#ffffe1";
    bool hidden = true;
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// A note on the cell holding the text in the usual note font, its box placed to the
// right of the cell as a spreadsheet program places a new one.
CComment NoteFor(const CCellPos &cell, const CDualString &text);

} // namespace Xlsx
