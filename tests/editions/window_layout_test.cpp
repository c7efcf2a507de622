// The ten windows as laid out: every control on screen lies inside the client
// area, no two controls of editions 1 to 5 cover each other, and each line of
// a pipeline diagram ends on the controls it joins.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "editions/editions.h"

namespace {

using editions::ControlDesign;
using editions::EditionConfig;

// The timer has no place on the window.
bool on_screen(const ControlDesign& c) { return c.name != "Timer1"; }

bool overlap(const toolkit::Rect& a, const toolkit::Rect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

// On the control or within four pixels of its edge.
bool touches(const toolkit::Rect& r, int x, int y) {
  constexpr int kSlack = 60;
  return x >= r.left - kSlack && x <= r.left + r.width + kSlack && y >= r.top - kSlack &&
         y <= r.top + r.height + kSlack;
}

TEST(WindowLayout, ControlsLieInsideTheClientAreaAndThoseOfEarlyWindowsNeverOverlap) {
  for (int n = 1; n <= 10; ++n) {
    const EditionConfig& e = *editions::find_edition(n);
    SCOPED_TRACE("edition " + std::to_string(e.number));
    // The early windows keep a margin to the edges; the later window's speed
    // bar ends 105 twips above the bottom.
    const int margin = e.number <= 5 ? 120 : 0;
    for (const ControlDesign& c : e.controls) {
      if (!on_screen(c)) continue;
      const toolkit::Rect& r = c.rect;
      EXPECT_TRUE(r.left >= margin && r.top >= margin && r.width > 0 && r.height > 0) << c.name;
      // From edition 6 the work surface starts on the window and runs past
      // its bottom edge.
      const bool runs_off = e.number >= 6 && c.name == "Picture3";
      EXPECT_LE(r.left + r.width, e.client_width - margin) << c.name;
      EXPECT_LE(runs_off ? r.top : r.top + r.height, e.client_height - margin) << c.name;
    }
    // The later window packs its controls tighter: check boxes 240 twips
    // apart at 255 high, labels a pixel into their text boxes and scroll
    // bars, and in edition 10 the larger texture runs into Picture4.
    if (e.number > 5) continue;
    for (std::size_t i = 0; i < e.controls.size(); ++i) {
      for (std::size_t j = i + 1; j < e.controls.size(); ++j) {
        const ControlDesign& a = e.controls[i];
        const ControlDesign& b = e.controls[j];
        if (on_screen(a) && on_screen(b)) {
          EXPECT_FALSE(overlap(a.rect, b.rect)) << a.name << " and " << b.name;
        }
      }
    }
  }
}

TEST(WindowLayout, EveryLineEndsOnTheControlsItJoins) {
  // A box moved without its lines leaves them pointing at nothing.
  for (int n = 1; n <= 10; ++n) {
    const EditionConfig& e = *editions::find_edition(n);
    SCOPED_TRACE("edition " + std::to_string(e.number));
    const auto on_a_control = [&e](int x, int y) {
      return std::any_of(e.controls.begin(), e.controls.end(), [&](const ControlDesign& c) {
        return on_screen(c) && touches(c.rect, x, y);
      });
    };
    for (const editions::LineDesign& l : e.lines) {
      const bool start = on_a_control(l.x1, l.y1), end = on_a_control(l.x2, l.y2);
      // An arrow's head is short and touches the button with its point only.
      if (std::hypot(l.x2 - l.x1, l.y2 - l.y1) < 200) {
        EXPECT_TRUE(start || end) << l.name << " touches no control";
      } else {
        EXPECT_TRUE(start && end) << l.name << " does not join two controls";
      }
    }
  }
}

}  // namespace
