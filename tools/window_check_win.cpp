// Starts a program as a user's shell would, waits for its window to come up,
// closes it as the user would, and prints the window's caption and the
// program's exit status, for the check of the released programs:
//   window_check.exe <program.exe>
// Fails when the window does not come up or the program does not end.
#include <windows.h>

#include <cstdio>

#include "tests/win/program_process_win.h"

int main(int argc, char **argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: window_check <program.exe>\n");
    return 2;
  }
  ProgramProcess program(argv[1]);
  if (!program.started()) {
    std::fprintf(stderr, "%s could not be started (error %lu)\n", argv[1], program.startError());
    return 1;
  }
  HWND window = program.Window();
  char caption[256] = "";
  if (window) GetWindowTextA(window, caption, sizeof caption);
  DWORD status = program.Close(window);
  if (!window) {
    std::fprintf(stderr, "%s started, but its window did not come up\n", argv[1]);
    return 1;
  }
  if (status == STILL_ACTIVE) {
    std::fprintf(stderr, "%s did not end when its window was closed\n", argv[1]);
    return 1;
  }
  std::printf("window \"%s\", exit status %lu\n", caption, status);
  return 0;
}
