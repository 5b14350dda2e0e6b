// The kobaru companion's playlist verbs, run as a user would run them.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include "store/playlist_entry.h"
#include "store/playlist_file.h"
#include "tests/support/child_process.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;
using Words = std::vector<std::string>;

namespace {

constexpr char kHeader[] = "状態|伝送番号|ファイル容量|登録番号|ファイル名\n";
const std::string kNoPlaylist = "kobaru: there is no playlist (kPlayLst.dat) in this folder\n";

// Songs in music/, the playlist in card/, the current folder.
class CliStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WriteFile(folder_.Join("music/b.mp3"), "bb");
    WriteFile(folder_.Join("music/a.MP3"), "a");
    WriteFile(folder_.Join("music/c.ogg"), "ccc");
    MakeFolders(folder_.Join("card"));
    ASSERT_EQ(chdir("card"), 0);
  }
  // The rows of a.MP3 and b.mp3 as untransferred songs from slot 0.
  std::string SongRows() {
    std::string rows;
    for (int slot : {0, 1}) {
      char row[512];
      std::snprintf(row, sizeof row, "  0 |  0000  | %10d |  %04d  | %s \n", slot + 1, slot + 1,
                    folder_.Join(slot == 0 ? "music/a.MP3" : "music/b.mp3").c_str());
      rows += row;
    }
    return rows;
  }
  TempFolder folder_;
};

TEST_F(CliStoreTest, CreateListAndStats) {
  CommandResult created = RunKobaru({"create", "../music/"});
  EXPECT_EQ(created.exitStatus, 0);
  EXPECT_EQ(created.out, "ﾌﾟﾚｲﾘｽﾄを作成しました。\n");
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME).size(), TABLE_BYTES);

  CommandResult listed = RunKobaru({"list"});
  EXPECT_EQ(listed.exitStatus, 0);
  EXPECT_EQ(listed.out, kHeader + SongRows());
  EXPECT_EQ(RunKobaru({"stats"}).out, "残 2 / 2件中 (消化率0％)\n");

  CommandResult again = RunKobaru({"create", "../music"});
  EXPECT_EQ(again.exitStatus, 1);
  EXPECT_EQ(again.err,
            "ﾌﾟﾚｲﾘｽﾄ作成出来ませんでした。\n"
            "kobaru: kPlayLst.dat already exists here; 'kobaru add FOLDER' adds to it\n");
}

TEST_F(CliStoreTest, CreateWithOtherExtensionOrNone) {
  EXPECT_EQ(RunKobaru({"create", "../music", "--ext", "OGG"}).exitStatus, 0);
  EXPECT_EQ(CountEntries(ReadPlaylist()), 1u);
  std::remove(PLAYLIST_FILE_NAME);
  // What a scan leaves out is said, and the creation still succeeds.
  std::string deep = folder_.Join("music/" + std::string(120, 'd') + "/" + std::string(120, 'e'));
  WriteFile(deep + "/" + std::string(10, 'f') + ".mp3", "f");
  CommandResult told = RunKobaru({"create", "../music", "--ext", "flac"});
  EXPECT_EQ(told.exitStatus, 0);
  EXPECT_EQ(told.err, "kobaru: " + deep + " left out: its path is too long to store\n"
                      "kobaru: no songs with extension flac below ../music\n");
  std::remove(PLAYLIST_FILE_NAME);
  EXPECT_EQ(RunKobaru({"create", "../music"}).err,
            "kobaru: " + deep + " left out: its path is too long to store\n");
  std::remove(PLAYLIST_FILE_NAME);
  CommandResult empty = RunKobaru({"create", "../music", "--ext", ""});
  EXPECT_EQ(empty.exitStatus, 1);
  EXPECT_EQ(empty.err, "拡張子が入力されていません。\n");
  EXPECT_FALSE(Exists(PLAYLIST_FILE_NAME));
  EXPECT_EQ(RunKobaru({"create", "../nowhere"}).exitStatus, 2);

  // "link/.." is the parent of where the link leads, not this folder.
  WriteFile(folder_.Join("elsewhere/x.mp3"), "x");
  MakeFolders(folder_.Join("elsewhere/sub"));
  ASSERT_EQ(symlink("../elsewhere/sub", "link"), 0);
  EXPECT_EQ(RunKobaru({"create", "link/.."}).exitStatus, 0);
  EXPECT_EQ(ReadPlaylist().entries[0].path, Stored(folder_.Join("elsewhere/x.mp3")));
}

TEST_F(CliStoreTest, AddShowsTheRowsAndAsks) {
  WritePlaylist({MakeEntry(1, 4, "//old.mp3", 9)});
  CommandResult declined = RunKobaru({"add", "../music"}, "n\n");
  EXPECT_EQ(declined.exitStatus, 0);
  EXPECT_EQ(declined.out, kHeader + SongRows());
  EXPECT_EQ(declined.err, "プレイリスト追加確認 [y/N] ");
  EXPECT_EQ(CountEntries(ReadPlaylist()), 1u);

  CommandResult accepted = RunKobaru({"add", "../music"}, "YES\n");
  EXPECT_EQ(accepted.exitStatus, 0);
  EXPECT_TRUE(accepted.out.ends_with(SongRows() + "ﾌﾟﾚｲﾘｽﾄ追加しました。\n"));
  EXPECT_EQ(CountEntries(ReadPlaylist()), 3u);
}

