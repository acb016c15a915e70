#pragma once

// Which channels a saved log's records hold, and whether the log can be shown with the
// channels of the table it is read with. Opening decides this from the header alone,
// before the window changes anything for the log.

#include "LogRecord.h"

#include <QList>

// The channels whose values the records hold, in record order: an analyzer log's are the
// set bits of its channel mask; a supply log's are the numbers its header lists, as many
// as its channel count (never more than the list holds).
QList<int> recordedChannels(const SwapFileHeader& header);

// Why the log cannot be shown with the channels of the table it is read with
// (`tableChannels`), as a swapFileError code; 0 when it can. Every record position needs
// a channel of the table, each named once and rising from position to position as the
// log's writer lists them, so that every value is shown as the channel it was taken from.
int channelProblem(const SwapFileHeader& header, const QList<int>& tableChannels);
