// The resident memory of this process, as the benchmarks report it.
#pragma once

#include <cstdio>

// VmRSS in kB, or -1 when /proc can't tell.
inline long ResidentKb() {
  FILE* status = std::fopen("/proc/self/status", "r");
  char line[256];
  long kb = -1;
  while (status != nullptr && std::fgets(line, sizeof line, status) != nullptr) {
    if (std::sscanf(line, "VmRSS: %ld kB", &kb) == 1) break;
  }
  if (status != nullptr) std::fclose(status);
  return kb;
}
