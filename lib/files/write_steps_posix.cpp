// The writer's steps for the native build, where the portable file logic is
// tested. POSIX has no share modes: two native processes saving one file at
// once are not kept apart as the Windows steps keep them, and a rename
// replaces whatever is at its destination.
//
// A file with no write permission bit is this platform's read-only file: the
// writer leaves it alone even where it could write it (as root), as Windows
// refuses to replace a read-only file. A replaced file keeps its permissions.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <new>
#include <sys/stat.h>
#include <thread>

#include "lib/files/write_steps.h"

namespace {

int Descriptor(StepFile file) { return static_cast<int>(file); }

bool Opened(int fd, StepFile *file) {
  if (fd < 0) return false;
  *file = fd;
  return true;
}

bool Inspect(const char *path, TargetInfo *info) {
  *info = TargetInfo{};
  struct stat target;
  if (stat(path, &target) != 0) return errno == ENOENT || errno == ENOTDIR;
  info->exists = true;
  info->readOnly = (target.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
  info->kept = target.st_mode & 07777;
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
bool Keep(const char *temp, uint32_t kept) { return chmod(temp, static_cast<mode_t>(kept)) == 0; }
MoveResult Move(const char *from, const char *to) {
  return std::rename(from, to) == 0 ? MoveResult::kDone : MoveResult::kFailed;
}
// A rename is one step that never stops half-way; the old file is left under
// the backup name by a second link to it, where the file system allows one.
MoveResult Replace(const char *temp, const char *path, const char *backup) {
  link(path, backup);
  return Move(temp, path);
}
void Remove(const char *path) { unlink(path); }
void Pause(unsigned milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

bool Denied() { return errno == EACCES || errno == EPERM; }

}  // namespace

std::string WrittenPath(const char *path) {
  std::string written = path;
  // As many links as the system follows itself before it gives up.
  for (int links = 0; links < 40; ++links) {
    struct stat status;
    if (lstat(written.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) break;
    std::string to(static_cast<size_t>(status.st_size) + 1, '\0');
    ssize_t length = readlink(written.c_str(), &to[0], to.size());
    if (length <= 0 || static_cast<size_t>(length) >= to.size()) break;
    to.resize(static_cast<size_t>(length));
    size_t slash = written.rfind('/');
    written = to[0] == '/' || slash == std::string::npos ? to : written.substr(0, slash + 1) + to;
  }
  return written;
}

const WriteSteps kSystemWriteSteps = {Inspect, CreateTemp, OpenTarget, ReadAll, WriteFromStart,
                                      SetEnd,  Flush,      Close,      Keep,    Replace,
                                      Move,    Move,       Remove,     Pause,   Denied};
