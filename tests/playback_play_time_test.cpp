// Play times of MP3 files built byte by byte.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>

#include "playback/play_time.h"
#include "tests/support/mp3_builder.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

class PlayTimeTest : public ::testing::Test {
 protected:
  int32_t MillisecondsOf(const std::string& bytes) {
    WriteFile("song.mp3", bytes);
    FILE* file = std::fopen("song.mp3", "rb");
    int32_t milliseconds = ReadPlayTimeMs(file);
    std::fclose(file);
    return milliseconds;
  }
  uint32_t SecondsOf(const std::string& bytes) {
    WriteFile("song.mp3", bytes);
    return GetSongSeconds("song.mp3");
  }
  TempFolder folder_;
};

// 128 kbit/s audio that starts with its first frame.
std::string Audio(size_t bytes = 3000000) { return PadTo(Frame(MPEG1_128K_44100, 417), bytes); }

std::string XingSong(uint32_t frames) {
  return XingFrame(MPEG1_128K_44100, 417, 36, XING_FRAMES, frames) + Frame(MPEG1_128K_44100, 417);
}

TEST_F(PlayTimeTest, ConstantBitrateCountsWholeFramesWithoutTheId3v1Tag) {
  EXPECT_EQ(MillisecondsOf(Audio() + Id3v1Tag()), 187480);  // 3,000,128 bytes, 7177 frames
  EXPECT_EQ(SecondsOf(Audio() + Id3v1Tag()), 190u);
  EXPECT_EQ(MillisecondsOf(Audio(3000128)), 187506);  // 7178 frames
  EXPECT_EQ(SecondsOf(Audio(3000128)), 190u);
  // Data in front of the first frame that is no ID3v2 tag counts as audio.
  EXPECT_EQ(MillisecondsOf(std::string(1000, 'x') + Audio(2999000)), 187480);
}

TEST_F(PlayTimeTest, XingFrameCountDecidesTheTime) {
  EXPECT_EQ(MillisecondsOf(PadTo(XingSong(10000), 3000000)), 261224);
  EXPECT_EQ(SecondsOf(XingSong(10000)), 264u);
  std::string mpeg2 = XingFrame(MPEG2_64K_22050, 208, 21, XING_FRAMES, 5000);
  EXPECT_EQ(MillisecondsOf(mpeg2), 130612);
  EXPECT_EQ(SecondsOf(mpeg2), 133u);
  EXPECT_EQ(MillisecondsOf(XingFrame(MPEG1_128K_44100, 417, 36, XING_BYTES, 0, 9)), 26);
  EXPECT_EQ(SecondsOf(XingSong(0)), 3u);
  EXPECT_EQ(SecondsOf(XingSong(0x7FFFFFFF)), INT32_MAX / 1000u + 3);  // clamped
}

TEST_F(PlayTimeTest, SearchSlidesOverDataThatIsNoFrameHeader) {
  EXPECT_EQ(MillisecondsOf("\xFF\xFE\x90\x64\xFF\xFF\x90\x64" + XingSong(10000)), 261224);
  for (size_t junk = 4090; junk <= 4100; ++junk) {  // around a read chunk's end
    EXPECT_EQ(MillisecondsOf(std::string(junk, '\0') + XingSong(10000)), 261224) << junk;
  }
  // The first valid header decides, even when it is not Layer III.
  EXPECT_EQ(MillisecondsOf(Frame(MPEG1_LAYER2, 417) + XingSong(10000)), 0);
}

TEST_F(PlayTimeTest, UntimeableFilesGiveZero) {
  EXPECT_EQ(GetSongSeconds("missing.mp3"), 0u);
  MakeFolders("folder.mp3");
  EXPECT_EQ(GetSongSeconds("folder.mp3"), 0u);
  ASSERT_EQ(mkfifo("pipe.mp3", 0644), 0);  // nobody writes: must not wait for ever
  EXPECT_EQ(GetSongSeconds("pipe.mp3"), 0u);
  for (const std::string& bytes : {std::string(), std::string("\xFF\xFB\x90"),
                                   std::string(5000, '\xFF'), std::string(5000, 'x')}) {
    EXPECT_EQ(SecondsOf(bytes), 0u) << bytes.size();
  }
  EXPECT_EQ(SecondsOf(Frame(MPEG1_128K_44100, 417)), 0u);  // less than a whole frame
}

