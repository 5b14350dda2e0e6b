// Time per file of the play-time reader over generated MP3 files: a first
// frame and silence, with and without a 500 KB cover picture in an ID3v2
// tag; 4 MB of constant-bitrate frames; 4 MB of variable-bitrate frames
// without a Xing header, which are walked. Warm, and for the frames also
// with the file dropped from the page cache first; beside ffprobe and
// mediainfo where they are installed. The files live in a fresh folder in
// /tmp (sparse where they are silence) and are deleted at the end.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "playback/mpeg_frame_header.h"
#include "playback/play_time.h"

namespace {

constexpr int kFilesPerKind = 20;
constexpr size_t kAudioBytes = 4 * 1000 * 1000;
constexpr size_t kCoverBytes = 500 * 1000;
constexpr size_t kFrameBytes = 417;
constexpr uint8_t kHeader[] = {0xFF, 0xFB, 0x90, 0x64};

enum Kind { kPlain, kCover, kCoverXing, kCbr, kVbr, kKinds };
const char* const kKindNames[kKinds] = {"plain", "cover", "cover_xing", "cbr", "vbr"};
// MPEG-1 Layer III at 44100 Hz: bitrate indexes 5 to 13 (64 to 256 kbit/s).
constexpr int kVbrLowestIndex = 5;
constexpr int kVbrIndexes = 9;
constexpr int kVbrBitrates[kVbrIndexes] = {64, 80, 96, 112, 128, 160, 192, 224, 256};

std::filesystem::path g_folder;
std::vector<std::string> g_files[kKinds];

std::string Id3v2Tag(std::mt19937& random) {
  std::string tag = "ID3\x03";
  tag += std::string(2, '\0');
  for (int shift = 21; shift >= 0; shift -= 7)
    tag += static_cast<char>((kCoverBytes >> shift) & 0x7F);
  // Picture-like noise without 0xFF, so no sync pattern ends a naive search early.
  for (size_t i = 0; i < kCoverBytes; ++i) tag += static_cast<char>(random() % 0xFF);
  return tag;
}

std::string FirstFrame(bool xing) {
  std::string frame(reinterpret_cast<const char*>(kHeader), sizeof kHeader);
  frame.resize(kFrameBytes, '\0');
  if (xing) frame.replace(36, 12, std::string("Xing\0\0\0\x01\0\0\x27\x10", 12));
  return frame;
}

void WriteSong(const std::string& path, const std::string& front) {
  std::ofstream out(path, std::ios::binary);
  out << front;
  out.close();
  std::filesystem::resize_file(path, front.size() + kAudioBytes);  // silence as a hole
}

// Frames whose bitrate changes every few frames, as a VBR encoder's do, or
// 128 kbit/s frames throughout.
std::string AudioFrames(std::mt19937& random, bool variable) {
  std::string frames;
  int index = 4;
  while (frames.size() < kAudioBytes) {
    if (variable && random() % 4 == 0) index = static_cast<int>(random() % kVbrIndexes);
    std::string frame(144000 * kVbrBitrates[index] / 44100, '\x55');
    frame[0] = static_cast<char>(kHeader[0]);
    frame[1] = static_cast<char>(kHeader[1]);
    frame[2] = static_cast<char>((kVbrLowestIndex + index) << 4);
    frame[3] = static_cast<char>(kHeader[3]);
    frames += frame;
  }
  return frames;
}

void WriteFramesSong(const std::string& path, const std::string& frames) {
  std::ofstream(path, std::ios::binary) << frames;
  int descriptor = open(path.c_str(), O_RDONLY);
  fdatasync(descriptor);  // clean pages, so that the cold run can drop them
  close(descriptor);
}

void MakeFiles() {
  std::string pattern = "/tmp/kobaru-bench-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr) std::abort();
  g_folder = pattern;
  std::mt19937 random(1);
  for (int kind = 0; kind < kKinds; ++kind) {
    for (int i = 0; i < kFilesPerKind; ++i) {
      std::string path =
          (g_folder / (std::string(kKindNames[kind]) + std::to_string(i) + ".mp3")).string();
      if (kind == kCbr || kind == kVbr) {
        WriteFramesSong(path, AudioFrames(random, kind == kVbr));
      } else {
        std::string front = kind == kPlain ? "" : Id3v2Tag(random);
        WriteSong(path, front + FirstFrame(kind == kCoverXing));
      }
      g_files[kind].push_back(path);
    }
  }
}

void ReaderPerFile(benchmark::State& state) {
  const std::vector<std::string>& files = g_files[state.range(0)];
  size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(GetSongSeconds(files[next].c_str()));
    next = (next + 1) % files.size();
  }
  state.SetLabel(kKindNames[state.range(0)]);
}

