// Waits for what a program started in the background leaves behind.
#pragma once

#include <string>

namespace testing_support {

// The contents of `path` once it exists and is not empty; empty when that
// does not happen within twenty seconds.
std::string WaitForFile(const std::string& path);
// Where the symbolic link `path` leads once it exists; empty when that does
// not happen within twenty seconds. With "ln -s -t FOLDER" as the command,
// a program handed a path leaves such a link behind.
std::string WaitForLink(const std::string& path);

}  // namespace testing_support
