// What a folder scan left out, for a front end that says so. Written by
// the scan on the search's worker; read once the search has ended.
#pragma once

#include <atomic>
#include <cstdint>

struct ScanReport {
  // Matching files found once the table was full.
  std::atomic<uint32_t> songsPastLimit{0};
  // Told of each folder left out, on the scan's thread, with its stored
  // path and the system's error code, or 0 when a path below it would not
  // fit the record. Optional.
  void (*onFolderLeftOut)(void* context, const char* storedPath, int error) = nullptr;
  void* context = nullptr;

  void Clear() { songsPastLimit.store(0); }
};
