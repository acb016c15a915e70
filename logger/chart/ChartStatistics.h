#pragma once

#include "LogRecord.h"

// Adds one sample to a run's statistics. A NaN value changes nothing. The latest key is
// taken and, with countSample, the shared sample count grows; channels 0 to 2 also keep
// their sum, minimum, maximum (both start at the channel's first value) and average
// (sum over count, once the count is above 0). Channels that never get a value keep the
// fresh record's markers, which readers of stored logs take as "no values".
void accumulateSample(ChannelStatistics& statistics, int channel, double key, double value,
                      bool countSample);
