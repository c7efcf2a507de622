#pragma once
// Shorthands for writing a window's controls in an edition configuration,
// and the colours the windows share.

#include <optional>
#include <string_view>

#include "editions/edition_config.h"

namespace editions::design {

using gdi::RGB;

inline constexpr gdi::COLORREF kPale = RGB(192, 192, 255);
inline constexpr gdi::COLORREF kBlue = RGB(128, 128, 255);
inline constexpr gdi::COLORREF kDarkBlueText = RGB(0, 0, 64);
inline constexpr gdi::COLORREF kPureBlue = RGB(0, 0, 255);
inline constexpr gdi::COLORREF kRed = RGB(255, 0, 0);
inline constexpr gdi::COLORREF kLightGrey = RGB(224, 224, 224);
inline constexpr gdi::COLORREF kPink = RGB(255, 128, 255);
inline constexpr gdi::COLORREF kSilver = RGB(192, 192, 192);

// A check box of the pipeline diagram: coloured, with dark blue text.
inline ControlDesign check(std::string_view name, std::string_view caption, int value,
                           toolkit::Rect rect, gdi::COLORREF back) {
  return {.name = name, .rect = rect, .text = caption, .value = value, .back_colour = back,
          .text_colour = kDarkBlueText};
}

// A check box with its own back colour and the default text colour.
inline ControlDesign tinted_check(std::string_view name, std::string_view caption, int value,
                                  toolkit::Rect rect, gdi::COLORREF back) {
  return {.name = name, .rect = rect, .text = caption, .value = value, .back_colour = back};
}

// A check box with the default look.
inline ControlDesign plain_check(std::string_view name, std::string_view caption, int value,
                                 toolkit::Rect rect) {
  return {.name = name, .rect = rect, .text = caption, .value = value};
}

inline ControlDesign option(std::string_view name, std::string_view caption, bool selected,
                            toolkit::Rect rect, gdi::COLORREF back) {
  return {.name = name, .rect = rect, .text = caption, .value = selected ? 1 : 0,
          .back_colour = back};
}

inline ControlDesign picture(std::string_view name, toolkit::Rect rect, gdi::COLORREF back,
                             gdi::COLORREF text, gdi::COLORREF fill, bool border,
                             bool pixel_scale) {
  return {.name = name, .rect = rect, .back_colour = back, .text_colour = text,
          .fill_colour = fill, .border = border, .pixel_scale = pixel_scale};
}

// A view the renderers draw into: pale, red pen and fill, sunken border.
inline ControlDesign view(std::string_view name, toolkit::Rect rect) {
  return picture(name, rect, kPale, kRed, kRed, true, false);
}

inline ControlDesign scroll(std::string_view name, toolkit::Rect rect, int min, int max,
                            int large, int value) {
  return {.name = name, .rect = rect, .value = value, .min = min, .max = max,
          .large_change = large};
}

inline ControlDesign text(std::string_view name, std::string_view initial, toolkit::Rect rect,
                          bool bold = false, std::optional<gdi::COLORREF> back = std::nullopt) {
  return {.name = name, .rect = rect, .text = initial, .back_colour = back, .bold = bold};
}

inline ControlDesign label(std::string_view name, std::string_view caption, toolkit::Rect rect,
                           bool bold = false) {
  return {.name = name, .rect = rect, .text = caption, .bold = bold};
}

inline ControlDesign button(std::string_view name, std::string_view caption, toolkit::Rect rect) {
  return {.name = name, .rect = rect, .text = caption};
}

inline ControlDesign file_list(std::string_view name, toolkit::Rect rect) {
  return {.name = name, .rect = rect, .text = "*.atl"};
}

inline ControlDesign timer(std::string_view name, int interval_ms) {
  return {.name = name, .value = interval_ms};
}

}  // namespace editions::design
