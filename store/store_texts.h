// Every text the playlist store shows the user, in one place.
#pragma once

// Creation and addition.
inline constexpr char TEXT_BROWSE_CREATE[] = "曲の入っているフォルダを選択してください";
inline constexpr char TEXT_BROWSE_ADD[] = "追加曲の入っているフォルダを選択してください";
inline constexpr char TEXT_PROMPT_TITLE[] = "拡張子を指定して下さい。";
inline constexpr char TEXT_PROMPT_LABEL[] = "拡張子指定(ドット不要)";
inline constexpr char TEXT_EXTENSION_MISSING[] = "拡張子が入力されていません。";
inline constexpr char TEXT_SEARCHING[] = "曲データ検索中！";
inline constexpr char TEXT_SEARCHING_SHIFTED[] = "　　曲データ検索中！";
inline constexpr char TEXT_SEARCH_RUNNING[] = "曲データ検索中です。";
inline constexpr char TEXT_CONFIRM_ADD_TITLE[] = "プレイリスト追加確認";
inline constexpr char TEXT_CREATED[] = "ﾌﾟﾚｲﾘｽﾄを作成しました。";
inline constexpr char TEXT_CREATE_FAILED[] = "ﾌﾟﾚｲﾘｽﾄ作成出来ませんでした。";
inline constexpr char TEXT_ADDED[] = "ﾌﾟﾚｲﾘｽﾄ追加しました。";
inline constexpr char TEXT_ADD_FAILED[] = "ﾌﾟﾚｲﾘｽﾄ追加失敗しました。";

// Maintenance.
inline constexpr char TEXT_RESET_ALL_QUESTION[] = "全てを未伝送にします。よろしいですか？";
inline constexpr char TEXT_RESET_ALL_CAPTION[] = "全てを未伝送確認";
inline constexpr char TEXT_RESET_ALL_DONE[] = "全てを未伝送にしました。";
inline constexpr char TEXT_RESET_ALL_FAILED[] = "全てを未伝送に出来ませんでした。";
inline constexpr char TEXT_RESET_SELECTED_QUESTION[] = "選択曲を未伝送にします。よろしいですか？";
inline constexpr char TEXT_RESET_SELECTED_CAPTION[] = "選択曲を未伝送確認";
inline constexpr char TEXT_RESET_SELECTED_DONE[] = "選択曲を未伝送にしました。";
inline constexpr char TEXT_RESET_SELECTED_FAILED[] = "選択曲を未伝送に出来ませんでした。";
inline constexpr char TEXT_EXCLUDE_QUESTION[] = "選択曲を除外します。よろしいですか？";
inline constexpr char TEXT_EXCLUDE_CAPTION[] = "選択曲を除外確認";
inline constexpr char TEXT_EXCLUDE_DONE[] = "選択曲を除外しました。";
inline constexpr char TEXT_EXCLUDE_FAILED[] = "選択曲を除外出来ませんでした。";

// Rows and statistics.
inline constexpr char PLAYLIST_HEADER_ROW[] = "状態|伝送番号|ファイル容量|登録番号|ファイル名";
inline constexpr char PLAYLIST_ROW_FORMAT[] = "  %d |  %04d  | %10d |  %04d  | %s ";
inline constexpr char STATS_EMPTY_TEXT[] = "Empty!";
inline constexpr char STATS_LINE_FORMAT[] = "残 %d / %d件中 (消化率%d％)";

// Why kPlayLst.dat could not be changed, added below a failure's text.
inline constexpr char TEXT_REASON_BUSY[] = "他のﾌﾟﾛｸﾞﾗﾑがこのﾌｫﾙﾀﾞのﾌﾟﾚｲﾘｽﾄを変更中です。";
inline constexpr char TEXT_REASON_REPLACED[] = "ﾌﾟﾚｲﾘｽﾄが他のﾌﾟﾛｸﾞﾗﾑに置き換えられました。";
inline constexpr char FAILURE_WITH_REASON_FORMAT[] = "%s\n(%s)";
