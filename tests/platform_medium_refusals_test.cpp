// The file services on media that refuse renames, links, writes in place
// and writes at an offset, each refusal pretended with every error code
// such media give: the ways left still save and copy, and leave nothing.
#include <gtest/gtest.h>

#include "platform/file_copy.h"
#include "platform/file_system.h"
#include "platform/in_flight_marker.h"
#include "platform/rename_probe.h"
#include "store/playlist_backup.h"
#include "store/playlist_entry.h"
#include "store/playlist_file.h"
#include "tests/support/song_bytes.h"
#include "tests/support/transfer_setup.h"

using namespace testing_support;
using platform::MediumRefusals;
using Names = std::vector<std::string>;

namespace {

class MediumRefusalsTest : public ::testing::TestWithParam<int> {
 protected:
  int Replace(const std::string& bytes, const MediumRefusals& refusals) {
    return platform::ReplaceFileContents("table", bytes.data(), bytes.size(), nullptr,
                                         platform::CURRENT_FOLDER, "table.bak", refusals);
  }
  int Record(const MediumRefusals& refusals) {
    return platform::OverwriteFileRange("table", 1, "X", 1, nullptr, platform::CURRENT_FOLDER,
                                        refusals);
  }
  TempFolder folder_;
};

// Renames refused: the file is written in place. Writes in place or at an
// offset refused too: afresh behind a backup that is gone at the end.
TEST_P(MediumRefusalsTest, SavesTakeTheWaysTheMediumLeaves) {
  int refused = GetParam();
  EXPECT_EQ(Replace("new table", {refused, 0, 0}), 0);  // a new file, no rename
  EXPECT_EQ(Replace("longer table", {refused, 0, 0}), 0);
  for (MediumRefusals refusals : {MediumRefusals{refused, refused, 0}, {refused, 0, refused}}) {
    EXPECT_EQ(Replace("short", refusals), 0);
    EXPECT_EQ(ReadFile("table"), "short");
  }
  EXPECT_EQ(NamesIn("."), Names{"table"});
  // Records in place are refused with the medium's own reason.
  EXPECT_EQ(Record({0, refused, 0}), refused);
  EXPECT_EQ(Record({0, 0, refused}), refused);
  EXPECT_EQ(ReadFile("table"), "short");
  EXPECT_TRUE(platform::RefusesRename(platform::CURRENT_FOLDER, {refused, 0, 0}));
  EXPECT_FALSE(platform::RefusesRename(platform::CURRENT_FOLDER));
  EXPECT_EQ(NamesIn("."), Names{"table"});
}

INSTANTIATE_TEST_SUITE_P(EveryRefusal, MediumRefusalsTest,
                         ::testing::Values(ENOTSUP, EPERM, ENOSYS));

// Where renames are refused a song is written under its own name, marked
// only while in flight; a mark left by a kill takes its song with it.
TEST(InFlightMarkerTest, DirectCopiesAndWhatAKillLeaves) {
  TempFolder folder;
  std::string song = SongBytes((2u << 20) + 17, 3);
  WriteFile("a.mp3", song);
  WriteFile("kMp3/0001.mp3", "taken");
  platform::FolderHandle kMp3;
  ASSERT_EQ(kMp3.Open("kMp3"), 0);
  for (const char* target : {"0001.mp3", "0002.mp3"}) {
    (void)platform::FileCopier().CopyFileNoReplace("a.mp3", kMp3.fd(), target, {}, nullptr,
                                                   platform::CopyWay::Direct);
  }
  EXPECT_EQ(ReadFile("kMp3/0001.mp3") + ReadFile("kMp3/0002.mp3"), "taken" + song);
  char marker[64];
  ASSERT_EQ(platform::CreateInFlightMarker(kMp3.fd(), "0003.mp3", marker, sizeof marker), 0);
  WriteFile("kMp3/0003.mp3", "half a so");
  EXPECT_EQ(platform::RemoveInterruptedSongs("kMp3"), 1);
  EXPECT_EQ(NamesIn("kMp3"), (Names{"0001.mp3", "0002.mp3"}));
}

// A save killed between its backup and the table: the backup is written
// back where the table is missing or short, and dropped where it is cut
// short itself or no longer needed.
TEST(PlaylistBackupTest, RestoresOnlyAWholeBackupOverADamagedTable) {
  TempFolder folder;
  std::string whole = SongBytes(TABLE_BYTES, 5);
  WriteFile(PLAYLIST_BACKUP_NAME, whole);
  EXPECT_EQ(RestorePlaylistBackup(platform::CURRENT_FOLDER), BackupOutcome::Restored);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), whole);
  WriteFile(PLAYLIST_BACKUP_NAME, whole.substr(0, 1000));
  WriteFile(PLAYLIST_FILE_NAME, whole.substr(0, 268));
  EXPECT_EQ(RestorePlaylistBackup(platform::CURRENT_FOLDER), BackupOutcome::Removed);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), whole.substr(0, 268));
  WriteFile(PLAYLIST_BACKUP_NAME, SongBytes(TABLE_BYTES, 6));
  WriteFile(PLAYLIST_FILE_NAME, whole);
  EXPECT_EQ(RestorePlaylistBackup(platform::CURRENT_FOLDER), BackupOutcome::Removed);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), whole);
  EXPECT_EQ(RestorePlaylistBackup(platform::CURRENT_FOLDER), BackupOutcome::None);
}

}  // namespace
