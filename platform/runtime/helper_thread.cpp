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
  state_.notify_one();
  thread_.join();
}

void HelperThread::share(const std::function<void()>& job) {
  if (!thread_.joinable()) thread_ = std::thread([this] { serve(); });
  job_ = &job;
  state_.store(kPosted);
  state_.notify_one();
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
      state_.wait(kTaken);
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
        state_.wait(kIdle);
      }
      state = state_.load();
    }
    if (state == kStopping) return;
    int posted = kPosted;
    if (!state_.compare_exchange_strong(posted, kTaken)) continue;  // withdrawn meanwhile
    (*job_)();
    state_.store(kIdle);
    state_.notify_one();
  }
}

}  // namespace runtime
