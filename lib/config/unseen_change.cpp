#include "lib/config/unseen_change.h"

#include "lib/config/option_reader.h"

SeenFile ReadSeenFile(const char *path) {
  SeenFile file;
  file.status = ReadWholeFile(path, &file.bytes);
  if (file.status != ReadStatus::kOk) file.bytes.clear();
  return file;
}

bool BytesChangedSince(const SeenFile &seen, const SeenFile &now) {
  if (now.status == ReadStatus::kMissing) return false;
  return seen.status != ReadStatus::kOk || now.status != ReadStatus::kOk || seen.bytes != now.bytes;
}

OptionValues FileOptions(std::string_view fileText) {
  OptionValues values = DefaultOptionValues();
  ApplyOptionLines(&values, fileText);
  return values;
}
