// The window tests' main: the application as the program sets it up, on
// the offscreen platform unless told otherwise.
#include <cstdlib>
#include <gtest/gtest.h>

#include "ui/main_app.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  ::testing::InitGoogleTest(&argc, argv);
  CMainApp app(argc, argv);
  return RUN_ALL_TESTS();
}
