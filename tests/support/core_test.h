// What the core's tests share: Google Test, a temporary working folder,
// playlists built and read back, and a fresh owner of the playlist for each
// test, as the program creates one at start-up.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "store/playlist.h"
#include "store/playlist_file.h"
#include "tests/support/playlist_builder.h"
#include "tests/support/temp_folder.h"

using namespace testing_support;

class FreshPlaylistTest : public ::testing::Test {
 protected:
  TempFolder folder_;
  std::unique_ptr<Playlist> playlist_ = std::make_unique<Playlist>();
};
