// All-or-nothing file replacement for the native build, where the portable
// file logic is tested. POSIX has no share modes: two native processes saving
// one file at once are not kept apart as the Windows writer keeps them.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <new>
#include <string>

#include "files/file_io.h"

namespace {

bool WriteAll(int fd, const char *data, size_t size) {
  while (size > 0) {
    ssize_t written = write(fd, data, size);
    if (written < 0) return false;
    data += written;
    size -= static_cast<size_t>(written);
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
  unlink(temp.c_str());  // a stale one, left by a save cut short
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, data, size) && fsync(fd) == 0;
  ok = (close(fd) == 0) && ok;
  ok = ok && std::rename(temp.c_str(), path) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}
