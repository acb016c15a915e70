#pragma once

#include "LogRecord.h"

#include <QList>
#include <QString>

// The title line of a capture tab: its channels, its sample rate and, once known, the
// measurement time. Empty when the header lists no channel.
QString captureTitle(const SwapFileHeader& header, const QList<int>& channels, bool powerMode,
                     double endTime);
