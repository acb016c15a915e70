#pragma once

// Logs as a crash, a full disk or an interrupted copy leave them, written byte by byte:
// one table of files that the logger's reader and the converter's reader both go
// through, so that the two programs are held to the same samples for every file.
//
// Unless a row says otherwise: a 3-channel analyzer log at 1 kHz whose record i has the
// key i × 0.001 s and the values 1000 × (channel + 1) + i.

#include <QtGlobal>

namespace DamagedLogs {

// Adds the columns and one row per file to the running test's data table:
//   "bytes"   QByteArray  the whole file
//   "kind"    quint8      its header's device kind
//   "records" qint64      the samples it holds
//   "lastKey" double      key of the last of them, 0 when there is none
//   "cutOff"  bool        the user is told that the log was cut off before its end
void addRows();

} // namespace DamagedLogs
