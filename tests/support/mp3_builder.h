// Builds MP3 files byte by byte for tests: frames, a first frame holding a
// Xing or VBRI header, ID3v1 and ID3v2 tags.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// Headers used across the tests (bytes in file order).
inline constexpr uint32_t MPEG1_128K_44100 = 0xFFFB9064;  // joint stereo, 417-byte frames
inline constexpr uint32_t MPEG2_64K_22050 = 0xFFF38044;   // 208-byte frames
inline constexpr uint32_t MPEG2_8K_24000 = 0xFFF31444;    // 24-byte frames of 0.024 s
inline constexpr uint32_t MPEG2_8K_22050 = 0xFFF31044;    // 26-byte frames
inline constexpr uint32_t MPEG1_LAYER2 = 0xFFFD9004;

inline constexpr uint32_t XING_FRAMES = 1;
inline constexpr uint32_t XING_BYTES = 2;
inline constexpr uint32_t XING_TOC = 4;

// `bytes` extended with zeros to `length`.
std::string PadTo(std::string bytes, size_t length);
// `header` followed by zeros up to `frameBytes` in all.
std::string Frame(uint32_t header, size_t frameBytes);
// A frame of `frameBytes` with a Xing header at `tagOffset`: the flags, then
// the frame count, byte count and a 100-byte table as the flags announce,
// cut off where the frame ends.
std::string XingFrame(uint32_t header, size_t frameBytes, size_t tagOffset, uint32_t flags,
                      uint32_t frames, uint32_t bytes = 0);
// A frame of `frameBytes` with a VBRI header holding `frames` 36 bytes in.
std::string VbriFrame(uint32_t header, size_t frameBytes, uint32_t frames);
// MPEG-1 Layer III frames at 44100 Hz, one per entry of `bitrates` (kbit/s),
// each as long as its bitrate makes it (1152 samples, no padding).
std::string Frames44100(const std::vector<int>& bitrates);
std::string Id3v1Tag();  // "TAG" and 125 bytes of title, artist and so on
// An ID3v2 tag of version `major` whose body is `body` padded with zeros to
// `bodyBytes`; with `footer`, the flag is set and a 10-byte footer follows.
std::string Id3v2Tag(size_t bodyBytes, const std::string& body = "", uint8_t major = 3,
                     bool footer = false);

}  // namespace testing_support
