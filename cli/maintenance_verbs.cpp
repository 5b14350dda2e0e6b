// reset-all, reset and exclude: the playlist window's three edits.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/arguments.h"
#include "cli/console_messages.h"
#include "cli/verbs.h"
#include "store/maintenance_flows.h"
#include "store/pattern_selection.h"
#include "store/playlist_file.h"

namespace cli {
namespace {

// The slots named on the command line stand in for the window's selection.
class NumberedSelection : public PlaylistView {
 public:
  explicit NumberedSelection(std::vector<uint32_t> slots) : slots_(std::move(slots)) {}
  uint32_t ReadSelectedSlots(uint32_t* selected) override {
    uint32_t count = 0;
    for (uint32_t slot : slots_) {
      if (count == MAX_ENTRIES) break;
      selected[count++] = slot;
    }
    return count;
  }
  void Refresh() override {}

 private:
  std::vector<uint32_t> slots_;
};

int ExitStatus(const Playlist& playlist, FlowResult result) {
  if (result != FlowResult::Failed) return EXIT_OK;
  ReportPlaylistFailure(playlist);
  return EXIT_FAILED;
}

bool IsRegistrationNumber(const std::string& text) {
  return !text.empty() && text.size() <= 9 &&
         text.find_first_not_of("0123456789") == std::string::npos;
}

// Registration number text to slot; false unless it is from 1 to the entry
// count.
bool FindRegistrationNumber(const std::string& text, uint32_t count, uint32_t* slot) {
  unsigned long number = std::strtoul(text.c_str(), nullptr, 10);
  if (number < 1 || number > count) return false;
  *slot = static_cast<uint32_t>(number - 1);
  return true;
}

// The songs whose shown path matches `pattern`, said on stderr before the
// question; false, said too, when none does.
bool SelectByPattern(const Playlist& playlist, uint32_t count, const std::string& pattern,
                     std::vector<uint32_t>* slots) {
  slots->resize(MAX_ENTRIES);
  uint32_t matched = SelectMatchingSlots(playlist.workingTable, count, pattern.c_str(), slots->data());
  slots->resize(matched);
  if (matched == 0) {
    std::fprintf(stderr, "kobaru: no song matches %s\n", pattern.c_str());
    return false;
  }
  std::fprintf(stderr, "kobaru: %u %s match %s\n", matched, matched == 1 ? "song" : "songs",
               pattern.c_str());
  return true;
}

using SelectionFlow = FlowResult (*)(Playlist&, platform::UserMessages&, PlaylistView&);

int RunSelectionVerb(Playlist& playlist, int argc, char** argv, SelectionFlow flow) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, {{"--yes"}, {"--match"}, 0, SIZE_MAX}, &arguments, &error)) {
    return UsageError(argv[1], error);
  }
  bool byPattern = arguments.values.count("--match") != 0;
  if (byPattern && !arguments.positional.empty()) {
    return UsageError(argv[1], "registration numbers and --match cannot be combined");
  }
  if (!byPattern && arguments.positional.empty()) {
    return UsageError(argv[1], "give registration numbers or --match PATTERN");
  }
  for (const std::string& number : arguments.positional) {
    if (!IsRegistrationNumber(number))
      return UsageError(argv[1], number + ": not a registration number");
  }
  if (!RequirePlaylist()) return EXIT_FAILED;
  if (!playlist.LoadWithCount()) {
    ReportPlaylistFailure(playlist);
    return EXIT_FAILED;
  }
  uint32_t count = CountEntries(playlist.workingTable);
  std::vector<uint32_t> slots;
  if (byPattern && !SelectByPattern(playlist, count, arguments.Value("--match", ""), &slots)) {
    return EXIT_FAILED;
  }
  for (const std::string& number : arguments.positional) {
    uint32_t slot;
    if (!FindRegistrationNumber(number, count, &slot)) {
      return UsageError(argv[1], number + ": no song with that registration number (1.." +
                                     std::to_string(count) + ")");
    }
    slots.push_back(slot);
  }
  ConsoleMessages messages(arguments.Has("--yes"));
  NumberedSelection selection(std::move(slots));
  return ExitStatus(playlist, flow(playlist, messages, selection));
}

}  // namespace

int RunResetAll(Owners& owners, int argc, char** argv) {
  Arguments arguments;
  std::string error;
  if (!ParseArguments(argc, argv, 2, {{"--yes"}, {}, 0, 0}, &arguments, &error)) {
    return UsageError(argv[1], error);
  }
  if (!RequirePlaylist()) return EXIT_FAILED;
  ConsoleMessages messages(arguments.Has("--yes"));
  NumberedSelection none({});
  return ExitStatus(owners.playlist, RunMarkAllUntransferredFlow(owners.playlist, messages, none));
}

int RunReset(Owners& owners, int argc, char** argv) {
  return RunSelectionVerb(owners.playlist, argc, argv, RunMarkSelectedUntransferredFlow);
}

int RunExclude(Owners& owners, int argc, char** argv) {
  return RunSelectionVerb(owners.playlist, argc, argv, RunExcludeSelectedFlow);
}

}  // namespace cli
