// What velder-cfg takes from the system it runs on: where the Windows
// directory and its VirtualStore are, how the driver's paths reach the file system, and how text
// reaches the terminal. platform_win.cpp and platform_posix.cpp each give it.
#pragma once

#include <string>
#include <string_view>

#include "lib/config/file_system_view.h"

struct Platform {
  const char *name;                    // the program's own
  std::string (*defaultWindowsDir)();  // empty when there is none
  // The current user's VirtualStore folder that stands for the default
  // Windows directory; empty when there is none.
  std::string (*virtualStore)();
  FileSystemView (*fileSystem)(const std::string &windowsDir);
  // Why a write failed, where the user can do something about it (a file
  // marked read-only, a write the system refused for lack of rights), and
  // what; else empty.
  std::string (*writeRefusal)(WriteFailure failure);
};

extern const Platform kPlatform;

// Text as the terminal shows it.
std::string ForTerminal(std::string_view text);
