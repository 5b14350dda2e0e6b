#include "playback/file_window.h"

const uint8_t* FileWindow::At(int64_t offset, size_t count, size_t readAhead) {
  if (offset < 0) return nullptr;
  if (offset < start_ ||
      offset + static_cast<int64_t>(count) > start_ + static_cast<int64_t>(length_)) {
    length_ = 0;
    if (std::fseek(file_, static_cast<long>(offset), SEEK_SET) != 0) return nullptr;
    start_ = offset;
    length_ =
        std::fread(bytes_, 1, readAhead < FILE_WINDOW_BYTES ? readAhead : FILE_WINDOW_BYTES, file_);
    if (length_ < count) return nullptr;
  }
  return bytes_ + (offset - start_);
}
