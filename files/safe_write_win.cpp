// All-or-nothing file replacement: the data goes to a temporary file named
// after the target, in the target's own directory (so the final move is a
// rename on one volume), is flushed, and then replaces the target in one
// step. The temporary file is held without sharing while it is written, so
// that another save of the same file can neither remove, reuse nor move it.
#include <windows.h>

#include <new>
#include <string>

#include "files/file_io.h"

namespace {

bool WriteAll(HANDLE file, const char *data, size_t size) {
  while (size > 0) {
    DWORD chunk = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    DWORD written = 0;
    if (!WriteFile(file, data, chunk, &written, nullptr) || written != chunk) return false;
    data += chunk;
    size -= chunk;
  }
  return true;
}

}  // namespace

bool SafeWriteFile(const char *path, const char *data, size_t size) {
  std::string temp;
  try {
    temp = std::string(path) + kTempFileSuffix;
  } catch (const std::bad_alloc &) {
    return false;
  }
  DeleteFileA(temp.c_str());  // a stale one, left by a save cut short; one another save holds stays
  HANDLE file =
      CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool ok = WriteAll(file, data, size) && FlushFileBuffers(file);
  ok = CloseHandle(file) && ok;
  ok = ok && MoveFileExA(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileA(temp.c_str());
  return ok;
}
