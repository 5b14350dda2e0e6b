#include "playback/frame_sync.h"

#include <algorithm>
#include <cstring>

#include "playback/mpeg_frame_header.h"

namespace {

constexpr int kSyncByte = 0xFF;

}  // namespace

bool FrameAt(FileWindow& window, const FrameStream& stream, int64_t offset, size_t readAhead,
             StreamFrame* frame) {
  if (offset + FRAME_HEADER_BYTES > stream.end) return false;
  const uint8_t* bytes = window.At(offset, FRAME_HEADER_BYTES, readAhead);
  if (bytes == nullptr) return false;
  uint32_t header = ReadBigEndian32(bytes);
  if (stream.bits != 0 && (header & STREAM_BITS_MASK) != stream.bits) return false;
  MpegFrameInfo info;
  if (!IsFrameHeader(header) || !DecodeFrameHeader(header, &info)) return false;
  int32_t length = info.frameBytes + FRAME_HEADER_BYTES;
  if (offset + length > stream.end) return false;
  *frame = {header, length};
  return true;
}

int64_t Resynchronise(FileWindow& window, const FrameStream& stream, int64_t from, int64_t limit,
                      size_t readAhead) {
  StreamFrame frame;
  StreamFrame next;
  int64_t offset = from;
  while (offset < limit) {
    const uint8_t* bytes = window.At(offset, FRAME_HEADER_BYTES, readAhead);
    if (bytes == nullptr) return -1;  // too near the end for a header
    // Only a 0xFF byte opens a header: go straight to the next one held.
    auto held = static_cast<size_t>(std::min(window.End(), limit) - offset);
    const void* sync = std::memchr(bytes, kSyncByte, held);
    if (sync == nullptr) {
      offset += static_cast<int64_t>(held);
      continue;
    }
    offset += static_cast<const uint8_t*>(sync) - bytes;
    if (FrameAt(window, stream, offset, readAhead, &frame)) {
      FrameStream own{frame.header & STREAM_BITS_MASK, stream.end};
      if (FrameAt(window, own, offset + frame.length, readAhead, &next)) return offset;
    }
    ++offset;
  }
  return -1;
}
