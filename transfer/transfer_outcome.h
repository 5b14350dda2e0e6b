// The messages that close a run, shown once its status is Finished.
#pragma once

#include "platform/user_messages.h"
#include "store/playlist.h"
#include "transfer/transfer_progress.h"

// "%d 曲伝送しました。" with songsCopied (confirmation) and, when songs were
// missing, "%d 曲伝送出来ませんでした。" with songsMissing (error, stop icon).
// Call after seeing Finished.
void ShowTransferOutcome(const TransferProgress& progress, platform::UserMessages& messages);

// The window's word on why the run ended early, after those: a notice for
// a full medium, an unwritable or linked kMp3, the last number taken, an
// unreadable song, and for a fill up to the free space every unsent song
// sent or a free space unknown; then, with the stop icon and its reason, a playlist
// that could not be read or saved (`failure`, the run's). Nothing for a run
// that reached its budget, ran out of songs or was stopped. The companion
// says these itself.
void ShowTransferEndReason(const TransferProgress& progress, PlaylistFailure failure,
                           platform::UserMessages& messages);
