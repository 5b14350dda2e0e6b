// Every text of the windows, in one place.
#pragma once

inline constexpr char MAIN_CAPTION[] = "Kobaru MP3　Ver1.4";
inline constexpr char TEXT_START_TRANSFER[] = "伝送開始";
inline constexpr char TEXT_SHOW_PLAYLIST[] = "ﾌﾟﾚｲﾘｽﾄ表示";
inline constexpr char TEXT_ADD_TO_PLAYLIST[] = "ﾌﾟﾚｲﾘｽﾄ追加";
inline constexpr char TEXT_CREATE_PLAYLIST[] = "ﾌﾟﾚｲﾘｽﾄ作成";
inline constexpr char TEXT_CREATE_FOLDER[] = "kMp3 ﾌｫﾙﾀﾞ作成";
inline constexpr char TEXT_SHOW_FOLDER[] = "kMp3 ﾌｫﾙﾀﾞ表示";
inline constexpr char TEXT_EXIT[] = "終了";
// A capacity item: the megabytes right-aligned to five characters with the M.
inline constexpr char CAPACITY_ITEM_FORMAT[] = "%4dM 作成";
// The last item: as much as kMp3's volume has free.
inline constexpr char TEXT_FREE_SPACE_ITEM[] = "空き分 作成";
inline constexpr char TEXT_ABOUT_ENTRY[] = "Kobaru MP3 のﾊﾞｰｼﾞｮﾝ情報(&A)...";

inline constexpr char ABOUT_CAPTION[] = "Kobaru MP3のﾊﾞｰｼﾞｮﾝ情報";
inline constexpr char ABOUT_VERSION[] = "Kobaru MP3 Version 1.4";
inline constexpr char ABOUT_NOTICE[] = "(C) 2026 Kobaru MP3 の作者";
inline constexpr char TEXT_OK[] = "OK";
// Answered by letter too, shown as "はい(Y)" and "いいえ(N)".
inline constexpr char TEXT_YES[] = "はい(&Y)";
inline constexpr char TEXT_NO[] = "いいえ(&N)";

inline constexpr char TEXT_CANCEL[] = "ｷｬﾝｾﾙ";

inline constexpr char PLAYLIST_CAPTION[] = "プレイリスト";
inline constexpr char TEXT_SWITCH_VIEW[] = "並べ替え";
inline constexpr char TEXT_RESET_ALL[] = "全てを未伝送";
inline constexpr char TEXT_RESET_SELECTED[] = "選択曲を未伝送";
inline constexpr char TEXT_EXCLUDE_SELECTED[] = "選択曲を除外";
inline constexpr char TEXT_STARTUP_CHECK[] = "起動時に一曲再生する。";

