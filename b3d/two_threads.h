#pragma once
// Work shared between the calling thread and a helper. The table's rows are
// cut into pieces, each prepared by whichever thread is free, which files
// every triangle under the bands of the target's rows that it touches; then
// the bands are drawn the same way, each by one thread, the triangles filed
// under it in table order. Pieces and bands both outnumber the threads, so a
// thread that starts late or is held up leaves its share to the other.

#include <algorithm>
#include <array>
#include <atomic>
#include <climits>
#include <cstdint>
#include <new>
#include <thread>
#include <type_traits>
#include <vector>

#include "platform/gdi/band.h"
#include "platform/runtime/helper_thread.h"
#include "platform/runtime/prefetch.h"

namespace b3d {

inline constexpr int kPieces = 16;
inline constexpr int kBands = 4;

// The target's rows in kBands bands of nearly equal height. The first and
// last reach to the ends of the integers, so that the bands together hold
// every row of every surface drawn on.
class Bands {
 public:
  explicit Bands(int height) {
    for (int b = 1; b < kBands; ++b) {
      start_[b] = static_cast<int>(std::int64_t{height} * b / kBands);
    }
    start_[0] = INT_MIN;
    start_[kBands] = INT_MAX;
  }
  gdi::Band band(int b) const { return {start_[b], start_[b + 1]}; }
  // The band holding row y.
  int band_of(std::int64_t y) const {
    int b = 0;
    while (b + 1 < kBands && y >= start_[b + 1]) ++b;
    return b;
  }

 private:
  std::array<int, kBands + 1> start_;
};

// Items prepared piece by piece, filed by band.
template <class Item>
class BandBins {
 public:
  void clear(int piece) {
    for (std::vector<Item>& bin : pieces_[piece].bins) bin.clear();
  }
  // Files the item under every band from the one holding row top to the one
  // holding row bottom.
  void add(int piece, const Item& item, const Bands& bands, std::int64_t top,
           std::int64_t bottom) {
    const int last = bands.band_of(bottom);
    for (int b = bands.band_of(top); b <= last; ++b) {
      std::vector<Item>& bin = pieces_[piece].bins[b];
      // Whichever thread drew the band last read these lines; taking them
      // back a few items ahead keeps the stores from waiting on that.
      runtime::prefetch_for_writing(reinterpret_cast<std::uintptr_t>(bin.data() + bin.size()) +
                                    kWriteAhead);
      bin.push_back(item);
    }
  }
  // Every item of band b, in table order.
  template <class Draw>
  void for_each_in(int b, const Draw& draw) const {
    for (int piece = 0; piece < kPieces; ++piece) {
      for (const Item& item : pieces_[piece].bins[b]) draw(item);
    }
  }

 private:
  // How far past the next item's place its lines are asked for, in bytes:
  // 256 and 512 measured alike, 128 slower.
  static constexpr std::uintptr_t kWriteAhead = 256;

  // The two threads fill different pieces at once: each on cache lines of its
  // own.
  struct alignas(64) Piece {
    std::vector<Item> bins[kBands];  // kept from call to call
  };
  Piece pieces_[kPieces];
};

// use(prepare(i)) for i = begin .. end - 1, in order, until use returns
// false. An item is made by many narrow stores, and reading it back at once,
// in a few wide loads, waits on those stores; so each item is used only once
// the next one is prepared. At 19000 triangles this made two threads' fills
// about a tenth quicker. Prepare must have no effects: the item after the
// last one used may have been prepared too.
template <class Item, class Prepare, class Use>
void prepare_ahead(int begin, int end, const Prepare& prepare, const Use& use) {
  static_assert(std::is_trivially_destructible_v<Item>);
  Item slot[2];
  int k = 0;
  for (int i = begin; i < end; ++i, k ^= 1) {
    // Made in its slot, not copied there.
    new (&slot[k]) Item(prepare(i));
    if (i > begin && !use(slot[k ^ 1])) return;
  }
  if (begin < end) use(slot[k ^ 1]);
}

// Jobs 0 .. count - 1 handed out from both ends: the helper takes them from
// the first on and the caller from the last back. From one call to the next,
// each thread then works on much the same part of the table and the target,
// which its own cache still holds. It is this way round because the depth
// sort has the helper gather the first rows while the caller works out
// their order.
class JobsFromBothEnds {
 public:
  explicit JobsFromBothEnds(int count)
      : ends_(std::uint64_t{static_cast<std::uint32_t>(count)} << 32) {}
  // The next job from the front or from the back; -1 once none is left.
  int take(bool from_front) {
    std::uint64_t now = ends_.load();
    for (;;) {
      const auto front = static_cast<std::uint32_t>(now);
      const auto back = static_cast<std::uint32_t>(now >> 32);
      if (front >= back) return -1;
      const std::uint64_t next = from_front ? now + 1 : now - (std::uint64_t{1} << 32);
      if (ends_.compare_exchange_weak(now, next)) {
        return static_cast<int>(from_front ? front : back - 1);
      }
    }
  }

 private:
  // The next job from the front in the low half, one past the next from the
  // back in the high half.
  std::atomic<std::uint64_t> ends_;
};

// job(k) for k = 0 .. count - 1, each once, by whichever thread is free.
template <class Job>
void share_out(runtime::HelperThread& helper, int count, const Job& job) {
  JobsFromBothEnds jobs(count);
  const std::thread::id caller = std::this_thread::get_id();
  helper.share([&] {
    const bool from_front = std::this_thread::get_id() != caller;
    for (int k; (k = jobs.take(from_front)) >= 0;) job(k);
  });
}

// piece(p, begin, end) for the rows [first, end) cut in kPieces pieces.
template <class Piece>
void share_rows(runtime::HelperThread& helper, int first, int end, const Piece& piece) {
  const std::int64_t rows = end - first;
  share_out(helper, kPieces, [&](int p) {
    piece(p, first + static_cast<int>(rows * p / kPieces),
          first + static_cast<int>(rows * (p + 1) / kPieces));
  });
}

// work(begin, end) over the rows [first, end): in pieces shared with the
// helper when there is one, at once otherwise.
template <class Work>
void over_rows(runtime::HelperThread* helper, int first, int end, const Work& work) {
  if (helper == nullptr) {
    work(first, end);
    return;
  }
  share_rows(*helper, first, end, [&](int, int begin, int piece_end) { work(begin, piece_end); });
}

// draw(b) for every band.
template <class Draw>
void share_bands(runtime::HelperThread& helper, const Draw& draw) {
  share_out(helper, kBands, draw);
}

}  // namespace b3d
