#include "Platform.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>

namespace Xlsx {

namespace {

CurrencySymbolSource g_currencySource = nullptr;

std::string Environment(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string SystemCurrencySymbol()
{
    // The system locale as the environment names it, used for this thread only
    // while the symbol is read, so the process's own locale stays as it is.
    locale_t system = newlocale(LC_MONETARY_MASK, "", locale_t(0));
    if (system == locale_t(0))
        return {};
    locale_t previous = uselocale(system);
    const lconv *conventions = std::localeconv();
    std::string symbol = conventions != nullptr && conventions->currency_symbol != nullptr
        ? conventions->currency_symbol : "";
    uselocale(previous);
    freelocale(system);
    return symbol;
}

} // namespace

std::string TempBaseFolder()
{
    for (const char *name : {"TEMP", "TMPDIR"}) {
        std::string value = Environment(name);
        if (!value.empty())
            return value;
    }
    return "/tmp";
}

std::string AuthorFromEnvironment()
{
    for (const char *name : {"USERNAME", "USER", "LOGNAME"}) {
        std::string value = Environment(name);
        if (!value.empty())
            return value;
    }
    return {};
}

std::string CurrencySymbol()
{
    return g_currencySource != nullptr ? g_currencySource() : SystemCurrencySymbol();
}

void SetCurrencySymbolSource(CurrencySymbolSource source)
{
    g_currencySource = source;
}

} // namespace Xlsx
