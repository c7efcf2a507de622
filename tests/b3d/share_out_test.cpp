// Work shared between the caller and the helper: every job done once, however
// the two threads meet in the middle.

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "b3d/two_threads.h"
#include "platform/runtime/helper_thread.h"

namespace {

TEST(ShareOut, EveryJobIsDoneOnceWhereverTheTwoEndsMeet) {
  runtime::HelperThread helper;
  std::vector<std::atomic<int>> done(1000);
  for (int round = 0; round < 3000; ++round) {
    // Counts of none, one, a few and many jobs; jobs of a few steps and of
    // none, so that the meeting point moves from call to call.
    const int count = round % 7 == 0 ? round % 3 : 1 + round % 997;
    for (int k = 0; k < count; ++k) done[k].store(0);
    b3d::share_out(helper, count, [&](int k) {
      ASSERT_TRUE(k >= 0 && k < count);
      std::atomic<int> steps{0};
      while (steps.fetch_add(1, std::memory_order_relaxed) < (k * 7 + round) % 50) {
      }
      done[k].fetch_add(1);
    });
    for (int k = 0; k < count; ++k) ASSERT_EQ(done[k].load(), 1) << "job " << k << " of " << count;
  }
}

}  // namespace
