#include "tests/win/program_process_win.h"

#include <windows.h>

namespace {

const DWORD kWaitMs = 30000;

struct WindowSearch {
  DWORD processId;
  const char *caption;
  HWND found;
};

// A named CALLBACK, not a lambda: a lambda has no stdcall conversion on i686.
BOOL CALLBACK FindProcessWindow(HWND window, LPARAM data) {
  WindowSearch *s = reinterpret_cast<WindowSearch *>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char text[256];
  if (owner == s->processId && IsWindowVisible(window) &&
      (!s->caption || (GetWindowTextA(window, text, sizeof text) && lstrcmpA(text, s->caption) == 0)))
    s->found = window;
  return s->found == nullptr;
}

}  // namespace

ProgramProcess::ProgramProcess(const std::string &path, const std::string &arguments) {
  std::string commandLine = "\"" + path + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  started_ = CreateProcessA(path.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process_);
  if (!started_) startError_ = GetLastError();
}

ProgramProcess::~ProgramProcess() {
  if (!started_) return;
  if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 99);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
}

HWND ProgramProcess::Window(const char *caption) const {
  DWORD start = GetTickCount();
  if (!started_ || WaitForInputIdle(process_.hProcess, kWaitMs) != 0) return nullptr;
  WindowSearch search = {process_.dwProcessId, caption, nullptr};
  while (!search.found && GetTickCount() - start < kWaitMs) {
    EnumWindows(FindProcessWindow, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(1);
  }
  return search.found;
}

DWORD ProgramProcess::Close(HWND window) const {
  if (window) PostMessageA(window, WM_CLOSE, 0, 0);
  return ExitStatus();
}

DWORD ProgramProcess::ExitStatus() const {
  DWORD status = STILL_ACTIVE;
  if (started_ && WaitForSingleObject(process_.hProcess, kWaitMs) == WAIT_OBJECT_0)
    GetExitCodeProcess(process_.hProcess, &status);
  return status;
}
