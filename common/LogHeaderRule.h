#pragma once

// Which headers belong to a log: the one rule by which both programs tell a log they can
// read from a log of a newer format and from a file that is no log at all, so that a
// file one program refuses the other refuses with the same words.

#include "LogRecord.h"

#include <QList>

namespace LogHeaderRule {

// The recorded channels: with the second supply model's form from channelMask32, else
// from channelMask, ascending.
QList<int> channelList(const SwapFileHeader& header, bool model600Form);
// The recorded channels in the form the header's own device kind keeps them: a reader
// that has only the file (no instrument attached) goes by the kind.
QList<int> channelListOfKind(const SwapFileHeader& header);

// Why the records a header describes cannot be read, whatever its version says.
enum class Layout {
    Sound,
    NoSamplePeriod,   // a sample period of 0: the records cannot be timed
    ChannelsDisagree, // no channel, or channelCount differs from the list of the file's kind
};
Layout layoutOf(const SwapFileHeader& header);

// The header's version is above the one this format has (compared as a signed number).
bool isNewerVersion(const SwapFileHeader& header);

enum class Verdict {
    Log,          // a log either program reads
    NewerVersion, // a sound header of a newer format
    NotALog,      // an unknown kind or a layout of no records: a foreign or corrupted file
};
// Kind and layout first: a version above the current one only counts in a header that
// describes records, since any file of 76 bytes or more gives some number there.
Verdict judge(const SwapFileHeader& header);

} // namespace LogHeaderRule
