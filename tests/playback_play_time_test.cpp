// The MP3 play-time reader on files built byte by byte, and the Xing header
// it reads.
#include <gtest/gtest.h>

#include <vector>

#include "playback/play_time.h"
#include "playback/xing_header.h"
#include "tests/support/mp3_builder.h"
#include "tests/support/song_bytes.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

namespace {

// The frame in a buffer of exactly its size: AddressSanitizer sees any
// read past it.
bool ReadXing(const std::string& frame, XingInfo* xing) {
  std::vector<uint8_t> bytes(frame.begin(), frame.end());
  return ReadXingHeader(bytes.data(), bytes.size(), xing);
}

// The flags decide the fields; a tag or field cut off counts as absent.
TEST(XingHeaderTest, FlagsDecideTheFieldsThatMustFitTheFrame) {
  XingInfo xing;
  std::string full =
      XingFrame(MPEG1_128K_44100, 417, 36, XING_FRAMES | XING_BYTES | XING_TOC, 0x80000000u, 9);
  ASSERT_TRUE(ReadXing(full.substr(0, 36 + 16 + 100), &xing));
  EXPECT_EQ(xing.frames, 1);  // a count below 1, as a signed number, counts as 1
  EXPECT_EQ(xing.bytes, 9);
  EXPECT_EQ(xing.toc[99], 99);
  for (size_t cut : {0, 3, 20, 38, 40, 43, 47, 51, 151}) {
    xing.frames = 77;
    EXPECT_FALSE(ReadXing(full.substr(0, cut), &xing)) << cut;
    EXPECT_EQ(xing.frames, 0) << cut;
  }
}

// 128 kbit/s audio that starts with its first frame.
std::string Audio(size_t bytes = 3000000) { return PadTo(Frame(MPEG1_128K_44100, 417), bytes); }

std::string XingSong(uint32_t frames) {
  return XingFrame(MPEG1_128K_44100, 417, 36, XING_FRAMES, frames) + Frame(MPEG1_128K_44100, 417);
}

// Each file's milliseconds and seconds (the play time plus 3 s, 0 when
// unknown). The Xing tag follows the side information: 32 or 17 bytes for
// MPEG-1 (stereo or single channel), 17 or 9 otherwise.
TEST(PlayTimeTest, FilesBuiltByteByByte) {
  TempFolder folder;
  std::string picture = Frame(MPEG1_LAYER2, 100) + Frame(MPEG1_128K_44100, 100);
  std::string oversized = Id3v2Tag(1000, picture);
  oversized[9] = '\x80';  // a size byte with its top bit set
  // MPEG-1 Layer I (FF FE, FF FF), layer code 00, bitrate index 0 and 15,
  // rate code 11, and no sync: none of them is a frame header.
  const std::string noHeaders(
      "\xFF\xFE\x90\x64\xFF\xFF\x90\x64\xFF\xF9\x90\x64\xFF\xFB\x00\x64"
      "\xFF\xFB\xF0\x64\xFF\xFB\x9C\x64\xFF\xDB\x90\x64\x7F\xFB\x90\x64");
  std::string cutXing = XingFrame(MPEG1_128K_44100, 417, 36, XING_FRAMES | XING_BYTES, 10000, 1);
  struct Case {
    const char* what;
    std::string bytes;
    int32_t milliseconds;
    uint32_t seconds;
  };
  const Case cases[] = {
      {"7177 frames after the ID3v1 tag", Audio() + Id3v1Tag(), 187480, 190},
      {"7178 frames without it", Audio(3000128), 187506, 190},
      {"data in front counts as audio", std::string(1000, 'x') + Audio(2999000), 187480, 190},
      {"under 128 bytes: no ID3v1 tag", Frame(MPEG2_8K_24000, 100), 96, 3},
      {"no whole frame", Frame(MPEG2_8K_24000, 4) + PadTo("TAG", 128), 0, 0},
      {"Xing MPEG-1", PadTo(XingSong(10000), 3000000), 261224, 264},
      {"Xing MPEG-2", XingFrame(MPEG2_64K_22050, 208, 21, XING_FRAMES, 5000), 130612, 133},
      {"Xing after mono side information", XingFrame(0xFFFB90C4, 417, 21, XING_FRAMES, 10000),
       261224, 264},
      {"Xing after MPEG-2 mono side information", XingFrame(0xFFF380C4, 208, 13, XING_FRAMES, 5000),
       130612, 133},
      {"Xing at the wrong offset", XingFrame(MPEG2_64K_22050, 208, 36, XING_FRAMES, 5000), 0, 0},
      {"Xing MPEG-2.5", XingFrame(0xFFE38844, 576, 21, XING_FRAMES, 1000), 72000, 75},
      {"Xing without a count", XingFrame(MPEG1_128K_44100, 417, 36, XING_BYTES, 0, 9), 26, 3},
      {"clamped", XingSong(0x7FFFFFFF), INT32_MAX, 2147486},
      {"no frame headers slid over", noHeaders + XingSong(10000), 261224, 264},
      {"the first valid header decides", Frame(MPEG1_LAYER2, 417) + XingSong(10000), 0, 0},
      {"ends after the Xing count", cutXing.substr(0, 52), 261224, 264},
      {"byte count cut: no Xing, no frame", cutXing.substr(0, 51), 0, 0},
      {"no room for the flags: 99 frames by length",
       PadTo(XingFrame(MPEG2_8K_22050, 26, 21, XING_FRAMES, 5000), 2600), 2586, 5},
      {"sync in an ID3v2.2 tag", Id3v2Tag(500000, picture, 2) + XingSong(10000), 261224, 264},
      {"sync in an ID3v2.4 tag", Id3v2Tag(500000, picture, 4) + XingSong(10000), 261224, 264},
      {"ID3v2 tag is no audio", Id3v2Tag(500000, Frame(MPEG1_128K_44100, 4)) + Audio() + Id3v1Tag(),
       187480, 190},
      {"nor its footer: 7176 frames", Id3v2Tag(4000, "", 4, true) + Audio(2999684), 187454, 190},
      {"TAG inside the ID3v2 tag",
       Id3v2Tag(200, std::string(172, 'x') + "TAG") + Frame(MPEG2_8K_24000, 100), 96, 3},
      {"ID3v2 tag past the end", Id3v2Tag(100000).substr(0, 5000) + XingSong(10000), 0, 0},
      {"malformed ID3v2 tag slid over", oversized + XingSong(10000), 0, 0},
      {"so is ID3v2.5, to its Layer II sync", Id3v2Tag(1000, picture, 5) + XingSong(10000), 0, 0},
      {"short", "\xFF\xFB\x90", 0, 0},
      {"all FF", std::string(5000, '\xFF'), 0, 0},
      {"less than a whole frame", Frame(MPEG1_128K_44100, 417), 0, 0},
      {"VBRI", VbriFrame(MPEG1_128K_44100, 417, 10000) + Audio(), 261224, 264},
      {"VBRI without its count", PadTo(VbriFrame(MPEG1_128K_44100, 417, 0), 3000000), 187480, 190},
      {"VBRI past a small frame", PadTo(VbriFrame(MPEG2_8K_22050, 26, 10000), 2600), 2586, 5},
      {"sync given up after 1 MiB", std::string(1 << 20, 'x') + XingSong(10000), 0, 0},
      {"but not before", std::string((1 << 20) - 4, 'x') + XingSong(10000), 261224, 264},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    WriteFile("song.mp3", c.bytes);
    EXPECT_EQ(GetSongMilliseconds("song.mp3"), c.milliseconds);
    EXPECT_EQ(GetSongSeconds("song.mp3"), c.seconds);
  }
  for (size_t junk = 4090; junk <= 4100; ++junk) {  // around a read chunk's end
    WriteFile("song.mp3", std::string(junk, '\0') + XingSong(10000));
    EXPECT_EQ(GetSongMilliseconds("song.mp3"), 261224) << junk;
  }
}

// 600 frames of 1152 samples at 44100 Hz: 15673 ms. Without a frame count
// the frames are walked when their bitrates differ from the first frame's
// at the places looked at, and the walk covers most of the audio.
TEST(PlayTimeTest, VariableBitrateWithoutAFrameCount) {
  TempFolder folder;
  std::vector<int> mixed;
  std::vector<int> dominated;  // every tenth frame differs
  for (int i = 0; i < 120; ++i) mixed.insert(mixed.end(), {128, 160, 192, 256, 96});
  for (int i = 0; i < 600; ++i) dominated.push_back(i % 10 == 9 ? 160 : 128);
  std::string vbr = Frames44100(mixed);
  std::string half = Frames44100(std::vector<int>(mixed.begin(), mixed.begin() + 300));
  std::string picture = std::string(3000, 'p') + Frame(MPEG1_128K_44100, 100);
  struct Case {
    const char* what;
    std::string bytes;
    int32_t milliseconds;
  };
  const Case cases[] = {
      {"walked", vbr, 15673},
      {"one bitrate dominates", Frames44100(dominated), 15673},
      {"a tag between joined files and at the end",
       half + Id3v2Tag(20000, picture) + half + Id3v1Tag(), 15673},
      {"a false header in front", "xx\xFF\xFB\xE0\x64" + std::string(200, 'x') + vbr, 15673},
      // 417000 bytes over 417.96 per frame: 997 frames
      {"sampled headers agree", Frames44100(std::vector<int>(1000, 128)), 26044},
      // 301565 bytes: 721 frames; 408520 bytes: 977 frames
      {"junk after a few frames", Frames44100({128, 160, 192}) + SongBytes(300000, 7), 18834},
      {"a walk over less than half",
       Frames44100(std::vector<int>(mixed.begin(), mixed.begin() + 200)) + SongBytes(300000, 7),
       25521},
  };
  for (const Case& c : cases) {
    WriteFile("song.mp3", c.bytes);
    EXPECT_EQ(GetSongMilliseconds("song.mp3"), c.milliseconds) << c.what;
  }
}

}  // namespace
