#include "platform/worker_thread.h"

#include <system_error>

namespace platform {

bool WorkerThread::Start(Body body, void* context) {
  if (thread_.joinable()) {
    if (!Finished()) return false;
    thread_.join();
  }
  if (starts_ == ThreadStarts::Refused) return false;
  {
    std::lock_guard<std::mutex> guard(lock_);
    done_ = false;
  }
  // std::thread reports a refused thread by an exception; nothing above
  // this class sees one.
  try {
    thread_ = std::thread([this, body, context] {
      body(context);
      std::lock_guard<std::mutex> guard(lock_);
      done_ = true;
      ended_.notify_all();
    });
  } catch (const std::system_error&) {
    std::lock_guard<std::mutex> guard(lock_);
    done_ = true;
    return false;
  }
  return true;
}

bool WorkerThread::WaitFor(std::chrono::milliseconds limit) {
  std::unique_lock<std::mutex> guard(lock_);
  return ended_.wait_for(guard, limit, [this] { return done_; });
}

bool WorkerThread::Finished() {
  std::lock_guard<std::mutex> guard(lock_);
  return done_;
}

void WorkerThread::Join() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace platform
