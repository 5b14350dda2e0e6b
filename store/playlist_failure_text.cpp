#include "store/playlist_failure_text.h"

#include <cerrno>
#include <cstdio>

#include "platform/system_error.h"
#include "store/store_texts.h"

void FormatWithFailureReason(PlaylistFailure failure, const platform::UserMessages& messages,
                             const char* text, char* out, size_t outSize) {
  const char* reason = platform::ErrorText(failure.error);
  if (failure.access == PlaylistAccess::Lock && failure.error == EWOULDBLOCK) {
    reason = TEXT_REASON_BUSY;
  } else if (failure.access == PlaylistAccess::Replaced) {
    reason = TEXT_REASON_REPLACED;
  }
  if (failure.access == PlaylistAccess::None || messages.TellsReasonsItself()) {
    std::snprintf(out, outSize, "%s", text);
  } else {
    std::snprintf(out, outSize, FAILURE_WITH_REASON_FORMAT, text, reason);
  }
}
