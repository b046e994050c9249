// All-or-nothing file replacement on Linux: where the portable file logic is
// tested, and where velder-cfg replaces the files of a driver under Wine.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <sys/stat.h>

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

// The mode of the file replaced, so that its permissions stay as they were;
// for a new file what creating it would give.
mode_t ModeFor(const char *path) {
  struct stat st;
  if (stat(path, &st) == 0) return st.st_mode & 07777;
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

}  // namespace

bool SafeWriteFile(const char *path, const char *data, size_t size) {
  std::string target(path);
  size_t slash = target.rfind('/');
  std::string temp =
      (slash == std::string::npos ? std::string() : target.substr(0, slash + 1)) + ".velXXXXXX";
  int fd = mkstemp(&temp[0]);
  if (fd < 0) return false;
  bool ok = fchmod(fd, ModeFor(path)) == 0 && WriteAll(fd, data, size) && fsync(fd) == 0;
  ok = (close(fd) == 0) && ok;
  ok = ok && std::rename(temp.c_str(), path) == 0;
  if (!ok) unlink(temp.c_str());
  return ok;
}
