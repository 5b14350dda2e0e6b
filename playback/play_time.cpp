#include "playback/play_time.h"

#include <cstring>

#include "platform/file_system.h"
#include "playback/id3v2_tag.h"
#include "playback/mpeg_frame_header.h"
#include "playback/xing_header.h"

namespace {

constexpr size_t kSearchChunkBytes = 4096;
constexpr int64_t kId3v1Bytes = 128;
constexpr char kId3v1Identifier[] = "TAG";
constexpr size_t kId3v1IdentifierBytes = 3;
constexpr double kMillisecondsPerSecond = 1000.0;
constexpr double kLongestMilliseconds = 2147483647.0;
constexpr uint32_t kMillisecondsPerWholeSecond = 1000;

size_t ReadAt(FILE* file, int64_t offset, void* buffer, size_t count) {
  if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) return 0;
  return std::fread(buffer, 1, count, file);
}

// A sync-like pattern inside a cover picture must not pass for the audio.
int64_t AudioStart(FILE* file) {
  uint8_t header[ID3V2_HEADER_BYTES];
  if (ReadAt(file, 0, header, sizeof header) < sizeof header) return 0;
  return Id3v2TagBytes(header);
}

bool FindFrameHeader(FILE* file, int64_t start, int64_t* offset, uint32_t* header) {
  if (std::fseek(file, static_cast<long>(start), SEEK_SET) != 0) return false;
  uint8_t chunk[kSearchChunkBytes];
  uint32_t window = 0;
  int64_t taken = 0;
  while (size_t got = std::fread(chunk, 1, sizeof chunk, file)) {
    for (size_t i = 0; i < got; ++i) {
      window = (window << 8) | chunk[i];
      if (++taken >= FRAME_HEADER_BYTES && IsFrameHeader(window)) {
        *offset = start + taken - FRAME_HEADER_BYTES;
        *header = window;
        return true;
      }
    }
  }
  return false;
}

// An ID3v1 tag is only looked for where it cannot overlap the ID3v2 tag.
uint32_t AudioBytes(FILE* file, int64_t audioStart) {
  if (std::fseek(file, 0, SEEK_END) != 0) return 0;
  int64_t length = std::ftell(file);
  if (length < audioStart) return 0;
  int64_t size = length - audioStart;
  char identifier[kId3v1IdentifierBytes];
  int64_t tagOffset = length - kId3v1Bytes;
  if (tagOffset >= audioStart &&
      ReadAt(file, tagOffset, identifier, sizeof identifier) == sizeof identifier &&
      std::memcmp(identifier, kId3v1Identifier, kId3v1IdentifierBytes) == 0) {
    size -= kId3v1Bytes;
  }
  return static_cast<uint32_t>(size);
}

// Only a corrupt Xing count gets past the longest time.
int32_t ToMilliseconds(double seconds) {
  double milliseconds = seconds * kMillisecondsPerSecond;
  if (!(milliseconds < kLongestMilliseconds)) return INT32_MAX;
  return static_cast<int32_t>(milliseconds);
}

}  // namespace

int32_t ReadPlayTimeMs(FILE* file) {
  int64_t audioStart = AudioStart(file);
  int64_t headerOffset = 0;
  uint32_t header = 0;
  if (!FindFrameHeader(file, audioStart, &headerOffset, &header)) return 0;
  MpegFrameInfo info;
  if (!DecodeFrameHeader(header, &info)) return 0;
  uint8_t frame[MAX_FRAME_BYTES + FRAME_HEADER_BYTES];
  size_t frameLength =
      ReadAt(file, headerOffset, frame, static_cast<size_t>(info.frameBytes + FRAME_HEADER_BYTES));
  double secondsPerFrame = SecondsPerFrame(info);
  XingInfo xing;
  if (ReadXingHeader(frame, frameLength, &xing))
    return ToMilliseconds(xing.frames * secondsPerFrame);
  auto frames = static_cast<int64_t>(AudioBytes(file, audioStart) / BytesPerFrame(info));
  return ToMilliseconds(static_cast<double>(frames) * secondsPerFrame);
}

int32_t GetSongMilliseconds(const char* path) {
  FILE* file = platform::OpenRegularFileForReading(path);
  if (file == nullptr) return 0;
  // The reader's chunks are the buffer: one read each, no stdio copy.
  std::setvbuf(file, nullptr, _IONBF, 0);
  int32_t milliseconds = ReadPlayTimeMs(file);
  std::fclose(file);
  return milliseconds;
}

uint32_t GetSongSeconds(const char* path) {
  int32_t milliseconds = GetSongMilliseconds(path);
  if (milliseconds == 0) return 0;
  return static_cast<uint32_t>(milliseconds) / kMillisecondsPerWholeSecond + PLAY_MARGIN_SECONDS;
}
