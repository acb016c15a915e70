#pragma once

#include <string>

namespace Xlsx {

// What the writer asks of the system: where temporary part trees go, who the
// default author is, and the system locale's currency symbol.

// TEMP when set, else TMPDIR, else /tmp.
std::string TempBaseFolder();

// USERNAME when set and not empty, else USER, else LOGNAME; empty when none is set.
std::string AuthorFromEnvironment();

// The system locale's currency symbol in UTF-8, empty when it has none. Read from
// the C library's locale interface without touching the process locale, unless a
// test has put its own source in place.
std::string CurrencySymbol();

using CurrencySymbolSource = std::string (*)();
// Replaces the system as the source of CurrencySymbol; null restores the system.
void SetCurrencySymbolSource(CurrencySymbolSource source);

} // namespace Xlsx
