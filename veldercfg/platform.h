// What velder-cfg takes from the system it runs on: where the Windows
// directory is, how the driver's paths reach the file system, and how text
// reaches the terminal. platform_win.cpp and platform_posix.cpp each give it.
#pragma once

#include <string>
#include <string_view>

#include "lib/files/file_io.h"

enum class PathKind { kMissing, kFile, kFolder, kOther };

// The file system as check sees it; tests and the fuzzer bring their own.
struct FileSystemView {
  // What `path` names; `*found` gets the one spelling of it that tells two
  // paths to the same file apart from two different files.
  PathKind (*find)(const std::string &path, std::string *found);
  ReadStatus (*read)(const char *path, std::string *contents);
  // Text from the driver's files (the ANSI code page, 932) as names and the
  // terminal take it.
  std::string (*decode)(std::string_view bytes);
  std::string driveLinks;  // where "C:" leads, as "<driveLinks>/c:"; empty: the system knows drives
  char separator;
};

struct Platform {
  const char *name;                    // the program's own
  std::string (*defaultWindowsDir)();  // empty when there is none
  FileSystemView (*fileSystem)(const std::string &windowsDir);
};

extern const Platform kPlatform;

// Text as the terminal shows it.
std::string ForTerminal(std::string_view text);
