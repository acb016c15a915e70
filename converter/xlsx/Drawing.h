#pragma once

#include "ImageSize.h"
#include "TextUtil.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Xlsx {

class CChartPart;
class CTempTree;
class CXmlStream;

// How an anchor places its object.
enum DrawingAnchorKind : uint32_t {
    AnchorChartAbsolute = 0,   // the chart at a fixed position and size
    AnchorChartTwoCell = 1,    // the chart between two cells
    AnchorPictureOneCell = 2,  // the picture from a cell, its extent in EMU
    AnchorPictureTwoCell = 3   // the picture between two cells
};

// English metric units per pixel at 96 pixels per inch.
constexpr uint32_t kEmuPerPixel = 9525;

// One picture of the workbook: its image data lives in the package's media folder.
struct CPicture
{
    std::string mediaFileName;   // file name in the media folder, also the picture's display name
    int32_t imageType = ImageNone;
    uint16_t width = 0;          // pixels
    uint16_t height = 0;
    std::vector<char> data;      // the image file, written into the package when it is saved
};

// Where one chart or picture stands on a sheet. Columns and rows count from 0.
struct CDrawingAnchor
{
    const CChartPart *chart = nullptr;     // kinds 0 and 1
    const CPicture *picture = nullptr;     // kinds 2 and 3
    uint32_t kind = AnchorChartTwoCell;
    uint32_t fromColumn = 0;
    uint32_t fromColumnOffset = 0;         // EMU
    uint32_t fromRow = 0;
    uint32_t fromRowOffset = 0;
    uint32_t toColumn = 0;                 // kind 2: the width in EMU
    uint32_t toColumnOffset = 0;
    uint32_t toRow = 0;                    // kind 2: the height in EMU
    uint32_t toRowOffset = 0;
};

// The charts and pictures placed on one sheet, written as the drawing part
// "/xl/drawings/drawing" N ".xml" with its relationships. A drawing without anchors
// writes nothing.
class CDrawing
{
public:
    CDrawing(uint64_t number, CTempTree &tree) : m_number(number), m_tempTree(tree) {}
    virtual ~CDrawing() = default;
    CDrawing(const CDrawing &) = delete;
    CDrawing &operator=(const CDrawing &) = delete;

    // False when an anchor lacks the object its kind shows, or the kind is unknown.
    bool AddAnchor(const CDrawingAnchor &anchor);
    // False when a part could not be written completely.
    bool Save();
    bool SaveRels();
    bool SaveDrawing();

    uint64_t Number() const { return m_number; }
    bool HasAnchors() const { return !m_anchors.empty(); }
    const std::vector<CDrawingAnchor> &Anchors() const { return m_anchors; }

    static void WriteChartFrame(CXmlStream &xml, const CChartPart &chart, uint32_t anchorNumber);
    static void WritePicture(CXmlStream &xml, const CPicture &picture, uint32_t anchorNumber);

private:
    uint64_t m_number;
    CTempTree &m_tempTree;
    std::vector<CDrawingAnchor> m_anchors;
};

// A one-cell anchor that shows the picture at its pixel size from the cell.
CDrawingAnchor PictureAnchor(const CPicture &picture, const CCellPos &cell);
// A two-cell anchor that spans the chart over the cells, both corners covered.
CDrawingAnchor ChartAnchor(const CChartPart &chart, const CCellSpan &cells);

} // namespace Xlsx
