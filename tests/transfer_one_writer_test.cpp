// One writer at a time per working folder: every operation that changes
// kPlayLst.dat or kMp3 is refused while another holds the folder, and
// changes nothing; the worker owners report a thread that can't start.
#include <atomic>
#include <cerrno>
#include <thread>

#include "platform/folder_lock.h"
#include "store/playlist_maintenance.h"
#include "store/search_job.h"
#include "tests/support/child_process.h"
#include "tests/support/core_test.h"
#include "tests/support/transfer_setup.h"

namespace {

class OneWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WritePlaylist({setup_.Song("a.mp3"), setup_.Song("b.mp3"), setup_.Song("c.mp3")});
  }
  void ExpectRefusedAsBusy() {
    EXPECT_EQ(playlist_.failure.Last().access, PlaylistAccess::Lock);
    EXPECT_EQ(playlist_.failure.Last().error, EWOULDBLOCK);
  }
  TransferSetup setup_;
  Playlist& playlist_ = setup_.playlist();
  std::unique_ptr<SearchJob> search_ = std::make_unique<SearchJob>(playlist_);
};

TEST_F(OneWriterTest, EveryChangeIsRefusedWhileAnotherHoldsTheFolder) {
  std::string before = ReadFile(PLAYLIST_FILE_NAME);
  platform::FolderLock other;
  ASSERT_EQ(other.TryLock("."), 0);
  uint32_t chosen[] = {0};
  EXPECT_FALSE(MarkAllUntransferred(playlist_));
  ExpectRefusedAsBusy();
  EXPECT_FALSE(ExcludeEntries(playlist_, chosen, 1));
  EXPECT_FALSE(MarkEntriesUntransferred(playlist_, chosen, 1));
  EXPECT_EQ(search_->AppendScanResult(), 0);
  ASSERT_TRUE(search_->Prepare(setup_.folder().Join("music").c_str(), false));
  EXPECT_EQ(search_->Work(), 0);
  ExpectRefusedAsBusy();
  EXPECT_EQ(setup_.job().Start(30), TransferStart::Busy);
  EXPECT_EQ(setup_.progress().status.load(), TransferStatus::Idle);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), before);
  EXPECT_TRUE(setup_.TargetNames().empty());
  other.Release();
  EXPECT_TRUE(ExcludeEntries(playlist_, chosen, 1));
}

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
  fill.Release();  // and a kMp3 that can't be listed is filled all the same
  ASSERT_EQ(chmod("kMp3", 0333), 0);
  CommandResult run =
      ChildProcess({"/usr/bin/setpriv", "--bounding-set=-dac_override,-dac_read_search",
                    KOBARU_CLI_PATH, "fill", "30"})
          .Wait();
  chmod("kMp3", 0755);
  EXPECT_EQ(run.exitStatus, 0) << run.err;
  EXPECT_EQ(setup_.TargetNames().size(), 3u);
}

// An edit tried while this process's own run is between two copies is
// refused; the run's records all stay.
TEST_F(OneWriterTest, AnEditDuringARunIsRefusedAndTheRunLosesNothing) {
  static std::atomic<int> phase{0};
  phase = 0;
  TransferObserver pause{[](void*, const char*) {  // after the first copy only
                           int first = 0;
                           if (!phase.compare_exchange_strong(first, 1)) return;
                           while (phase.load() == 1) std::this_thread::yield();
                         },
                         nullptr};
  TransferJob& transfer = setup_.job();
  ASSERT_EQ(transfer.Start(30, &pause), TransferStart::Started);
  while (phase.load() != 1) std::this_thread::yield();
  uint32_t chosen[] = {0, 1, 2};
  EXPECT_FALSE(MarkEntriesUntransferred(playlist_, chosen, 3));
  ExpectRefusedAsBusy();
  phase = 2;
  EXPECT_EQ(transfer.Wait(), 0);
  EXPECT_EQ(setup_.SentNumbers().size(), 3u);
  setup_.ExpectFolderMatchesPlaylist();
  EXPECT_TRUE(MarkEntriesUntransferred(playlist_, chosen, 3));
}

TEST_F(OneWriterTest, AThreadThatCannotStartIsAFailedRun) {
  auto transfer = std::make_unique<TransferJob>(
      playlist_, TransferOptions{{}, platform::ThreadStarts::Refused});
  transfer->Progress().songsCopied = 5;  // from an earlier run
  EXPECT_EQ(transfer->Start(30), TransferStart::Failed);
  EXPECT_EQ(transfer->Progress().status.load(), TransferStatus::Finished);
  EXPECT_EQ(transfer->Progress().endReason.load(), TransferEnd::NotStarted);
  EXPECT_EQ(transfer->Progress().songsCopied.load(), 0u);
  EXPECT_EQ(transfer->Wait(), -1);
  EXPECT_TRUE(MarkAllUntransferred(playlist_));  // the refused run left no lock behind
  EXPECT_TRUE(setup_.TargetNames().empty());
}

}  // namespace
