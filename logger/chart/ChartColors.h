#pragma once

#include <QColor>
#include <QList>

// Colours of the supply channels' graphs and axes, eight entries.
const QList<QColor>& chartColors();

// Entry 0 for a negative channel number, otherwise the entry at the number modulo the
// table size.
QColor chartColor(int i);
