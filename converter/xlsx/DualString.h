#pragma once

#include <string>

namespace Xlsx {

// One text kept in both forms the writer meets: UTF-8 for the part files and
// the wide form the callers hand in. Part writers use the narrow form.
struct CDualString
{
    CDualString() = default;
    explicit CDualString(const std::wstring &wide);
    explicit CDualString(const std::string &utf8);
    CDualString(std::string utf8, std::wstring wide) : narrow(std::move(utf8)), wide(std::move(wide)) {}

    std::string narrow;
    std::wstring wide;
};

} // namespace Xlsx
