#include "store/build_flows.h"

#include "store/playlist_failure_text.h"
#include "store/store_texts.h"

namespace {

void ShowOutcome(platform::UserMessages& messages, bool ok, const char* done, const char* failed) {
  messages.Show(ok ? platform::Notice(done) : platform::Failure(failed));
}

}  // namespace

bool ReportCreation(SearchStatus searchStatus, platform::UserMessages& messages) {
  if (searchStatus == SearchStatus::None) return false;
  bool ok = searchStatus == SearchStatus::Succeeded;
  ShowOutcome(messages, ok, TEXT_CREATED, TEXT_CREATE_FAILED);
  return ok;
}

bool AppendAndReport(SearchJob& search, platform::UserMessages& messages) {
  bool ok = search.AppendScanResult() == 1;
  char failed[FAILURE_TEXT_BYTES];
  if (!ok) {
    FormatWithFailureReason(search.LastFailure(), messages, TEXT_ADD_FAILED, failed, sizeof failed);
  }
  ShowOutcome(messages, ok, TEXT_ADDED, failed);
  return ok;
}
