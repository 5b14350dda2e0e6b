// The main window's template: its size and every control's place, in
// dialog units, in tab order.
#pragma once

#include "ui/dialog_units.h"

inline constexpr int MAIN_WIDTH_DLU = 157;
inline constexpr int MAIN_HEIGHT_DLU = 220;

inline constexpr DluRect RECT_START_TRANSFER = {4, 7, 61, 15};
// The closed combo lines up with the start button; the list drops below.
inline constexpr DluRect RECT_CAPACITY = {92, 7, 61, 15};
inline constexpr DluRect RECT_SHOW_PLAYLIST = {4, 153, 61, 15};
inline constexpr DluRect RECT_ADD_TO_PLAYLIST = {92, 153, 61, 15};
inline constexpr DluRect RECT_CREATE_PLAYLIST = {4, 175, 61, 15};
inline constexpr DluRect RECT_CREATE_FOLDER = {92, 175, 61, 15};
inline constexpr DluRect RECT_SHOW_FOLDER = {4, 199, 61, 15};
inline constexpr DluRect RECT_EXIT = {92, 199, 61, 15};
inline constexpr DluRect RECT_RESULTS = {4, 52, 149, 93};
// Four arrows at growing spacing, then the burst, over the banner.
inline constexpr DluRect RECT_PICTURES[] = {
    {9, 27, 18, 21}, {29, 27, 18, 21}, {53, 27, 18, 21}, {82, 27, 18, 21}, {129, 26, 24, 21}};
inline constexpr DluRect RECT_ROW_FIELD = {4, 121, 149, 13};
inline constexpr DluRect RECT_BANNER = {5, 24, 149, 27};
inline constexpr DluRect RECT_PROGRESS_LEFT = {70, 154, 8, 60};
inline constexpr DluRect RECT_PROGRESS_RIGHT = {79, 154, 8, 60};

inline constexpr int ABOUT_WIDTH_DLU = 235;
inline constexpr int ABOUT_HEIGHT_DLU = 56;
inline constexpr DluRect RECT_ABOUT_ICON = {11, 17, 20, 20};
inline constexpr DluRect RECT_ABOUT_VERSION = {40, 10, 119, 8};
inline constexpr DluRect RECT_ABOUT_NOTICE = {40, 25, 119, 8};
inline constexpr DluRect RECT_ABOUT_OK = {178, 7, 50, 14};

// The font the templates ask for, with the families tried in turn.
inline constexpr int TEMPLATE_POINT_SIZE = 9;
