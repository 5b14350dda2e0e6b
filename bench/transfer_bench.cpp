// The transfer run against cp: 1 GB of songs (250 files of 4 MB) copied into
// kMp3 on the same file system, warm cache; and the cost of the draws with
// a full table. The generated songs live in a folder under /tmp that is
// removed at the end.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "store/playlist_entry.h"
#include "store/playlist_file.h"
#include "transfer/transfer_job.h"

extern char** environ;

namespace {

constexpr int kSongs = 250;
constexpr size_t kSongBytes = 4u << 20;
constexpr int32_t kCapacityMb = 1920;

std::filesystem::path g_root;      // the benchmark's own folder in /tmp
std::vector<std::string> g_songs;  // absolute paths of the generated songs
Playlist g_playlist;               // the owners a front end would hold
TransferJob g_transfer(g_playlist);
PlaylistTable& g_workingTable = g_playlist.workingTable;

void MakeSongs() {
  char pattern[] = "/tmp/kobaru-bench-XXXXXX";
  g_root = mkdtemp(pattern);
  std::filesystem::create_directories(g_root / "music");
  std::vector<char> bytes(kSongBytes);
  uint32_t state = 1;
  for (int i = 0; i < kSongs; ++i) {
    for (char& byte : bytes) byte = static_cast<char>((state = state * 1103515245u + 12345u) >> 24);
    char name[32];
    std::snprintf(name, sizeof name, "song%03d.mp3", i);
    g_songs.push_back((g_root / "music" / name).string());
    std::ofstream(g_songs.back(), std::ios::binary).write(bytes.data(), bytes.size());
  }
}

// A fresh, empty target, with the last round's data off to disk first so
// that no round pays for the one before it.
void FreshTarget(const char* name) {
  std::filesystem::remove_all(g_root / name);
  std::filesystem::create_directories(g_root / name / "kMp3");
  sync();
  for (const std::string& song : g_songs) {  // warm cache: the sources are read once more
    std::ifstream in(song, std::ios::binary);
    char chunk[1 << 16];
    while (in.read(chunk, sizeof chunk)) {
    }
  }
}

void RunCommand(std::vector<std::string> words) {
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t child;
  if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0) std::abort();
  waitpid(child, nullptr, 0);
}

void WriteFullPlaylist() {
  std::memset(&g_workingTable, 0, sizeof g_workingTable);
  for (int i = 0; i < kSongs; ++i) {
    std::string stored;
    for (char c : g_songs[i]) stored += c == '/' ? std::string("//") : std::string(1, c);
    std::memcpy(g_workingTable.entries[i].path, stored.data(), stored.size());
    g_workingTable.entries[i].fileSize = kSongBytes;
  }
  SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES);
}

double CopyWithCp(bool thenSync) {
  FreshTarget("cp");
  std::vector<std::string> words{"cp"};
  words.insert(words.end(), g_songs.begin(), g_songs.end());
  words.push_back((g_root / "cp" / "kMp3").string());
  auto start = std::chrono::steady_clock::now();
  RunCommand(words);
  if (thenSync) sync();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Fill() {
  FreshTarget("fill");
  std::filesystem::current_path(g_root / "fill");
  WriteFullPlaylist();
  auto start = std::chrono::steady_clock::now();
  g_transfer.RunHere(kCapacityMb);
  double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::filesystem::current_path(g_root);
  return g_transfer.Progress().bytesCopied.load() == kSongs * kSongBytes ? seconds : -1;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

// Each round times cp, cp followed by sync, and the fill, one after the
// other, so that the machine's ups and downs fall on all three alike.
// Plain cp leaves the data in the page cache; cp + sync puts it on the
// disk too, as the fill's batched flushes do.
void BM_FillBesideCp(benchmark::State& state) {
  std::vector<double> cp;
  std::vector<double> cpSync;
  std::vector<double> fill;
  for (auto _ : state) {
    cp.push_back(CopyWithCp(false));
    cpSync.push_back(CopyWithCp(true));
    fill.push_back(Fill());
    if (fill.back() < 0) state.SkipWithError("not every song was copied");
    state.SetIterationTime(fill.back());
  }
  state.SetBytesProcessed(state.iterations() * kSongs * int64_t{kSongBytes});
  state.counters["cp_ms"] = Median(cp) * 1000;
  state.counters["cp_sync_ms"] = Median(cpSync) * 1000;
  state.counters["fill_ms"] = Median(fill) * 1000;
  state.counters["x_cp"] = Median(fill) / Median(cp);
  state.counters["x_cp_sync"] = Median(fill) / Median(cpSync);
}
BENCHMARK(BM_FillBesideCp)->UseManualTime()->Iterations(7)->Unit(benchmark::kMillisecond);

// A full table of 4,000 unsent songs whose files are all gone: the run draws
// 4,000 times, walks the table for each draw and tests each source, with one
// load and one save. No copies, so this is the selection's own cost.
void BM_DrawsOverAFullTable(benchmark::State& state) {
  std::filesystem::create_directories(g_root / "draws" / "kMp3");
  std::filesystem::current_path(g_root / "draws");
  for (auto _ : state) {
    state.PauseTiming();
    std::memset(&g_workingTable, 0, sizeof g_workingTable);
    for (uint32_t i = 0; i < MAX_ENTRIES; ++i) {
      std::snprintf(g_workingTable.entries[i].path, PATH_LEN, "//tmp//kobaru-gone//%04u.mp3", i);
      g_workingTable.entries[i].fileSize = 1;
    }
    SaveTable(PLAYLIST_FILE_NAME, &g_workingTable, TABLE_BYTES);
    state.ResumeTiming();
    g_transfer.RunHere(kCapacityMb);
  }
  if (g_transfer.Progress().songsMissing.load() != MAX_ENTRIES)
    state.SkipWithError("not every draw made");
  state.counters["draws"] = MAX_ENTRIES;
  state.counters["per_draw"] =
      benchmark::Counter(static_cast<double>(state.iterations()) * MAX_ENTRIES,
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_DrawsOverAFullTable)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  MakeSongs();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::filesystem::current_path("/");
  std::filesystem::remove_all(g_root);
  return 0;
}
