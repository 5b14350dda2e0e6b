// The MP3 play-time reader on files built byte by byte, and the Xing header
// it reads.
#include <gtest/gtest.h>

#include <cstdio>
#include <sys/stat.h>
#include <vector>

#include "playback/play_time.h"
#include "playback/xing_header.h"
#include "tests/support/mp3_builder.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

// The frame in a buffer of exactly its size: AddressSanitizer sees any
// read past it.
bool ReadXing(const std::string& frame, XingInfo* xing) {
  std::vector<uint8_t> bytes(frame.begin(), frame.end());
  return ReadXingHeader(bytes.data(), bytes.size(), xing);
}

TEST(XingHeaderTest, TagFollowsTheSideInformationAndTheFlagsDecideTheFields) {
  XingInfo xing;
  for (auto [header, offset] : {std::pair{MPEG1_128K_44100, 36},
                                {0xFFFB90C4u, 21},  // single channel
                                {MPEG2_64K_22050, 21},
                                {0xFFF380C4u, 13}}) {
    EXPECT_TRUE(ReadXing(XingFrame(header, 208, offset, XING_FRAMES, 7), &xing)) << offset;
    EXPECT_EQ(xing.frames, 7);
    EXPECT_FALSE(ReadXing(XingFrame(header, 208, offset == 21 ? 36 : 21, XING_FRAMES, 7), &xing));
  }
  ASSERT_TRUE(ReadXing(
      XingFrame(MPEG1_128K_44100, 417, 36, XING_FRAMES | XING_BYTES | XING_TOC, 1000, 123456),
      &xing));
  EXPECT_EQ(xing.frames, 1000);
  EXPECT_EQ(xing.bytes, 123456);
  EXPECT_EQ(xing.toc[99], 99);
  ASSERT_TRUE(ReadXing(XingFrame(MPEG1_128K_44100, 417, 36, XING_FRAMES, 0x80000000u), &xing));
  EXPECT_EQ(xing.frames, 1);  // a count below 1 counts as 1
}

TEST(XingHeaderTest, CutOffTagOrFieldCountsAsAbsent) {
  XingInfo xing;
  std::string full =
      XingFrame(MPEG1_128K_44100, 417, 36, XING_FRAMES | XING_BYTES | XING_TOC, 50, 60);
  EXPECT_TRUE(ReadXing(full.substr(0, 36 + 16 + 100), &xing));
  for (size_t length : {0, 3, 20, 38, 40, 43, 47, 51, 151}) {
    xing.frames = 77;
    EXPECT_FALSE(ReadXing(full.substr(0, length), &xing)) << length;
    EXPECT_EQ(xing.frames, 0) << length;
  }
}

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
  // Data in front of the first frame that is no ID3v2 tag counts as audio.
  EXPECT_EQ(MillisecondsOf(std::string(1000, 'x') + Audio(2999000)), 187480);
  // A file under 128 bytes holds no ID3v1 tag; 24-byte frames of 0.024 s.
  EXPECT_EQ(MillisecondsOf(Frame(MPEG2_8K_24000, 100)), 96);
  EXPECT_EQ(MillisecondsOf(Frame(MPEG2_8K_24000, 4) + PadTo("TAG", 128)), 0);
}

TEST_F(PlayTimeTest, XingFrameCountDecidesTheTime) {
  EXPECT_EQ(MillisecondsOf(PadTo(XingSong(10000), 3000000)), 261224);
  EXPECT_EQ(SecondsOf(XingSong(10000)), 264u);
  std::string mpeg2 = XingFrame(MPEG2_64K_22050, 208, 21, XING_FRAMES, 5000);
  EXPECT_EQ(MillisecondsOf(mpeg2), 130612);
  EXPECT_EQ(SecondsOf(mpeg2), 133u);
  EXPECT_EQ(MillisecondsOf(XingFrame(0xFFE38844, 576, 21, XING_FRAMES, 1000)), 72000);  // MPEG-2.5
  std::string noCount = XingFrame(MPEG1_128K_44100, 417, 36, XING_BYTES, 0, 9);         // one frame
  EXPECT_EQ(MillisecondsOf(noCount), 26);
  EXPECT_EQ(SecondsOf(noCount), 3u);
  EXPECT_EQ(MillisecondsOf(XingSong(0x7FFFFFFF)), INT32_MAX);  // clamped
}

