#pragma once

#include <string>
#include <vector>

namespace Xlsx {

// Register of a workbook's temporary part files and of the folders made for them.
// The tree's root is a folder with a unique, unpredictable name under the base
// folder, made (private to the user) when the first part is registered.
class CTempTree
{
public:
    explicit CTempTree(std::string baseFolder);
    ~CTempTree();
    CTempTree(const CTempTree &) = delete;
    CTempTree &operator=(const CTempTree &) = delete;

    // Full file path of a part ("/xl/styles.xml" style, starting with '/'); makes
    // its folders and registers it once. Empty when the root cannot be made.
    std::string RegisterPart(const std::string &partPath);
    // Makes every folder on the way to the file named by fullPath. False only when
    // a parent is missing; folders that exist already are fine.
    bool MakeDirs(const std::string &fullPath);
    // Deletes every registered part file and the folders the tree made, deepest first.
    void RemoveAll();

    const std::string &Root() const { return root; }
    const std::vector<std::string> &Parts() const { return parts; }

private:
    bool MakeRoot();

    std::string m_base;
    std::string root;
    std::vector<std::string> created;
    std::vector<std::string> parts;
};

} // namespace Xlsx
