#include "platform/runtime/helper_thread.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <thread>

namespace {

// Thousands of jobs, with the pauses and slow pieces that send each thread
// to sleep on the other: the helper after a pause longer than it stays
// awake, the caller when the helper's piece outlasts its spinning. A wake-up
// lost on the way leaves the test hanging (and ctest ends it); a piece done
// twice or never fails it.
TEST(HelperThread, EveryPieceIsDoneOnceThroughThousandsOfSleepsAndWakeUps) {
  using namespace std::chrono_literals;
  runtime::HelperThread helper;
  constexpr int kPieces = 16;
  for (int round = 0; round < 3000; ++round) {
    std::atomic<int> next{0};
    std::array<std::atomic<int>, kPieces> done{};
    const bool slow = round % 50 == 7;
    helper.share([&] {
      for (int piece; (piece = next.fetch_add(1)) < kPieces;) {
        done[piece].fetch_add(1);
        if (slow && piece == kPieces - 1) std::this_thread::sleep_for(2ms);
      }
    });
    for (int piece = 0; piece < kPieces; ++piece) {
      ASSERT_EQ(done[piece].load(), 1) << "round " << round << ", piece " << piece;
    }
    // Pauses about as long as the helper stays awake, so that it often
    // decides to sleep just as the next job comes.
    std::this_thread::sleep_for(std::chrono::microseconds(150 + round % 100));
  }
}

}  // namespace
