// kobaru fill --dry-run: the draw of a fill, printed instead of copied.
#include <cstdio>

#include "cli/arguments.h"
#include "cli/console_messages.h"
#include "cli/fill_report.h"
#include "store/playlist_row.h"
#include "transfer/transfer_texts.h"

namespace cli {
namespace {

struct DryRunConsole {
  const Playlist& playlist;
  bool outputFailed = false;
};

// "NNNN  size  path": the number the song would get, its recorded size and
// its shown path.
void PrintPlanned(void* context, uint32_t slot, uint32_t number) {
  auto* console = static_cast<DryRunConsole*>(context);
  const PlaylistEntry& entry = console->playlist.workingTable.entries[slot];
  char path[DISPLAY_PATH_BYTES];
  MakeDisplayPath(entry, path, sizeof path);
  if (std::printf("%04u  %10u  %s\n", number, entry.fileSize, path) < 0) {
    console->outputFailed = true;
  }
}

}  // namespace

int RunFillDryRun(Owners& owners, int32_t capacityMb) {
  DryRunConsole console{owners.playlist};
  TransferObserver observer{nullptr, &console};
  observer.onPlanned = PrintPlanned;
  TransferJob& transfer = owners.transfer;
  int32_t result = transfer.DryRun(capacityMb, &observer);
  const TransferProgress& progress = transfer.Progress();
  if (result == -1) {
    ReportPlaylistFailure(owners.playlist);
    return EXIT_FAILED;
  }
  unsigned long long bytes = progress.bytesCopied.load();
  std::printf("%u songs, %llu bytes (%.1f MB)\n", progress.songsCopied.load(), bytes,
              static_cast<double>(bytes) / BYTES_PER_MEGABYTE);
  if (uint32_t missing = progress.songsMissing.load(); missing != 0) {
    std::fprintf(stderr, "kobaru: %u songs are missing and would not be sent\n", missing);
  }
  ReportEarlyEnd(progress, owners.playlist, true);
  // A write error still waiting in the buffer is said, with its reason, at exit.
  return EndedInFailure(progress, result) || console.outputFailed ? EXIT_FAILED : EXIT_OK;
}

}  // namespace cli
