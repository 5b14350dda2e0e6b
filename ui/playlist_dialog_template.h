// The templates of the playlist windows: the extension prompt, the
// addition's confirmation and the playlist window, in dialog units, each
// in tab order.
#pragma once

#include "ui/dialog_units.h"

inline constexpr int PROMPT_WIDTH_DLU = 142;
inline constexpr int PROMPT_HEIGHT_DLU = 55;
inline constexpr DluRect RECT_PROMPT_OK = {7, 34, 50, 14};
inline constexpr DluRect RECT_PROMPT_CANCEL = {85, 34, 50, 14};
inline constexpr DluRect RECT_PROMPT_EDIT = {102, 7, 33, 14};
inline constexpr DluRect RECT_PROMPT_LABEL = {7, 11, 92, 10};

inline constexpr int CONFIRM_WIDTH_DLU = 555;
inline constexpr int CONFIRM_HEIGHT_DLU = 296;
inline constexpr DluRect RECT_CONFIRM_OK = {35, 275, 50, 14};
inline constexpr DluRect RECT_CONFIRM_CANCEL = {105, 275, 50, 14};
inline constexpr DluRect RECT_CONFIRM_LIST = {34, 7, 514, 254};

inline constexpr int PLAYLIST_WIDTH_DLU = 555;
inline constexpr int PLAYLIST_HEIGHT_DLU = 295;
inline constexpr DluRect RECT_SWITCH_VIEW = {247, 275, 61, 13};
inline constexpr DluRect RECT_RESET_ALL = {7, 275, 61, 13};
inline constexpr DluRect RECT_RESET_SELECTED = {79, 275, 61, 13};
inline constexpr DluRect RECT_EXCLUDE_SELECTED = {151, 275, 61, 13};
inline constexpr DluRect RECT_PLAYLIST_LISTS = {34, 7, 514, 254};  // both lists, one on show
inline constexpr DluRect RECT_REMAINING_BAR = {12, 7, 10, 254};
inline constexpr DluRect RECT_STATS_LINE = {10, 262, 125, 9};
inline constexpr DluRect RECT_STARTUP_CHECK = {450, 275, 98, 13};

// Rows of every list: this high, scrollable this far sideways.
inline constexpr int PLAYLIST_ROW_HEIGHT_PX = 12;
inline constexpr int LIST_HORIZONTAL_EXTENT_PX = 2000;
