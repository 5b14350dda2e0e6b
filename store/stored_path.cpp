#include "store/stored_path.h"

#include <cstring>

size_t CollapseSeparatorRuns(const char* path, size_t fieldBytes, const char* separators, char* out,
                             size_t outSize) {
  if (outSize == 0) return 0;
  size_t written = 0;
  char previous = '\0';
  for (size_t i = 0; i < fieldBytes && path[i] != '\0' && written < outSize - 1; ++i) {
    char byte = path[i];
    bool repeated = byte == previous && std::strchr(separators, byte) != nullptr;
    if (!repeated) out[written++] = byte;
    previous = byte;
  }
  out[written] = '\0';
  return written;
}

void LowerAscii(char* text, size_t length) {
  for (size_t i = 0; i < length; ++i) {
    if (text[i] >= 'A' && text[i] <= 'Z') text[i] = static_cast<char>(text[i] - 'A' + 'a');
  }
}
