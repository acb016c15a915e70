#pragma once

#include <QString>

// The failure codes that the log reader and the main window report, and their messages.
enum ReaderError : int {
    NoError = 0,
    WrongVersion = 1,
    CantOpenFile = 2,
    CantCreateOutput = 3,
    CantSaveFile = 4,
    CantRemoveFile = 5,
    WriteFailed = 6,
    ReadFailed = 7,
    WrongReadLength = 8,
    MappingFailed = 9,
    WrongChannels = 11,
    WrongSamplePeriod = 12,
    TooManyRows = 13,
    NotALog = 14, // no header of a log: a foreign or corrupted file, or an empty one
};

// The translated message for a code; 0 gives an empty text, unknown codes a generic one.
QString readerErrorText(int code);
