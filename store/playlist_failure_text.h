// A failure's message with the reason the last operation on kPlayLst.dat
// failed: another program at work, a replaced file, or the system's reason.
#pragma once

#include <cstddef>

#include "platform/user_messages.h"
#include "store/playlist.h"

// Room for a failure's text and its reason.
inline constexpr size_t FAILURE_TEXT_BYTES = 256;

// `text`, then the reason of `failure` on a line of its own; `text` alone
// when no reason was recorded or `messages` tells reasons itself.
void FormatWithFailureReason(PlaylistFailure failure, const platform::UserMessages& messages,
                             const char* text, char* out, size_t outSize);
