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

constexpr FlowTexts kResetAll{TEXT_RESET_ALL_QUESTION, TEXT_RESET_ALL_CAPTION, TEXT_RESET_ALL_DONE,
                              TEXT_RESET_ALL_FAILED};
constexpr FlowTexts kResetSelected{TEXT_RESET_SELECTED_QUESTION, TEXT_RESET_SELECTED_CAPTION,
                                   TEXT_RESET_SELECTED_DONE, TEXT_RESET_SELECTED_FAILED};
constexpr FlowTexts kExclude{TEXT_EXCLUDE_QUESTION, TEXT_EXCLUDE_CAPTION, TEXT_EXCLUDE_DONE,
                             TEXT_EXCLUDE_FAILED};

uint32_t g_selectedSlots[MAX_ENTRIES];

bool AskQuestion(platform::UserMessages& messages, const FlowTexts& texts) {
  return messages.Ask(platform::Question(texts.question, texts.caption));
}

// Results have no caption of their own and no icon, success or not. A
// refusal says why, and the view shows the file as it is after it too.
FlowResult Report(platform::UserMessages& messages, PlaylistView& view, const FlowTexts& texts,
                  bool ok) {
  char failed[FAILURE_TEXT_BYTES];
  if (!ok) FormatWithFailureReason(messages, texts.failed, failed, sizeof failed);
  messages.Show(platform::PlainMessage(ok ? texts.done : failed, !ok));
  view.Refresh();
  return ok ? FlowResult::Succeeded : FlowResult::Failed;
}

template <typename Edit>
FlowResult RunSelectionFlow(platform::UserMessages& messages, PlaylistView& view,
                            const FlowTexts& texts, Edit edit) {
  if (!AskQuestion(messages, texts)) return FlowResult::Declined;
  uint32_t count = view.ReadSelectedSlots(g_selectedSlots);
  if (count > MAX_ENTRIES) count = MAX_ENTRIES;
  return Report(messages, view, texts, edit(g_selectedSlots, count));
}

}  // namespace

FlowResult RunMarkAllUntransferredFlow(platform::UserMessages& messages, PlaylistView& view) {
  if (!AskQuestion(messages, kResetAll)) return FlowResult::Declined;
  return Report(messages, view, kResetAll, MarkAllUntransferred());
}

FlowResult RunMarkSelectedUntransferredFlow(platform::UserMessages& messages, PlaylistView& view) {
  return RunSelectionFlow(messages, view, kResetSelected, MarkEntriesUntransferred);
}

FlowResult RunExcludeSelectedFlow(platform::UserMessages& messages, PlaylistView& view) {
  return RunSelectionFlow(messages, view, kExclude, ExcludeEntries);
}
