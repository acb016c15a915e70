#pragma once

// Conversion of raw samples into values in the channel's unit.

#include <QtGlobal>

class ChannelInfo;

// An analyzer sample (the two report bytes as sent) by the channel's data type:
//   0  signed big-endian, clamped below at -100
//   1  auto-ranged: bits 15..14 range, bits 13..0 mantissa; full scale of range r is
//      base * 10^(exponent + r) * 1000
//   other  signed little-endian, unscaled
double analyzerSampleValue(quint8 first, quint8 second, const ChannelInfo& info);

// A supply sample by channel number; pattern is the raw value as a 16-bit pattern (a
// negative byte sign-extended).
double powerSampleValue(int channel, quint16 pattern, bool fahrenheit);

// Bytes a supply sample of this data type occupies in a report.
int powerSampleWidth(int dataType);
