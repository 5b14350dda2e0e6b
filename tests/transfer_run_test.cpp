// One transfer run: budget, draws, numbering and extensions, and the run
// when things go wrong: missing songs and folders, broken tables, a stop
// request, an unreadable or unwritable playlist and a full medium.
#include <unistd.h>

#include "platform/random_generator.h"
#include "tests/support/core_test.h"
#include "tests/support/small_volume.h"
#include "tests/support/transfer_setup.h"
#include "transfer/target_folder.h"

namespace {

constexpr uint32_t kMegabyte = 1u << 20;
constexpr uint32_t kSecond = 1700000000;
uint32_t TestClock() { return kSecond; }

// The slot that a run's first draw picks among `candidates`; every run here
// is seeded with kSecond.
uint32_t FirstDrawn(uint32_t candidates) {
  RandomGenerator random;
  random.Seed(kSecond);
  return random.Next() % candidates;
}

class TransferRunTest : public ::testing::Test {
 protected:
  std::vector<PlaylistEntry> Songs(std::initializer_list<const char*> names, uint32_t size = 0) {
    std::vector<PlaylistEntry> entries;
    for (const char* name : names) entries.push_back(setup_.Song(name, size));
    return entries;
  }
  TransferSetup setup_{TransferOptions{{}, platform::ThreadStarts::Allowed, TestClock}};
  TransferProgress& progress_ = setup_.progress();
};

// Songs up to exactly the budget are copied, numbered from 1. The first
// song drawn that does not fit ends the selection, and so does a size that
// would wrap a 32-bit sum round to less than the budget.
TEST_F(TransferRunTest, TheFirstSongDrawnThatDoesNotFitEndsTheSelection) {
  WritePlaylist(Songs({"a.mp3", "b.mp3", "c.mp3"}, 10 * kMegabyte));
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(progress_.bytesCopied.load(), 30 * kMegabyte);
  EXPECT_EQ(progress_.bytesInCurrentCopy.load(), 0u);  // nothing left waiting once named
  EXPECT_EQ(setup_.TargetNames(), (std::vector<std::string>{"0001.mp3", "0002.mp3", "0003.mp3"}));
  setup_.ExpectFolderMatchesPlaylist();

  std::vector<PlaylistEntry> entries = Songs({"a.mp3", "b.mp3", "c.mp3", "d.mp3", "e.mp3"});
  entries[FirstDrawn(5)].fileSize = 40 * kMegabyte;
  WritePlaylist(entries);
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(progress_.songsCopied.load(), 0u);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), PlaylistBytes(entries));

  std::vector<PlaylistEntry> two = Songs({"f.mp3", "g.mp3"}, UINT32_MAX);
  two[FirstDrawn(2)].fileSize = kMegabyte;
  WritePlaylist(two);
  EXPECT_EQ(setup_.Run(1920), 0);
  EXPECT_EQ(setup_.SentNumbers().size(), 1u);
  EXPECT_EQ(ReadPlaylist().entries[1 - FirstDrawn(2)].state, STATE_UNTRANSFERRED);
}

// Numbers go on from the highest recorded, pass over any name taken in
// kMp3, whatever took it, and end at 9999.
TEST_F(TransferRunTest, NumbersPassOverTakenNamesAndEndAt9999) {
  for (int n = 1; n <= 5; ++n) WriteFile("kMp3/000" + std::to_string(n) + ".mp3", "old");
  MakeFolders("kMp3/0007.mp3");
  std::filesystem::create_symlink("nowhere", "kMp3/0008.mp3");
  WriteFile("kMp3/0009.ogg", "another extension does not block 0009.mp3");
  WritePlaylist(Songs({"a.mp3", "b.mp3", "c.mp3"}));
  EXPECT_EQ(setup_.Run(30), 0);
  std::map<uint32_t, uint32_t> numbers = setup_.SentNumbers();
  EXPECT_EQ(numbers.size(), 3u);
  EXPECT_TRUE(numbers.count(6) && numbers.count(9) && numbers.count(10));
  EXPECT_EQ(ReadFile("kMp3/0003.mp3"), "old");

  PlaylistEntry sent = MakeEntry(STATE_TRANSFERRED, 9998, "//sent.mp3", 1);
  WritePlaylist({sent, setup_.Song("d.mp3"), setup_.Song("e.mp3")});
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(progress_.songsCopied.load(), 1u);
  std::filesystem::rename("kMp3/9999.mp3", "kMp3/9999.MP3");
  std::vector<PlaylistEntry> entries{sent, setup_.Song("f.MP3")};
  WritePlaylist(entries);
  EXPECT_EQ(setup_.Run(30), 0);  // 9999.MP3 is taken, and there is no 10000
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), PlaylistBytes(entries));
}

