// All-or-nothing file replacement: the data goes to a temporary file in the
// target's own directory (so the final move is a rename on one volume), is
// flushed, and then replaces the target in one step.
#include <windows.h>

#include <cstring>

#include "files/file_io.h"

namespace {

// The directory part of `path`, without the final separator. A separator byte
// can be the trail byte of a double-byte character, so walk by characters.
bool DirectoryOf(const char *path, char (&dir)[MAX_PATH]) {
  size_t cut = 0;
  for (size_t i = 0; path[i];) {
    if (IsDBCSLeadByte(static_cast<BYTE>(path[i])) && path[i + 1]) {
      i += 2;
      continue;
    }
    if (path[i] == '\\' || path[i] == '/') cut = i;
    ++i;
  }
  if (cut == 0 || cut >= MAX_PATH) return false;
  std::memcpy(dir, path, cut);
  dir[cut] = '\0';
  return true;
}

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
  char dir[MAX_PATH];
  char temp[MAX_PATH];
  if (!DirectoryOf(path, dir) || !GetTempFileNameA(dir, "vel", 0, temp)) return false;

  HANDLE file =
      CreateFileA(temp, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  bool ok = file != INVALID_HANDLE_VALUE;
  if (ok) {
    ok = WriteAll(file, data, size) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
  }
  ok = ok && MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileA(temp);
  return ok;
}
