// The VBRI header that Fraunhofer's encoder puts in a stream's first frame
// where others write a Xing header.
#pragma once

#include <cstddef>
#include <cstdint>

// Where "VBRI" starts, from the first header byte, in every MPEG version.
inline constexpr size_t VBRI_TAG_OFFSET = 36;

struct VbriInfo {
  int32_t version;
  int32_t delay;
  int32_t quality;
  int32_t bytes;
  int32_t frames;  // at least 1 once read
};

// `frame` holds `frameLength` bytes from the first frame's header on. Clears
// `vbri`, then fills it. False without the tag "VBRI", when the fields up to
// the frame count lie past `frameLength`, or when the count is below 1:
// such a header tells nothing about the length.
bool ReadVbriHeader(const uint8_t* frame, size_t frameLength, VbriInfo* vbri);
