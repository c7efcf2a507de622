// The form's controls as the system's own: buttons, check boxes, option
// buttons, edit boxes, static labels, list boxes, scroll bars, and a window
// of our own class for pictures.

#include <algorithm>

#include "platform/toolkit/win32_native_data.h"

namespace toolkit::win32 {

namespace {

struct ClassAndStyle {
  const wchar_t* name;
  DWORD style;
  DWORD ex_style;
};

ClassAndStyle class_and_style(Kind kind) {
  switch (kind) {
    // Not an automatic three-state box: the form decides what a click does
    // (greyed becomes checked) and sets the state.
    case Kind::CheckBox: return {L"BUTTON", BS_3STATE, 0};
    case Kind::OptionButton: return {L"BUTTON", BS_AUTORADIOBUTTON, 0};
    case Kind::FirstOptionButton: return {L"BUTTON", BS_AUTORADIOBUTTON | WS_GROUP, 0};
    case Kind::CommandButton: return {L"BUTTON", BS_PUSHBUTTON, 0};
    case Kind::TextBox: return {L"EDIT", ES_AUTOHSCROLL | ES_LEFT, WS_EX_CLIENTEDGE};
    case Kind::Label: return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case Kind::FileList:
      return {L"LISTBOX", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL, WS_EX_CLIENTEDGE};
    case Kind::ScrollBar: return {L"SCROLLBAR", SBS_HORZ, 0};
    case Kind::Picture: return {picture_class(), 0, 0};
    case Kind::BorderedPicture: return {picture_class(), 0, WS_EX_CLIENTEDGE};
  }
  return {L"STATIC", 0, 0};
}

// Paints the part of the picture that Windows asks for.
void paint_picture(HWND window, ChildData& data) {
  // The update region is a rectangle unless several refreshes and an
  // exposure came together; the view needs to know which.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const int shape = GetUpdateRgn(window, region, FALSE);
  DeleteObject(region);
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  const RECT& r = ps.rcPaint;
  if (r.right > r.left && r.bottom > r.top) {
    data.events->paint(dc, {r.left, r.top, r.right - r.left, r.bottom - r.top},
                       shape == SIMPLEREGION);
  }
  EndPaint(window, &ps);
}

LRESULT CALLBACK picture_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  ChildData* data = child_data(window);
  if (message == WM_PAINT && data != nullptr) {
    paint_picture(window, *data);
    return 0;
  }
  // Every pixel is painted by WM_PAINT: erasing first would flicker.
  if (message == WM_ERASEBKGND) return 1;
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

const wchar_t* picture_class() {
  static const wchar_t* const name = [] {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = &picture_procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    c.lpszClassName = L"KelvoPicture";
    RegisterClassExW(&c);
    return L"KelvoPicture";
  }();
  return name;
}

Handle create_child(Handle form, Kind kind, Box box, const std::string& text, const Look& look,
                    ChildEvents& events) {
  FormData* owner = form_data(hwnd(form));
  const ClassAndStyle cs = class_and_style(kind);
  // Controls overlap in places; each paints only its own part.
  HWND control = CreateWindowExW(cs.ex_style, cs.name, wide(text).c_str(),
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | cs.style, box.x, box.y,
                                 box.w, box.h, hwnd(form), nullptr, GetModuleHandleW(nullptr),
                                 nullptr);
  if (control == nullptr || owner == nullptr) return control;
  auto data = std::make_unique<ChildData>();
  data->kind = kind;
  data->events = &events;
  data->look = look;
  if (look.back) data->back_brush = CreateSolidBrush(*look.back);
  SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data.get()));
  owner->children.push_back(std::move(data));
  SendMessageW(control, WM_SETFONT,
               reinterpret_cast<WPARAM>(look.bold ? owner->bold_font : owner->font), FALSE);
  // Later controls lie over earlier ones, as the design draws them.
  SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  return control;
}

LRESULT colour_control(HWND control, HDC dc, LRESULT default_brush) {
  const ChildData* data = child_data(control);
  if (data == nullptr || data->kind == Kind::Picture || data->kind == Kind::BorderedPicture) {
    return default_brush;
  }
  if (data->look.text) SetTextColor(dc, *data->look.text);
  if (data->back_brush == nullptr) return default_brush;
  SetBkColor(dc, *data->look.back);
  return reinterpret_cast<LRESULT>(data->back_brush);
}

void command_from(HWND control, WORD code) {
  ChildData* data = child_data(control);
  if (data == nullptr) return;
  switch (data->kind) {
    case Kind::CheckBox:
    case Kind::OptionButton:
    case Kind::FirstOptionButton:
    case Kind::CommandButton:
      if (code == BN_CLICKED) data->events->clicked();
      break;
    case Kind::TextBox:
      if (code == EN_CHANGE && !data->setting_text) data->events->edited();
      break;
    case Kind::FileList:
      if (code == LBN_SELCHANGE) {
        data->events->selected(static_cast<int>(SendMessageW(control, LB_GETCURSEL, 0, 0)));
      }
      break;
    default:
      break;
  }
}

