// create and add: scan a folder tree into the playlist.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <thread>
#include <unistd.h>

#include "cli/arguments.h"
#include "cli/console_messages.h"
#include "cli/verbs.h"
#include "store/build_flows.h"
#include "store/folder_scan.h"
#include "store/playlist_file.h"
#include "store/playlist_row.h"
#include "store/search_worker.h"
#include "store/store_texts.h"
#include "store/table_images.h"

namespace cli {
namespace {

constexpr VerbSyntax kBuildSyntax{{"--yes"}, {"--ext"}, 1, 1};
constexpr auto kPollInterval = std::chrono::milliseconds(100);

// The folder made absolute, without a trailing separator.
std::string AbsoluteFolder(const std::string& folder) {
  std::string absolute = std::filesystem::absolute(folder).lexically_normal().string();
  while (absolute.size() > 1 && absolute.back() == PATH_SEPARATOR) absolute.pop_back();
  return absolute;
}

// Runs the search worker on its own thread, showing how many songs it has
// found so far when stderr is a terminal.
int RunSearch() {
  g_searchStatus = SEARCH_NONE;
  std::thread worker(SearchThreadProc);
  bool showProgress = isatty(STDERR_FILENO);
  while (g_searchStatus.load(std::memory_order_acquire) == SEARCH_NONE) {
    if (showProgress) std::fprintf(stderr, "\r%s %u", TEXT_SEARCHING, g_entryCount.load());
    std::this_thread::sleep_for(kPollInterval);
  }
  worker.join();
  if (showProgress) std::fprintf(stderr, "\r\033[K");
  return g_searchStatus.load();
}

// Sets up the chosen folder and extension; returns a non-negative exit
// status when the command ends here.
int PrepareSearch(const Arguments& arguments, ConsoleMessages& messages, bool* fits) {
  const std::string& folder = arguments.positional[0];
  std::error_code error;
  if (!std::filesystem::is_directory(folder, error)) return UsageError(folder + ": not a folder");
  if (!TakeExtensionEntry(arguments.Value("--ext", DEFAULT_EXTENSION).c_str())) {
    messages.Show(platform::Failure(TEXT_EXTENSION_MISSING));
    return EXIT_FAILED;
  }
  std::string absolute = AbsoluteFolder(folder);
  std::memset(g_chosenFolder, 0, sizeof g_chosenFolder);
  *fits = absolute.size() < PATH_LEN;
  if (*fits) std::memcpy(g_chosenFolder, absolute.data(), absolute.size());
  return -1;
}

void PrintScanResult() {
  std::printf("%s\n", PLAYLIST_HEADER_ROW);
  char row[ROW_TEXT_BYTES];
  uint32_t rows = CountEntries(g_scanResultTable);
  for (uint32_t i = 0; i < rows; ++i) {
    FormatPlaylistRow(i, g_scanResultTable.entries[i], row, sizeof row);
    std::printf("%s\n", row);
  }
}

}  // namespace

int RunCreate(int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, {{}, {"--ext"}, 1, 1}, &arguments, &error)) {
    return UsageError(error);
  }
  ConsoleMessages messages(false);
  bool fits = false;
  if (int status = PrepareSearch(arguments, messages, &fits); status >= 0) return status;
  g_addMode = 0;
  int searchStatus = fits ? RunSearch() : SEARCH_FAILED;
  return ReportCreation(searchStatus, messages) ? EXIT_OK : EXIT_FAILED;
}

int RunAdd(int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, kBuildSyntax, &arguments, &error)) return UsageError(error);
  ConsoleMessages messages(arguments.Has("--yes"));
  bool fits = false;
  if (int status = PrepareSearch(arguments, messages, &fits); status >= 0) return status;
  std::memset(&g_scanResultTable, 0, sizeof g_scanResultTable);
  g_addMode = 1;
  if (!fits || RunSearch() != SEARCH_SUCCEEDED) {
    messages.Show(platform::Failure(TEXT_ADD_FAILED));
    return EXIT_FAILED;
  }
  PrintScanResult();
  if (!AskYes(TEXT_CONFIRM_ADD_TITLE, arguments.Has("--yes"))) return EXIT_OK;
  return AppendAndReport(messages) ? EXIT_OK : EXIT_FAILED;
}

}  // namespace cli
