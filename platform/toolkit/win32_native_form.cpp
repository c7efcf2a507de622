// The form's window, its fonts, the event loop, sleeping and message boxes.

#include <cstdio>

#include "platform/toolkit/win32_native_data.h"

namespace toolkit::win32 {

namespace {

constexpr wchar_t kFormClass[] = L"KelvoForm";
constexpr UINT kCaptionDue = WM_APP + 1;
// A fixed frame with a caption, a close box and a minimise box: the layout
// is fixed in twips, so the window keeps its size.
constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The design's font is 8.25 pt, 11 pixels at 96 dots an inch; the face is
// the system's default GUI font (MS Shell Dlg, Tahoma under Wine). The bold
// one has the weight and the Central European character set of the design.
HFONT make_font(bool bold) {
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  font.lfHeight = -11;
  font.lfWidth = 0;
  if (bold) {
    font.lfWeight = FW_BOLD;
    font.lfCharSet = EASTEUROPE_CHARSET;
  }
  return CreateFontIndirectW(&font);
}

void paint_lines(HWND window, const FormData& data) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  SelectObject(dc, GetStockObject(BLACK_PEN));
  for (const Segment& line : data.lines) {
    MoveToEx(dc, line.x1, line.y1, nullptr);
    LineTo(dc, line.x2, line.y2);
    // LineTo leaves out the end point; the design's lines include it.
    SetPixel(dc, line.x2, line.y2, 0);
  }
  EndPaint(window, &ps);
}

LRESULT CALLBACK form_procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  FormData* data = form_data(window);
  if (data == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  switch (message) {
    case WM_COMMAND:
      if (lparam != 0) command_from(reinterpret_cast<HWND>(lparam), HIWORD(wparam));
      return 0;
    case WM_HSCROLL:
      if (lparam != 0) scroll_from(reinterpret_cast<HWND>(lparam), LOWORD(wparam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      return colour_control(reinterpret_cast<HWND>(lparam), reinterpret_cast<HDC>(wparam),
                            DefWindowProcW(window, message, wparam, lparam));
    case WM_PAINT:
      paint_lines(window, *data);
      return 0;
    case WM_TIMER:
      data->events->timer_elapsed(static_cast<int>(wparam));
      return 0;
    case kCaptionDue:
      data->events->caption_due();
      return 0;
    case WM_CLOSE:
      // The form decides; it destroys the window when it ends.
      data->events->close_requested();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      delete data;
      return DefWindowProcW(window, message, wparam, lparam);
    default:
      return DefWindowProcW(window, message, wparam, lparam);
  }
}

void register_form_class() {
  static const bool registered = [] {
    WNDCLASSEXW c{};
    c.cbSize = sizeof c;
    c.lpfnWndProc = &form_procedure;
    c.hInstance = GetModuleHandleW(nullptr);
    c.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    c.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    // The form's back colour is the system's button face, as a form's is.
    c.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    c.lpszClassName = kFormClass;
    return RegisterClassExW(&c) != 0;
  }();
  (void)registered;
}

}  // namespace

FormData::~FormData() {
  for (const auto& child : children) {
    if (child->back_brush != nullptr) DeleteObject(child->back_brush);
  }
  if (font != nullptr) DeleteObject(font);
  if (bold_font != nullptr) DeleteObject(bold_font);
}

std::wstring wide(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                    nullptr, 0);
  std::wstring text(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), n);
  return text;
}

std::string utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n,
                      nullptr, nullptr);
  return bytes;
}

Handle create_form(const std::string& caption, int client_width, int client_height,
                   std::vector<Segment> lines, FormEvents& events) {
  register_form_class();
  RECT frame{0, 0, client_width, client_height};
  AdjustWindowRectEx(&frame, kFormStyle, FALSE, 0);
  HWND window = CreateWindowExW(0, kFormClass, wide(caption).c_str(),
                                kFormStyle | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                                frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return nullptr;
  auto* data = new FormData;
  data->events = &events;
  data->lines = std::move(lines);
  data->font = make_font(false);
  data->bold_font = make_font(true);
  SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(data));
  return window;
}

void show_form(Handle form) {
  ShowWindow(hwnd(form), SW_SHOWNORMAL);
  UpdateWindow(hwnd(form));
}

void destroy_form(Handle form) {
  if (IsWindow(hwnd(form))) DestroyWindow(hwnd(form));
}

void set_caption(Handle window, const std::string& caption) {
  SetWindowTextW(hwnd(window), wide(caption).c_str());
}

void post_caption_update(Handle form) { PostMessageW(hwnd(form), kCaptionDue, 0, 0); }

void start_timer(Handle form, int id, int milliseconds) {
  SetTimer(hwnd(form), static_cast<UINT_PTR>(id), static_cast<UINT>(milliseconds), nullptr);
}

void process_pending() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // For the event loop that waits below this yield.
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

int run_until_quit() {
  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return got == 0 ? static_cast<int>(message.wParam) : 1;
}

void sleep_ms(int milliseconds) {
  if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}

namespace {

// The window whose input waits while a message box is up, and the box.
HWND g_waiting_form = nullptr;
HWND g_box = nullptr;

bool is_mouse(UINT message) {
  return (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}
bool is_key(UINT message) { return message >= WM_KEYFIRST && message <= WM_KEYLAST; }

// Runs inside the message box's own loop, for every message it takes.
LRESULT CALLBACK hold_form_input(int code, WPARAM wparam, LPARAM lparam) {
  MSG* message = reinterpret_cast<MSG*>(lparam);
  if (code < 0 || g_waiting_form == nullptr || message->hwnd == nullptr) {
    return CallNextHookEx(nullptr, code, wparam, lparam);
  }
  const HWND root = GetAncestor(message->hwnd, GA_ROOT);
  // The thread's only other window is the box.
  if (root != g_waiting_form) g_box = root;
  if (root == g_waiting_form && g_box != nullptr && is_key(message->message)) {
    // Keys meant for the form go to the box, as they would if the form had
    // let it keep the focus: Enter dismisses it.
    SetForegroundWindow(g_box);
    message->hwnd = g_box;
    return FALSE;
  }
  if (root == g_waiting_form && is_mouse(message->message)) {
    if (g_box != nullptr && message->message == WM_LBUTTONDOWN) SetForegroundWindow(g_box);
    return TRUE;  // swallowed
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

}  // namespace

// The box is modal, but not through its owner: a box owned by the form
// disables it, and a disabled window's close request is dropped (Wine drops
// the window manager's), so a close while the box is up would be lost. The
// form stays enabled and its input is held back instead; its close reaches
// it, ends the form, and the quit that follows ends the box.
void message_box(Handle form, const std::string& title, const std::string& text) {
  HWND outer_form = g_waiting_form, outer_box = g_box;
  g_waiting_form = hwnd(form);
  g_box = nullptr;
  HHOOK hook = SetWindowsHookExW(WH_MSGFILTER, &hold_form_input, nullptr, GetCurrentThreadId());
  MessageBoxW(nullptr, wide(text).c_str(), wide(title).c_str(),
              MB_OK | MB_ICONEXCLAMATION | MB_SETFOREGROUND);
  if (hook != nullptr) UnhookWindowsHookEx(hook);
  g_waiting_form = outer_form;
  g_box = outer_box;
}

}  // namespace toolkit::win32
