// create and add: scan a folder tree into the playlist.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "cli/arguments.h"
#include "cli/console_messages.h"
#include "cli/scan_left_out.h"
#include "cli/verbs.h"
#include "platform/current_folder.h"
#include "platform/file_system.h"
#include "platform/system_error.h"
#include "platform/terminal.h"
#include "store/build_flows.h"
#include "store/folder_names.h"
#include "store/playlist_file.h"
#include "store/playlist_row.h"
#include "store/store_texts.h"

namespace cli {
namespace {

constexpr VerbSyntax kBuildSyntax{{"--yes"}, {"--ext"}, 1, 1};
constexpr auto kProgressInterval = std::chrono::milliseconds(100);
constexpr size_t kResolvedBytes = 4096;

// Runs the prepared search on its worker, showing how many songs it has
// found so far when stderr is a terminal. SearchStatus::Failed when no worker
// could be started.
SearchStatus RunSearch(Owners& owners) {
  SearchJob& search = owners.search;
  if (!search.Start()) {
    std::fprintf(stderr, "kobaru: cannot start the search\n");
    return search.Wait();
  }
  bool showProgress = platform::CanDrawOn(STDERR_FILENO);
  while (!search.WaitFor(kProgressInterval)) {
    if (showProgress) {
      std::fprintf(stderr, "\r%s %u", TEXT_SEARCHING, owners.playlist.entryCount.load());
    }
  }
  if (showProgress) std::fputs(platform::CLEAR_LINE, stderr);
  return search.Wait();
}

// Sets up the search of FOLDER, as the file system resolves it, with the
// chosen extension; returns a non-negative exit status when the command
// ends here. `*fits` is false when the folder's path is too long to store.
int PrepareFolderSearch(SearchJob& search, const Arguments& arguments, bool addition,
                        ConsoleMessages& messages, bool* fits) {
  const std::string& folder = arguments.positional[0];
  char resolved[kResolvedBytes];
  if (int error = platform::ResolveFolder(folder.c_str(), resolved, sizeof resolved); error != 0) {
    return UsageError(addition ? "add" : "create", folder + ": " + platform::ErrorText(error));
  }
  if (!search.TakeExtensionEntry(arguments.Value("--ext", DEFAULT_EXTENSION).c_str())) {
    messages.Show(platform::Failure(TEXT_EXTENSION_MISSING));
    return EXIT_FAILED;
  }
  *fits = search.Prepare(resolved, addition);
  return -1;
}

void PrintScanResult(const PlaylistTable& scanResult) {
  std::printf("%s\n", PLAYLIST_HEADER_ROW);
  char row[ROW_TEXT_BYTES];
  uint32_t rows = CountEntries(scanResult);
  for (uint32_t i = 0; i < rows; ++i) {
    FormatPlaylistRow(i, scanResult.entries[i], row, sizeof row);
    std::printf("%s\n", row);
  }
}

}  // namespace

int RunCreate(Owners& owners, int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, {{}, {"--ext"}, 1, 1}, &arguments, &error)) {
    return UsageError(argv[1], error);
  }
  ConsoleMessages messages(false);
  if (platform::PathExists(PLAYLIST_FILE_NAME)) {  // a creation never replaces one
    messages.Show(platform::Failure(TEXT_CREATE_FAILED));
    std::fprintf(stderr, "kobaru: %s already exists here; 'kobaru add FOLDER' adds to it\n",
                 PLAYLIST_FILE_NAME);
    return EXIT_FAILED;
  }
  bool fits = false;
  if (int status = PrepareFolderSearch(owners.search, arguments, false, messages, &fits); status >= 0) {
    return status;
  }
  WatchLeftOutFolders(owners.search);
  SearchStatus searchStatus = fits ? RunSearch(owners) : SearchStatus::Failed;
  if (ReportCreation(searchStatus, messages)) {
    ReportLeftOutSongs(owners.search, owners.playlist.workingTable, arguments.positional[0].c_str());
    return EXIT_OK;
  }
  ReportPlaylistFailure(owners.playlist);
  return EXIT_FAILED;
}

int RunAdd(Owners& owners, int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, kBuildSyntax, &arguments, &error))
    return UsageError(argv[1], error);
  if (!RequirePlaylist()) return EXIT_FAILED;
  ConsoleMessages messages(arguments.Has("--yes"));
  bool fits = false;
  if (int status = PrepareFolderSearch(owners.search, arguments, true, messages, &fits); status >= 0) {
    return status;
  }
  WatchLeftOutFolders(owners.search);
  if (!fits || RunSearch(owners) != SearchStatus::Succeeded) {
    messages.Show(platform::Failure(TEXT_ADD_FAILED));
    return EXIT_FAILED;
  }
  const PlaylistTable& found = owners.search.ScanResult();
  PrintScanResult(found);
  const char* folder = arguments.positional[0].c_str();
  if (!AskYes(TEXT_CONFIRM_ADD_TITLE, arguments.Has("--yes"))) {
    ReportLeftOutSongs(owners.search, found, folder);
    return EXIT_OK;
  }
  bool added = AppendAndReport(owners.search, messages);
  ReportLeftOutSongs(owners.search, found, folder);
  if (added) return EXIT_OK;
  ReportPlaylistFailure(owners.playlist);
  return EXIT_FAILED;
}

}  // namespace cli
