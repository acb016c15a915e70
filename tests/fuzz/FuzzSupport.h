#pragma once

// Shared pieces of the fuzz targets: a property check that stops the run with a message
// (the fuzzer then keeps the input that broke it), a Qt application for the readers that
// show progress dialogs, and a private scratch file.

#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "property broken at %s:%d: %s\n", __FILE__, __LINE__,       \
                         #condition);                                                          \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

namespace Fuzz {
// Creates the offscreen GUI application once, with messages of the code under test
// silenced (a fuzz run produces millions of them).
void ensureApplication();
// A file path inside this run's own temporary folder.
QString scratchPath(const QString& name);
// Deletes the objects the code under test handed to deleteLater(): a fuzz run has no
// event loop to do it, and the progress dialogs would pile up.
void flushDeferredDeletes();
// Writes the bytes to the path, replacing the file.
void writeFile(const QString& path, const uint8_t* data, size_t size);
} // namespace Fuzz
