// Arbitrary bytes as an MP3 file: the play-time reader and its parts must
// never read outside their buffers nor misbehave.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "playback/id3v2_tag.h"
#include "playback/mpeg_frame_header.h"
#include "playback/play_time.h"
#include "playback/vbri_header.h"
#include "playback/xing_header.h"

namespace {

void DecodeLeadingHeader(const uint8_t* data, size_t size) {
  if (size < FRAME_HEADER_BYTES) return;
  uint32_t header = ReadBigEndian32(data);
  MpegFrameInfo info;
  if (IsFrameHeader(header) && DecodeFrameHeader(header, &info)) {
    if (BytesPerFrame(info) <= 0 || SecondsPerFrame(info) <= 0) __builtin_trap();
  }
  if (size >= ID3V2_HEADER_BYTES) Id3v2TagBytes(data);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodeLeadingHeader(data, size);
  XingInfo xing;
  if (ReadXingHeader(data, size, &xing) && xing.frames < 1) __builtin_trap();
  VbriInfo vbri;
  if (ReadVbriHeader(data, size, &vbri) && vbri.frames < 1) __builtin_trap();
  if (size == 0) return 0;  // fmemopen refuses an empty buffer
  FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (file == nullptr) return 0;
  if (ReadPlayTimeMs(file) < 0) __builtin_trap();
  std::fclose(file);
  return 0;
}
