// Byte-level helpers for the paths and names the store keeps.
#pragma once

#include <cstddef>

// Copies `path` up to its terminator, but at most `fieldBytes` bytes (a
// stored field need not be terminated), into `out` (`outSize` bytes, always
// terminated), writing every run of one separator byte listed in
// `separators` once. Returns the length written.
size_t CollapseSeparatorRuns(const char* path, size_t fieldBytes, const char* separators, char* out,
                             size_t outSize);

// A-Z to a-z in the first `length` bytes; every other byte is kept, as
// names in any encoding pass through.
void LowerAscii(char* text, size_t length);
