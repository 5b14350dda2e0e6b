// The companion on a folder that behaves like a phone's media-transfer
// mount (the team's mtp-like-fs: no rename, no links; with --no-edit no
// change to a file but appending to it): create, edit and fill work, and
// fills killed at random leave, once the next program has started, no
// partial song, no backup and a whole playlist.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <random>
#include <thread>

#include "store/playlist_entry.h"
#include "store/playlist_file.h"
#include "tests/support/child_process.h"
#include "tests/support/phone_mount.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/song_bytes.h"
#include "tests/support/transfer_setup.h"

using namespace testing_support;

namespace {

constexpr int kSongs = 48;
constexpr int kKills = 10;  // in each mode

class PhoneMountTest : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    std::string missing = PhoneMount::Missing();
    if (!missing.empty()) GTEST_SKIP() << "no phone-like mount: " << missing;
    for (int i = 0; i < kSongs; ++i) {
      WriteFile("phone-data/music/s" + std::to_string(i) + ".mp3", SongBytes(96u << 10, i + 1));
    }
    mount_ = std::make_unique<PhoneMount>("phone-data", "phone", GetParam());
    ASSERT_TRUE(mount_->Mounted()) << "mtp-like-fs did not mount";
    ASSERT_EQ(chdir("phone"), 0);
  }
  // What a program finds as it starts after a kill.
  void ExpectTidy(size_t unrecorded) {
    for (const std::string& name : setup_.TargetNames()) EXPECT_NE(name[0], '.') << name;
    EXPECT_FALSE(Exists(PLAYLIST_BACKUP_NAME));
    EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME).size(), TABLE_BYTES);
    setup_.ExpectFolderMatchesPlaylist(unrecorded);
  }

  TransferSetup setup_;  // the working folder is its "phone", songs in its music/
  std::unique_ptr<PhoneMount> mount_;
};

TEST_P(PhoneMountTest, CreateEditAndKilledFillsLoseNothing) {
  ASSERT_EQ(RunKobaru({"create", setup_.folder().Join("phone/music")}).exitStatus, 0);
  ASSERT_EQ(RunKobaru({"mkdir"}).exitStatus, 0);
  ASSERT_EQ(RunKobaru({"exclude", "1", "--yes"}).exitStatus, 0);
  std::mt19937 random(GetParam() ? 7 : 11);
  for (int kill = 1; kill <= kKills; ++kill) {
    ChildProcess fill(Kobaru({"fill", "1920"}));
    std::this_thread::sleep_for(std::chrono::milliseconds(50 + random() % 400));
    fill.Signal(SIGKILL);
    fill.Wait();
    EXPECT_EQ(RunKobaru({"stats"}).exitStatus, 0);
    // In place, a kill loses at most one record; saved whole, a few seconds'
    // (those songs are sent again, under new numbers).
    ExpectTidy(GetParam() ? kSongs * kKills : kill);
  }
  EXPECT_EQ(RunKobaru({"fill", "1920"}).exitStatus, 0);
  ASSERT_EQ(RunKobaru({"reset-all", "--yes"}).exitStatus, 0);
  const PlaylistTable& table = ReadPlaylist();
  EXPECT_EQ(table.entries[0].state, STATE_EXCLUDED);
  for (int i = 1; i < kSongs; ++i) EXPECT_EQ(table.entries[i].state, STATE_UNTRANSFERRED);
  ExpectTidy(kSongs * kKills);
}

INSTANTIATE_TEST_SUITE_P(PlainAndNoEdit, PhoneMountTest, ::testing::Bool());

}  // namespace
