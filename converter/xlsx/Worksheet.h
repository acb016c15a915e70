#pragma once

#include "DualString.h"
#include "TextUtil.h"

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace Xlsx {

class CDrawing;
class CTempTree;
class CXmlStream;

// The workbook's shared-string table: each distinct cell text and its index, the
// indexes following the order of first use.
using SharedStringTable = std::unordered_map<std::string, uint64_t>;

// Base of the sheets a workbook lists.
class CSheet
{
public:
    virtual ~CSheet() = default;
    virtual CDualString GetTitle() const = 0;
};

// A column-width entry: first and last column (0-based) and the width in characters.
struct ColumnWidth
{
    uint32_t first = 0;
    uint32_t last = 0;
    float width = 0;
};

// One relationship of a part.
struct Relationship
{
    std::string id;
    const char *type;
    std::string target;
};

// The relationships of worksheet number id: its drawing (numbered drawingNumber; 0
// when the sheet shows no drawing) first, then the notes drawing and the comments.
std::vector<Relationship> SheetRelationships(uint64_t id, uint64_t drawingNumber, bool hasComments);

// Writes one worksheet part while the caller fills it: every row and cell goes to
// the part file the moment it is added, so nothing of the cells stays in memory.
class CWorksheet : public CSheet
{
public:
    CWorksheet(uint64_t id, CTempTree &tree, SharedStringTable &sharedStrings);
    ~CWorksheet() override;
    CWorksheet(const CWorksheet &) = delete;
    CWorksheet &operator=(const CWorksheet &) = delete;

    CDualString GetTitle() const override { return m_title; }

    // Starts the part again with frozen panes and column widths; rows written so far are
    // dropped, the title and any notes of the sheet stay.
    void WriteHead(uint32_t frozenColumns, uint32_t frozenRows, const std::vector<ColumnWidth> &widths);

    // Closes an open row and opens the next one; a height above 0 is a custom row height in points.
    void OpenRow(double height = 0);
    void CloseRow();
    // A number cell; a value that is not a finite number is written as an empty cell.
    void PutCell(double value, uint64_t style = 0);
    // A shared-string cell, a formula cell (text starting with '=') or, for an empty
    // text, a style-only cell (nothing at all with style 0). The column always advances.
    void PutCell(const std::string &text, uint64_t style = 0);
    void MergeCells(const CCellSpan &span);

    // Writes the tail, closes the part and writes its relationships when it has any.
    // False when the part could not be written completely.
    bool Save();
    bool SaveRels();

    uint64_t Id() const { return m_id; }
    bool HasFormulas() const { return m_hasFormulas; }
    const std::vector<std::string> &FormulaCells() const { return m_formulaCells; }
    bool HasComments() const { return m_hasComments; }
    // Number of the sheet's drawing when it shows anything, else 0.
    uint64_t DrawingNumber() const;

private:
    friend class CWorkbook;

    // Drops the part stream without finishing it; the sheet takes no more rows.
    void Abandon();
    void WritePane(uint32_t frozenColumns, uint32_t frozenRows);
    void Selection(const char *pane, const CCellPos &cell);
    bool BeginCell();
    // Writes the start of the current cell at `at`: its reference (<c r="B12") and any style.
    char *CellStart(char *at, uint64_t style) const;

    uint64_t m_id;
    std::unique_ptr<CXmlStream> m_stream;
    std::vector<std::string> m_formulaCells;
    SharedStringTable *m_sharedStrings;
    std::vector<std::string> m_mergedCells;
    CDualString m_title;
    bool m_hasFormulas = false;
    bool m_hasComments = false;   // set once notes are attached to the sheet
    bool m_ready = false;
    uint32_t m_row = 0;
    char m_rowDigits[10];         // the text of m_row, for the references of its cells
    uint32_t m_rowDigitCount = 0;
    bool m_rowOpen = false;
    uint32_t m_column = 0;
    int m_orientation = 0;        // 0 portrait, 1 landscape
    CTempTree &m_tempTree;
    CDrawing *m_drawing = nullptr;  // the sheet's drawing, owned by the workbook
};

} // namespace Xlsx
