// Telling UTF-8 from code page 932 for display.
#include <gtest/gtest.h>

#include "platform/text_encoding.h"

namespace {

bool Valid(const std::string& text) { return platform::IsValidUtf8(text.data(), text.size()); }

std::string Decoded(const std::string& text, size_t room = 256) {
  std::string out(room, '\0');
  platform::DecodeCp932(text.data(), text.size(), out.data(), room);
  return out.c_str();
}

TEST(Utf8Check, AcceptsWellFormedTextOnly) {
  EXPECT_TRUE(Valid("plain/ascii"));
  EXPECT_TRUE(Valid("音楽/ﾌﾟﾚｲ/😀"));
  EXPECT_FALSE(Valid("\xC0\xAF"));          // overlong '/'
  EXPECT_FALSE(Valid("\xED\xA0\x80"));      // a surrogate
  EXPECT_FALSE(Valid("\xF4\x90\x80\x80"));  // beyond U+10FFFF
  EXPECT_FALSE(Valid("\xE3\x81"));          // cut short
  EXPECT_FALSE(Valid("\x83\x5C"));          // ソ in code page 932
}

TEST(Cp932Decode, DecodesAndMarksWhatItCannot) {
  EXPECT_EQ(Decoded("\x83\x5C\x95\x5C"), "ソ表");
  EXPECT_EQ(Decoded("a\xFDz"), "a\xEF\xBF\xBDz");   // 0xFD is no CP932 byte
  EXPECT_EQ(Decoded("\x82\xA0\x82\xA0", 4), "あ");  // stops where the room ends
}

}  // namespace
