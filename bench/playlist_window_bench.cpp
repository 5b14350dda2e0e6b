// The playlist window over a full table: time to open it (load 4,000
// entries, fill both lists, order the sorted one, paint) and to switch the
// view (show the other list, paint), and the memory the open window holds.
//   playlist_window_bench [RUNS]
#include <QPushButton>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <time.h>
#include <vector>

#include "bench/resident_memory.h"
#include "store/playlist_file.h"
#include "ui/main_app.h"
#include "ui/playlist_dlg.h"
#include "ui/qt_playback_host.h"

namespace {

constexpr int kDefaultRuns = 21;
constexpr int kStates = 5;

PlaylistTable g_benchTable;

double NowMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Mixed states and sizes, so the sort has real work.
void WriteFullPlaylist() {
  for (uint32_t slot = 0; slot < MAX_ENTRIES; ++slot) {
    PlaylistEntry& entry = g_benchTable.entries[slot];
    std::snprintf(entry.path, PATH_LEN, "//music//アルバム%03u//曲%04u.mp3", slot / 12, slot);
    entry.state = static_cast<uint16_t>((slot * 7) % kStates);
    entry.transferNumber = static_cast<uint16_t>(entry.state == STATE_TRANSFERRED ? slot + 1 : 0);
    entry.fileSize = 3000000 + (slot * 7919) % 5000000;
  }
  if (SaveTable(PLAYLIST_FILE_NAME, &g_benchTable, TABLE_BYTES) != 0) std::exit(1);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int runs = argc > 1 ? std::atoi(argv[1]) : kDefaultRuns;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  int qtArgc = 1;
  CMainApp app(qtArgc, argv);
  std::filesystem::path folder = std::filesystem::temp_directory_path() / "kobaru-playlist-bench";
  std::filesystem::create_directories(folder);
  std::filesystem::current_path(folder);
  WriteFullPlaylist();
  QtPlaybackHost player(app.Owners().continuous);
  std::vector<double> open, switching;
  long before = 0, held = 0;
  for (int run = 0; run < runs; ++run) {
    before = ResidentKb();
    double start = NowMs();
    CPlaylistDialog dialog(app.Owners(), player, nullptr, nullptr);
    dialog.show();
    dialog.repaint();
    open.push_back(NowMs() - start);
    if (run == 0) held = ResidentKb() - before;  // later opens reuse its pages
    auto* button = dialog.findChild<QPushButton*>("switchView");
    start = NowMs();
    button->click();
    dialog.repaint();
    switching.push_back(NowMs() - start);
  }
  std::filesystem::current_path("/");
  std::filesystem::remove_all(folder);
  std::printf("open   %7.2f ms (median of %d, best %.2f)\n", Median(open), runs,
              *std::min_element(open.begin(), open.end()));
  std::printf("switch %7.2f ms (median of %d, best %.2f)\n", Median(switching), runs,
              *std::min_element(switching.begin(), switching.end()));
  std::printf("resident %ld kB at the end; the first open window added %ld kB\n", ResidentKb(),
              held);
  return 0;
}