void scroll_from(HWND bar, WORD code) {
  ChildData* data = child_data(bar);
  if (data == nullptr || data->kind != Kind::ScrollBar) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_TRACKPOS;
  GetScrollInfo(bar, SB_CTL, &info);
  ChildEvents& events = *data->events;
  switch (code) {
    case SB_LINELEFT: events.scrolled(ScrollRequest::LineLeft, info.nTrackPos); break;
    case SB_LINERIGHT: events.scrolled(ScrollRequest::LineRight, info.nTrackPos); break;
    case SB_PAGELEFT: events.scrolled(ScrollRequest::PageLeft, info.nTrackPos); break;
    case SB_PAGERIGHT: events.scrolled(ScrollRequest::PageRight, info.nTrackPos); break;
    case SB_THUMBTRACK: events.scrolled(ScrollRequest::Track, info.nTrackPos); break;
    case SB_THUMBPOSITION: events.scrolled(ScrollRequest::Release, info.nTrackPos); break;
    case SB_LEFT: events.scrolled(ScrollRequest::ToMin, info.nTrackPos); break;
    case SB_RIGHT: events.scrolled(ScrollRequest::ToMax, info.nTrackPos); break;
    default: break;  // SB_ENDSCROLL: the request itself came before
  }
}

void set_text(Handle control, const std::string& text) {
  ChildData* data = child_data(hwnd(control));
  if (data != nullptr) data->setting_text = true;
  SetWindowTextW(hwnd(control), wide(text).c_str());
  if (data != nullptr) data->setting_text = false;
}

std::string text_of(Handle control) {
  const int length = GetWindowTextLengthW(hwnd(control));
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(hwnd(control), text.data(), length + 1);
  text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  return utf8(text);
}

void set_check(Handle control, int state) {
  const WPARAM shown = state == 2 ? BST_INDETERMINATE : state != 0 ? BST_CHECKED : BST_UNCHECKED;
  if (static_cast<WPARAM>(SendMessageW(hwnd(control), BM_GETCHECK, 0, 0)) != shown) {
    SendMessageW(hwnd(control), BM_SETCHECK, shown, 0);
  }
}

void set_scroll(Handle bar, int min, int max, int page, int value) {
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  // With a page, the highest position Windows lets the thumb reach is
  // nMax - nPage + 1: widened by the page less one, the bar reaches max.
  info.nMin = min;
  info.nMax = max + page - 1;
  info.nPage = static_cast<UINT>(page);
  info.nPos = value;
  SetScrollInfo(hwnd(bar), SB_CTL, &info, TRUE);
}

void set_list(Handle list, const std::vector<std::string>& lines) {
  HWND box = hwnd(list);
  SendMessageW(box, WM_SETREDRAW, FALSE, 0);
  SendMessageW(box, LB_RESETCONTENT, 0, 0);
  for (const std::string& line : lines) {
    SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(line).c_str()));
  }
  SendMessageW(box, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(box, nullptr, TRUE);
}

void select_line(Handle list, int line) {
  if (SendMessageW(hwnd(list), LB_GETCURSEL, 0, 0) != line) {
    SendMessageW(hwnd(list), LB_SETCURSEL, static_cast<WPARAM>(line), 0);
  }
}

void invalidate(Handle picture, Box area) {
  const RECT r{area.x, area.y, area.x + area.w, area.y + area.h};
  InvalidateRect(hwnd(picture), &r, FALSE);
}

void draw_pixels(void* dc, const std::uint32_t* pixels, int width, int height, Box area) {
  // Only the rows of `area` are handed over, as a top-down DIB of their own
  // (a negative height): where the rows of a part of a top-down DIB start is
  // counted from its bottom, which is easy to get wrong.
  const int top = std::max(area.y, 0);
  const int bottom = std::min(area.y + area.h, height);
  if (bottom <= top || width <= 0) return;
  // The image's pixels are the bytes red, green, blue, 0; a 32-bit DIB with
  // these masks takes them as they are.
  struct {
    BITMAPINFOHEADER header;
    DWORD masks[3];
  } info{};
  info.header.biSize = sizeof info.header;
  info.header.biWidth = width;
  info.header.biHeight = -(bottom - top);
  info.header.biPlanes = 1;
  info.header.biBitCount = 32;
  info.header.biCompression = BI_BITFIELDS;
  info.masks[0] = 0x000000FF;
  info.masks[1] = 0x0000FF00;
  info.masks[2] = 0x00FF0000;
  const std::uint32_t* rows = pixels + static_cast<std::size_t>(top) * width;
  SetDIBitsToDevice(static_cast<HDC>(dc), area.x, top, static_cast<DWORD>(area.w),
                    static_cast<DWORD>(bottom - top), area.x, 0, 0,
                    static_cast<UINT>(bottom - top), rows,
                    reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS);
}

}  // namespace toolkit::win32
