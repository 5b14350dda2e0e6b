// Builds playlist records and kPlayLst.dat files for tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "store/playlist_entry.h"

namespace testing_support {

PlaylistEntry MakeEntry(uint16_t state, uint16_t number, const std::string& path, uint32_t size);

// The bytes of a whole kPlayLst.dat holding `entries` from slot 0.
std::string PlaylistBytes(const std::vector<PlaylistEntry>& entries);
void WritePlaylist(const std::vector<PlaylistEntry>& entries);
// Reads kPlayLst.dat of the current folder back into a table image.
const PlaylistTable& ReadPlaylist();

// A path in stored form: every '/' of `path` doubled.
std::string Stored(const std::string& path);

}  // namespace testing_support
