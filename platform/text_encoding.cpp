#include "platform/text_encoding.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>

namespace platform {
namespace {

constexpr char kReplacement[] = "\xEF\xBF\xBD";  // U+FFFD

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the UTF-8 sequence starting at `text`, 0 when it is not valid
// (overlong forms, surrogates and values above U+10FFFF included).
size_t SequenceLength(const unsigned char* text, size_t left) {
  unsigned char lead = text[0];
  if (lead < 0x80) return 1;
  size_t length;
  unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (left < length || text[1] < low || text[1] > high) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (!IsContinuation(text[i])) return 0;
  }
  return length;
}

}  // namespace

bool IsValidUtf8(const char* text, size_t length) {
  const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
  size_t at = 0;
  while (at < length) {
    size_t step = SequenceLength(bytes + at, length - at);
    if (step == 0) return false;
    at += step;
  }
  return true;
}

void DecodeCp932(const char* text, size_t length, char* out, size_t outSize) {
  if (outSize == 0) return;
  out[0] = '\0';
  iconv_t converter = iconv_open("UTF-8", "CP932");
  if (converter == reinterpret_cast<iconv_t>(-1)) return;
  char* in = const_cast<char*>(text);
  size_t inLeft = length;
  char* to = out;
  size_t toLeft = outSize - 1;
  while (inLeft > 0) {
    if (iconv(converter, &in, &inLeft, &to, &toLeft) != static_cast<size_t>(-1)) break;
    if (errno != EILSEQ && errno != EINVAL) break;  // E2BIG: out of room
    if (toLeft < sizeof kReplacement - 1) break;
    std::memcpy(to, kReplacement, sizeof kReplacement - 1);
    to += sizeof kReplacement - 1;
    toLeft -= sizeof kReplacement - 1;
    ++in;
    --inLeft;
  }
  *to = '\0';
  iconv_close(converter);
}

}  // namespace platform
