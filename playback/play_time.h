// A song's play time from its MP3 frames: the first frame's header and its
// Xing or VBRI frame count; without one, the audio bytes over the frame
// length, or a walk over the frames when their bitrate varies.
#pragma once

#include <cstdint>
#include <cstdio>

// Milliseconds, or 0 when the stream cannot be timed. The search for the
// first frame starts after a well-formed ID3v2 tag, whose bytes, like an
// ID3v1 tag's, are no audio, and gives up 1 MiB further on. Clamped to
// INT32_MAX. Fixed buffers only.
int32_t ReadPlayTimeMs(FILE* file);

// ReadPlayTimeMs of the regular file `path`; 0 for anything else, which is
// never waited on (a pipe, a device).
int32_t GetSongMilliseconds(const char* path);

// Whole seconds plus PLAY_MARGIN_SECONDS, or 0 when unknown.
uint32_t GetSongSeconds(const char* path);
