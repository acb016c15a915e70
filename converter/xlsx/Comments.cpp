#include "Comments.h"
#include "DrawingNamespaces.h"
#include "Namespaces.h"
#include "TempTree.h"
#include "Workbook.h"
#include "XmlStream.h"

#include <algorithm>

namespace Xlsx {

namespace {

// Default column width and row height in points, to place a new note's box.
constexpr int32_t kColumnWidthPt = 48;
constexpr int32_t kRowHeightPt = 15;
constexpr int32_t kNoteWidthPt = 108;
constexpr int32_t kNoteHeightPt = 59;
constexpr int32_t kNoteGapPt = 11;
// Shape numbers of notes start above this value.
constexpr uint64_t kFirstShapeBase = 1000;

bool HasLineFeed(const CComment &comment)
{
    return std::any_of(comment.runs.begin(), comment.runs.end(), [](const CCommentRun &run) {
        return run.text.narrow.find('\n') != std::string::npos;
    });
}

std::string NoteStyle(const CComment &comment)
{
    std::string style;
    if (comment.left >= 0 && comment.top >= 0 && comment.width >= 1 && comment.height >= 1)
        style = "position:absolute; margin-left:" + std::to_string(comment.left) + "pt;margin-top:"
            + std::to_string(comment.top) + "pt;width:" + std::to_string(comment.width) + "pt;height:"
            + std::to_string(comment.height) + "pt; z-index:2";
    if (comment.hidden)
        style += ";visibility:hidden";
    if (HasLineFeed(comment))
        style += ";mso-wrap-style:tight";
    return style;
}

void EmptyElement(CXmlStream &xml, const char *name)
{
    xml.BeginElement(name);
    xml.EndElement();
}

} // namespace

CComment NoteFor(const CCellPos &cell, const CDualString &text)
{
    CComment comment;
    comment.cell = cell;
    CCommentRun run;
    run.font.name = CDualString(std::string("Tahoma"), std::wstring(L"Tahoma"));
    run.font.size = 9;
    run.font.theme = false;
    run.font.color = "FF000000";
    run.text = text;
    comment.runs.push_back(run);
    const int64_t left = int64_t(cell.column + 1) * kColumnWidthPt + kNoteGapPt;
    const int64_t top = int64_t(cell.row > 0 ? cell.row - 1 : 0) * kRowHeightPt + 1;
    comment.left = int32_t(std::min<int64_t>(left, INT32_MAX));
    comment.top = int32_t(std::min<int64_t>(top, INT32_MAX));
    comment.width = kNoteWidthPt;
    comment.height = kNoteHeightPt;
    return comment;
}

bool CWorkbook::AddComment(CWorksheet &sheet, CComment comment)
{
    // Rows count from 1, and a cell carries one note at most.
    if (comment.cell.row == 0)
        return false;
    comment.sheetNumber = sheet.Id();
    for (const CComment &other : m_comments)
        if (other.sheetNumber == comment.sheetNumber && other.cell.row == comment.cell.row
            && other.cell.column == comment.cell.column)
            return false;
    m_comments.push_back(std::move(comment));
    sheet.m_hasComments = true;
    return true;
}

bool CWorkbook::SaveComments()
{
    if (m_comments.empty())
        return true;
    // Sheet by sheet; the notes of one sheet keep the order they were added in.
    std::stable_sort(m_comments.begin(), m_comments.end(), [](const CComment &a, const CComment &b) {
        return a.sheetNumber < b.sheetNumber;
    });
    bool ok = true;
    for (auto begin = m_comments.begin(); begin != m_comments.end();) {
        auto end = std::find_if(begin, m_comments.end(), [&](const CComment &c) {
            return c.sheetNumber != begin->sheetNumber;
        });
        std::vector<const CComment *> group;
        for (auto it = begin; it != end; ++it)
            group.push_back(&*it);
        ok = SaveSheetComments(group) && ok;
        begin = end;
    }
    return ok;
}

bool CWorkbook::SaveSheetComments(const std::vector<const CComment *> &comments)
{
    const std::string number = std::to_string(comments.front()->sheetNumber);
    bool ok;
    {
        CXmlStream xml(m_tempTree.RegisterPart("/xl/comments" + number + ".xml"));
        xml.BeginElement("comments");
        xml.AttributeRaw("xmlns", Ns::kMain);
        xml.BeginElement("authors");
        xml.TextElement("author", m_author.narrow);
        xml.EndElement();
        xml.BeginElement("commentList");
        for (const CComment *comment : comments)
            WriteComment(xml, *comment);
        xml.EndElement();
        ok = xml.Close();
    }

    CXmlStream xml(m_tempTree.RegisterPart("/xl/drawings/vmlDrawing" + number + ".vml"));
    xml.BeginElement("xml");
    xml.AttributeRaw("xmlns:v", Ns::kVml);
    xml.AttributeRaw("xmlns:o", Ns::kVmlOffice);
    xml.AttributeRaw("xmlns:x", Ns::kVmlExcel);
    xml.BeginElement("o:shapelayout");
    xml.AttributeRaw("v:ext", "edit");
    xml.BeginElement("o:idmap");
    xml.AttributeRaw("v:ext", "edit");
    xml.AttributeRaw("data", "1");
    xml.EndElement();
    xml.EndElement();
    xml.BeginElement("v:shapetype");
    xml.AttributeRaw("id", "_x0000_t202");
    xml.AttributeRaw("coordsize", "21600,21600");
    xml.AttributeRaw("o:spt", "202");
    xml.AttributeRaw("path", "m,l,21600r21600,l21600,xe");
    xml.BeginElement("v:stroke");
    xml.AttributeRaw("joinstyle", "miter");
    xml.EndElement();
    xml.BeginElement("v:path");
    xml.AttributeRaw("gradientshapeok", "t");
    xml.AttributeRaw("o:connecttype", "rect");
    xml.EndElement();
    xml.EndElement();
    for (const CComment *comment : comments)
        WriteNoteShape(xml, *comment);
    return xml.Close() && ok;
}

void CWorkbook::WriteComment(CXmlStream &xml, const CComment &comment)
{
    xml.BeginElement("comment");
    xml.Attribute("ref", CellRefToText(comment.cell));
    xml.AttributeRaw("authorId", "0");
    xml.BeginElement("text");
    for (const CCommentRun &run : comment.runs) {
        xml.BeginElement("r");
        xml.BeginElement("rPr");
        WriteFontProperties(xml, run.font, "rFont", "1");
        xml.EndElement();
        xml.BeginElement("t");
        xml.AttributeRaw("xml:space", "preserve");
        xml.BeginContent();
        xml.WriteEscaped(run.text.narrow);
        xml.EndElement();
        xml.EndElement();
    }
    xml.EndElement();
    xml.EndElement();
}

void CWorkbook::WriteNoteShape(CXmlStream &xml, const CComment &comment)
{
    ++commentShapeCount;
    xml.BeginElement("v:shape");
    xml.AttributeRaw("id", "_x0000_s" + std::to_string(commentShapeCount + kFirstShapeBase));
    xml.AttributeRaw("type", "#_x0000_t202");
    xml.Attribute("style", NoteStyle(comment));
    xml.Attribute("fillcolor", comment.fillColor);
    xml.AttributeRaw("o:insetmode", "auto");
    xml.BeginElement("v:fill");
    xml.Attribute("color2", comment.fillColor);
    xml.EndElement();
    xml.BeginElement("v:shadow");
    xml.AttributeRaw("on", "t");
    xml.AttributeRaw("color", "black");
    xml.AttributeRaw("obscured", "t");
    xml.EndElement();
    xml.BeginElement("v:path");
    xml.AttributeRaw("o:connecttype", "none");
    xml.EndElement();
    xml.BeginElement("v:textbox");
    xml.AttributeRaw("style", "mso-direction-alt:auto");
    xml.BeginElement("div");
    xml.AttributeRaw("style", "text-align:left");
    xml.EndElement();
    xml.EndElement();
    xml.BeginElement("x:ClientData");
    xml.AttributeRaw("ObjectType", "Note");
    EmptyElement(xml, "x:MoveWithCells");
    EmptyElement(xml, "x:SizeWithCells");
    xml.TextElement("x:AutoFill", "False");
    xml.IntElement("x:Row", comment.cell.row - 1);
    xml.IntElement("x:Column", comment.cell.column);
    xml.EndElement();
    xml.EndElement();
}

} // namespace Xlsx
