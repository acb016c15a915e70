#pragma once

#include "LogRecord.h"

#include <QFontMetrics>
#include <QList>
#include <QString>

// The title line of a capture tab: its channels, its sample rate and, once known, the
// measurement time. Empty when the header lists no channel.
QString captureTitle(const SwapFileHeader& header, const QList<int>& channels, bool powerMode,
                     double endTime);

// `text` broken into lines no wider than `width` at its blanks, each break replacing one
// blank with a line feed, so that the lines joined with blanks give `text` back. A word
// wider than `width` keeps a line of its own, whole.
QString wrapTitle(const QString& text, const QFontMetrics& metrics, int width);
