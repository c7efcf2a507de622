// Work shared between the caller and the helper: every job done once, however
// the two threads meet in the middle; and items prepared one ahead of their
// use, used all and in order.

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <optional>
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

// The two slots are made over and over: an item left out must not bring back
// the one made two before it, and use must see every item up to the one it
// stops at, and no further.
TEST(PrepareAhead, UsesEveryItemInOrderUntilTold) {
  const auto every_third = [](int i) {
    return i % 3 == 0 ? std::optional<int>(i) : std::nullopt;
  };
  for (const auto& [begin, end, stop_at] :
       {std::array{0, 0, -1}, std::array{5, 6, -1}, std::array{2, 40, -1}, std::array{2, 40, 17},
        std::array{2, 40, 39}}) {
    std::vector<std::optional<int>> used;
    b3d::prepare_ahead<std::optional<int>>(begin, end, every_third,
                                           [&](const std::optional<int>& item) {
                                             used.push_back(item);
                                             return static_cast<int>(used.size()) + begin - 1 !=
                                                    stop_at;
                                           });
    std::vector<std::optional<int>> expected;
    for (int i = begin; i < end && i - 1 != stop_at; ++i) {
      expected.push_back(every_third(i));
    }
    EXPECT_EQ(used, expected) << begin << ".." << end << " stopping at " << stop_at;
  }
}

}  // namespace