// The extension is everything after the last '.' of the whole path, case
// kept, and "kMp3/0001." with it must fit in 259 bytes.
TEST_F(TransferRunTest, ExtensionIsEverythingAfterTheLastDotWithItsCaseKept) {
  WriteFile(".hidden", "dot at the first byte");
  std::vector<PlaylistEntry> entries = Songs({"UPPER.MP3", "noextension", "two.dots.Ogg"});
  entries.push_back(MakeEntry(0, 0, ".hidden", 21));
  WritePlaylist(entries);
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(progress_.songsCopied.load(), 4u);
  setup_.ExpectFolderMatchesPlaylist();  // names like 0001.MP3, 0002. and 0003.Ogg

  std::string fits = "x." + std::string(249, 'e');
  std::string tooLong = "y." + std::string(250, 'e');
  WriteFile(fits, "fits");
  WriteFile(tooLong, "too long");
  MakeFolders("music/album.d");  // "d//song" names a file in a folder that isn't there
  // A path filling its field, and no zero byte in the size after it either.
  std::string unterminated = "z." + std::string(PATH_LEN - 2, 'e');
  for (const PlaylistEntry& entry :
       {MakeEntry(0, 0, tooLong, 8), setup_.Song("album.d/song"),
        MakeEntry(0, 0, unterminated, 0x01010101), MakeEntry(0, 0, fits, 4)}) {
    WritePlaylist({entry});
    EXPECT_EQ(setup_.Run(30), 0);
  }
  EXPECT_EQ(ReadPlaylist().entries[0].state, STATE_TRANSFERRED);
  EXPECT_EQ(setup_.TargetNames().size(), 5u);
  EXPECT_EQ(ReadFile("kMp3/0001." + std::string(249, 'e')), "fits");
}

// Missing songs are marked and counted, keep whatever number they had and
// take none; states other than unsent are never drawn.
TEST_F(TransferRunTest, MissingSourcesAreMarkedCountedAndTakeNoNumber) {
  PlaylistEntry foreign = setup_.Missing("numbered.mp3");
  foreign.transferNumber = 7;  // an unsent entry that kept a number
  std::vector<PlaylistEntry> entries{setup_.Missing("x.mp3"), foreign};
  for (uint16_t state = 1; state <= 4; ++state) entries.push_back(MakeEntry(state, 0, "//x", 1));
  for (const PlaylistEntry& song : Songs({"a.mp3", "b.mp3", "c.mp3"})) entries.push_back(song);
  WritePlaylist(entries);
  EXPECT_EQ(setup_.Run(30), 0);
  const PlaylistTable& saved = ReadPlaylist();
  EXPECT_EQ(saved.entries[0].state, STATE_SOURCE_MISSING);
  EXPECT_EQ(saved.entries[0].transferNumber, 0);
  EXPECT_EQ(saved.entries[1].state, STATE_SOURCE_MISSING);
  EXPECT_EQ(saved.entries[1].transferNumber, 7);
  std::map<uint32_t, uint32_t> numbers = setup_.SentNumbers();
  EXPECT_EQ(numbers.size(), 4u);  // the one recorded as sent, and 8 to 10
  EXPECT_TRUE(numbers.count(8) && numbers.count(9) && numbers.count(10));
  EXPECT_EQ(progress_.songsMissing.load(), 2u);
  EXPECT_EQ(setup_.TargetNames().size(), 3u);
}

// A playlist that can't be read stops the run at once; one that can't be
// written back fails it after the copies; without kMp3 the first copy ends
// the run, and a short playlist is saved whole.
TEST_F(TransferRunTest, APlaylistOrFolderThatFailsEndsTheRun) {
  EXPECT_EQ(setup_.Run(30), -1);
  EXPECT_FALSE(Exists(PLAYLIST_FILE_NAME));
  WritePlaylist({setup_.Song("b.mp3")});
  std::filesystem::permissions(PLAYLIST_FILE_NAME, std::filesystem::perms::owner_read);
  EXPECT_EQ(setup_.Run(30), -1);
  EXPECT_EQ(setup_.TargetNames(), std::vector<std::string>{"0001.mp3"});

  std::filesystem::remove(PLAYLIST_FILE_NAME);
  std::filesystem::remove_all("kMp3");
  std::vector<PlaylistEntry> entries = Songs({"c.mp3", "d.mp3"});
  WriteFile(PLAYLIST_FILE_NAME, PlaylistBytes(entries).substr(0, 2 * RECORD_SIZE));
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(progress_.songsCopied.load(), 0u);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), PlaylistBytes(entries));
}

