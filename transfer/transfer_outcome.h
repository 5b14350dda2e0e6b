// The messages that close a run, shown once its status is Finished.
#pragma once

#include "platform/user_messages.h"
#include "transfer/transfer_progress.h"

// "%d 曲伝送しました。" with songsCopied (confirmation) and, when songs were
// missing, "%d 曲伝送出来ませんでした。" with songsMissing (error, stop icon).
// Call after seeing Finished.
void ShowTransferOutcome(const TransferProgress& progress, platform::UserMessages& messages);
