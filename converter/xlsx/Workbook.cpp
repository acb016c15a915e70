#include "Workbook.h"
#include "Platform.h"
#include "ThemePart.h"

namespace Xlsx {

namespace {

constexpr size_t kMaxTitleLength = 31;

bool SameTitle(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x = char(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z')
            y = char(y - 'A' + 'a');
        if (x != y)
            return false;
    }
    return true;
}

bool Taken(const std::string &title, const std::vector<CDualString> &taken)
{
    for (const CDualString &other : taken)
        if (SameTitle(title, other.narrow))
            return true;
    return false;
}

} // namespace

CDualString UniqueSheetTitle(const CDualString &wanted, const std::vector<CDualString> &taken)
{
    if (!Taken(wanted.narrow, taken))
        return wanted;
    for (size_t n = 2;; ++n) {
        const std::wstring suffix = L" (" + std::to_wstring(n) + L")";
        std::wstring base = wanted.wide;
        if (base.size() <= kMaxTitleLength && base.size() + suffix.size() > kMaxTitleLength)
            base.resize(kMaxTitleLength - suffix.size());
        CDualString candidate(base + suffix);
        if (!Taken(candidate.narrow, taken))
            return candidate;
    }
}

CWorkbook::CWorkbook(const CDualString &author)
    : m_author(author), m_tempTree(TempBaseFolder())
{
    Style style;
    m_styles.FindOrAdd(style);
    style.fill.pattern = 17; // gray125
    m_styles.FindOrAdd(style);

    if (m_author.narrow.empty())
        m_author = CDualString(AuthorFromEnvironment());
    if (m_author.narrow.empty())
        m_author = CDualString(std::string("Unknown"), std::wstring(L"Unknown"));
}

CWorkbook::~CWorkbook()
{
    // Workers stop reading the part files before anything is removed.
    m_pool.reset();
    // Sheets close their part files before the tree removes them.
    m_worksheets.clear();
    m_tempTree.RemoveAll();
}

CWorksheet &CWorkbook::NewWorksheet(const CDualString &title)
{
    m_drawings.push_back(std::make_unique<CDrawing>(m_drawings.size() + 1, m_tempTree));
    const uint64_t id = m_nextSheetId++;
    auto sheet = std::make_unique<CWorksheet>(id, m_tempTree, m_sharedStrings);
    sheet->m_drawing = m_drawings.back().get();
    sheet->m_title = UniqueSheetTitle(title.narrow.empty() ? sheet->GetTitle() : title, SheetTitles());

    m_worksheets.push_back(std::move(sheet));
    return *m_worksheets.back();
}

bool CWorkbook::SaveTheme()
{
    return WriteThemePart(m_tempTree);
}

} // namespace Xlsx
