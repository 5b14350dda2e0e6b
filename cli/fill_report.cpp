#include "cli/fill_report.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "platform/system_error.h"
#include "store/playlist_row.h"
#include "transfer/transfer_texts.h"

namespace cli {

void ReportEarlyEnd(const TransferProgress& progress, const Playlist& playlist, bool dryRun) {
  int error = progress.endError.load();
  switch (progress.endReason.load()) {
    case TransferEnd::MediumFull:
      std::fprintf(stderr, "kobaru: the medium is full; stopped after %u songs\n",
                   progress.songsCopied.load());
      break;
    case TransferEnd::SourceFailed: {
      char path[DISPLAY_PATH_BYTES];
      uint32_t slot = std::min(progress.endSlot.load(), MAX_ENTRIES - 1);
      MakeDisplayPath(playlist.workingTable.entries[slot], path, sizeof path);
      std::fprintf(stderr, "kobaru: cannot read %s: %s; stopped there\n", path,
                   platform::ErrorText(error));
      break;
    }
    case TransferEnd::TargetFailed:
      if (error == ELOOP) {
        std::fprintf(stderr, "kobaru: kMp3 is a symbolic link, not a folder: refused\n");
      } else {
        std::fprintf(stderr, "kobaru: cannot write into kMp3: %s%s\n", platform::ErrorText(error),
                     error == ENOENT ? "; 'kobaru mkdir' creates it" : "; stopped there");
      }
      break;
    case TransferEnd::NumbersUsed:
      std::fprintf(stderr, "kobaru: the last number %04u is taken; stopped there\n",
                   MAX_TRANSFER_NUMBER);
      break;
    case TransferEnd::NotStarted:
      std::fprintf(stderr, "kobaru: cannot start the transfer\n");
      break;
    case TransferEnd::AllSent:
      std::fprintf(stderr,
                   dryRun ? "kobaru: every unsent song would fit; kMp3's volume has room for more\n"
                          : "kobaru: no unsent song is left; kMp3's volume has room for more\n");
      break;
    case TransferEnd::FreeSpaceUnknown:
      std::fprintf(stderr,
                   "kobaru: kMp3's volume reports no size, so its free space is unknown; "
                   "nothing sent\n");
      break;
    case TransferEnd::Complete:  // a free-space run ends so only when the rest do not fit
      if (progress.capacityMb.load() == FREE_SPACE_CAPACITY) {
        std::fprintf(stderr, "kobaru: no %sunsent song fits in kMp3's free space\n",
                     progress.songsCopied.load() == 0 ? "" : "other ");
      }
      break;
    default:
      break;
  }
}

bool RefusedBeforeAnySong(const TransferProgress& progress) {
  TransferEnd reason = progress.endReason.load();
  return (reason == TransferEnd::TargetFailed || reason == TransferEnd::FreeSpaceUnknown) &&
         progress.songsCopied.load() == 0 && progress.songsMissing.load() == 0;
}

bool EndedInFailure(const TransferProgress& progress, int32_t result) {
  switch (progress.endReason.load()) {
    case TransferEnd::TargetFailed:
    case TransferEnd::SourceFailed:
    case TransferEnd::PlaylistFailed:
    case TransferEnd::PlaylistReplaced:
    case TransferEnd::NotStarted:
    case TransferEnd::FreeSpaceUnknown:
      return true;
    default:
      return result == -1;
  }
}

}  // namespace cli
