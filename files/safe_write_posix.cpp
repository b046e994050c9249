// All-or-nothing file replacement for the native build, where the portable
// file logic is tested.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
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
  std::string target(path);
  size_t slash = target.rfind('/');
  std::string temp =
      (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + ".velXXXXXX";
  int fd = mkstemp(&temp[0]);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, data, size) && fsync(fd) == 0;
  ok = (close(fd) == 0) && ok;
  ok = ok && std::rename(temp.c_str(), path) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}
