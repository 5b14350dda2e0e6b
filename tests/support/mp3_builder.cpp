#include "tests/support/mp3_builder.h"

#include <stdexcept>

namespace testing_support {
namespace {

std::string SyncSafe(size_t size) {
  if (size >= (1u << 28)) throw std::invalid_argument("ID3v2 tag too big");
  std::string bytes(4, '\0');
  for (int i = 3; i >= 0; --i) {
    bytes[i] = static_cast<char>(size & 0x7F);
    size >>= 7;
  }
  return bytes;
}

}  // namespace

std::string BigEndian(uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
          static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::string PadTo(std::string bytes, size_t length) {
  if (bytes.size() < length) bytes.resize(length, '\0');
  return bytes;
}

std::string Frame(uint32_t header, size_t frameBytes) { return PadTo(BigEndian(header), frameBytes); }

std::string XingFrame(uint32_t header, size_t frameBytes, size_t tagOffset, uint32_t flags,
                      uint32_t frames, uint32_t bytes) {
  std::string xing = "Xing" + BigEndian(flags);
  if (flags & XING_FRAMES) xing += BigEndian(frames);
  if (flags & XING_BYTES) xing += BigEndian(bytes);
  if (flags & XING_TOC) {
    for (int i = 0; i < 100; ++i) xing += static_cast<char>(i);
  }
  std::string frame = PadTo(BigEndian(header), tagOffset) + xing;
  frame.resize(frameBytes, '\0');
  return frame;
}

std::string Id3v1Tag() { return PadTo("TAGA title", 128); }

std::string Id3v2Tag(size_t bodyBytes, const std::string& body, uint8_t major, bool footer) {
  std::string tag = "ID3";
  tag += static_cast<char>(major);
  tag += '\0';
  tag += static_cast<char>(footer ? 0x10 : 0x00);
  tag += SyncSafe(bodyBytes) + PadTo(body, bodyBytes).substr(0, bodyBytes);
  if (footer) tag += "3DI" + tag.substr(3, 7);
  return tag;
}

}  // namespace testing_support
