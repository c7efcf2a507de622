#pragma once
// The argument of a sine or cosine reduced to [-pi/4, pi/4]: x - n * pi/2 as
// the sum head + tail, for the quarter turn n (only n mod 4 matters).

namespace runtime::trig {

struct Reduced {
  int n = 0;
  double head = 0;
  double tail = 0;
};

// For any finite x; infinities and NaN give NaN.
Reduced reduce(double x);

// The large arguments' part: |x| beyond 2^20 * pi/2, split into nx 24-bit
// pieces x[0..nx-1] of which x[0] has the exponent e0. The quarter turn
// mod 8 and the remainder in y[0] + y[1].
int reduce_large(const double* x, double* y, int e0, int nx);

}  // namespace runtime::trig
