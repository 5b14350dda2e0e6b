#include "playback/frame_walker.h"

#include "playback/mpeg_frame_header.h"

namespace {

// A few frames at most bitrates, read at once at every place.
constexpr size_t kSampleBytes = 2048;

bool PlaceBitrateDiffers(FileWindow& window, const FrameStream& stream, int64_t place,
                         int32_t bitrateIndex) {
  int64_t limit = place + static_cast<int64_t>(kSampleBytes);
  int64_t offset = Resynchronise(window, stream, place, limit, kSampleBytes);
  StreamFrame frame;
  while (offset >= 0 && offset < limit && FrameAt(window, stream, offset, kSampleBytes, &frame)) {
    if (BitrateIndexOf(frame.header) != bitrateIndex) return true;
    offset += frame.length;
  }
  return false;
}

}  // namespace

bool SampledBitrateDiffers(FileWindow& window, const FrameStream& stream, int64_t first,
                           int32_t bitrateIndex) {
  int64_t span = stream.end - first;
  for (int64_t place = 1; place <= BITRATE_SAMPLE_PLACES; ++place) {
    if (PlaceBitrateDiffers(window, stream, first + span * place / (BITRATE_SAMPLE_PLACES + 1),
                            bitrateIndex)) {
      return true;
    }
  }
  return false;
}

FrameWalk WalkFrames(FileWindow& window, const FrameStream& stream, int64_t first) {
  FrameWalk walk{0, 0, stream.end};
  int64_t limit =
      first + FRAME_WALK_LIMIT_BYTES < stream.end ? first + FRAME_WALK_LIMIT_BYTES : stream.end;
  StreamFrame frame;
  int64_t offset = first;
  while (offset < limit) {
    if (FrameAt(window, stream, offset, FILE_WINDOW_BYTES, &frame)) {
      ++walk.frames;
      walk.frameBytes += frame.length;
      offset += frame.length;
    } else {
      offset = Resynchronise(window, stream, offset + 1, limit, FILE_WINDOW_BYTES);
      if (offset < 0) offset = limit;
    }
  }
  if (limit < stream.end) walk.reached = offset;
  return walk;
}
