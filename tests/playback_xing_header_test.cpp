// The Xing header of a first frame, never read past the frame's bytes.
#include <gtest/gtest.h>

#include <vector>

#include "playback/xing_header.h"
#include "tests/support/mp3_builder.h"

using namespace testing_support;

namespace {

// The frame in a buffer of exactly its size: AddressSanitizer sees any
// read past it.
bool Read(const std::string& frame, XingInfo* xing) {
  std::vector<uint8_t> bytes(frame.begin(), frame.end());
  return ReadXingHeader(bytes.data(), bytes.size(), xing);
}

TEST(XingHeaderTest, TagFollowsTheSideInformationOfEachVersionAndMode) {
  XingInfo xing;
  for (auto [header, offset] : {std::pair{MPEG1_128K_44100, 36}, {MPEG1_128K_44100_MONO, 21},
                                {MPEG2_64K_22050, 21}, {MPEG2_64K_22050_MONO, 13}}) {
    EXPECT_TRUE(Read(XingFrame(header, 208, offset, XING_FRAMES, 7), &xing)) << offset;
    EXPECT_EQ(xing.frames, 7);
    EXPECT_FALSE(Read(XingFrame(header, 208, offset == 21 ? 36 : 21, XING_FRAMES, 7), &xing));
  }
  for (const char* other : {"Info", "xing", "VBRI"}) {
    EXPECT_FALSE(Read(XingFrame(MPEG1_128K_44100, 417, 36, 0, 0).replace(36, 4, other), &xing));
  }
}

TEST(XingHeaderTest, FlagsDecideWhichFieldsFollow) {
  XingInfo xing;
  ASSERT_TRUE(Read(XingFrame(MPEG1_128K_44100, 417, 36, XING_FRAMES | XING_BYTES | XING_TOC,
                             1000, 123456), &xing));
  EXPECT_EQ(xing.frames, 1000);
  EXPECT_EQ(xing.bytes, 123456);
  EXPECT_EQ(xing.toc[99], 99);
  ASSERT_TRUE(Read(XingFrame(MPEG1_128K_44100, 417, 36, XING_BYTES, 0, 5555), &xing));
  EXPECT_EQ(xing.bytes, 5555);
  EXPECT_EQ(xing.frames, 1);  // no count, or one below 1, counts as 1
  ASSERT_TRUE(Read(XingFrame(MPEG1_128K_44100, 417, 36, XING_FRAMES, 0x80000000u), &xing));
  EXPECT_EQ(xing.frames, 1);
}

TEST(XingHeaderTest, CutOffTagOrFieldCountsAsAbsent) {
  XingInfo xing;
  std::string full = XingFrame(MPEG1_128K_44100, 417, 36, XING_FRAMES | XING_BYTES | XING_TOC, 50, 60);
  size_t end = 36 + 16 + 100;
  EXPECT_TRUE(Read(full.substr(0, end), &xing));
  for (size_t length : {0, 3, 20, 38, 40, 43, 47, 51, 151}) {
    xing.frames = 77;
    EXPECT_FALSE(Read(full.substr(0, length), &xing)) << length;
    EXPECT_EQ(xing.frames, 0) << length;
  }
  // 26-byte frames hold the tag but not the flags after it.
  EXPECT_FALSE(Read(XingFrame(MPEG2_8K_22050, 26, 21, XING_FRAMES, 500), &xing));
}

}  // namespace
