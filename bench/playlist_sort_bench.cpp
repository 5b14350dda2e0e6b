// Sorting a full playlist of 4,000 rows for the sorted list: RowSorter
// against std::sort over the pairwise ComparePlaylistRows, which formats
// both rows on every comparison.
//   build-release/bench/playlist_sort_bench
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>

#include "store/playlist_row.h"

namespace {

constexpr double kTargetMs = 5.0;

PlaylistTable g_table;
RowSorter g_sorter;

void FillTable() {
  for (uint32_t i = 0; i < MAX_ENTRIES; ++i) {
    PlaylistEntry& entry = g_table.entries[i];
    std::snprintf(entry.path, PATH_LEN, "//music//album%02u//song%04u.mp3", i % 97, i);
    entry.state = static_cast<uint16_t>(i % 5);
    entry.transferNumber = static_cast<uint16_t>((i * 7919) % 10000);
    entry.fileSize = (i * 104729u) % 9000000u;
  }
}

uint32_t g_values[MAX_ENTRIES];

void ResetValues() { std::iota(g_values, g_values + MAX_ENTRIES, FIRST_ENTRY_ROW_VALUE); }

void SortWithKeys() { g_sorter.Sort(g_table, g_values, MAX_ENTRIES); }

void SortPairwise() {
  std::sort(g_values, g_values + MAX_ENTRIES,
            [](uint32_t a, uint32_t b) { return ComparePlaylistRows(g_table, a, b) < 0; });
}

void BM_SortRowValues(benchmark::State& state) {
  for (auto _ : state) {
    ResetValues();
    SortWithKeys();
    benchmark::DoNotOptimize(g_values);
  }
}

void BM_SortPairwise(benchmark::State& state) {
  for (auto _ : state) {
    ResetValues();
    SortPairwise();
    benchmark::DoNotOptimize(g_values);
  }
}

BENCHMARK(BM_SortRowValues)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortPairwise)->Unit(benchmark::kMillisecond);

double BestMs(int runs, void (*sort)()) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    ResetValues();
    auto start = std::chrono::steady_clock::now();
    sort();
    std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  FillTable();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  double keys = BestMs(20, SortWithKeys);
  double pairwise = BestMs(5, SortPairwise);
  std::printf("sort %u rows: %.2f ms with RowSorter, %.1f ms pairwise (target under %.0f ms)\n",
              MAX_ENTRIES, keys, pairwise, kTargetMs);
  benchmark::Shutdown();
  return keys < kTargetMs ? 0 : 1;
}
