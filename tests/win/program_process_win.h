// A program started in a process of its own, as a user's shell starts it,
// and its window, for the tests and for the tools that measure and
// photograph the programs from outside.
#pragma once

#include <windows.h>

#include <string>

// Started from its full path, with the quoted path and then `arguments` as
// its command line; killed at the end if it is still running. Every wait
// gives up after 30 seconds.
class ProgramProcess {
 public:
  explicit ProgramProcess(const std::string &path, const std::string &arguments = "");
  ~ProgramProcess();
  ProgramProcess(const ProgramProcess &) = delete;
  ProgramProcess &operator=(const ProgramProcess &) = delete;

  bool started() const { return started_; }
  // Why it did not start: the error of CreateProcess.
  DWORD startError() const { return startError_; }

  // Its first visible top-level window (with this caption, when one is
  // given), once the program is idle; null if none comes in time.
  HWND Window(const char *caption = nullptr) const;

  // Asks `window` (if any) to close, as the caption's close button does, and
  // returns ExitStatus().
  DWORD Close(HWND window) const;
  // The exit status, or STILL_ACTIVE (259) when it does not end in time.
  DWORD ExitStatus() const;

 private:
  bool started_;
  DWORD startError_ = 0;
  PROCESS_INFORMATION process_ = {};
};
