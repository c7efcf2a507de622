#pragma once
// Drawing limited to a band of rows. Every pixel a call draws inside its band
// is the pixel the same call draws there on the whole surface, and it draws
// nothing outside: threads that each draw one band, making the same calls in
// the same order, together make the picture one thread makes.

#include <climits>

namespace gdi {

// Rows [top, bottom).
struct Band {
  int top = 0;
  int bottom = 0;
};

// Every row of every surface: the band of a call on the whole surface.
inline constexpr Band kAllRows{INT_MIN, INT_MAX};

}  // namespace gdi
