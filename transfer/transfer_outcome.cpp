#include "transfer/transfer_outcome.h"

#include <cerrno>
#include <cstdio>

#include "store/playlist_failure_text.h"
#include "store/playlist_file.h"

#include "transfer/transfer_progress.h"
#include "transfer/transfer_texts.h"

namespace {

constexpr size_t kMessageBytes = 64;

}  // namespace

void ShowTransferOutcome(platform::UserMessages& messages) {
  char text[kMessageBytes];
  std::snprintf(text, sizeof text, TEXT_TRANSFERRED,
                static_cast<int>(g_transferProgress.songsCopied.load()));
  messages.Show(platform::Notice(text));
  int missing = static_cast<int>(g_transferProgress.songsMissing.load());
  if (missing == 0) return;
  std::snprintf(text, sizeof text, TEXT_NOT_TRANSFERRED, missing);
  messages.Show(platform::Failure(text));
}

void ShowTransferEndReason(platform::UserMessages& messages) {
  const char* notice = nullptr;
  switch (g_transferProgress.endReason.load()) {
    case END_MEDIUM_FULL:
      notice = TEXT_END_MEDIUM_FULL;
      break;
    case END_TARGET_FAILED:
      notice = g_transferProgress.endError.load() == ELOOP ? TEXT_END_TARGET_IS_LINK
                                                           : TEXT_END_TARGET_FAILED;
      break;
    case END_NUMBERS_USED:
      notice = TEXT_END_NUMBERS_USED;
      break;
    case END_SOURCE_FAILED:
      notice = TEXT_END_SOURCE_FAILED;
      break;
    default:
      break;
  }
  if (notice != nullptr) messages.Show(platform::Notice(notice));
  PlaylistAccess access = LastPlaylistFailure().access;
  if (access == PlaylistAccess::None) return;
  char text[FAILURE_TEXT_BYTES];
  FormatWithFailureReason(
      messages,
      access == PlaylistAccess::Read ? TEXT_END_PLAYLIST_NOT_READ : TEXT_END_PLAYLIST_NOT_SAVED,
      text, sizeof text);
  messages.Show(platform::Failure(text));
}
