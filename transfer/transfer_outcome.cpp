#include "transfer/transfer_outcome.h"

#include <cerrno>
#include <cstdio>

#include "store/playlist_failure_text.h"
#include "transfer/transfer_texts.h"

namespace {

constexpr size_t kMessageBytes = 64;

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
  const char* notice = nullptr;
  switch (progress.endReason.load()) {
    case TransferEnd::MediumFull:
      notice = TEXT_END_MEDIUM_FULL;
      break;
    case TransferEnd::AllSent:
      notice = TEXT_END_ALL_SENT;
      break;
    case TransferEnd::FreeSpaceUnknown:
      notice = TEXT_END_FREE_SPACE_UNKNOWN;
      break;
    case TransferEnd::TargetFailed:
      notice = progress.endError.load() == ELOOP ? TEXT_END_TARGET_IS_LINK : TEXT_END_TARGET_FAILED;
      break;
    case TransferEnd::NumbersUsed:
      notice = TEXT_END_NUMBERS_USED;
      break;
    case TransferEnd::SourceFailed:
      notice = TEXT_END_SOURCE_FAILED;
      break;
    case TransferEnd::Complete:  // "0 songs sent" alone would not say why
      if (progress.capacityMb.load() == FREE_SPACE_CAPACITY && progress.songsCopied.load() == 0) {
        notice = TEXT_END_NOTHING_FITS;
      }
      break;
    default:
      break;
  }
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
