// A fixed buffer over a file's bytes at any offset, for the readers that
// jump around an MP3 file: it reads only when the bytes asked for are not
// already held.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

inline constexpr size_t FILE_WINDOW_BYTES = 32768;

class FileWindow {
 public:
  explicit FileWindow(FILE* file) : file_(file) {}
  FileWindow(const FileWindow&) = delete;
  FileWindow& operator=(const FileWindow&) = delete;

  // The `count` bytes at `offset`; when they are not held, reads `readAhead`
  // bytes from `offset` (count <= readAhead <= FILE_WINDOW_BYTES). Null when
  // the file ends first. Valid until the next call.
  const uint8_t* At(int64_t offset, size_t count, size_t readAhead = FILE_WINDOW_BYTES);
  // The offset just past the bytes held.
  int64_t End() const { return start_ + static_cast<int64_t>(length_); }

 private:
  FILE* file_;
  int64_t start_ = 0;
  size_t length_ = 0;
  uint8_t bytes_[FILE_WINDOW_BYTES];
};
