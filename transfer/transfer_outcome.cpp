#include "transfer/transfer_outcome.h"

#include <cstdio>

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
