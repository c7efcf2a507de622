#pragma once
// Sleep: suspends the thread for the given number of milliseconds.

#include <chrono>
#include <thread>

namespace runtime {

inline void Sleep(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace runtime
