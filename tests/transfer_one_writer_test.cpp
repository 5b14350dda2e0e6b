// One writer at a time per working folder: every operation that changes
// kPlayLst.dat or kMp3 is refused while another holds the folder, and
// changes nothing; the worker owners report a thread that can't start.
#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <sys/stat.h>
#include <thread>

#include "platform/folder_lock.h"
#include "platform/worker_thread.h"
#include "store/playlist_file.h"
#include "store/playlist_maintenance.h"
#include "store/search_thread.h"
#include "store/search_worker.h"
#include "tests/support/child_process.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/transfer_setup.h"
#include "transfer/transfer_progress.h"
#include "transfer/transfer_thread.h"

using namespace testing_support;

namespace {

class OneWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WritePlaylist({setup_.Song("a.mp3"), setup_.Song("b.mp3"), setup_.Song("c.mp3")});
  }
  void ExpectRefusedAsBusy() {
    EXPECT_EQ(LastPlaylistFailure().access, PlaylistAccess::Lock);
    EXPECT_EQ(LastPlaylistFailure().error, EWOULDBLOCK);
  }
  TransferSetup setup_;
};

TEST_F(OneWriterTest, EveryChangeIsRefusedWhileAnotherHoldsTheFolder) {
  std::string before = ReadFile(PLAYLIST_FILE_NAME);
  platform::FolderLock other;
  ASSERT_EQ(other.TryLock("."), 0);
  uint32_t chosen[] = {0};
  EXPECT_FALSE(MarkAllUntransferred());
  ExpectRefusedAsBusy();
  EXPECT_FALSE(ExcludeEntries(chosen, 1));
  EXPECT_FALSE(MarkEntriesUntransferred(chosen, 1));
  EXPECT_EQ(AppendScanResult(), 0);
  ASSERT_TRUE(PrepareSearch(setup_.folder().Join("music").c_str(), false));
  EXPECT_EQ(SearchWorker(), 0);
  ExpectRefusedAsBusy();
  {
    TransferThread transfer;
    EXPECT_EQ(transfer.Start(30), TransferStart::Busy);
    EXPECT_EQ(g_transferProgress.status.load(), TRANSFER_IDLE);
  }
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), before);
  EXPECT_TRUE(setup_.TargetNames().empty());
  other.Release();
  EXPECT_TRUE(ExcludeEntries(chosen, 1));
}

// An edit tried while this process's own run is between two copies is
// refused; the run's records all stay.
// A folder that may be written but not listed, by root without the right
// to read any folder: the playlist's own lock keeps the companion out.
TEST_F(OneWriterTest, AFolderThatCannotBeListedIsStillLocked) {
  platform::FolderLock fill;
  ASSERT_EQ(fill.TryLock(".", PLAYLIST_FILE_NAME), 0);
  ASSERT_EQ(chmod(".", 0333), 0);
  CommandResult edit =
      ChildProcess({"/usr/bin/setpriv", "--bounding-set=-dac_override,-dac_read_search",
                    KOBARU_CLI_PATH, "exclude", "--yes", "1"})
          .Wait();
  chmod(".", 0755);
  EXPECT_EQ(edit.exitStatus, 1) << edit.out;
}

TEST_F(OneWriterTest, AnEditDuringARunIsRefusedAndTheRunLosesNothing) {
  static std::atomic<int> phase{0};
  phase = 0;
  TransferObserver pause{[](void*, const char*) {  // after the first copy only
                           int first = 0;
                           if (!phase.compare_exchange_strong(first, 1)) return;
                           while (phase.load() == 1) std::this_thread::yield();
                         },
                         nullptr};
  TransferThread transfer;
  ASSERT_EQ(transfer.Start(30, &pause), TransferStart::Started);
  while (phase.load() != 1) std::this_thread::yield();
  uint32_t chosen[] = {0, 1, 2};
  EXPECT_FALSE(MarkEntriesUntransferred(chosen, 3));
  ExpectRefusedAsBusy();
  phase = 2;
  EXPECT_EQ(transfer.Wait(), 0);
  EXPECT_EQ(setup_.SentNumbers().size(), 3u);
  setup_.ExpectFolderMatchesPlaylist();
  EXPECT_TRUE(MarkEntriesUntransferred(chosen, 3));
}

TEST_F(OneWriterTest, AThreadThatCannotStartIsAFailedRunOrSearch) {
  platform::RefuseThreadStartsForTesting(true);
  g_transferProgress.songsCopied = 5;  // from an earlier run
  {
    TransferThread transfer;
    EXPECT_EQ(transfer.Start(30), TransferStart::Failed);
    EXPECT_EQ(g_transferProgress.status.load(), TRANSFER_FINISHED);
    EXPECT_EQ(g_transferProgress.endReason.load(), END_NOT_STARTED);
    EXPECT_EQ(g_transferProgress.songsCopied.load(), 0u);
    EXPECT_EQ(transfer.Wait(), -1);
  }
  ASSERT_TRUE(PrepareSearch(setup_.folder().Join("music").c_str(), true));
  SearchThread search;
  EXPECT_FALSE(search.Start());
  EXPECT_EQ(search.Wait(), SEARCH_FAILED);
  platform::RefuseThreadStartsForTesting(false);
  EXPECT_TRUE(MarkAllUntransferred());  // the refused run left no lock behind
  EXPECT_TRUE(setup_.TargetNames().empty());
}

}  // namespace
