// mkdir and fill: the target folder and one transfer run.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <thread>
#include <unistd.h>

#include "cli/arguments.h"
#include "cli/console_messages.h"
#include "cli/verbs.h"
#include "platform/interrupt_signal.h"
#include "store/playlist_file.h"
#include "transfer/target_folder.h"
#include "transfer/transfer_outcome.h"
#include "transfer/transfer_progress.h"
#include "transfer/transfer_run.h"
#include "transfer/transfer_texts.h"

namespace cli {
namespace {

constexpr auto kPollInterval = std::chrono::milliseconds(50);
constexpr int kBarWidth = 30;
constexpr double kBytesPerMegabyte = 1048576.0;
constexpr char kClearLine[] = "\r\033[K";

// The terminal is shared by the worker, which prints each row as its copy
// completes, and the main thread, which redraws the bar.
struct FillConsole {
  std::mutex lock;
  bool showBar = false;
  bool barShown = false;
  uint64_t budget = 0;
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

void ClearBar(FillConsole* console) {
  if (!console->barShown) return;
  std::fputs(kClearLine, stderr);
  console->barShown = false;
}

void PrintRow(void* context, const char* row) {
  auto* console = static_cast<FillConsole*>(context);
  std::lock_guard<std::mutex> guard(console->lock);
  ClearBar(console);
  std::printf("%s\n", row);
  std::fflush(stdout);
}

// "[#######-----]  42%  12 曲  8.3 MB/s": percent of the budget, counting
// the copy in progress, songs copied and the average rate so far.
void DrawBar(FillConsole* console) {
  uint64_t bytes = g_transferProgress.bytesCopied.load() +
                   g_transferProgress.bytesInCurrentCopy.load(std::memory_order_relaxed);
  uint64_t percent =
      console->budget == 0 ? 0 : std::min<uint64_t>(100, bytes * 100 / console->budget);
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - console->start;
  double rate = elapsed.count() > 0 ? bytes / kBytesPerMegabyte / elapsed.count() : 0;
  int filled = static_cast<int>(percent * kBarWidth / 100);
  std::lock_guard<std::mutex> guard(console->lock);
  std::fprintf(stderr, "\r[%.*s%.*s] %3d%%  %u 曲  %.1f MB/s\033[K", filled,
               "##############################", kBarWidth - filled,
               "------------------------------", static_cast<int>(percent),
               g_transferProgress.songsCopied.load(), rate);
  console->barShown = true;
}

// The capacity named on the command line, or 0 when it is not a choice.
int32_t ParseCapacity(const Arguments& arguments) {
  if (arguments.positional.empty()) return DEFAULT_CAPACITY_MB;
  for (int32_t choice : CAPACITY_CHOICES_MB) {
    if (arguments.positional[0] == std::to_string(choice)) return choice;
  }
  return 0;
}

// Starts the worker and waits for it, redrawing the bar.
int32_t RunWorker(FillConsole* console) {
  TransferObserver observer{PrintRow, console};
  int32_t result = 0;
  std::thread worker([&] { result = TransferThreadProc(&observer); });
  while (g_transferProgress.status.load(std::memory_order_acquire) != TRANSFER_FINISHED) {
    if (console->showBar) DrawBar(console);
    std::this_thread::sleep_for(kPollInterval);
  }
  worker.join();
  std::lock_guard<std::mutex> guard(console->lock);
  ClearBar(console);
  return result;
}

}  // namespace

int RunMkdir(int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, {{}, {}, 0, 0}, &arguments, &error)) return UsageError(error);
  ConsoleMessages messages(false);
  return CreateTargetFolder(messages) ? EXIT_OK : EXIT_FAILED;
}

int RunFill(int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, {{}, {}, 0, 1}, &arguments, &error)) return UsageError(error);
  int32_t capacityMb = ParseCapacity(arguments);
  if (capacityMb == 0) {
    return UsageError(arguments.positional[0] + ": MB must be 30, 60, 120, 240, 480, 960 or 1920");
  }
  FillConsole console;
  console.showBar = isatty(STDERR_FILENO);
  console.budget = uint64_t(capacityMb) << BYTES_PER_MEGABYTE_SHIFT;
  PrepareTransfer(capacityMb);
  // Ctrl-C stops the run as closing the window does: the copy in progress
  // is removed, the table saved, and only then does the program end.
  platform::CatchInterrupts(&g_transferStopRequested);
  int32_t result = RunWorker(&console);
  g_transferProgress.status.store(TRANSFER_IDLE);
  ConsoleMessages messages(false);
  ShowTransferOutcome(messages);
  if (result == -1) {
    std::fprintf(stderr, "kobaru: %s could not be read or written back\n", PLAYLIST_FILE_NAME);
    return EXIT_FAILED;
  }
  return EXIT_OK;
}

}  // namespace cli
