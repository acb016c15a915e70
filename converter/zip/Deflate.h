#pragma once

// Deflate compressor of the archive writer: raw RFC 1951 streams at the writer's fixed
// level (lazy matching, 32 KiB window, stored, fixed or dynamic blocks).

#include "ZipWriterState.h"

struct DeflateState;

// Compresses the whole source of the current entry into the target and sets the state's
// dataWritten to the compressed size. Returns 0, or nonzero when an internal check or
// a write failed.
int DeflateEntry(ZipWriterState *state);

void DeflateFree(DeflateState *deflate);
