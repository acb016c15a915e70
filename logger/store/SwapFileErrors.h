#pragma once

// The codes that SwapFile::swapFileError carries; the main window turns them into texts.
namespace SwapFileErrors {
enum Code {
    None = 0,
    WrongVersion = 1,    // header version above 4, or a header whose records cannot be timed
    CantOpen = 2,        // opening for reading, or for writing the report block
    CantCreate = 3,
    CantSave = 4,
    CantRemove = 5,
    WriteFailed = 6,
    ReadFailed = 7,      // a saved log cannot be opened for loading
    WrongReadLength = 8,
    MappingError = 9,    // mapping failed or the range lies outside the file
    WrongChannels = 11,  // channel count, mask and channel list disagree
};
} // namespace SwapFileErrors
