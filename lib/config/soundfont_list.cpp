#include "lib/config/soundfont_list.h"

SoundfontCheck CheckSoundfontFile(PathKind kind, const std::string &found, const FileSystemView &fs) {
  SoundfontCheck check;
  if (kind == PathKind::kMissing) return check;
  check.status = kind == PathKind::kFile ? SoundfontStatus::kUnreadable : SoundfontStatus::kNotSoundfont;
  if (kind != PathKind::kFile) return check;
  std::string head;
  uint64_t size = 0;
  ReadStatus status = fs.readStart(found.c_str(), kSoundfontHeadLimit, &head, &size);
  if (status == ReadStatus::kMissing) check.status = SoundfontStatus::kNotFound;
  if (status != ReadStatus::kOk) return check;
  SoundfontHead read = ReadSoundfontHead(head, size);
  check.status = read.status;
  check.name = read.name;
  check.size = SoundfontSizeText(size);
  return check;
}