// As at start-up after a reboot: every file read from the disk.
void ReaderPerColdFile(benchmark::State& state) {
  const std::vector<std::string>& files = g_files[state.range(0)];
  size_t next = 0;
  for (auto _ : state) {
    state.PauseTiming();
    int descriptor = open(files[next].c_str(), O_RDONLY);
    posix_fadvise(descriptor, 0, 0, POSIX_FADV_DONTNEED);
    close(descriptor);
    state.ResumeTiming();
    benchmark::DoNotOptimize(GetSongSeconds(files[next].c_str()));
    next = (next + 1) % files.size();
  }
  state.SetLabel(kKindNames[state.range(0)]);
}

// The search as a byte-at-a-time slide from offset 0 through stdio, for
// comparison: it reads the whole cover before it meets the first frame.
void ByteByByteSearchPerFile(benchmark::State& state) {
  const std::vector<std::string>& files = g_files[state.range(0)];
  size_t next = 0;
  for (auto _ : state) {
    FILE* file = std::fopen(files[next].c_str(), "rb");
    uint32_t window = 0;
    int c;
    while ((c = std::fgetc(file)) != EOF && !IsFrameHeader(window = (window << 8) | c)) {
    }
    benchmark::DoNotOptimize(window);
    std::fclose(file);
    next = (next + 1) % files.size();
  }
  state.SetLabel(kKindNames[state.range(0)]);
}

bool Installed(const char* tool) {
  std::string command = std::string("command -v ") + tool + " >/dev/null 2>&1";
  return std::system(command.c_str()) == 0;
}

void ExternalToolPerFile(benchmark::State& state, const char* tool, const char* options) {
  if (!Installed(tool)) {
    state.SkipWithError((std::string(tool) + " is not installed").c_str());
    return;
  }
  const std::vector<std::string>& files = g_files[state.range(0)];
  size_t next = 0;
  for (auto _ : state) {
    std::string command =
        std::string(tool) + " " + options + " '" + files[next] + "' >/dev/null 2>&1";
    benchmark::DoNotOptimize(std::system(command.c_str()));
    next = (next + 1) % files.size();
  }
  state.SetLabel(kKindNames[state.range(0)]);
}

void FfprobePerFile(benchmark::State& state) {
  ExternalToolPerFile(state, "ffprobe", "-v quiet -show_entries format=duration -of csv=p=0");
}

void MediainfoPerFile(benchmark::State& state) {
  ExternalToolPerFile(state, "mediainfo", "--Inform=General;%Duration%");
}

BENCHMARK(ReaderPerFile)->DenseRange(0, kKinds - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReaderPerColdFile)->Arg(kCbr)->Arg(kVbr)->Unit(benchmark::kMicrosecond);
BENCHMARK(ByteByByteSearchPerFile)->Arg(kCover)->Unit(benchmark::kMicrosecond);
BENCHMARK(FfprobePerFile)->DenseRange(0, kKinds - 1)->Unit(benchmark::kMicrosecond);
BENCHMARK(MediainfoPerFile)->DenseRange(0, kKinds - 1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  MakeFiles();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::remove_all(g_folder);
  return 0;
}
