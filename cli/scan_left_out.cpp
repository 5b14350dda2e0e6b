#include "cli/scan_left_out.h"

#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "platform/system_error.h"
#include "platform/terminal.h"
#include "store/playlist_row.h"

namespace cli {
namespace {

// On the search's worker, while the main thread may draw the count: the
// line is cleared first on a terminal.
void SayFolderLeftOut(void*, const char* storedPath, int error) {
  char shown[DISPLAY_PATH_BYTES];
  CollapseBackslashes(storedPath, std::strlen(storedPath), shown);
  const char* clear = platform::CanDrawOn(STDERR_FILENO) ? platform::CLEAR_LINE : "";
  if (error == 0) {
    std::fprintf(stderr, "%skobaru: %s left out: its path is too long to store\n", clear, shown);
  } else {
    std::fprintf(stderr, "%skobaru: %s left out: %s\n", clear, shown, platform::ErrorText(error));
  }
}

}  // namespace

void WatchLeftOutFolders(SearchJob& search) {
  search.Report().onFolderLeftOut = SayFolderLeftOut;
}

void ReportLeftOutSongs(SearchJob& search, const PlaylistTable& found, const char* folder) {
  uint32_t pastLimit = search.Report().songsPastLimit.load();
  uint32_t entries = 0;
  uint32_t cut = 0;
  for (const PlaylistEntry& entry : found.entries) {
    if (IsEmptySlot(entry)) break;
    ++entries;
    if (entry.state == STATE_PATH_TOO_LONG) ++cut;
  }
  if (pastLimit != 0) {
    std::fprintf(stderr, "kobaru: %u songs left out: the playlist holds at most %u\n", pastLimit,
                 MAX_ENTRIES);
  }
  if (cut != 0) {
    std::fprintf(stderr, "kobaru: %u paths too long to store whole were stored cut (state 3)\n",
                 cut);
  }
  if (entries == 0 && pastLimit == 0) {
    std::fprintf(stderr, "kobaru: no songs with extension %s below %s\n",
                 search.WantedExtension(), folder);
  }
}

}  // namespace cli
