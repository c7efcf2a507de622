#pragma once
// An edition configuration: everything that tells one of the ten programs
// from another. Editions are data; the code tests named switches, never an
// edition number.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "b3d/variants.h"
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

// How an edition's render loop, its handlers and its frame-rate meter behave.
struct LoopVariants {
  // What the loop's set-up does to the table: builds the random model under
  // "Random", or gives the rows of whatever table there is random colours,
  // one per cell or one per row.
  enum class SetUp { RandomModel, ColourPerCell, ColourPerRow };
  SetUp set_up = SetUp::RandomModel;

  bool pacing = true;       // the frame-rate brake step
  bool fixed_spin = false;  // 2 degrees every frame, with no "autorotate" to switch it
  // The spin angle turns the main view about y and the left side view about
  // x; the oldest editions did it the other way round.
  bool spin_about_x = false;
  bool perspective = true;  // "Perspettive" projects the main view
  bool textured = true;     // "Textured" draws, and the work surface is cleared with the view

  enum class SideViews { None, Always, WhenActive };
  SideViews side_views = SideViews::WhenActive;
  std::string_view left_view = "pPicture2";
  std::string_view right_view = "pPicture3";

  bool exclusive_wire_and_fill = false;  // clicking one of the two clears the other
  bool throughput = true;                // the meter's AVG figure
};

// A function of the platform that the edition declares, and whether it
// calls it.
struct PlatformFunction {
  std::string_view name;
  std::string_view library;
  bool called = true;
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
  std::vector<PlatformFunction> platform_functions;
  std::vector<std::string_view> procedures;  // of B3D
  LoopVariants loop;
  b3d::Variants b3d;
};

}  // namespace editions