TEST_F(CliStoreTest, EditsAskFirstAndTakeRegistrationNumbers) {
  WritePlaylist({MakeEntry(1, 4, "//a.mp3", 1), MakeEntry(1, 5, "//b.mp3", 2),
                 MakeEntry(0, 0, "//c.mp3", 3)});
  std::string before = ReadFile(PLAYLIST_FILE_NAME);
  CommandResult declined = RunKobaru({"exclude", "3"}, "y es\n");
  EXPECT_EQ(declined.exitStatus, 0);
  EXPECT_EQ(declined.out + "|" + declined.err, "|選択曲を除外します。よろしいですか？ [y/N] ");

  for (const Words& wrong : {Words{}, Words{"dance"}, Words{"list", "--bogus"}, Words{"create"},
                             Words{"exclude", "4", "--yes"}, Words{"reset", "0", "--yes"}}) {
    SCOPED_TRACE(testing::PrintToString(wrong));
    EXPECT_EQ(RunKobaru(wrong).exitStatus, 2);
  }
  for (const auto& [wrong, reason] : std::vector<std::pair<Words, std::string>>{
           {{"reset", "0"}, "0: no song with that registration number (1..3)"},
           {{"reset", "1x"}, "1x: not a registration number"},
           {{"reset", "1", "--match", "*"},
            "registration numbers and --match cannot be combined"}}) {
    EXPECT_EQ(RunKobaru(wrong).err, "kobaru: " + reason +
                                        "\nUsage: kobaru reset NUM...|--match PAT [--yes]\n"
                                        "Try 'kobaru --help'.\n");
  }
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), before);

  EXPECT_EQ(RunKobaru({"exclude", "3", "1"}, "y\n").exitStatus, 0);
  EXPECT_EQ(RunKobaru({"reset", "1", "--yes"}).out, "選択曲を未伝送にしました。\n");
  const PlaylistTable& saved = ReadPlaylist();
  EXPECT_EQ(saved.entries[0].state, STATE_UNTRANSFERRED);
  EXPECT_EQ(saved.entries[2].state, STATE_EXCLUDED);
  EXPECT_EQ(RunKobaru({"reset-all", "--yes"}).out, "全てを未伝送にしました。\n");
  CommandResult help = RunKobaru({"help"});
  EXPECT_EQ(help.exitStatus, 0);
  EXPECT_TRUE(help.out.starts_with("Usage: kobaru")) << help.out;
}

// A pattern chooses the songs the same numbers would: the same bytes.
TEST_F(CliStoreTest, PatternEditsChangeWhatNumberedEditsWould) {
  const std::vector<PlaylistEntry> entries = {MakeEntry(1, 4, "//m//Books//a.mp3", 1),
                                              MakeEntry(0, 0, "//m//books//b.mp3", 2),
                                              MakeEntry(4, 7, "//m//x//Books//c.mp3", 3)};
  for (const char* verb : {"exclude", "reset"}) {
    WritePlaylist(entries);
    ASSERT_EQ(RunKobaru({verb, "1", "3", "--yes"}).exitStatus, 0);
    std::string numbered = ReadFile(PLAYLIST_FILE_NAME);
    WritePlaylist(entries);
    CommandResult matched = RunKobaru({verb, "--match", "*/Books/*"}, "y\n");
    EXPECT_EQ(matched.exitStatus, 0);
    EXPECT_TRUE(matched.err.starts_with("kobaru: 2 songs match */Books/*\n")) << matched.err;
    EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), numbered);
  }
  CommandResult none = RunKobaru({"exclude", "--match", "*/books", "--yes"});
  EXPECT_EQ(none.exitStatus, 1);
  EXPECT_EQ(none.err, "kobaru: no song matches */books\n");
}

// Every failure says why, with the system's words.
TEST_F(CliStoreTest, FailuresSayWhy) {
  WritePlaylist({MakeEntry(1, 5, "//z.mp3", 100)});
  ASSERT_EQ(chmod(PLAYLIST_FILE_NAME, 0444), 0);
  CommandResult readOnly = RunKobaru({"exclude", "1", "--yes"});
  EXPECT_EQ(readOnly.exitStatus, 1);
  EXPECT_EQ(readOnly.err,
            "選択曲を除外出来ませんでした。\n"
            "kobaru: cannot write kPlayLst.dat: Permission denied\n");
  std::remove(PLAYLIST_FILE_NAME);
  for (const Words& verb : {Words{"list"}, Words{"stats"}, Words{"play"}, Words{"fill"},
                            Words{"reset-all", "--yes"}, Words{"add", "../music", "--yes"}}) {
    SCOPED_TRACE(verb[0]);
    CommandResult result = RunKobaru(verb);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out + "|" + result.err, "|" + kNoPlaylist);
  }
  MakeFolders(PLAYLIST_FILE_NAME);
  CommandResult folder = RunKobaru({"list"});
  EXPECT_EQ(folder.out + "|" + folder.err, "|kobaru: cannot read kPlayLst.dat: Is a directory\n");
  std::remove(PLAYLIST_FILE_NAME);
  WritePlaylist({MakeEntry(1, 5, "//z.mp3", 100)});
  for (const char* verb : {"list", "--help", "fill --dry-run"}) {  // output that can't be written
    CommandResult full =
        ChildProcess({"/bin/sh", "-c", std::string(KOBARU_CLI_PATH) + " " + verb + " >/dev/full"})
            .Wait();
    EXPECT_EQ(full.exitStatus, 1) << verb;
    EXPECT_TRUE(full.err.ends_with("kobaru: write error: No space left on device\n")) << full.err;
  }
}

}  // namespace
