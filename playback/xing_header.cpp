#include "playback/xing_header.h"

#include <cstring>

#include "playback/mpeg_frame_header.h"

namespace {

constexpr char kXingTag[] = "Xing";
constexpr size_t kTagBytes = 4;
constexpr size_t kFieldBytes = 4;
constexpr uint32_t kFramesFlag = 1u << 0;
constexpr uint32_t kBytesFlag = 1u << 1;
constexpr uint32_t kTocFlag = 1u << 2;
constexpr uint8_t kIdBit = 1u << 3;  // bit 19 of the header, in its second byte
constexpr uint8_t kSingleChannelMode = 3;

// Header plus side information: the side information is 32 or 17 bytes for
// MPEG-1 (stereo or single channel) and 17 or 9 for the others.
size_t TagOffset(const uint8_t* frame) {
  bool mpeg1 = (frame[1] & kIdBit) != 0;
  bool single = (frame[3] >> 6) == kSingleChannelMode;
  size_t sideInformation = mpeg1 ? (single ? 17 : 32) : (single ? 9 : 17);
  return FRAME_HEADER_BYTES + sideInformation;
}

// A cursor over the frame buffer that refuses to step past its end.
struct FieldReader {
  const uint8_t* bytes;
  size_t length;
  size_t position;

  bool Take(size_t count, const uint8_t** field) {
    if (count > length - position) return false;
    *field = bytes + position;
    position += count;
    return true;
  }
  bool Take32(uint32_t* value) {
    const uint8_t* field;
    if (!Take(kFieldBytes, &field)) return false;
    *value = ReadBigEndian32(field);
    return true;
  }
};

}  // namespace

bool ReadXingHeader(const uint8_t* frame, size_t frameLength, XingInfo* xing) {
  std::memset(xing, 0, sizeof *xing);
  if (frameLength < FRAME_HEADER_BYTES) return false;
  FieldReader reader{frame, frameLength, TagOffset(frame)};
  if (reader.position > frameLength) return false;
  const uint8_t* tag;
  if (!reader.Take(kTagBytes, &tag) || std::memcmp(tag, kXingTag, kTagBytes) != 0) return false;
  uint32_t flags = 0;
  uint32_t frames = 0;
  uint32_t bytes = 0;
  const uint8_t* toc = nullptr;
  if (!reader.Take32(&flags)) return false;
  if ((flags & kFramesFlag) && !reader.Take32(&frames)) return false;
  if ((flags & kBytesFlag) && !reader.Take32(&bytes)) return false;
  if ((flags & kTocFlag) && !reader.Take(XING_TOC_BYTES, &toc)) return false;
  xing->frames = static_cast<int32_t>(frames) < 1 ? 1 : static_cast<int32_t>(frames);
  xing->bytes = static_cast<int32_t>(bytes);
  if (toc != nullptr) std::memcpy(xing->toc, toc, XING_TOC_BYTES);
  return true;
}
