#pragma once
// The uniform random numbers of the render loop: never seeded, so every
// program start gives the same sequence, which simply continues from call to
// call. A 24-bit linear congruential generator, as BASIC runtimes have it;
// every value is a multiple of 2^-24 and so exact in single precision.

#include <cstdint>

namespace runtime {

class Random {
 public:
  // A number r with 0 <= r < 1.
  float next() {
    state_ = (state_ * 1140671485u + 12820163u) & 0xFFFFFFu;
    return static_cast<float>(state_) / 16777216.0f;
  }

 private:
  std::uint32_t state_ = 0x50000u;
};

}  // namespace runtime
