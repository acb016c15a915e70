#pragma once

#include <QString>

// A swap-file name in the temporary folder that no other tab of this process has used:
// the tab text alone repeats once tabs are closed and opened again.
QString uniqueSwapFileName(const QString& tabText);