TEST_F(PlayTimeTest, SearchSlidesOverDataThatIsNoFrameHeader) {
  // MPEG-1 Layer I (FF FE, FF FF), layer code 00, bitrate index 0 and 15,
  // rate code 11, and no sync: none of them is a frame header.
  const char noHeaders[] =
      "\xFF\xFE\x90\x64\xFF\xFF\x90\x64\xFF\xF9\x90\x64\xFF\xFB\x00\x64"
      "\xFF\xFB\xF0\x64\xFF\xFB\x9C\x64\xFF\xDB\x90\x64\x7F\xFB\x90\x64";
  EXPECT_EQ(MillisecondsOf(std::string(noHeaders, sizeof noHeaders - 1) + XingSong(10000)), 261224);
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
  for (const std::string& bytes :
       {std::string(), std::string("\xFF\xFB\x90"), std::string(5000, '\xFF'),
        std::string(5000, 'x'), Frame(MPEG1_128K_44100, 417)}) {
    EXPECT_EQ(SecondsOf(bytes), 0u) << bytes.size();  // the last: less than a whole frame
  }
}

TEST_F(PlayTimeTest, FileEndingInsideTheFirstFrameReadsOnlyWhatIsThere) {
  std::string xing = XingFrame(MPEG1_128K_44100, 417, 36, XING_FRAMES | XING_BYTES, 10000, 1);
  EXPECT_EQ(MillisecondsOf(xing.substr(0, 52)), 261224);
  EXPECT_EQ(MillisecondsOf(xing.substr(0, 51)), 0);  // byte count cut: no Xing, no whole frame
  std::string tiny = XingFrame(MPEG2_8K_22050, 26, 21, XING_FRAMES, 5000);
  EXPECT_EQ(MillisecondsOf(PadTo(tiny, 2600)), 2586);  // no room for the flags: 99 frames by length
}

// A sync-like pattern inside a well-formed ID3v2 tag is no frame, and the
// tag's bytes, footer included, are no audio; a malformed tag is slid over.
TEST_F(PlayTimeTest, Id3v2TagIsSkippedAndIsNoAudio) {
  std::string picture = Frame(MPEG1_LAYER2, 100) + Frame(MPEG1_128K_44100, 100);
  for (uint8_t major : {2, 3, 4}) {
    EXPECT_EQ(MillisecondsOf(Id3v2Tag(500000, picture, major) + XingSong(10000)), 261224);
  }
  EXPECT_EQ(MillisecondsOf(Id3v2Tag(100000).substr(0, 5000) + XingSong(10000)), 0);  // past the end
  EXPECT_EQ(MillisecondsOf(Id3v2Tag(500000, Frame(MPEG1_128K_44100, 4)) + Audio() + Id3v1Tag()),
            187480);
  // 2,999,684 bytes are 7176 frames; the footer's ten more would be 7177.
  EXPECT_EQ(MillisecondsOf(Id3v2Tag(4000, "", 4, true) + Audio(2999684)), 187454);
  // "TAG" 128 bytes before the end but inside the ID3v2 tag is no ID3v1 tag.
  EXPECT_EQ(
      MillisecondsOf(Id3v2Tag(200, std::string(172, 'x') + "TAG") + Frame(MPEG2_8K_24000, 100)),
      96);
  std::string oversized = Id3v2Tag(1000, picture);
  oversized[9] = '\x80';  // a size byte with its top bit set
  for (const std::string& malformed : {oversized, Id3v2Tag(1000, picture, 5)}) {
    EXPECT_EQ(MillisecondsOf(malformed + XingSong(10000)), 0);
  }
}

}  // namespace
