// Starting a program and finding its window, for the tools that measure and
// photograph the programs from outside, as a user's shell would start them.
#pragma once

#include <windows.h>

struct StartedProgram {
  PROCESS_INFORMATION process;
  HWND window;  // its first visible top-level window, once found
};

// Starts `program` and waits until it is idle and its window is visible.
// False if it did not come up within `timeoutMs`.
bool StartAndWaitForWindow(const char *program, DWORD timeoutMs, StartedProgram *started);

// Asks the window to close and waits for the process to end; kills it if it
// does not. Returns its exit status, or STILL_ACTIVE (259) when it was killed.
DWORD CloseProgram(StartedProgram *started);
