#pragma once

#include "DualString.h"
#include "Worksheet.h"

#include <cstdint>

namespace Xlsx {

class CDrawing;
class CTempTree;

// A sheet that shows one chart over the whole sheet instead of cells. The chart
// stands in the sheet's own drawing; the workbook owns sheet, drawing and chart.
class CChartSheetPart : public CSheet
{
public:
    CChartSheetPart(uint64_t number, const CDualString &title, CDrawing &drawing, CTempTree &tree)
        : m_number(number), m_title(title), m_drawing(drawing), m_tempTree(tree)
    {
    }

    CDualString GetTitle() const override { return m_title; }
    uint64_t Id() const { return m_number; }

    // Writes "/xl/chartsheets/sheet" N ".xml" and its relationships; false when a
    // part could not be written completely.
    bool Save();

private:
    uint64_t m_number;
    CDualString m_title;
    CDrawing &m_drawing;
    CTempTree &m_tempTree;
};

} // namespace Xlsx
