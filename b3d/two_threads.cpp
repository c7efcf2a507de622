#include "b3d/two_threads.h"

#include <thread>

#include "b3d/b3d.h"

namespace b3d {

namespace {

// Below this many rows, waking the second thread twice a call costs about
// what it saves.
constexpr int kTwoThreadsFromRows = 2000;

}  // namespace

bool B3D::two_threads() const {
  switch (threads_) {
    case Threads::One: return false;
    case Threads::Two: return true;
    case Threads::BySize: break;
  }
  static const bool two_cores = std::thread::hardware_concurrency() >= 2;
  return two_cores && TriangleTable && TriangleTable->upper_row() >= kTwoThreadsFromRows;
}

}  // namespace b3d
