// Display conversion of the byte strings the playlist stores.
#pragma once

#include <cstddef>

namespace platform {

bool IsValidUtf8(const char* text, size_t length);

// Decodes code page 932 (Shift-JIS as Windows writes it) into UTF-8 in `out`,
// always terminated. Bytes that are not valid CP932 become U+FFFD.
void DecodeCp932(const char* text, size_t length, char* out, size_t outSize);

}  // namespace platform
