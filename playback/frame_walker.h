// Whether a stream's bitrate varies, judged from a few places, and the walk
// over its frames that times it when it does.
#pragma once

#include <cstdint>

#include "playback/file_window.h"
#include "playback/frame_sync.h"

// Twelve places: a file in which one bitrate dominates fools three.
inline constexpr int64_t BITRATE_SAMPLE_PLACES = 12;
// Far beyond any song (an hour at 128 kbit/s); the rest is timed from the
// frames seen, so a huge file cannot hold the window up.
inline constexpr int64_t FRAME_WALK_LIMIT_BYTES = 64 * 1024 * 1024;

// True when a frame of the stream near one of the places spread over
// [first, stream.end) has a bitrate index other than `bitrateIndex`. Frames
// are followed for 2 KB from each place.
bool SampledBitrateDiffers(FileWindow& window, const FrameStream& stream, int64_t first,
                           int32_t bitrateIndex);

struct FrameWalk {
  int64_t frames;
  int64_t frameBytes;  // bytes inside the frames counted
  int64_t reached;     // stream.end, or where FRAME_WALK_LIMIT_BYTES stopped the walk
};

// Counts the frames from `first`, a frame confirmed by the next, to
// stream.end; data between frames (a tag, junk where files were joined) is
// skipped by resynchronising.
FrameWalk WalkFrames(FileWindow& window, const FrameStream& stream, int64_t first);
