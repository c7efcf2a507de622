// Prints the text of the primary selection, as a middle-click paste would
// get it: what the user last selected in any window. Scripts select a text
// box's contents with the mouse and read it back with this.
//
//   x_selection      (exit 0 and the text; 1 when nobody owns the selection
//                     or the owner did not answer within two seconds)

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <thread>

int main() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "x_selection: cannot open display\n");
    return 1;
  }
  if (XGetSelectionOwner(display, XA_PRIMARY) == None) {
    XCloseDisplay(display);
    return 1;
  }
  // The owner writes the text into a property of a window of ours.
  const Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1, 1, 0, 0, 0);
  const Atom property = XInternAtom(display, "KELVO_SELECTION", False);
  XConvertSelection(display, XA_PRIMARY, XA_STRING, property, window, CurrentTime);
  XFlush(display);

  int status = 1;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (std::chrono::steady_clock::now() < deadline) {
    XEvent event;
    if (!XCheckTypedWindowEvent(display, window, SelectionNotify, &event)) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
      continue;
    }
    if (event.xselection.property == None) break;  // refused
    Atom type = None;
    int format = 0;
    unsigned long items = 0, left = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, 65536, True, AnyPropertyType, &type,
                           &format, &items, &left, &data) == Success &&
        data != nullptr) {
      if (format == 8) {
        std::fwrite(data, 1, items, stdout);
        std::fputc('\n', stdout);
        status = 0;
      }
      XFree(data);
    }
    break;
  }
  XDestroyWindow(display, window);
  XCloseDisplay(display);
  return status;
}
