// Folder scan over a large generated collection beside `find`, and the
// cost of a whole-table load + save.
//   build/bench/scan_bench [--benchmark_filter=...]
// The tree is built once in $TMPDIR/kobaru-bench-tree and reused.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "store/folder_scan.h"
#include "store/playlist_file.h"
#include "store/search_job.h"

namespace {

constexpr int kArtists = 50;
constexpr int kAlbumsPerArtist = 99;  // 50 + 50 * 99 = 5,000 folders
constexpr int kFiles = 100000;
constexpr int kSongs = 3000;

std::string TreeRoot() {
  const char* base = std::getenv("TMPDIR");
  return std::string(base != nullptr ? base : "/tmp") + "/kobaru-bench-tree";
}

void BuildTree(const std::string& root) {
  if (std::filesystem::exists(root + "/complete")) return;
  std::filesystem::remove_all(root);
  const char* others[] = {"jpg", "txt", "flac", "m3u"};
  int songs = 0;
  for (int i = 0; i < kFiles; ++i) {
    int album = i % (kArtists * kAlbumsPerArtist);
    std::string folder = root + "/artist" + std::to_string(album / kAlbumsPerArtist) + "/album" +
                         std::to_string(album % kAlbumsPerArtist);
    if (i < kArtists * kAlbumsPerArtist) std::filesystem::create_directories(folder);
    bool song = i % 33 == 0 && songs < kSongs;
    songs += song;
    std::string name = folder + "/track" + std::to_string(i) + "." + (song ? "mp3" : others[i % 4]);
    std::ofstream(name).put('x');
  }
  std::ofstream(root + "/complete");
}

// The scan's owners, as the search job holds them.
Playlist g_playlist;
char g_foundExtension[PATH_LEN];
const std::atomic<bool> kNoStop{false};

void ScanTree(const std::string& root) {
  char path[PATH_LEN];
  PrepareScanPath(root.c_str(), path);
  g_playlist.entryCount = 0;
  ScanFolder(path, {g_playlist, DEFAULT_EXTENSION, g_foundExtension, kNoStop});
}

std::string FindCommand(const std::string& root) {
  return "find " + root + " -type f -iname '*.mp3' > /dev/null";
}

double BestSeconds(int runs, const auto& work) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    auto start = std::chrono::steady_clock::now();
    work();
    best = std::min(
        best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

void BM_ScanTree(benchmark::State& state) {
  std::string root = TreeRoot();
  for (auto _ : state) ScanTree(root);
  state.counters["songs"] = g_playlist.entryCount.load();
}

void BM_FindTree(benchmark::State& state) {
  std::string command = FindCommand(TreeRoot());
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("find failed");
  }
}

void BM_LoadSaveFullTable(benchmark::State& state) {
  std::string folder = TreeRoot() + "-table";
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  for (uint32_t i = 0; i < MAX_ENTRIES; ++i) {
    std::snprintf(g_playlist.workingTable.entries[i].path, PATH_LEN, "//music//song%04u.mp3", i);
  }
  SaveTable(PLAYLIST_FILE_NAME, &g_playlist.workingTable, TABLE_BYTES);
  for (auto _ : state) {
    (void)g_playlist.LoadWithCount();
    SaveTable(PLAYLIST_FILE_NAME, &g_playlist.workingTable, TABLE_BYTES);
  }
  std::filesystem::current_path("/");
  std::filesystem::remove_all(folder);
}

BENCHMARK(BM_ScanTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindTree)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSaveFullTable)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  std::string root = TreeRoot();
  BuildTree(root);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  // Warm cache: both have just walked the tree above.
  double scan = BestSeconds(5, [&] { ScanTree(root); });
  std::string command = FindCommand(root);
  double find = BestSeconds(5, [&] { (void)std::system(command.c_str()); });
  std::printf("scan %.1f ms, find %.1f ms: scan/find = %.2f (target at most 1.5)\n", scan * 1e3,
              find * 1e3, scan / find);
  benchmark::Shutdown();
  return 0;
}
