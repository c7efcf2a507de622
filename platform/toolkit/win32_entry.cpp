// Where a Windows program starts: wWinMain, so that nothing reaches the
// program through the system's narrow code page. The arguments are split
// as the C runtime would, from the command line in UTF-16.

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "platform/toolkit/program_entry.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int count = 0;
  wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::filesystem::path> arguments;
  for (int i = 1; words != nullptr && i < count; ++i) arguments.emplace_back(words[i]);
  if (words != nullptr) LocalFree(words);
  return toolkit::program_main(arguments);
}
