// The 32-bit MPEG audio frame header and the tables behind its arithmetic.
#pragma once

#include <cstdint>

inline constexpr int32_t MAX_FRAME_BYTES = 1792;
inline constexpr uint32_t PLAY_MARGIN_SECONDS = 3;
inline constexpr int32_t FRAME_HEADER_BYTES = 4;

// kbit/s by lsf, layer - 1 and bitrate index; indexes 0 and 15 hold 0.
extern const int32_t BITRATE_TABLE[2][3][16];
// Hz: MPEG-1 at 0..2, MPEG-2 at 3..5, MPEG-2.5 at 6..8.
extern const int32_t SAMPLE_RATE_TABLE[9];
extern const int32_t SAMPLES_PER_FRAME[4];  // by layer

// The fields of one header (bit 31 is the first bit of the first byte).
struct MpegFrameInfo {
  int32_t channels;
  int32_t lsf;  // 0 for MPEG-1, else 1
  int32_t mpeg25;
  int32_t layer;  // 4 - layer code
  int32_t errorProtection;
  int32_t bitrateIndex;
  int32_t sampleRateIndex;
  int32_t padding;
  int32_t privateBit;
  int32_t mode;
  int32_t modeExtension;
  int32_t copyright;
  int32_t original;
  int32_t emphasis;
  int32_t frameBytes;  // the first frame's length minus its header
};

uint32_t ReadBigEndian32(const uint8_t* bytes);

// The header's bitrate index, 0..15, as DecodeFrameHeader fills bitrateIndex.
int32_t BitrateIndexOf(uint32_t header);

// Sync, a layer, bitrate index 1..14, a known rate, no MPEG-1 Layer I.
bool IsFrameHeader(uint32_t header);

// Fills every field; false unless Layer III with a frame of at most
// MAX_FRAME_BYTES.
bool DecodeFrameHeader(uint32_t header, MpegFrameInfo* info);

// For an info that DecodeFrameHeader accepted: nominal bytes per frame
// (padding not counted) and seconds per frame.
double BytesPerFrame(const MpegFrameInfo& info);
double SecondsPerFrame(const MpegFrameInfo& info);
