// A fresh folder that is the current folder for the life of a test.
#pragma once

#include <string>

namespace testing_support {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  // Absolute path of `relative` inside the folder.
  std::string Join(const std::string& relative) const { return path_ + "/" + relative; }

 private:
  std::string path_;
  std::string previous_;
};

// Creates the file (and its folders) with the given bytes.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
void MakeFolders(const std::string& path);
bool Exists(const std::string& path);

}  // namespace testing_support
