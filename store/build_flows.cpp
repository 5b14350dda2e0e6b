#include "store/build_flows.h"

#include "store/playlist_failure_text.h"
#include "store/search_worker.h"
#include "store/store_texts.h"

namespace {

void ShowOutcome(platform::UserMessages& messages, bool ok, const char* done, const char* failed) {
  messages.Show(ok ? platform::Notice(done) : platform::Failure(failed));
}

}  // namespace

bool ReportCreation(int searchStatus, platform::UserMessages& messages) {
  if (searchStatus == SEARCH_NONE) return false;
  bool ok = searchStatus == SEARCH_SUCCEEDED;
  ShowOutcome(messages, ok, TEXT_CREATED, TEXT_CREATE_FAILED);
  return ok;
}

bool AppendAndReport(platform::UserMessages& messages) {
  bool ok = AppendScanResult() == 1;
  char failed[FAILURE_TEXT_BYTES];
  if (!ok) FormatWithFailureReason(messages, TEXT_ADD_FAILED, failed, sizeof failed);
  ShowOutcome(messages, ok, TEXT_ADDED, failed);
  return ok;
}
