// The frame header's validity test, its fields and the frame arithmetic.
#include <gtest/gtest.h>

#include <vector>

#include "playback/mpeg_frame_header.h"
#include "tests/support/mp3_builder.h"

using namespace testing_support;

namespace {

TEST(FrameHeaderTest, ValidityTestRejectsEachForbiddenField) {
  for (uint32_t valid : {MPEG1_128K_44100, MPEG2_64K_22050, MPEG1_LAYER2,
                         0xFFEB9064u,    // reserved version code
                         0xFFFB9067u}) {  // emphasis not tested
    EXPECT_TRUE(IsFrameHeader(valid)) << std::hex << valid;
  }
  for (uint32_t invalid : {0xFFDB9064u, 0x7FFB9064u,  // sync
                           0xFFF99064u,               // layer code 00
                           0xFFFB0064u, 0xFFFBF064u,  // bitrate index 0 and 15
                           0xFFFB9C64u,               // rate code 11
                           0xFFFF9064u, 0xFFFE9064u}) {  // MPEG-1 Layer I
    EXPECT_FALSE(IsFrameHeader(invalid)) << std::hex << invalid;
  }
}

TEST(FrameHeaderTest, DecodesVersionRateAndFrameLength) {
  struct Case {
    uint32_t header;
    int32_t lsf, mpeg25, sampleRateIndex, frameBytes;
  };
  for (const Case& c : {Case{0xFFFA936F, 0, 0, 0, 417 + 1 - 4},  // CRC and padding
                        Case{MPEG2_64K_22050, 1, 0, 3, 204},      // 64 * 72000 / 22050
                        Case{0xFFE38844, 1, 1, 8, 576 - 4},       // MPEG-2.5, 8000 Hz
                        Case{0xFFEB9444, 1, 1, 7, 80 * 72000 / 12000 - 4},  // reserved version
                        Case{0xFFFBEA64, 0, 0, 2, 1440 + 1 - 4}}) {          // largest frame
    MpegFrameInfo info;
    ASSERT_TRUE(DecodeFrameHeader(c.header, &info)) << std::hex << c.header;
    EXPECT_EQ(info.layer, 3);
    EXPECT_EQ(info.lsf, c.lsf);
    EXPECT_EQ(info.mpeg25, c.mpeg25);
    EXPECT_EQ(info.sampleRateIndex, c.sampleRateIndex);
    EXPECT_EQ(info.frameBytes, c.frameBytes);
  }
  MpegFrameInfo info;
  DecodeFrameHeader(0xFFFA93EF, &info);
  EXPECT_EQ((std::vector<int32_t>{info.errorProtection, info.privateBit, info.mode, info.channels,
                                  info.modeExtension, info.copyright, info.original, info.emphasis}),
            (std::vector<int32_t>{1, 1, 3, 1, 2, 1, 1, 3}));
}

TEST(FrameHeaderTest, OnlyLayerIIIWithAKnownBitrateDecodes) {
  MpegFrameInfo info;
  for (uint32_t header : {MPEG1_LAYER2, 0xFFFF9064u, 0xFFFB0064u, 0xFFFBF064u, 0xFFFB9C64u,
                          0xFFF99064u}) {
    EXPECT_FALSE(DecodeFrameHeader(header, &info)) << std::hex << header;
  }
}

}  // namespace
