// Where a Windows program starts: wWinMain, so that nothing reaches the
// program through the system's narrow code page.

#include <windows.h>

#include "platform/toolkit/program_entry.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return toolkit::program_main(); }
