// Time from process start to the first painted frame, and resident memory
// then, for the main window (offscreen, a full 4,000-entry playlist) against
// an empty Qt Widgets window started the same way, and against one that
// shows a line of Japanese text in the window's font (whose first use loads
// the font database). The gaps are what our start-up costs.
//   window_start_bench [RUNS]        the driver: RUNS of each, medians
//   window_start_bench --child MODE  one start (empty, text or window)
#include <QApplication>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>
#include <vector>

#include "bench/resident_memory.h"
#include "store/playlist_file.h"
#include "ui/main_app.h"
#include "ui/main_dialog.h"

namespace {

constexpr int kDefaultRuns = 15;
constexpr int kEmptyWidth = 235;
constexpr int kEmptyHeight = 380;

PlaylistTable g_benchTable;

int64_t NowNs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return int64_t(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// Reports once the first paint of `window` has been handed to the screen.
class FirstFrame : public QObject {
 public:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen_) {
      seen_ = true;
      QTimer::singleShot(0, [] {
        std::printf("%lld %ld\n", static_cast<long long>(NowNs()), ResidentKb());
        std::fflush(stdout);
        QCoreApplication::exit(0);
      });
    }
    return false;
  }

 private:
  bool seen_ = false;
};

int RunChild(const std::string& mode) {
  int argc = 1;
  char name[] = "window_start_bench";
  char* argv[] = {name, nullptr};
  FirstFrame first;
  if (mode != "window") {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(kEmptyWidth, kEmptyHeight);
    if (mode == "text") {
      QFont face = window.font();
      face.setFamilies({"IPAGothic", "VL Gothic", "Noto Sans CJK JP"});
      face.setPointSize(9);
      (new QLabel(QStringLiteral("ﾌﾟﾚｲﾘｽﾄ表示"), &window))->setFont(face);
    }
    window.installEventFilter(&first);
    window.show();
    return app.exec();
  }
  CMainApp app(argc, argv);
  CMainDialog dialog(app.Owners());
  dialog.installEventFilter(&first);
  dialog.show();
  return app.exec();
}

void MakeWorkingFolder(const std::string& folder) {
  std::filesystem::create_directories(folder + "/kMp3");
  for (uint32_t slot = 0; slot < MAX_ENTRIES; ++slot) {
    PlaylistEntry& entry = g_benchTable.entries[slot];
    std::snprintf(entry.path, PATH_LEN, "//music//album%03u//song%04u.mp3", slot / 12, slot);
    entry.fileSize = 4000000 + slot;
  }
  std::filesystem::current_path(folder);
  if (SaveTable(PLAYLIST_FILE_NAME, &g_benchTable, TABLE_BYTES) != 0) std::exit(1);
}

// One child: milliseconds from just before the fork to its first frame.
bool StartOnce(const char* self, const char* mode, double* ms, long* kb) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return false;
  int64_t start = NowNs();
  pid_t child = fork();
  if (child == 0) {
    dup2(pipeEnds[1], STDOUT_FILENO);
    close(pipeEnds[0]);
    execl(self, self, "--child", mode, static_cast<char*>(nullptr));
    _exit(127);
  }
  close(pipeEnds[1]);
  char line[128] = {};
  ssize_t got = read(pipeEnds[0], line, sizeof line - 1);
  close(pipeEnds[0]);
  int status = 0;
  waitpid(child, &status, 0);
  long long frame = 0;
  if (got <= 0 || std::sscanf(line, "%lld %ld", &frame, kb) != 2) return false;
  *ms = static_cast<double>(frame - start) / 1e6;
  return true;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--child") == 0) return RunChild(argv[2]);
  int runs = argc > 1 ? std::atoi(argv[1]) : kDefaultRuns;
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::string self = std::filesystem::canonical("/proc/self/exe").string();
  std::string folder = std::filesystem::temp_directory_path() / "kobaru-window-bench";
  std::filesystem::remove_all(folder);
  MakeWorkingFolder(folder);
  constexpr int kModes = 3;
  std::vector<double> ms[kModes], kb[kModes];
  const char* modes[kModes] = {"empty", "text", "window"};
  for (int run = 0; run < runs; ++run) {
    for (int mode = 0; mode < kModes; ++mode) {
      double took = 0;
      long resident = 0;
      if (!StartOnce(self.c_str(), modes[mode], &took, &resident)) return 1;
      ms[mode].push_back(took);
      kb[mode].push_back(static_cast<double>(resident));
    }
  }
  std::filesystem::current_path("/");
  std::filesystem::remove_all(folder);
  for (int mode = 0; mode < kModes; ++mode) {
    std::printf("%-7s first frame %6.1f ms (median of %d, best %6.1f)  resident %7.0f kB\n",
                modes[mode], Median(ms[mode]), runs,
                *std::min_element(ms[mode].begin(), ms[mode].end()), Median(kb[mode]));
  }
  for (int base = 0; base < 2; ++base) {
    std::printf("window/%-6s first frame %.2fx  resident %.2fx\n", modes[base],
                Median(ms[2]) / Median(ms[base]), Median(kb[2]) / Median(kb[base]));
  }
  return 0;
}
