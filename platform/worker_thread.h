// The one worker thread a front end runs beside its own: started, waited
// for with a limit, joined. Its owner never touches std::thread itself.
#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace platform {

// Whether Start may ask the system for a thread; Refused makes it fail as
// when the system has none left (for tests of that path).
enum class ThreadStarts { Allowed, Refused };

class WorkerThread {
 public:
  using Body = void (*)(void* context);

  explicit WorkerThread(ThreadStarts starts = ThreadStarts::Allowed) : starts_(starts) {}
  ~WorkerThread() { Join(); }
  WorkerThread(const WorkerThread&) = delete;
  WorkerThread& operator=(const WorkerThread&) = delete;

  // Runs body(context) on a new thread. False, with nothing running, when
  // the system refuses a thread or one is still running.
  [[nodiscard]] bool Start(Body body, void* context);
  // True once the body has returned, waiting at most `limit` for it.
  bool WaitFor(std::chrono::milliseconds limit);
  bool Finished();
  // Waits for the body to return; nothing when no thread was started.
  void Join();

 private:
  std::thread thread_;
  std::mutex lock_;
  std::condition_variable ended_;
  bool done_ = true;
  ThreadStarts starts_;
};

}  // namespace platform
