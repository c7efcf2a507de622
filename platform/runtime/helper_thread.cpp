#include "platform/runtime/helper_thread.h"

namespace runtime {

HelperThread::~HelperThread() {
  if (!thread_.joinable()) return;
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  job_ready_.notify_one();
  thread_.join();
}

void HelperThread::run_beside(const std::function<void()>& there,
                              const std::function<void()>& here) {
  if (!thread_.joinable()) thread_ = std::thread([this] { serve(); });
  {
    const std::lock_guard lock(mutex_);
    job_ = &there;
  }
  job_ready_.notify_one();
  here();
  std::unique_lock lock(mutex_);
  job_done_.wait(lock, [this] { return job_ == nullptr; });
}

void HelperThread::serve() {
  std::unique_lock lock(mutex_);
  for (;;) {
    job_ready_.wait(lock, [this] { return job_ != nullptr || stopping_; });
    if (stopping_) return;
    const std::function<void()>& job = *job_;
    lock.unlock();
    job();
    lock.lock();
    job_ = nullptr;
    job_done_.notify_one();
  }
}

}  // namespace runtime
