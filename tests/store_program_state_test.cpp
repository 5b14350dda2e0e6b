// Every global of the core back at its start value, as a test that runs
// many cases in one process needs it.
#include <gtest/gtest.h>

#include <cstring>

#include "playback/continuous_play.h"
#include "playback/random_player.h"
#include "store/folder_scan.h"
#include "store/playlist_file.h"
#include "store/presence_flags.h"
#include "store/program_state.h"
#include "store/search_worker.h"
#include "store/table_images.h"
#include "transfer/transfer_progress.h"
#include "transfer/transfer_run.h"

namespace {

TEST(ProgramState, ResetReturnsEveryGlobalToItsStartValue) {
  g_workingTable.entries[3].path[0] = 'w';
  g_scanResultTable.entries[0].path[0] = 's';
  g_randomPlayTable.entries[9].state = 4;
  g_entryCount = 12;
  std::strcpy(g_wantedExtension, "ogg");
  std::strcpy(g_foundExtension, "wav");
  std::strcpy(g_chosenFolder, "/music");
  g_addMode = 1;
  g_searchStatus = SEARCH_SUCCEEDED;
  g_searchStopRequested = true;
  RecordPlaylistFailure(PlaylistAccess::Write, 28);
  g_playlistPresent = g_targetFolderPresent = 1;
  g_transferStopRequested = true;
  g_transferProgress.status = TRANSFER_FINISHED;
  g_transferProgress.capacityMb = 240;
  g_transferProgress.bytesCopied = g_transferProgress.songsCopied = 5;
  g_transferProgress.songsMissing = 2;
  g_transferProgress.bytesInCurrentCopy = 7;
  g_transferProgress.endReason = END_MEDIUM_FULL;
  g_transferProgress.endError = g_transferProgress.endSlot = 3;
  g_transferProgress.lastRow.Publish("     0001  /  0002  |         5");
  g_continuousPlay = g_playHold = 1;
  g_playCountdown = 9;
  g_randomTableLoads = 1;
  std::strcpy(g_chosenSong, "//a.mp3");

  ResetProgramState();

  static const PlaylistTable kEmpty{};
  for (const PlaylistTable* table : {&g_workingTable, &g_scanResultTable, &g_randomPlayTable}) {
    EXPECT_EQ(std::memcmp(table, &kEmpty, sizeof kEmpty), 0);
  }
  EXPECT_EQ(g_entryCount.load(), 0u);
  EXPECT_STREQ(g_wantedExtension, "mp3");
  EXPECT_STREQ(g_foundExtension, "");
  EXPECT_STREQ(g_chosenFolder, "");
  EXPECT_EQ(g_addMode.load(), 0);
  EXPECT_EQ(g_searchStatus.load(), SEARCH_NONE);
  EXPECT_FALSE(g_searchStopRequested.load());
  EXPECT_EQ(LastPlaylistFailure().access, PlaylistAccess::None);
  EXPECT_EQ(g_playlistPresent + g_targetFolderPresent, 0);
  EXPECT_FALSE(g_transferStopRequested.load());
  const TransferProgress& progress = g_transferProgress;
  EXPECT_EQ(progress.status.load(), TRANSFER_IDLE);
  EXPECT_EQ(progress.capacityMb + progress.bytesCopied + progress.songsCopied +
                progress.songsMissing + progress.bytesInCurrentCopy + progress.endError +
                progress.endSlot,
            0u);
  EXPECT_EQ(progress.endReason.load(), END_COMPLETE);
  char row[RESULT_ROW_BYTES];
  progress.lastRow.Read(row);
  EXPECT_STREQ(row, "");
  EXPECT_EQ(g_continuousPlay + g_playHold + g_randomTableLoads, 0);
  EXPECT_EQ(g_playCountdown, 0u);
  EXPECT_STREQ(g_chosenSong, "");
}

}  // namespace
