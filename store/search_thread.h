// The owner of a search worker: the front ends start, poll, stop and wait
// for it here, never through a thread of their own. One search at a time.
#pragma once

#include <chrono>

#include "platform/worker_thread.h"

class SearchThread {
 public:
  SearchThread() = default;
  // A search still running is asked to stop and waited for.
  ~SearchThread();
  SearchThread(const SearchThread&) = delete;
  SearchThread& operator=(const SearchThread&) = delete;

  // Runs SearchThreadProc after PrepareSearch. False when no thread could be
  // started: g_searchStatus then says the search failed.
  [[nodiscard]] bool Start();
  void RequestStop();
  // True once g_searchStatus holds the outcome, waiting at most `limit`.
  bool WaitFor(std::chrono::milliseconds limit);
  // Waits for the end and returns g_searchStatus.
  int Wait();

 private:
  platform::WorkerThread worker_;
};
