#include "playback/id3v2_tag.h"

#include <cstring>

namespace {

constexpr char kIdentifier[] = "ID3";
constexpr uint8_t kLowestMajorVersion = 2;
constexpr uint8_t kHighestMajorVersion = 4;
constexpr uint8_t kFooterFlag = 0x10;
constexpr uint8_t kSizeByteLimit = 0x80;
constexpr size_t kFlagsOffset = 5;
constexpr size_t kSizeOffset = 6;

}  // namespace

uint32_t Id3v2TagBytes(const uint8_t* header) {
  if (std::memcmp(header, kIdentifier, 3) != 0) return 0;
  if (header[3] < kLowestMajorVersion || header[3] > kHighestMajorVersion) return 0;
  uint32_t size = 0;
  for (size_t i = kSizeOffset; i < ID3V2_HEADER_BYTES; ++i) {
    if (header[i] >= kSizeByteLimit) return 0;
    size = (size << 7) | header[i];
  }
  size += ID3V2_HEADER_BYTES;
  if (header[kFlagsOffset] & kFooterFlag) size += ID3V2_FOOTER_BYTES;
  return size;
}
