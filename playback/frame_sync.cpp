#include "playback/frame_sync.h"

#include "playback/mpeg_frame_header.h"

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
  for (int64_t offset = from; offset < limit; ++offset) {
    if (!FrameAt(window, stream, offset, readAhead, &frame)) continue;
    FrameStream own{frame.header & STREAM_BITS_MASK, stream.end};
    if (FrameAt(window, own, offset + frame.length, readAhead, &next)) return offset;
  }
  return -1;
}
