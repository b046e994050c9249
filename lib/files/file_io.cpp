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
