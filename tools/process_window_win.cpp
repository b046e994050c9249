#include "tools/process_window_win.h"

#include <string>

namespace {

struct Search {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindVisibleWindow(HWND window, LPARAM data) {
  Search *search = reinterpret_cast<Search *>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window)) search->found = window;
  return search->found == nullptr;
}

}  // namespace

bool StartAndWaitForWindow(const char *program, DWORD timeoutMs, StartedProgram *started) {
  std::string commandLine = std::string("\"") + program + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  started->window = nullptr;
  if (!CreateProcessA(program, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &started->process))
    return false;
  DWORD start = GetTickCount();
  if (WaitForInputIdle(started->process.hProcess, timeoutMs) != 0) return false;
  Search search = {started->process.dwProcessId, nullptr};
  while (!search.found && GetTickCount() - start < timeoutMs) {
    EnumWindows(FindVisibleWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  started->window = search.found;
  return search.found != nullptr;
}

DWORD CloseProgram(StartedProgram *started) {
  if (started->window) PostMessageA(started->window, WM_CLOSE, 0, 0);
  DWORD status = STILL_ACTIVE;
  if (WaitForSingleObject(started->process.hProcess, 5000) == WAIT_OBJECT_0)
    GetExitCodeProcess(started->process.hProcess, &status);
  else
    TerminateProcess(started->process.hProcess, 2);
  CloseHandle(started->process.hThread);
  CloseHandle(started->process.hProcess);
  return status;
}
