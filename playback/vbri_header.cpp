#include "playback/vbri_header.h"

#include <cstring>

#include "playback/mpeg_frame_header.h"

namespace {

constexpr char kVbriTag[] = "VBRI";
constexpr size_t kTagBytes = 4;
// Tag, version, delay, quality, byte count, frame count; a seek table follows.
constexpr size_t kFieldsBytes = kTagBytes + 2 + 2 + 2 + 4 + 4;

int32_t ReadBigEndian16(const uint8_t* bytes) { return (bytes[0] << 8) | bytes[1]; }

}  // namespace

bool ReadVbriHeader(const uint8_t* frame, size_t frameLength, VbriInfo* vbri) {
  std::memset(vbri, 0, sizeof *vbri);
  if (frameLength < VBRI_TAG_OFFSET + kFieldsBytes) return false;
  const uint8_t* field = frame + VBRI_TAG_OFFSET;
  if (std::memcmp(field, kVbriTag, kTagBytes) != 0) return false;
  auto frames = static_cast<int32_t>(ReadBigEndian32(field + 14));
  if (frames < 1) return false;
  vbri->version = ReadBigEndian16(field + 4);
  vbri->delay = ReadBigEndian16(field + 6);
  vbri->quality = ReadBigEndian16(field + 8);
  vbri->bytes = static_cast<int32_t>(ReadBigEndian32(field + 10));
  vbri->frames = frames;
  return true;
}
