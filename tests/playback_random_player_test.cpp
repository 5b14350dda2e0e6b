// Picking random songs from the private copy of the playlist, and the
// command that hands one to the player (the CLI's play test starts it).
#include <set>

#include "playback/random_player.h"
#include "playback/song_opener.h"
#include "tests/support/core_test.h"

using Strings = std::vector<std::string>;

namespace {

class RandomPlayerTest : public ::testing::Test {
 protected:
  // A new run whose draws are `draws`, then zeros; every draw is counted.
  void Script(const std::vector<int32_t>& draws) {
    draws_ = draws;
    drawsTaken_ = 0;
    player_->Reload();
  }
  PlaylistEntry Song(const std::string& name, uint16_t state = 0, bool present = true) {
    if (present) WriteFile(name, "song");
    return MakeEntry(state, 0, StoredSong(name), 4);
  }
  std::string StoredSong(const std::string& name) const { return Stored(folder_.Join(name)); }
  std::string Chosen() const { return player_->ChosenSong(); }
  int32_t Pick() { return player_->PickRandomSong(); }
  TempFolder folder_;
  std::vector<int32_t> draws_;
  size_t drawsTaken_ = 0;
  std::unique_ptr<RandomPlayer> player_ = std::make_unique<RandomPlayer>(
      [this] { return drawsTaken_++ < draws_.size() ? draws_[drawsTaken_ - 1] : 0; });
};

// A missing song narrows the draw by one, so the last in slot order drop
// out of reach; with none found the pick ends after one draw per song.
TEST_F(RandomPlayerTest, MissingSongsNarrowTheDraw) {
  WritePlaylist({Song("a.mp3"), Song("b.mp3", 0, false), Song("c.mp3", STATE_TRANSFERRED)});
  Script({1, 1, 0});  // b; b again, as only a and b are in reach; then a
  EXPECT_EQ(Pick(), 0);
  EXPECT_EQ(drawsTaken_, 3u);
  EXPECT_EQ(Chosen(), StoredSong("a.mp3"));
  Script({1, 2});  // b; then 2 mod 2: a, as c dropped out of reach
  Pick();
  EXPECT_EQ(Chosen(), StoredSong("a.mp3"));
  Script({2});
  Pick();
  EXPECT_EQ(Chosen(), StoredSong("c.mp3"));
  std::filesystem::remove("a.mp3");
  std::filesystem::remove("c.mp3");
  Script({});
  EXPECT_EQ(Pick(), 0);  // the earlier choice goes
  EXPECT_EQ(drawsTaken_, 3u);
  EXPECT_EQ(Chosen(), "");

  // A path filling its field is no song, though read on into the zero
  // size after the field it names a real file.
  std::string stored = Stored(folder_.path()) + "//";
  while (stored.size() < PATH_LEN - 32) stored += "dddddddddd//";
  stored += std::string(PATH_LEN - stored.size(), 'f');
  std::string file = stored;
  for (size_t at; (at = file.find("//")) != std::string::npos;) file.erase(at, 1);
  WriteFile(file, "song");
  WritePlaylist({MakeEntry(0, 0, stored, 0), Song("gone.mp3", 0, false)});
  Script({0, 0});
  Pick();
  EXPECT_EQ(Chosen(), "");
}

// Songs in state 0 or 1 only, each once a run; a played song is marked in
// the private copy, never in the file.
TEST_F(RandomPlayerTest, EveryPlayableSongOnceThenNone) {
  player_ = std::make_unique<RandomPlayer>();  // the generator's own draws
  WritePlaylist({Song("a.mp3"), Song("b.mp3", STATE_TRANSFERRED),
                 Song("c.mp3", STATE_SOURCE_MISSING), Song("d.mp3", STATE_PATH_TOO_LONG),
                 Song("e.mp3", STATE_EXCLUDED), Song("f.mp3")});
  std::string before = ReadFile(PLAYLIST_FILE_NAME);
  std::set<std::string> played;
  for (int pick = 0; pick < 4; ++pick) {
    EXPECT_EQ(Pick(), 0);
    played.insert(Chosen());
  }
  EXPECT_EQ(played, (std::set<std::string>{"", StoredSong("a.mp3"), StoredSong("b.mp3"),
                                           StoredSong("f.mp3")}));
  EXPECT_EQ(Chosen(), "");
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), before);
}

// A failed load keeps the earlier choice and is tried again at the next pick.
TEST_F(RandomPlayerTest, PlaylistIsLoadedOnceARunAndAFailedLoadIsRetried) {
  EXPECT_EQ(Pick(), -1);
  EXPECT_EQ(player_->Loads(), 0);
  WritePlaylist({Song("a.mp3")});
  Pick();
  EXPECT_EQ(Chosen(), StoredSong("a.mp3"));
  WritePlaylist({Song("b.mp3")});  // not seen in this run
  Pick();
  EXPECT_EQ(Chosen(), "");
  EXPECT_EQ(player_->Loads(), 1);
  Script({});
  Pick();
  std::remove(PLAYLIST_FILE_NAME);
  player_->Reload();
  EXPECT_EQ(Pick(), -1);
  EXPECT_EQ(Chosen(), StoredSong("b.mp3"));
}

Strings Words(const char* player, const char* path) {
  platform::HandoffCommand command;
  if (!BuildPlayerCommand(player, path, &command)) return {};
  Strings words;
  for (char* const* word = command.argv; *word != nullptr; ++word) words.push_back(*word);
  return words;
}

// The player's words, then the path with its doubled separators collapsed;
// a command that does not fit is refused.
TEST(SongOpenerTest, PlayerWordsThenTheCollapsedPath) {
  EXPECT_EQ(Words(" mpv  --no-video\t--fs ", "//home//u//My Songs///a.mp3"),
            (Strings{"mpv", "--no-video", "--fs", "/home/u/My Songs/a.mp3"}));
  EXPECT_EQ(Words("vlc", "rel//b\\\\c.mp3"), (Strings{"vlc", "rel/b\\\\c.mp3"}));
  EXPECT_EQ(Words(nullptr, "//a.mp3"), (Strings{"xdg-open", "/a.mp3"}));
  EXPECT_EQ(Words(" \t ", "//a.mp3"), (Strings{"xdg-open", "/a.mp3"}));
  std::string field(PATH_LEN + 8, 'a');  // read no further than a path field
  EXPECT_EQ(Words("p", field.c_str())[1], std::string(PATH_LEN, 'a'));
  std::string words;
  for (size_t i = 0; i < platform::MAX_HANDOFF_WORDS; ++i) words += "w ";
  EXPECT_EQ(Words(words.c_str(), "/a").size(), platform::MAX_HANDOFF_WORDS + 1);
  EXPECT_TRUE(Words((words + "w").c_str(), "/a").empty());
  EXPECT_TRUE(Words(std::string(platform::HANDOFF_COMMAND_BYTES, 'p').c_str(), "/a").empty());
  EXPECT_FALSE(Words(std::string(platform::HANDOFF_COMMAND_BYTES - 1, 'p').c_str(), "/a").empty());
}

}  // namespace
