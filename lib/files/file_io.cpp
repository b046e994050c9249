#include "lib/files/file_io.h"

#include <cerrno>
#include <cstdio>
#include <new>

ReadStatus ReadWholeFile(const char *path, std::string *contents) {
  errno = 0;
  FILE *file = std::fopen(path, "rb");
  if (!file) return errno == ENOENT ? ReadStatus::kMissing : ReadStatus::kFailed;

  ReadStatus status = ReadStatus::kOk;
  std::string data;
  char chunk[65536];
  try {
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) data.append(chunk, got);
  } catch (const std::bad_alloc &) {
    status = ReadStatus::kFailed;
  }
  if (std::ferror(file)) status = ReadStatus::kFailed;
  std::fclose(file);
  if (status == ReadStatus::kOk) contents->swap(data);
  return status;
}

namespace {

// The size of an open file, past 2 GB too.
bool SizeOf(FILE *file, uint64_t *size) {
#ifdef _WIN32
  if (_fseeki64(file, 0, SEEK_END) != 0) return false;
  long long end = _ftelli64(file);
#else
  if (fseeko(file, 0, SEEK_END) != 0) return false;
  long long end = ftello(file);
#endif
  if (end < 0) return false;
  *size = static_cast<uint64_t>(end);
  return true;
}

}  // namespace

ReadStatus ReadFileStart(const char *path, size_t limit, std::string *start, uint64_t *size) {
  errno = 0;
  FILE *file = std::fopen(path, "rb");
  if (!file) return errno == ENOENT ? ReadStatus::kMissing : ReadStatus::kFailed;
  ReadStatus status = ReadStatus::kFailed;
  try {
    std::string data(limit, '\0');
    size_t got = std::fread(&data[0], 1, limit, file);
    if (!std::ferror(file) && SizeOf(file, size)) {
      data.resize(got);
      start->swap(data);
      status = ReadStatus::kOk;
    }
  } catch (const std::bad_alloc &) {
  }
  std::fclose(file);
  return status;
}