TEST_F(PlayTimeTest, ShortFilesHaveNoId3v1TagToSubtract) {
  EXPECT_EQ(MillisecondsOf(Frame(MPEG2_8K_24000, 100)), 96);  // 24-byte frames of 0.024 s
  EXPECT_EQ(SecondsOf(Frame(MPEG2_8K_24000, 100)), 3u);
  EXPECT_EQ(MillisecondsOf(Frame(MPEG2_8K_24000, 132)), 120);
  EXPECT_EQ(MillisecondsOf(Frame(MPEG2_8K_24000, 4) + PadTo("TAG", 128)), 0);
}

TEST_F(PlayTimeTest, FileEndingInsideTheFirstFrameReadsOnlyWhatIsThere) {
  std::string xing = XingFrame(MPEG1_128K_44100, 417, 36, XING_FRAMES | XING_BYTES, 10000, 1);
  EXPECT_EQ(MillisecondsOf(xing.substr(0, 52)), 261224);
  EXPECT_EQ(MillisecondsOf(xing.substr(0, 51)), 0);  // byte count cut: no Xing, no whole frame
  std::string tiny = XingFrame(MPEG2_8K_22050, 26, 21, XING_FRAMES, 5000);
  EXPECT_EQ(MillisecondsOf(PadTo(tiny, 2600)), 2586);  // timed by length: 99 frames
}

TEST_F(PlayTimeTest, SearchStartsAfterAWellFormedId3v2Tag) {
  std::string picture = Frame(MPEG1_LAYER2, 100) + Frame(MPEG1_128K_44100, 100);
  for (uint8_t major : {2, 3, 4}) {
    EXPECT_EQ(MillisecondsOf(Id3v2Tag(500000, picture, major) + XingSong(10000)), 261224);
  }
  EXPECT_EQ(MillisecondsOf(Id3v2Tag(0) + XingSong(10000)), 261224);
  // A tag reaching past the end leaves nothing to time.
  EXPECT_EQ(MillisecondsOf(Id3v2Tag(100000).substr(0, 5000) + XingSong(10000)), 0);
}

TEST_F(PlayTimeTest, Id3v2TagBytesAreNoAudio) {
  EXPECT_EQ(MillisecondsOf(Id3v2Tag(500000, Frame(MPEG1_128K_44100, 4)) + Audio() + Id3v1Tag()),
            187480);
  // 2,999,684 bytes are 7176 frames; ten more would be 7177.
  EXPECT_EQ(MillisecondsOf(Id3v2Tag(4000, "", 4, true) + Audio(2999684)), 187454);
  EXPECT_EQ(MillisecondsOf(Id3v2Tag(4010, "", 4, false) + Audio(2999684)), 187454);
  EXPECT_EQ(MillisecondsOf(Id3v2Tag(4000, "", 4, false) + std::string(10, 'x') + Audio(2999684)),
            187480);
  // "TAG" 128 bytes before the end but inside the ID3v2 tag is no ID3v1 tag.
  std::string tag = Id3v2Tag(200, std::string(172, 'x') + "TAG");
  EXPECT_EQ(MillisecondsOf(tag + Frame(MPEG2_8K_24000, 100)), 96);
}

TEST_F(PlayTimeTest, MalformedId3v2TagIsSlidOverLikeAnyData) {
  std::string oversized = Id3v2Tag(1000, Frame(MPEG1_LAYER2, 100));
  oversized[9] = '\x80';
  EXPECT_EQ(MillisecondsOf(oversized + XingSong(10000)), 0);
  EXPECT_EQ(MillisecondsOf(Id3v2Tag(1000, Frame(MPEG1_LAYER2, 100), 5) + XingSong(10000)), 0);
  std::string plain = Id3v2Tag(1000, "", 5);  // counted: 2,998,990 bytes would be 7175 frames
  EXPECT_EQ(MillisecondsOf(plain + Audio(3000000 - plain.size())), 187480);
}

}  // namespace
