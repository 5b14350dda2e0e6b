// Whether a stream may carry terminal control codes (a progress line that
// redraws itself, colours).
#pragma once

namespace platform {

// True when `fd` is a terminal and TERM names one that understands escape
// codes: not unset, empty or "dumb".
bool CanDrawOn(int fd);

// CanDrawOn, unless NO_COLOR is set to anything but "" (no-color.org).
bool CanColour(int fd);

}  // namespace platform
