// mkdir and fill: the target folder and one transfer run.
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <string>
#include <unistd.h>

#include "cli/arguments.h"
#include "cli/console_messages.h"
#include "cli/fill_report.h"
#include "cli/verbs.h"
#include "platform/interrupt_signal.h"
#include "platform/system_error.h"
#include "platform/terminal.h"
#include "store/folder_names.h"
#include "store/playlist_file.h"
#include "store/playlist_row.h"
#include "transfer/target_folder.h"
#include "transfer/transfer_outcome.h"
#include "transfer/transfer_texts.h"

namespace cli {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(50);
constexpr int kBarWidth = 30;

// The terminal is shared by the worker, which prints each row as its copy
// completes, and the main thread, which redraws the bar.
struct FillConsole {
  FillConsole(TransferJob& job, const Playlist& songs) : transfer(job), playlist(songs) {}
  TransferJob& transfer;
  const Playlist& playlist;  // the run's table, for the paths of refused songs
  std::mutex lock;
  bool showBar = false;
  bool barShown = false;
  std::atomic<bool> outputClosed{false};
  std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
};

void ClearBar(FillConsole* console) {
  if (!console->barShown) return;
  std::fputs(platform::CLEAR_LINE, stderr);
  console->barShown = false;
}

// A row that can't be written (the reader of a pipe is gone) ends the run
// as Ctrl-C does: the song already copied is on record, the table is saved.
void PrintRow(void* context, const char* row) {
  auto* console = static_cast<FillConsole*>(context);
  std::lock_guard<std::mutex> guard(console->lock);
  ClearBar(console);
  if (std::printf("%s\n", row) < 0 || std::fflush(stdout) != 0) {
    console->outputClosed = true;
    console->transfer.RequestStop();
  }
}

// A song whose file belongs to the system is said, never copied.
void PrintRefused(void* context, uint32_t slot) {
  auto* console = static_cast<FillConsole*>(context);
  char path[DISPLAY_PATH_BYTES];
  const PlaylistTable& table = console->playlist.workingTable;
  MakeDisplayPath(table.entries[std::min(slot, MAX_ENTRIES - 1)], path, sizeof path);
  std::lock_guard<std::mutex> guard(console->lock);
  ClearBar(console);
  std::fprintf(stderr, "kobaru: %s is a file of the system, not a song; not sent\n", path);
}

// "[#######-----]  42%  12 曲  8.3 MB/s": percent of the budget, counting
// the copy in progress, songs copied and the average rate so far.
void DrawBar(FillConsole* console) {
  const TransferProgress& progress = console->transfer.Progress();
  uint64_t bytes = progress.bytesCopied.load() +
                   progress.bytesInCurrentCopy.load(std::memory_order_relaxed);
  uint64_t budget = progress.budgetBytes.load();
  uint64_t percent = budget == 0 ? 0 : std::min<uint64_t>(100, bytes * 100 / budget);
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - console->start;
  double megabytes = static_cast<double>(bytes) / BYTES_PER_MEGABYTE;
  double rate = elapsed.count() > 0 ? megabytes / elapsed.count() : 0;
  int filled = static_cast<int>(percent * kBarWidth / 100);
  std::lock_guard<std::mutex> guard(console->lock);
  std::fprintf(stderr, "\r[%.*s%.*s] %3d%%  %u 曲  %.1f MB/s\033[K", filled,
               "##############################", kBarWidth - filled,
               "------------------------------", static_cast<int>(percent),
               progress.songsCopied.load(), rate);
  console->barShown = true;
}

// The capacity named on the command line, or 0 when it is not a choice.
int32_t ParseCapacity(const Arguments& arguments) {
  if (arguments.positional.empty()) return DEFAULT_CAPACITY_MB;
  if (arguments.positional[0] == FREE_SPACE_ARGUMENT) return FREE_SPACE_CAPACITY;
  for (int32_t choice : CAPACITY_CHOICES_MB) {
    if (arguments.positional[0] == std::to_string(choice)) return choice;
  }
  return 0;
}

// Runs the transfer on its worker and waits for its end, redrawing the bar.
int32_t RunWorker(int32_t capacityMb, FillConsole* console, bool* started) {
  TransferObserver observer{PrintRow, console, PrintRefused};
  TransferJob& transfer = console->transfer;
  TransferStart start = transfer.Start(capacityMb, &observer);
  *started = start != TransferStart::Busy;
  if (start == TransferStart::Busy) return -1;
  while (!transfer.WaitFor(kRedrawInterval)) {
    if (console->showBar) DrawBar(console);
  }
  int32_t result = transfer.Wait();
  std::lock_guard<std::mutex> guard(console->lock);
  ClearBar(console);
  return result;
}

}  // namespace

int RunMkdir(Owners& owners, int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, {{}, {}, 0, 0}, &arguments, &error))
    return UsageError(argv[1], error);
  ConsoleMessages messages(false);
  if (CreateTargetFolder(owners.playlist, messages)) return EXIT_OK;
  std::fprintf(stderr, "kobaru: %s: %s\n", TARGET_FOLDER_NAME, platform::ErrorText(errno));
  return EXIT_FAILED;
}

int RunFill(Owners& owners, int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, {{"--dry-run"}, {}, 0, 1}, &arguments, &error))
    return UsageError(argv[1], error);
  int32_t capacityMb = ParseCapacity(arguments);
  if (capacityMb == 0) {
    return UsageError(argv[1], arguments.positional[0] +
                                   ": MB must be 30, 60, 120, 240, 480, 960, 1920 or all");
  }
  if (!RequirePlaylist()) return EXIT_FAILED;
  if (arguments.Has("--dry-run")) return RunFillDryRun(owners, capacityMb);
  TransferJob& transfer = owners.transfer;
  TransferProgress& progress = transfer.Progress();
  FillConsole console(transfer, owners.playlist);
  console.showBar = platform::CanDrawOn(STDERR_FILENO);
  // Ctrl-C stops the run as closing the window does: the copy in progress
  // is removed, the table saved, and only then does the program end.
  platform::CatchInterrupts(&transfer.StopFlag());
  owners.playlist.failure.Clear();
  bool started = false;
  int32_t result = RunWorker(capacityMb, &console, &started);
  // The run is over and its job goes with the owners: a later signal is
  // only noted, and main ends by it once the output is written.
  platform::CatchInterrupts(nullptr);
  if (!started) {
    ReportPlaylistFailure(owners.playlist);
    return EXIT_FAILED;
  }
  progress.status.store(TransferStatus::Idle);
  ConsoleMessages messages(false);
  if (!RefusedBeforeAnySong(progress)) ShowTransferOutcome(progress, messages);
  ReportEarlyEnd(progress, owners.playlist, false);
  TransferEnd reason = progress.endReason.load();
  if (result == -1 || reason == TransferEnd::PlaylistFailed ||
      reason == TransferEnd::PlaylistReplaced) {
    ReportPlaylistFailure(owners.playlist);
  }
  if (int signal = platform::CaughtInterrupt(); signal != 0) {
    std::fprintf(stderr, "kobaru: interrupted; %u songs sent\n", progress.songsCopied.load());
    std::fflush(stdout);
    platform::EndBySignal(signal);
  }
  if (console.outputClosed) {  // the count went to the closed stdout
    std::fprintf(stderr, "kobaru: output closed; %u songs sent\n", progress.songsCopied.load());
  }
  return EndedInFailure(progress, result) || console.outputClosed ? EXIT_FAILED : EXIT_OK;
}

}  // namespace cli
