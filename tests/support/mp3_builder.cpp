#include "tests/support/mp3_builder.h"

namespace testing_support {
namespace {

std::string BigEndian(uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
          static_cast<char>(value >> 8), static_cast<char>(value)};
}

}  // namespace

std::string PadTo(std::string bytes, size_t length) {
  if (bytes.size() < length) bytes.resize(length, '\0');
  return bytes;
}

std::string Frame(uint32_t header, size_t frameBytes) {
  return PadTo(BigEndian(header), frameBytes);
}

std::string XingFrame(uint32_t header, size_t frameBytes, size_t tagOffset, uint32_t flags,
                      uint32_t frames, uint32_t bytes) {
  std::string xing = "Xing" + BigEndian(flags);
  if (flags & XING_FRAMES) xing += BigEndian(frames);
  if (flags & XING_BYTES) xing += BigEndian(bytes);
  for (int i = 0; (flags & XING_TOC) && i < 100; ++i) xing += static_cast<char>(i);
  std::string frame = PadTo(BigEndian(header), tagOffset) + xing;
  frame.resize(frameBytes, '\0');
  return frame;
}

std::string VbriFrame(uint32_t header, size_t frameBytes, uint32_t frames) {
  std::string vbri = "VBRI" + std::string("\0\1\0\0\0\x4B", 6) + BigEndian(0) + BigEndian(frames);
  return PadTo(PadTo(BigEndian(header), 36) + vbri, frameBytes);
}

std::string Frames44100(const std::vector<int>& bitrates) {
  static constexpr int kBitrates[] = {0,   32,  40,  48,  56,  64,  80, 96,
                                      112, 128, 160, 192, 224, 256, 320};
  std::string frames;
  for (int bitrate : bitrates) {
    uint32_t index = 0;
    while (kBitrates[index] != bitrate) ++index;
    frames += Frame(0xFFFB0064 | index << 12, 144000 * bitrate / 44100);
  }
  return frames;
}

std::string Id3v1Tag() { return PadTo("TAGA title", 128); }

std::string Id3v2Tag(size_t bodyBytes, const std::string& body, uint8_t major, bool footer) {
  std::string tag = {
      'I', 'D', '3', static_cast<char>(major), 0, static_cast<char>(footer ? 0x10 : 0)};
  for (int shift = 21; shift >= 0; shift -= 7)
    tag += static_cast<char>((bodyBytes >> shift) & 0x7F);
  tag += PadTo(body, bodyBytes).substr(0, bodyBytes);
  if (footer) tag += "3DI" + tag.substr(3, 7);
  return tag;
}

}  // namespace testing_support
