// Song contents for copy tests: bytes that differ at every offset and from
// song to song, so a misplaced or mixed-up chunk shows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace testing_support {

inline std::string SongBytes(size_t size, uint32_t seed) {
  std::string bytes(size, '\0');
  uint32_t state = seed * 2654435761u + 1;
  for (char& byte : bytes) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<char>(state >> 24);
  }
  return bytes;
}

}  // namespace testing_support
