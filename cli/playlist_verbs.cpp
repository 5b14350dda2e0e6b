// list and stats: show the playlist without changing it.
#include <cstdio>
#include <unistd.h>

#include "cli/arguments.h"
#include "cli/console_messages.h"
#include "cli/verbs.h"
#include "platform/terminal.h"
#include "store/playlist_colours.h"
#include "store/playlist_file.h"
#include "store/playlist_row.h"
#include "store/playlist_stats.h"
#include "store/store_texts.h"

namespace cli {
namespace {

// A row in the playlist window's colours, as 24-bit terminal colours.
void PrintLine(const char* text, RowColours colours, bool colour) {
  if (!colour) {
    std::printf("%s\n", text);
    return;
  }
  uint32_t fg = colours.text;
  uint32_t bg = colours.background;
  std::printf("\033[38;2;%u;%u;%u;48;2;%u;%u;%um%s\033[0m\n", fg >> 16, (fg >> 8) & 0xFF, fg & 0xFF,
              bg >> 16, (bg >> 8) & 0xFF, bg & 0xFF, text);
}

void PrintRow(const PlaylistTable& table, uint32_t slot, bool colour) {
  char row[ROW_TEXT_BYTES];
  const PlaylistEntry& entry = table.entries[slot];
  FormatPlaylistRow(slot, entry, row, sizeof row);
  PrintLine(row, PlaylistRowColours(false, entry.state, false), colour);
}

// The playlist loaded, or false once its failure is said.
bool Load(Playlist& playlist) {
  if (!RequirePlaylist()) return false;
  if (playlist.LoadWithCount()) return true;
  ReportPlaylistFailure(playlist);
  return false;
}

}  // namespace

int RunList(Owners& owners, int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, {{"--sorted"}, {}, 0, 0}, &arguments, &error)) {
    return UsageError(argv[1], error);
  }
  Playlist& playlist = owners.playlist;
  if (!Load(playlist)) return EXIT_FAILED;
  bool colour = platform::CanColour(STDOUT_FILENO);
  PrintLine(PLAYLIST_HEADER_ROW, PlaylistRowColours(true, 0, false), colour);
  // Rows the window lists: from slot 0 while the slot holds an entry.
  uint32_t values[MAX_ENTRIES];
  uint32_t count = CountEntries(playlist.workingTable);
  for (uint32_t i = 0; i < count; ++i) values[i] = i + FIRST_ENTRY_ROW_VALUE;
  if (arguments.Has("--sorted")) owners.sorter.Sort(playlist.workingTable, values, count);
  for (uint32_t i = 0; i < count; ++i) {
    PrintRow(playlist.workingTable, values[i] - FIRST_ENTRY_ROW_VALUE, colour);
  }
  return EXIT_OK;
}

int RunStats(Owners& owners, int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, {{}, {}, 0, 0}, &arguments, &error))
    return UsageError(argv[1], error);
  Playlist& playlist = owners.playlist;
  if (!Load(playlist)) return EXIT_FAILED;
  char line[128];
  FormatStatsLine(ComputePlaylistStats(playlist.workingTable, playlist.entryCount.load()), line,
                  sizeof line);
  std::printf("%s\n", line);
  return EXIT_OK;
}

}  // namespace cli
