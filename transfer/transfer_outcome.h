// The messages that close a run, shown once its status is Finished.
#pragma once

#include "platform/user_messages.h"

// "%d 曲伝送しました。" with songsCopied (confirmation) and, when songs were
// missing, "%d 曲伝送出来ませんでした。" with songsMissing (error, stop icon).
// Reads g_transferProgress; call after seeing Finished.
void ShowTransferOutcome(platform::UserMessages& messages);
