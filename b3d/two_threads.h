#pragma once
// Work split between the calling thread and a helper. Each thread first
// prepares the triangles of half the table and files every one under the
// bands of the target's rows that it touches; then each draws one band, the
// triangles filed under it from both halves, in table order.

#include <climits>
#include <cstdint>
#include <vector>

#include "platform/gdi/band.h"
#include "platform/runtime/helper_thread.h"

namespace b3d {

// The upper and the lower half of the target's rows; together they hold every
// row there is, of every surface drawn on.
class TwoBands {
 public:
  explicit TwoBands(int height) : middle_(height / 2) {}
  gdi::Band band(int b) const {
    return b == 0 ? gdi::Band{INT_MIN, middle_} : gdi::Band{middle_, INT_MAX};
  }
  // Whether rows top..bottom (both drawn) meet band b.
  bool touches(int b, std::int64_t top, std::int64_t bottom) const {
    return b == 0 ? top < middle_ : bottom >= middle_;
  }

 private:
  int middle_;
};

// Items prepared by two halves of the table, filed by band.
template <class Item>
class BandBins {
 public:
  void clear(int half) {
    items_[half][0].clear();
    items_[half][1].clear();
  }
  void add(int half, const Item& item, const TwoBands& bands, std::int64_t top,
           std::int64_t bottom) {
    for (int b = 0; b < 2; ++b) {
      if (bands.touches(b, top, bottom)) items_[half][b].push_back(item);
    }
  }
  // Every item of band b, in table order.
  template <class Draw>
  void for_each_in(int b, const Draw& draw) const {
    for (int half = 0; half < 2; ++half) {
      for (const Item& item : items_[half][b]) draw(item);
    }
  }

 private:
  std::vector<Item> items_[2][2];  // [half][band], kept from call to call
};

// work(half, begin, end) for the table rows [first, end) in two halves,
// half 0 on the helper thread.
template <class Work>
void split_rows(runtime::HelperThread& helper, int first, int end, const Work& work) {
  const int middle = first + (end - first) / 2;
  helper.run_beside([&] { work(0, first, middle); }, [&] { work(1, middle, end); });
}

// draw(b) for bands 0 and 1, band 0 on the helper thread.
template <class Draw>
void split_bands(runtime::HelperThread& helper, const Draw& draw) {
  helper.run_beside([&] { draw(0); }, [&] { draw(1); });
}

}  // namespace b3d
