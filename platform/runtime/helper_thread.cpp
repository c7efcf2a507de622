#include "platform/runtime/helper_thread.h"

#include <immintrin.h>

#include <chrono>

namespace runtime {

namespace {

// How long the helper stays awake for the next job: the gaps between the
// jobs of one frame, not the rest of the frame.
constexpr auto kStayAwake = std::chrono::microseconds(200);

// How long the caller waits for the helper's last piece before sleeping:
// longer than a piece takes.
constexpr int kSpinsBeforeSleeping = 20000;

}  // namespace

bool HelperThread::available() {
  static const bool two_cores = std::thread::hardware_concurrency() >= 2;
  return two_cores;
}

HelperThread::~HelperThread() {
  if (!thread_.joinable()) return;
  state_.store(kStopping);
  wake_sleepers();
  thread_.join();
}

void HelperThread::share(const std::function<void()>& job) {
  if (!thread_.joinable()) thread_ = std::thread([this] { serve(); });
  job_ = &job;
  state_.store(kPosted);
  wake_sleepers();
  job();
  // Not taken yet: withdrawn, as nothing is left for the helper to do.
  int posted = kPosted;
  if (state_.compare_exchange_strong(posted, kIdle)) return;
  // Taken: the helper is finishing its last piece. On a busy machine it may
  // have lost its processor meanwhile; then the caller gives up its own.
  for (int spins = 0; state_.load() == kTaken; ++spins) {
    if (spins < kSpinsBeforeSleeping) {
      _mm_pause();
    } else {
      sleep_while(kTaken);
    }
  }
}

void HelperThread::serve() {
  for (;;) {
    const auto awake_until = std::chrono::steady_clock::now() + kStayAwake;
    int state = state_.load();
    for (int spins = 0; state == kIdle; ++spins) {
      _mm_pause();
      if (spins % 64 == 0 && std::chrono::steady_clock::now() > awake_until) {
        sleep_while(kIdle);
      }
      state = state_.load();
    }
    if (state == kStopping) return;
    int posted = kPosted;
    if (!state_.compare_exchange_strong(posted, kTaken)) continue;  // withdrawn meanwhile
    (*job_)();
    state_.store(kIdle);
    wake_sleepers();
  }
}

void HelperThread::sleep_while(int state) {
  std::unique_lock lock(sleep_mutex_);
  woken_.wait(lock, [&] { return state_.load() != state; });
}

// Taking the lock after the state has changed means a thread that read the
// old state under it is already asleep when the notice comes.
void HelperThread::wake_sleepers() {
  { const std::lock_guard lock(sleep_mutex_); }
  woken_.notify_all();
}

}  // namespace runtime
