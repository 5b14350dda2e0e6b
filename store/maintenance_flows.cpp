#include "store/maintenance_flows.h"

#include "store/playlist_entry.h"
#include "store/playlist_failure_text.h"
#include "store/playlist_maintenance.h"
#include "store/store_texts.h"

namespace {

struct FlowTexts {
  const char* question;
  const char* caption;
  const char* done;
  const char* failed;
};

// Built where used: no table of pointers to relocate.
FlowTexts ResetAllTexts() {
  return {TEXT_RESET_ALL_QUESTION, TEXT_RESET_ALL_CAPTION, TEXT_RESET_ALL_DONE,
          TEXT_RESET_ALL_FAILED};
}
FlowTexts ResetSelectedTexts() {
  return {TEXT_RESET_SELECTED_QUESTION, TEXT_RESET_SELECTED_CAPTION, TEXT_RESET_SELECTED_DONE,
          TEXT_RESET_SELECTED_FAILED};
}
FlowTexts ExcludeTexts() {
  return {TEXT_EXCLUDE_QUESTION, TEXT_EXCLUDE_CAPTION, TEXT_EXCLUDE_DONE, TEXT_EXCLUDE_FAILED};
}

bool AskQuestion(platform::UserMessages& messages, const FlowTexts& texts) {
  return messages.Ask(platform::Question(texts.question, texts.caption));
}

// Results have no caption of their own and no icon, success or not. A
// refusal says why, and the view shows the file as it is after it too.
FlowResult Report(Playlist& playlist, platform::UserMessages& messages, PlaylistView& view,
                  const FlowTexts& texts, bool ok) {
  char failed[FAILURE_TEXT_BYTES];
  if (!ok) {
    FormatWithFailureReason(playlist.failure.Last(), messages, texts.failed, failed,
                            sizeof failed);
  }
  messages.Show(platform::PlainMessage(ok ? texts.done : failed, !ok));
  view.Refresh();
  return ok ? FlowResult::Succeeded : FlowResult::Failed;
}

// The selection lives on the stack for the one edit it serves.
template <typename Edit>
FlowResult RunSelectionFlow(Playlist& playlist, platform::UserMessages& messages,
                            PlaylistView& view, const FlowTexts& texts, Edit edit) {
  if (!AskQuestion(messages, texts)) return FlowResult::Declined;
  uint32_t selectedSlots[MAX_ENTRIES];
  uint32_t count = view.ReadSelectedSlots(selectedSlots);
  if (count > MAX_ENTRIES) count = MAX_ENTRIES;
  return Report(playlist, messages, view, texts, edit(playlist, selectedSlots, count));
}

}  // namespace

FlowResult RunMarkAllUntransferredFlow(Playlist& playlist, platform::UserMessages& messages,
                                       PlaylistView& view) {
  if (!AskQuestion(messages, ResetAllTexts())) return FlowResult::Declined;
  return Report(playlist, messages, view, ResetAllTexts(), MarkAllUntransferred(playlist));
}

FlowResult RunMarkSelectedUntransferredFlow(Playlist& playlist, platform::UserMessages& messages,
                                            PlaylistView& view) {
  return RunSelectionFlow(playlist, messages, view, ResetSelectedTexts(), MarkEntriesUntransferred);
}

FlowResult RunExcludeSelectedFlow(Playlist& playlist, platform::UserMessages& messages,
                                  PlaylistView& view) {
  return RunSelectionFlow(playlist, messages, view, ExcludeTexts(), ExcludeEntries);
}
