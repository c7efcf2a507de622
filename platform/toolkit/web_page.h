#pragma once
// The page's functions that the web toolkit calls (web_bridge.js). Controls
// are known to the page by the toolkit's number for them; colours are
// colour references, -1 for none; places and sizes are pixels.

#include <cstdint>

extern "C" {

void kelvo_page_open(int width, int height);
void kelvo_page_title(const char* text);
void kelvo_page_line(int x1, int y1, int x2, int y2);
void kelvo_page_finish();
void kelvo_page_ended(const char* program);
int kelvo_page_edition();

// kind: check, option, button, text, label, list, picture or scroll.
void kelvo_control_add(int id, const char* name, const char* kind, int x, int y, int w, int h,
                       std::int32_t back, std::int32_t text, int bold, int border);
void kelvo_control_caption(int id, const char* text);
void kelvo_control_check(int id, int value);
void kelvo_control_text(int id, const char* text);
void kelvo_control_scroll(int id, int min, int max, int small, int large, int value);
void kelvo_control_list(int id, const char* names, int bytes, int count, int selected);
void kelvo_control_image(int id, int width, int height, const std::uint32_t* pixels, int x,
                         int y, int w, int h);

void kelvo_timer_start(int id, int interval_ms);
void kelvo_timer_taken(int id);

int kelvo_event_take();
int kelvo_event_control();
int kelvo_event_value();
char* kelvo_event_text();

void kelvo_message_show(const char* title, const char* text);
int kelvo_message_open();
void kelvo_message_close();
int kelvo_close_requested();
}

namespace toolkit::web {

// What kelvo_event_take returns.
enum EventKind {
  kNoEvent = 0,
  kClick = 1,
  kScroll = 2,
  kChange = 3,
  kEdit = 4,
  kListClick = 5,
  kTick = 6,
  kClose = 7,
  kFilesAdded = 8,
};

}  // namespace toolkit::web
