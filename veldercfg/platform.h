// What velder-cfg takes from the system it runs on: where the Windows
// directory and its VirtualStore are, how the driver's paths reach the file system, how text
// reaches the terminal, and the MIDI system it reports on. platform_win.cpp and platform_posix.cpp each give
// it.
#pragma once

#include <string>
#include <string_view>

#include "lib/config/file_system_view.h"
#include "lib/midi/midi_calls.h"

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
  // The MIDI system check reports besides the files: on Windows the
  // system's; none on Linux, where the driver's programs run under Wine.
  const MidiCalls *midi;
};

extern const Platform kPlatform;

// Text as the terminal shows it.
std::string ForTerminal(std::string_view text);