// A gap before an entry, states in empty slots and an impossible number:
// the draw only considers entries before the first gap, never loops, and
// numbering never wraps round to 0000.
TEST_F(TransferRunTest, BrokenTablesNeverHang) {
  std::vector<PlaylistEntry> entries{setup_.Song("a.mp3"), MakeEntry(0, 0, "", 0),
                                     setup_.Song("b.mp3")};
  for (int i = 0; i < 6; ++i) entries.push_back(MakeEntry(STATE_EXCLUDED, 0, "", 0));
  WritePlaylist(entries);
  EXPECT_EQ(setup_.Run(1920), 0);
  const PlaylistTable& saved = ReadPlaylist();
  EXPECT_EQ(saved.entries[0].state, STATE_TRANSFERRED);
  EXPECT_EQ(saved.entries[2].state, STATE_UNTRANSFERRED);
  EXPECT_EQ(saved.entries[8].state, STATE_EXCLUDED);  // the whole image went back
  setup_.ExpectFolderMatchesPlaylist();

  entries[1] = MakeEntry(STATE_TRANSFERRED, 65535, "//odd.mp3", 1);
  WritePlaylist(entries);
  EXPECT_EQ(setup_.Run(1920), 0);
  EXPECT_EQ(setup_.TargetNames().size(), 1u);
}

TEST_F(TransferRunTest, StopRequestEndsTheRunAtTheNextPassAndSaves) {
  WritePlaylist(Songs({"a.mp3", "b.mp3", "c.mp3"}));
  TransferObserver stopper{
      [](void* job, const char*) { static_cast<TransferJob*>(job)->RequestStop(); },
      &setup_.job()};
  EXPECT_EQ(setup_.Run(30, &stopper), 0);
  EXPECT_EQ(setup_.SentNumbers().size(), 1u);
  setup_.ExpectFolderMatchesPlaylist();

  WritePlaylist({setup_.Missing("x.mp3")});
  setup_.job().RequestStop();  // a new run starts without the old request
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(progress_.songsMissing.load(), 1u);
}

// The medium fills up during the third song: that copy is removed whole,
// and the table, written in place for want of room, records the two songs
// that arrived.
TEST_F(TransferRunTest, FullMediumEndsTheRunAndStillRecordsWhatArrived) {
  SmallVolume card(setup_.folder().Join("card"), "8m");
  if (!card.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
  std::vector<PlaylistEntry> entries;
  for (const char* name : {"a.mp3", "b.mp3", "c.mp3", "d.mp3"}) {
    entries.push_back(setup_.Song(name, 3u << 20, 3u << 20));
  }
  ASSERT_EQ(chdir("card"), 0);
  MakeFolders("kMp3");
  WritePlaylist(entries);
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(setup_.SentNumbers().size(), 2u);
  setup_.ExpectFolderMatchesPlaylist();
  ASSERT_EQ(chdir(".."), 0);
}

// A link planted as kMp3 or a playlist put in place during the run never
// gets a byte; a playlist that is itself a link stays one, with every write.
TEST_F(TransferRunTest, LinksAndReplacedPlaylistsAreNeverWrittenThrough) {
  WritePlaylist(Songs({"a.mp3", "b.mp3", "c.mp3"}));
  std::filesystem::remove("kMp3");
  MakeFolders("outside");
  std::filesystem::create_directory_symlink("outside", "kMp3");
  EXPECT_FALSE(TestTargetFolder(setup_.playlist()));
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_EQ(progress_.endError.load(), ELOOP);
  EXPECT_TRUE(NamesIn("outside").empty());

  std::filesystem::remove("kMp3");
  MakeFolders("kMp3");
  std::string other(TABLE_BYTES, '\0');  // another program's playlist
  WriteFile("other.dat", other);
  TransferObserver swap{[](void*, const char*) { std::rename("other.dat", PLAYLIST_FILE_NAME); },
                        nullptr};
  EXPECT_EQ(setup_.Run(30, &swap), -1);
  EXPECT_EQ(progress_.endReason.load(), TransferEnd::PlaylistReplaced);
  EXPECT_EQ(ReadFile(PLAYLIST_FILE_NAME), other);

  WritePlaylist(Songs({"d.mp3", "e.mp3"}));
  std::filesystem::rename(PLAYLIST_FILE_NAME, "real.dat");
  std::filesystem::create_symlink("real.dat", PLAYLIST_FILE_NAME);
  EXPECT_EQ(setup_.Run(30), 0);
  EXPECT_TRUE(std::filesystem::is_symlink(PLAYLIST_FILE_NAME));
  EXPECT_EQ(setup_.SentNumbers().size(), 2u);
}

}  // namespace
