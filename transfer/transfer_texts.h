// Every text, format and limit of the transfer side, in one place.
#pragma once

#include <cstddef>
#include <cstdint>

// Copies are named from the transfer number and the source's extension,
// inside kMp3.
inline constexpr char TARGET_NAME_FORMAT[] = "%04d.%s";
// Registration number (slot + 1), entry count, recorded size.
inline constexpr char RESULT_ROW_FORMAT[] = "     %04d  /  %04d  |%10d";
inline constexpr size_t RESULT_ROW_BYTES = 80;
// A copy's whole name "kMp3/NNNN.ext" fits in 260 bytes; this is its part
// inside kMp3.
inline constexpr size_t TARGET_NAME_BYTES = 260 - sizeof "kMp3/" + 1;
inline constexpr uint32_t MAX_TRANSFER_NUMBER = 9999;
inline constexpr uint32_t BYTES_PER_MEGABYTE = 1u << 20;

// The capacity choices, in megabytes, and the one taken without a choice.
inline constexpr int32_t CAPACITY_CHOICES_MB[] = {30, 60, 120, 240, 480, 960, 1920};
inline constexpr int32_t DEFAULT_CAPACITY_MB = 240;
// The capacity of a fill up to the free space of kMp3's volume, whose
// budget is measured when the run starts.
inline constexpr int32_t FREE_SPACE_CAPACITY = -1;
inline constexpr uint64_t FREE_SPACE_MARGIN_MIN_BYTES = 8ull << 20;

inline constexpr char TEXT_TRANSFERRED[] = "%d 曲伝送しました。";
inline constexpr char TEXT_NOT_TRANSFERRED[] = "%d 曲伝送出来ませんでした。";
inline constexpr char TEXT_TRANSFER_RUNNING[] = "伝送中です。";
// Why a run ended before its budget or its songs did.
inline constexpr char TEXT_END_MEDIUM_FULL[] = "ﾒﾃﾞｨｱがいっぱいです。";
inline constexpr char TEXT_END_TARGET_FAILED[] = "kMp3 ﾌｫﾙﾀﾞに書き込めませんでした。";
inline constexpr char TEXT_END_TARGET_IS_LINK[] = "kMp3 がﾘﾝｸなので伝送しませんでした。";
inline constexpr char TEXT_END_NUMBERS_USED[] = "伝送番号を 9999 まで使い切りました。";
inline constexpr char TEXT_END_SOURCE_FAILED[] = "曲ﾌｧｲﾙを読めませんでした。";
// A fill up to the free space: every unsent song went with room to spare,
// or the volume reports no size to fill.
inline constexpr char TEXT_END_ALL_SENT[] = "未伝送の曲はもうありません。";
inline constexpr char TEXT_END_FREE_SPACE_UNKNOWN[] = "空き容量が分からないので伝送しませんでした。";
// A fill up to the free space that found no unsent song small enough.
inline constexpr char TEXT_END_NOTHING_FITS[] = "空き容量に入る未伝送の曲がありません。";
inline constexpr char TEXT_END_PLAYLIST_NOT_READ[] = "ﾌﾟﾚｲﾘｽﾄを読めませんでした。";
inline constexpr char TEXT_END_PLAYLIST_NOT_SAVED[] = "ﾌﾟﾚｲﾘｽﾄを保存出来ませんでした。";
// A working folder that neither this user may list nor has a playlist to lock.
inline constexpr char TEXT_NOT_LOCKED[] = "ﾌｫﾙﾀﾞをﾛｯｸ出来ないので伝送しませんでした。";
inline constexpr char TEXT_PERCENT_DONE[] = "%d％終了";

inline constexpr char TEXT_FOLDER_CREATED[] = "kMp3 ﾌｫﾙﾀﾞを作成しました。";
inline constexpr char TEXT_FOLDER_CREATE_FAILED[] = "kMp3 ﾌｫﾙﾀﾞ作成出来ませんでした。";

inline constexpr char FREE_SPACE_TITLE_FORMAT[] = "Kobaru MP3 (%dMB空き)";
inline constexpr size_t TITLE_BYTES = 64;
