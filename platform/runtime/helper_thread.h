#pragma once
// A second thread that joins the calling thread on work cut into pieces:
// both take the next piece until none is left. Waking a sleeping thread can
// take longer than a piece, so the caller never waits for the helper to
// start: when the helper comes late it finds the work done and goes back to
// sleep. After a job the helper stays awake a little while, as the next one
// often follows at once.

#include <atomic>
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

  // Whether a helper can run beside the caller: the build has threads and
  // the machine two processors or more. Without, share() still works, on
  // the caller alone.
  static bool available();

  // Runs `job` on the calling thread and, when the helper joins in time, on
  // the helper at once; returns when every run has returned. The job takes
  // its pieces itself, so two runs share them; it must not throw.
  void share(const std::function<void()>& job);

 private:
  enum State : int { kIdle, kPosted, kTaken, kStopping };
  void serve();
  void sleep_while(int state);
  void wake_sleepers();

  std::atomic<int> state_{kIdle};
  // Sleeping is done on a condition variable, not with std::atomic's wait:
  // MinGW's C++ library reads the value before it takes its lock there, so
  // a wake-up in between is lost and both threads sleep for ever.
  std::mutex sleep_mutex_;
  std::condition_variable woken_;
  const std::function<void()>* job_ = nullptr;  // read by the helper once it has taken the job
  std::thread thread_;
};

}  // namespace runtime
