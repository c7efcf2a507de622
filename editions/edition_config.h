#pragma once
// An edition configuration: everything that tells one of the ten programs
// from another. Editions are data; the code tests named switches, never an
// edition number.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "platform/gdi/gdi_types.h"
#include "platform/toolkit/controls.h"

namespace editions {

// One control the edition has, with its design-time state. Fields that do not
// apply to a control's kind are left at their defaults.
struct ControlDesign {
  std::string_view name;
  toolkit::Rect rect;                        // twips
  std::string_view text;                     // caption or text
  int value = 0;                             // check box 0/1, option 1 = selected, scroll bar
  std::optional<gdi::COLORREF> back_colour;  // none: the default look
  std::optional<gdi::COLORREF> text_colour;
  std::optional<gdi::COLORREF> fill_colour;  // picture boxes
  bool bold = false;                         // MS Sans Serif 8.25 pt bold
  bool border = false;                       // picture boxes: 3-D border
  bool pixel_scale = false;                  // picture boxes: ScaleMode pixels at design time
  int min = 0, max = 32767, large_change = 1;  // scroll bars
};

// A line of the pipeline diagram, in twips.
struct LineDesign {
  std::string_view name;
  int x1, y1, x2, y2;
};

struct EditionConfig {
  int number = 0;
  std::string_view program;
  int client_width = 0;   // twips
  int client_height = 0;  // twips
  std::vector<ControlDesign> controls;
  std::vector<LineDesign> lines;
  // The texture of Picture5, a 24-bit bitmap file; empty for none.
  std::span<const std::uint8_t> texture;
};

}  // namespace editions
