// The file system as the diagnosis sees it: each program gives its own
// (velder-cfg's on Linux reaches a Wine prefix), and tests and the fuzzer
// bring theirs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "lib/files/file_io.h"

enum class PathKind { kMissing, kFile, kFolder, kOther };

struct FileSystemView {
  // What `path` names; `*found` gets the one spelling of it that tells two
  // paths to the same file apart from two different files.
  PathKind (*find)(const std::string &path, std::string *found);
  ReadStatus (*read)(const char *path, std::string *contents);
  // At most `limit` bytes of a file's start and the file's size (ReadFileStart).
  ReadStatus (*readStart)(const char *path, size_t limit, std::string *start, uint64_t *size);
  // Text from the driver's files (the ANSI code page, 932) as names and the
  // terminal take it.
  std::string (*decode)(std::string_view bytes);
  std::string driveLinks;  // where "C:" leads, as "<driveLinks>/c:"; empty: the system knows drives
  char separator;
  // The identity of the file `path` names, whatever its spelling (on Windows
  // its volume serial and file index, elsewhere its device and inode); empty
  // where it cannot be told, and then the spelling `find` gives stands for it.
  std::string (*identity)(const std::string &path) = nullptr;
};
