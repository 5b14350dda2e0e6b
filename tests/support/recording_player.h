// Waits for what a program started in the background leaves behind.
#pragma once

#include <string>

namespace testing_support {

// The contents of `path` once it exists and is not empty; empty when that
// does not happen within twenty seconds.
std::string WaitForFile(const std::string& path);

}  // namespace testing_support
