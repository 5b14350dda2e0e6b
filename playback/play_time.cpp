#include "playback/play_time.h"

#include <cstring>

#include "platform/file_system.h"
#include "playback/file_window.h"
#include "playback/frame_sync.h"
#include "playback/frame_walker.h"
#include "playback/id3v2_tag.h"
#include "playback/mpeg_frame_header.h"
#include "playback/vbri_header.h"
#include "playback/xing_header.h"

namespace {

constexpr size_t kSearchChunkBytes = 4096;
// No song has this much data between its tag and its audio: a huge file
// without a frame near its start is given up on instead of read whole.
constexpr int64_t kSearchLimitBytes = 1024 * 1024;
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
  while (taken < kSearchLimitBytes) {
    size_t got = std::fread(chunk, 1, sizeof chunk, file);
    if (got == 0) break;
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

// Where the audio ends: at an ID3v1 tag, which is only looked for where it
// cannot overlap the ID3v2 tag, or at the end of the file.
int64_t AudioEnd(FILE* file, int64_t audioStart) {
  if (std::fseek(file, 0, SEEK_END) != 0) return audioStart;
  int64_t length = std::ftell(file);
  if (length < audioStart) return audioStart;
  char identifier[kId3v1IdentifierBytes];
  int64_t tagOffset = length - kId3v1Bytes;
  if (tagOffset >= audioStart &&
      ReadAt(file, tagOffset, identifier, sizeof identifier) == sizeof identifier &&
      std::memcmp(identifier, kId3v1Identifier, kId3v1IdentifierBytes) == 0) {
    return tagOffset;
  }
  return length;
}

// Only a corrupt Xing count gets past the longest time.
int32_t ToMilliseconds(double seconds) {
  double milliseconds = seconds * kMillisecondsPerSecond;
  if (!(milliseconds < kLongestMilliseconds)) return INT32_MAX;
  return static_cast<int32_t>(milliseconds);
}

// The audio bytes over the first frame's nominal length, which is right
// when every frame has its bitrate.
int32_t ConstantBitrateMs(const MpegFrameInfo& info, int64_t audioBytes) {
  auto frames = static_cast<int64_t>(static_cast<uint32_t>(audioBytes) / BytesPerFrame(info));
  return ToMilliseconds(static_cast<double>(frames) * SecondsPerFrame(info));
}

// A stream without a frame count: timed by its frames when the sampled
// bitrates differ from the first frame's and a walk from the first frame
// that the next one confirms covers most of the audio. Frames past the
// walk's bound are taken to have the bitrate of those seen.
int32_t UncountedStreamMs(FILE* file, uint32_t header, const MpegFrameInfo& first,
                          int64_t headerOffset, int64_t audioStart, int64_t audioEnd) {
  int32_t constantMs = ConstantBitrateMs(first, audioEnd - audioStart);
  FileWindow window(file);
  FrameStream stream{header & STREAM_BITS_MASK, audioEnd};
  if (!SampledBitrateDiffers(window, stream, headerOffset, first.bitrateIndex)) return constantMs;
  int64_t start = Resynchronise(window, stream, headerOffset, headerOffset + kSearchLimitBytes,
                                FILE_WINDOW_BYTES);
  if (start < 0) return constantMs;
  FrameWalk walk = WalkFrames(window, stream, start);
  int64_t walked = walk.reached - start;
  if (walk.frameBytes * 2 < walked) return constantMs;
  double share = static_cast<double>(audioEnd - start) / static_cast<double>(walked);
  return ToMilliseconds(static_cast<double>(walk.frames) * SecondsPerFrame(first) * share);
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
  VbriInfo vbri;
  if (ReadVbriHeader(frame, frameLength, &vbri))
    return ToMilliseconds(vbri.frames * secondsPerFrame);
  return UncountedStreamMs(file, header, info, headerOffset, audioStart,
                           AudioEnd(file, audioStart));
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
