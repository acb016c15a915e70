#pragma once

namespace Xlsx {

class CTempTree;

// Writes the fixed "Office Theme" part "/xl/theme/theme1.xml"; every workbook gets
// the same bytes. False when the part could not be written completely.
bool WriteThemePart(CTempTree &tree);

} // namespace Xlsx
