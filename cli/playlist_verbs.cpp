// list and stats: show the playlist without changing it.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <numeric>
#include <unistd.h>
#include <vector>

#include "cli/arguments.h"
#include "cli/console_messages.h"
#include "cli/verbs.h"
#include "store/playlist_file.h"
#include "store/playlist_row.h"
#include "store/playlist_stats.h"
#include "store/store_texts.h"
#include "store/table_images.h"

namespace cli {
namespace {

// Row backgrounds of the playlist window, as terminal colours.
const char* StateColour(uint16_t state) {
  switch (state) {
    case STATE_TRANSFERRED:
      return "\033[30;48;2;220;255;220m";
    case STATE_SOURCE_MISSING:
    case STATE_PATH_TOO_LONG:
      return "\033[30;48;2;255;220;220m";
    case STATE_EXCLUDED:
      return "\033[30;48;2;220;220;255m";
    default:
      return nullptr;
  }
}

bool UseColour() { return isatty(STDOUT_FILENO) && std::getenv("NO_COLOR") == nullptr; }

void PrintRow(uint32_t slot, bool colour) {
  char row[ROW_TEXT_BYTES];
  const PlaylistEntry& entry = g_workingTable.entries[slot];
  FormatPlaylistRow(slot, entry, row, sizeof row);
  const char* start = colour ? StateColour(entry.state) : nullptr;
  if (start != nullptr) {
    std::printf("%s%s\033[0m\n", start, row);
  } else {
    std::printf("%s\n", row);
  }
}

// Rows the window lists: from slot 0 while the slot holds an entry.
uint32_t ListedRows() { return CountEntries(g_workingTable); }

void ReportUnreadable() { ReportPlaylistFailure(); }

}  // namespace

int RunList(int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, {{"--sorted"}, {}, 0, 0}, &arguments, &error)) {
    return UsageError(error);
  }
  bool loaded = LoadWorkingTableWithCount();
  std::printf("%s\n", PLAYLIST_HEADER_ROW);
  if (!loaded) {
    ReportUnreadable();
    return EXIT_FAILED;
  }
  std::vector<uint32_t> values(ListedRows());
  std::iota(values.begin(), values.end(), FIRST_ENTRY_ROW_VALUE);
  if (arguments.Has("--sorted")) {
    std::sort(values.begin(), values.end(),
              [](uint32_t a, uint32_t b) { return ComparePlaylistRows(a, b) < 0; });
  }
  bool colour = UseColour();
  for (uint32_t value : values) PrintRow(value - FIRST_ENTRY_ROW_VALUE, colour);
  return EXIT_OK;
}

int RunStats(int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, {{}, {}, 0, 0}, &arguments, &error)) return UsageError(error);
  bool loaded = LoadWorkingTableWithCount();
  char line[128];
  FormatStatsLine(ComputePlaylistStats(g_workingTable, loaded ? g_entryCount.load() : 0), line,
                  sizeof line);
  std::printf("%s\n", line);
  if (loaded) return EXIT_OK;
  ReportUnreadable();
  return EXIT_FAILED;
}

}  // namespace cli
