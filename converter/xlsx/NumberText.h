#pragma once

#include <cstddef>

namespace Xlsx {

// The room FormatNumber needs at out: it may write beyond the text it returns.
constexpr size_t kNumberTextRoom = 40;

// Formats a double in general notation with 16 significant digits, as printf's
// "%.16g" would in the C locale. Returns the length of the text (at most 24)
// written at out, which holds kNumberTextRoom characters.
size_t FormatNumber(double value, char *out);

} // namespace Xlsx
