// The ID3v2 tag in front of most MP3 files, often with a large picture.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr size_t ID3V2_HEADER_BYTES = 10;
inline constexpr size_t ID3V2_FOOTER_BYTES = 10;

// Bytes of the whole tag (header, body and footer) that `header` (10 bytes)
// opens, or 0 unless it is well-formed: "ID3", major version 2 to 4, four
// size bytes below 0x80.
uint32_t Id3v2TagBytes(const uint8_t* header);
