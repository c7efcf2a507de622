#pragma once
// The Win32 calls of the Windows toolkit, in the program's own terms: UTF-8
// text, pixel boxes, colours as 0x00BBGGRR. Only win32_native_*.cpp include
// windows.h, whose RGB and GetRValue macros would clash with the drawing
// interface's functions of those names; the views that bind the controls
// see only this header.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace toolkit::win32 {

using Handle = void*;      // a window (HWND)
using Colour = std::uint32_t;  // 0x00BBGGRR, the platform's colour reference

// Left, top, width, height in pixels of the parent's client area.
struct Box {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

struct Segment {
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// A control's colours (none: the system's) and whether it is bold.
struct Look {
  std::optional<Colour> back;
  std::optional<Colour> text;
  bool bold = false;
};

enum class Kind {
  CheckBox,
  OptionButton,
  FirstOptionButton,  // starts a group of option buttons
  CommandButton,
  TextBox,
  Label,
  FileList,
  ScrollBar,
  Picture,
  BorderedPicture,  // a sunken 3-D border of 2 pixels a side
};

// What a scroll bar reports: the user's request, not a new value; the
// owner decides the value and sets it.
enum class ScrollRequest { LineLeft, LineRight, PageLeft, PageRight, Track, Release, ToMin, ToMax };

// What a control reports to its view; each view overrides what its kind sends.
class ChildEvents {
 public:
  virtual ~ChildEvents() = default;
  virtual void clicked() {}
  virtual void edited() {}
  virtual void selected(int /*line*/) {}
  virtual void scrolled(ScrollRequest /*request*/, int /*thumb*/) {}
  // A picture's window needs `area` drawn on the device context `dc`;
  // `exact` when nothing outside that rectangle is drawn.
  virtual void paint(void* /*dc*/, Box /*area*/, bool /*exact*/) {}
};

class FormEvents {
 public:
  virtual ~FormEvents() = default;
  virtual void close_requested() = 0;
  virtual void timer_elapsed(int id) = 0;
  // A caption update asked for by post_caption_update is due.
  virtual void caption_due() = 0;
};

// The form: a window of the given client size, not resizable, with the lines
// of its diagram drawn on its background.
Handle create_form(const std::string& caption, int client_width, int client_height,
                   std::vector<Segment> lines, FormEvents& events);
void show_form(Handle form);
void destroy_form(Handle form);
void set_caption(Handle window, const std::string& caption);
// Calls caption_due() once, from the event loop.
void post_caption_update(Handle form);
void start_timer(Handle form, int id, int milliseconds);

// Controls are children of the form; `events` must outlive them.
Handle create_child(Handle form, Kind kind, Box box, const std::string& text, const Look& look,
                    ChildEvents& events);
void set_text(Handle control, const std::string& text);
std::string text_of(Handle control);
// 0 clear, 1 checked, 2 greyed.
void set_check(Handle control, int state);
void set_scroll(Handle bar, int min, int max, int page, int value);
void set_list(Handle list, const std::vector<std::string>& lines);
// -1 clears the selection.
void select_line(Handle list, int line);
// Repaints the part `area` of a picture's window at the next turn of the loop.
void invalidate(Handle picture, Box area);
// Draws `area` of an image (pixels top row first, each 0x00BBGGRR) at the
// same place on the device context.
void draw_pixels(void* dc, const std::uint32_t* pixels, int width, int height, Box area);

// Runs every pending event, each to completion, then returns.
void process_pending();
// Runs events until the last window is gone; returns the exit code.
int run_until_quit();
void sleep_ms(int milliseconds);
// A message box; while it is up, the form (may be null) takes no input but
// can still be closed.
void message_box(Handle form, const std::string& title, const std::string& text);

}  // namespace toolkit::win32
