// Finding the frames of one MPEG audio stream in a file: a header counts
// when it is valid and shares the stream's version, layer and sampling rate.
#pragma once

#include <cstddef>
#include <cstdint>

#include "playback/file_window.h"

inline constexpr uint32_t STREAM_BITS_MASK = 0xFFFE0C00;  // sync, version, layer, rate

struct FrameStream {
  uint32_t bits;  // every header's bits under STREAM_BITS_MASK; 0 while unknown
  int64_t end;    // where the audio ends: at an ID3v1 tag or the end of the file
};

struct StreamFrame {
  uint32_t header;
  int32_t length;  // header included
};

// The frame at `offset` when a Layer III header of the stream starts there
// and the whole frame lies before stream.end.
bool FrameAt(FileWindow& window, const FrameStream& stream, int64_t offset, size_t readAhead,
             StreamFrame* frame);

// The first offset in [from, limit) where a frame of the stream is followed
// by another of the same version, layer and rate; -1 when there is none. One
// header alone proves nothing: any data can hold one.
int64_t Resynchronise(FileWindow& window, const FrameStream& stream, int64_t from, int64_t limit,
                      size_t readAhead);
