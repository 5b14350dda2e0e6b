#include "playback/mpeg_frame_header.h"

const int32_t BITRATE_TABLE[2][3][16] = {
    {
        {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},
        {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
    },
    {
        {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
        {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
    },
};

const int32_t SAMPLE_RATE_TABLE[9] = {44100, 48000, 32000, 22050, 24000, 16000, 11025, 12000, 8000};

const int32_t SAMPLES_PER_FRAME[4] = {0, 384, 1152, 1152};

namespace {

constexpr uint32_t kSyncMask = 0xFFE00000;
constexpr uint32_t kReservedSampleRateCode = 3;
constexpr int32_t kLayerIIIBytesFactor = 144000;  // 1152 samples / 8 bits, per kbit/s
constexpr int32_t kLayerIBytesFactor = 48000;     // 384 samples / 8 bits, per kbit/s

uint32_t Bits(uint32_t header, int lowest, int count) {
  return (header >> lowest) & ((1u << count) - 1);
}

// The sampling rate, doubled for the low-sampling-frequency versions: that
// is what halves their frames.
int32_t Rate(const MpegFrameInfo& info) {
  return SAMPLE_RATE_TABLE[info.sampleRateIndex] << info.lsf;
}

void DecodeFields(uint32_t header, MpegFrameInfo* info) {
  bool bit20 = Bits(header, 20, 1) != 0;
  info->mpeg25 = bit20 ? 0 : 1;
  info->lsf = (bit20 && Bits(header, 19, 1) != 0) ? 0 : 1;
  info->layer = 4 - static_cast<int32_t>(Bits(header, 17, 2));
  info->errorProtection = Bits(header, 16, 1) == 0 ? 1 : 0;
  info->bitrateIndex = BitrateIndexOf(header);
  int32_t rateCode = static_cast<int32_t>(Bits(header, 10, 2));
  info->sampleRateIndex = info->mpeg25 ? rateCode + 6 : rateCode + 3 * info->lsf;
  info->padding = static_cast<int32_t>(Bits(header, 9, 1));
  info->privateBit = static_cast<int32_t>(Bits(header, 8, 1));
  info->mode = static_cast<int32_t>(Bits(header, 6, 2));
  info->channels = info->mode == 3 ? 1 : 2;
  info->modeExtension = static_cast<int32_t>(Bits(header, 4, 2));
  info->copyright = static_cast<int32_t>(Bits(header, 3, 1));
  info->original = static_cast<int32_t>(Bits(header, 2, 1));
  info->emphasis = static_cast<int32_t>(Bits(header, 0, 2));
  info->frameBytes = 0;
}

}  // namespace

uint32_t ReadBigEndian32(const uint8_t* bytes) {
  return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) |
         uint32_t{bytes[3]};
}

int32_t BitrateIndexOf(uint32_t header) { return static_cast<int32_t>(Bits(header, 12, 4)); }

bool IsFrameHeader(uint32_t header) {
  if ((header & kSyncMask) != kSyncMask) return false;
  if (Bits(header, 17, 2) == 0) return false;
  int32_t bitrateIndex = BitrateIndexOf(header);
  if (bitrateIndex == 0 || bitrateIndex == 15) return false;
  if (Bits(header, 10, 2) == kReservedSampleRateCode) return false;
  if (Bits(header, 16, 4) == 0xF) return false;  // MPEG-1 Layer I without CRC
  return (header >> 16) != 0xFFFE;               // MPEG-1 Layer I with CRC
}

bool DecodeFrameHeader(uint32_t header, MpegFrameInfo* info) {
  DecodeFields(header, info);
  if (info->bitrateIndex == 0) return false;
  if (info->layer != 3) return false;
  // Never reached after IsFrameHeader; guards the tables for any other caller.
  if (Bits(header, 10, 2) == kReservedSampleRateCode || info->bitrateIndex == 15) return false;
  int32_t bitrate = BITRATE_TABLE[info->lsf][2][info->bitrateIndex];
  info->frameBytes =
      bitrate * kLayerIIIBytesFactor / Rate(*info) + info->padding - FRAME_HEADER_BYTES;
  return info->frameBytes <= MAX_FRAME_BYTES;
}

double BytesPerFrame(const MpegFrameInfo& info) {
  if (info.layer < 1 || info.layer > 3) return 1.0;
  double bitrate = BITRATE_TABLE[info.lsf][info.layer - 1][info.bitrateIndex];
  double factor = info.layer == 1 ? kLayerIBytesFactor : kLayerIIIBytesFactor;
  return bitrate * factor / Rate(info);
}

double SecondsPerFrame(const MpegFrameInfo& info) {
  return static_cast<double>(SAMPLES_PER_FRAME[info.layer]) / Rate(info);
}
