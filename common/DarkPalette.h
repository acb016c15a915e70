#pragma once

#include <QPalette>

// The palette of the dark colour theme.
QPalette darkPalette();
