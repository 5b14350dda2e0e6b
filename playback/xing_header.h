// The Xing VBR header that an encoder may put in a stream's first frame.
#pragma once

#include <cstddef>
#include <cstdint>

inline constexpr size_t XING_TOC_BYTES = 100;

struct XingInfo {
  int32_t frames;  // at least 1 once read
  int32_t bytes;
  uint8_t toc[XING_TOC_BYTES];
};

// `frame` holds `frameLength` bytes from the first frame's header on. Clears
// `xing`, then fills it. False without the tag "Xing", or when the tag or an
// announced field would lie past `frameLength`: nothing outside is read.
bool ReadXingHeader(const uint8_t* frame, size_t frameLength, XingInfo* xing);
