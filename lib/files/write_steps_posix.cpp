// The writer's steps for the native build, where the portable file logic is
// tested. POSIX has no share modes: two native processes saving one file at
// once are not kept apart as the Windows steps keep them.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <new>
#include <sys/stat.h>

#include "lib/files/write_steps.h"

namespace {

int Descriptor(StepFile file) { return static_cast<int>(file); }

bool Opened(int fd, StepFile *file) {
  if (fd < 0) return false;
  *file = fd;
  return true;
}

bool CreateTemp(const char *temp, StepFile *file) {
  unlink(temp);
  return Opened(open(temp, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666), file);
}

bool OpenTarget(const char *path, StepFile *file) { return Opened(open(path, O_RDWR | O_CLOEXEC), file); }

bool ReadAll(StepFile file, std::string *bytes) {
  char chunk[65536];
  ssize_t got;
  try {
    while ((got = read(Descriptor(file), chunk, sizeof chunk)) > 0)
      bytes->append(chunk, static_cast<size_t>(got));
  } catch (const std::bad_alloc &) {
    return false;
  }
  return got == 0;
}

bool WriteFromStart(StepFile file, const char *data, size_t size) {
  if (lseek(Descriptor(file), 0, SEEK_SET) != 0) return false;
  while (size > 0) {
    ssize_t written = write(Descriptor(file), data, size);
    if (written < 0) return false;
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

bool SetEnd(StepFile file) {
  off_t end = lseek(Descriptor(file), 0, SEEK_CUR);
  return end >= 0 && ftruncate(Descriptor(file), end) == 0;
}

bool Flush(StepFile file) { return fsync(Descriptor(file)) == 0; }
bool Close(StepFile file) { return close(Descriptor(file)) == 0; }
// A replaced file keeps its permissions; a new one has those creating it gave.
bool Replace(const char *temp, const char *path) {
  struct stat target;
  if (stat(path, &target) == 0 && chmod(temp, target.st_mode & 07777) != 0) return false;
  return std::rename(temp, path) == 0;
}
void Remove(const char *temp) { unlink(temp); }

}  // namespace

const WriteSteps kSystemWriteSteps = {CreateTemp, OpenTarget, ReadAll, WriteFromStart, SetEnd,
                                      Flush,      Close,      Replace, Remove};
