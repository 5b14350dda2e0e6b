// Whether a stream may carry terminal control codes (a progress line that
// redraws itself, colours).
#pragma once

namespace platform {

// Back to the start of the line and erased to its end, for a line that
// redraws itself; only where CanDrawOn.
inline constexpr char CLEAR_LINE[] = "\r\033[K";

// True when `fd` is a terminal and TERM names one that understands escape
// codes: not unset, empty or "dumb".
bool CanDrawOn(int fd);

// CanDrawOn, unless NO_COLOR is set to anything but "" (no-color.org).
bool CanColour(int fd);

}  // namespace platform
