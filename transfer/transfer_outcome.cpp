#include "transfer/transfer_outcome.h"

#include <cerrno>
#include <cstdio>

#include "store/playlist_failure_text.h"
#include "transfer/transfer_texts.h"

namespace {

constexpr size_t kMessageBytes = 64;

// The notice that says why the run ended, or null when none is due.
const char* EndNotice(const TransferProgress& progress) {
  switch (progress.endReason.load()) {
    case TransferEnd::MediumFull:
      return TEXT_END_MEDIUM_FULL;
    case TransferEnd::AllSent:
      return TEXT_END_ALL_SENT;
    case TransferEnd::FreeSpaceUnknown:
      return TEXT_END_FREE_SPACE_UNKNOWN;
    case TransferEnd::TargetFailed:
      return progress.endError.load() == ELOOP ? TEXT_END_TARGET_IS_LINK : TEXT_END_TARGET_FAILED;
    case TransferEnd::NumbersUsed:
      return TEXT_END_NUMBERS_USED;
    case TransferEnd::SourceFailed:
      return TEXT_END_SOURCE_FAILED;
    case TransferEnd::Complete:  // "0 songs sent" alone would not say why
      return progress.capacityMb.load() == FREE_SPACE_CAPACITY && progress.songsCopied.load() == 0
                 ? TEXT_END_NOTHING_FITS
                 : nullptr;
    default:
      return nullptr;
  }
}

}  // namespace

void ShowTransferOutcome(const TransferProgress& progress, platform::UserMessages& messages) {
  char text[kMessageBytes];
  std::snprintf(text, sizeof text, TEXT_TRANSFERRED,
                static_cast<int>(progress.songsCopied.load()));
  messages.Show(platform::Notice(text));
  int missing = static_cast<int>(progress.songsMissing.load());
  if (missing == 0) return;
  std::snprintf(text, sizeof text, TEXT_NOT_TRANSFERRED, missing);
  messages.Show(platform::Failure(text));
}

void ShowTransferEndReason(const TransferProgress& progress, PlaylistFailure failure,
                           platform::UserMessages& messages) {
  const char* notice = EndNotice(progress);
  if (notice != nullptr) messages.Show(platform::Notice(notice));
  PlaylistAccess access = failure.access;
  if (access == PlaylistAccess::None) return;
  char text[FAILURE_TEXT_BYTES];
  FormatWithFailureReason(
      failure, messages,
      access == PlaylistAccess::Read ? TEXT_END_PLAYLIST_NOT_READ : TEXT_END_PLAYLIST_NOT_SAVED,
      text, sizeof text);
  messages.Show(platform::Failure(text));
}
