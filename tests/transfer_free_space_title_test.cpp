// The free-space title: the megabytes, and when the title must stay.
#include <gtest/gtest.h>

#include "platform/volume_space.h"
#include "transfer/free_space_title.h"
#include "transfer/transfer_progress.h"
#include "transfer/transfer_texts.h"
#include "tests/support/temp_folder.h"
#include "tests/support/small_volume.h"

using namespace testing_support;

namespace {

std::string Title(uint64_t freeBytes) {
  char title[TITLE_BYTES];
  FormatFreeSpaceTitle(freeBytes, title, sizeof title);
  return title;
}

TEST(FreeSpaceTitleTest, WholeMegabytesTruncated) {
  EXPECT_EQ(Title(1048575), "Kobaru MP3 (0MB空き)");
  EXPECT_EQ(Title(1048576), "Kobaru MP3 (1MB空き)");
  EXPECT_EQ(Title(5000000000ull), "Kobaru MP3 (4768MB空き)");
  EXPECT_EQ(Title(UINT64_MAX), "Kobaru MP3 (2147483647MB空き)");
}

// The program's volume, not the folder being filled; kept during a run.
TEST(FreeSpaceTitleTest, MeasuresEveryFreeBlockOfTheProgramsVolume) {
  uint64_t bytes = 0;
  EXPECT_FALSE(platform::FreeBytesOfVolume("/no/such/volume", &bytes));
  TempFolder folder;
  SmallVolume card(folder.Join("card"), "8m");
  if (!card.Mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
  WriteFile("card/song.mp3", std::string(3u << 20, 's'));
  ASSERT_TRUE(platform::FreeBytesOfVolume("card", &bytes));
  EXPECT_EQ(bytes, 5u << 20);
  char title[TITLE_BYTES] = "unchanged";
  g_transferProgress.status = TRANSFER_FINISHED;
  EXPECT_FALSE(MakeFreeSpaceTitle(title, sizeof title));
  EXPECT_STREQ(title, "unchanged");
  g_transferProgress.status = TRANSFER_IDLE;
  ASSERT_EQ(chdir("card"), 0);
  bool made = MakeFreeSpaceTitle(title, sizeof title);
  ASSERT_EQ(chdir(".."), 0);
  EXPECT_TRUE(made);
  EXPECT_NE(std::string(title), "Kobaru MP3 (5MB空き)");
}

}  // namespace
