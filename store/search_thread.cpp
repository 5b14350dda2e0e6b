#include "store/search_thread.h"

#include "store/search_worker.h"

namespace {

void RunSearch(void*) { SearchThreadProc(); }

}  // namespace

SearchThread::~SearchThread() {
  RequestStop();
  worker_.Join();
}

bool SearchThread::Start() {
  if (worker_.Start(RunSearch, nullptr)) return true;
  g_searchStatus.store(SEARCH_FAILED, std::memory_order_release);
  return false;
}

void SearchThread::RequestStop() { g_searchStopRequested.store(true); }

bool SearchThread::WaitFor(std::chrono::milliseconds limit) { return worker_.WaitFor(limit); }

int SearchThread::Wait() {
  worker_.Join();
  return g_searchStatus.load(std::memory_order_acquire);
}
