// Whole-file reading and all-or-nothing writing, used for every file the
// suite reads or writes. Portable: the Windows and POSIX builds each supply
// their own SafeWriteFile.
#pragma once

#include <cstddef>
#include <string>

enum class ReadStatus {
  kOk,       // the whole file is in the string
  kMissing,  // the file does not exist: callers treat it as empty
  kFailed,   // it exists but could not be read (sharing, access, memory)
};

ReadStatus ReadWholeFile(const char *path, std::string *contents);

// Writes `size` bytes to a temporary file beside `path`, flushes it to disk
// and then replaces `path` with it in one step. On any failure `path` is left
// as it was, the temporary file is removed, and false is returned.
bool SafeWriteFile(const char *path, const char *data, size_t size);
