#pragma once

#include <QString>

// Where a conversion writes: next to the log, named after its complete base name, so
// "run.1.talvo" becomes "run.1.xlsx" and logs that differ only after their first dot
// never overwrite each other's output.
QString outputFileName(const QString& logFile, const QString& suffix);

// A new, unused file name in the output's folder to write the output under until it is
// complete, created with the permissions the output is to have; empty when the folder
// takes no file.
QString reserveTemporaryName(const QString& finalName);

// Moves a finished output over its final name, replacing an earlier output.
bool replaceFile(const QString& from, const QString& to);

// Whether two names lead to one existing file.
bool isSameFile(const QString& a, const QString& b);
