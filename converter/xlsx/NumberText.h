#pragma once

#include <cstddef>

namespace Xlsx {

// Formats a double in general notation with 16 significant digits, as printf's
// "%.16g" would in the C locale. Returns the number of characters written
// (at most 24) into out, which holds at least 32 characters.
size_t FormatNumber(double value, char *out);

} // namespace Xlsx
