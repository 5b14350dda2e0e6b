// Names the whole program agrees on: the target folder, the separator and
// how stored paths write it, the extension looked for without a choice.
#pragma once

inline constexpr char TARGET_FOLDER_NAME[] = "kMp3";
inline constexpr char PATH_SEPARATOR = '/';
// Stored paths write every separator twice.
inline constexpr char STORED_SEPARATOR[] = "//";
inline constexpr char DEFAULT_EXTENSION[] = "mp3";
