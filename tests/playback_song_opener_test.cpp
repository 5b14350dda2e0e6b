// Handing a song to the player named in KOBARU_PLAYER or to xdg-open.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "playback/song_opener.h"
#include "tests/support/recording_player.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

std::vector<std::string> Words(const char* player, const char* path) {
  PlayerCommand command;
  if (!BuildPlayerCommand(player, path, &command)) return {};
  std::vector<std::string> words;
  for (char* const* word = command.argv; *word != nullptr; ++word) words.push_back(*word);
  return words;
}

using Strings = std::vector<std::string>;

TEST(SongOpenerTest, PlayerWordsThenTheCollapsedPath) {
  EXPECT_EQ(Words(" mpv  --no-video\t--fs ", "//home//u//My Songs///a.mp3"),
            (Strings{"mpv", "--no-video", "--fs", "/home/u/My Songs/a.mp3"}));
  EXPECT_EQ(Words("vlc", "rel//b\\\\c.mp3"), (Strings{"vlc", "rel/b\\\\c.mp3"}));
  EXPECT_EQ(Words(nullptr, "//a.mp3"), (Strings{"xdg-open", "/a.mp3"}));
  EXPECT_EQ(Words(" \t ", "//a.mp3"), (Strings{"xdg-open", "/a.mp3"}));
  std::string field(PATH_LEN + 8, 'a');  // read no further than a path field
  EXPECT_EQ(Words("p", field.c_str())[1], std::string(PATH_LEN, 'a'));
}

TEST(SongOpenerTest, CommandThatDoesNotFitIsRefused) {
  std::string words;
  for (size_t i = 0; i < MAX_PLAYER_WORDS; ++i) words += "w ";
  EXPECT_EQ(Words(words.c_str(), "/a").size(), MAX_PLAYER_WORDS + 1);
  EXPECT_TRUE(Words((words + "w").c_str(), "/a").empty());
  EXPECT_TRUE(Words(std::string(PLAYER_COMMAND_BYTES, 'p').c_str(), "/a").empty());
  EXPECT_FALSE(Words(std::string(PLAYER_COMMAND_BYTES - 1, 'p').c_str(), "/a").empty());
}

TEST(SongOpenerTest, OpensTheSongWithThePlayerFromTheEnvironment) {
  TempFolder folder;
  std::string record = folder.Join("record");
  setenv(PLAYER_VARIABLE, (MakeRecordingPlayer(folder.Join("player.sh"), record) + " --fs").c_str(), 1);
  OpenSongInShell("//music//Hé ソ//a b.mp3");
  unsetenv(PLAYER_VARIABLE);
  EXPECT_EQ(WaitForFile(record), "--fs\n/music/Hé ソ/a b.mp3\n");
}

}  // namespace
