// The free-space title: the megabytes, and when the title must stay.
#include <gtest/gtest.h>

#include "platform/volume_space.h"
#include "transfer/free_space_title.h"
#include "transfer/transfer_progress.h"
#include "transfer/transfer_texts.h"
#include "tests/support/temp_folder.h"
#include "tests/support/tmpfs_mount.h"

using namespace testing_support;

namespace {

std::string Title(uint64_t freeBytes) {
  char title[TITLE_BYTES];
  FormatFreeSpaceTitle(freeBytes, title, sizeof title);
  return title;
}

TEST(FreeSpaceTitleTest, WholeMegabytesTruncated) {
  EXPECT_EQ(Title(0), "Kobaru MP3 (0MB空き)");
  EXPECT_EQ(Title(1048575), "Kobaru MP3 (0MB空き)");
  EXPECT_EQ(Title(1048576), "Kobaru MP3 (1MB空き)");
  EXPECT_EQ(Title(2097151), "Kobaru MP3 (1MB空き)");
  EXPECT_EQ(Title(5000000000ull), "Kobaru MP3 (4768MB空き)");
  EXPECT_EQ(Title(UINT64_MAX), "Kobaru MP3 (2147483647MB空き)");
}

TEST(FreeSpaceTitleTest, TitleStaysDuringARunAndUntilItsCompletion) {
  char title[TITLE_BYTES] = "unchanged";
  for (int32_t status : {TRANSFER_RUNNING, TRANSFER_FINISHED}) {
    g_transferProgress.status = status;
    EXPECT_FALSE(MakeFreeSpaceTitle(title, sizeof title));
    EXPECT_STREQ(title, "unchanged");
  }
  g_transferProgress.status = TRANSFER_IDLE;
  ASSERT_TRUE(MakeFreeSpaceTitle(title, sizeof title));  // the test program's own volume
  EXPECT_EQ(std::string(title).rfind("Kobaru MP3 (", 0), 0u);
}

TEST(VolumeSpaceTest, CountsEveryFreeBlockOfTheVolume) {
  uint64_t bytes = 0;
  EXPECT_FALSE(platform::FreeBytesOfVolume("/no/such/volume", &bytes));
  TempFolder folder;
  TmpfsMount card(folder.Join("card"), 8u << 20);
  if (!card.mounted()) GTEST_SKIP() << "mounting a tmpfs needs root";
  ASSERT_TRUE(platform::FreeBytesOfVolume("card", &bytes));
  EXPECT_EQ(bytes, 8u << 20);
  WriteFile("card/song.mp3", std::string(3u << 20, 's'));
  ASSERT_TRUE(platform::FreeBytesOfVolume("card", &bytes));
  EXPECT_EQ(bytes, 5u << 20);
  EXPECT_EQ(Title(bytes), "Kobaru MP3 (5MB空き)");
}

}  // namespace
