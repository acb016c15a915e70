#include "TempTree.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace Xlsx {

CTempTree::CTempTree(std::string baseFolder) : m_base(std::move(baseFolder))
{
    while (m_base.size() > 1 && m_base.back() == '/')
        m_base.pop_back();
}

CTempTree::~CTempTree()
{
    RemoveAll();
}

bool CTempTree::MakeRoot()
{
    if (!root.empty())
        return true;
    std::string pattern = m_base + "/xlsx_XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        return false;
    root = pattern;
    created.push_back(root);
    return true;
}

std::string CTempTree::RegisterPart(const std::string &partPath)
{
    if (!MakeRoot())
        return {};
    std::string full = root + partPath;
    MakeDirs(full);
    if (std::find(parts.begin(), parts.end(), partPath) == parts.end())
        parts.push_back(partPath);
    return full;
}

bool CTempTree::MakeDirs(const std::string &fullPath)
{
    std::string prefix;
    size_t segmentStart = 0;
    for (size_t i = 0; i < fullPath.size(); ++i) {
        if (fullPath[i] != '/' && fullPath[i] != '\\')
            continue;
        prefix.append(fullPath, segmentStart, i - segmentStart);
        prefix += '/';
        segmentStart = i + 1;
        if (mkdir(prefix.c_str(), 0700) == 0)
            created.push_back(prefix);
        else if (errno == ENOENT)
            return false;
    }
    return true;
}

void CTempTree::RemoveAll()
{
    if (!root.empty()) {
        for (const std::string &part : parts)
            std::remove((root + part).c_str());
    }
    parts.clear();
    for (auto it = created.rbegin(); it != created.rend(); ++it)
        rmdir(it->c_str());
    created.clear();
    root.clear();
}

} // namespace Xlsx
