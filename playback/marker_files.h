// The empty marker files whose presence at start-up switches playback on.
#pragma once

#include "platform/user_messages.h"

inline constexpr char STARTUP_MARKER_NAME[] = "kStartUp";
inline constexpr char CONTINUE_MARKER_NAME[] = "kContinue";
inline constexpr char TEXT_MARKER_FAILED[] = "設定出来ませんでした。";

// On: create kStartUp empty (truncating). Off: delete it; a missing marker
// is a failure. A link, a read-only marker or anything but a regular file
// in its place is refused and left alone.
bool SetStartUpMarker(bool on);
void ReportMarkerFailure(platform::UserMessages& messages);
