#pragma once
// A second thread for work split in two: it runs one half while the calling
// thread runs the other. The thread starts with the first job and waits
// between jobs, so a frame pays for a wake-up, not for a new thread.

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace runtime {

class HelperThread {
 public:
  HelperThread() = default;
  HelperThread(const HelperThread&) = delete;
  HelperThread& operator=(const HelperThread&) = delete;
  ~HelperThread();

  // Runs `there` on the helper thread and `here` on the calling thread, and
  // returns when both have finished. Neither may throw.
  void run_beside(const std::function<void()>& there, const std::function<void()>& here);

 private:
  void serve();

  std::mutex mutex_;
  std::condition_variable job_ready_;
  std::condition_variable job_done_;
  const std::function<void()>* job_ = nullptr;  // set while a job waits or runs
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace runtime
