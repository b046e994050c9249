// Whether a page's write would overwrite a change it has not seen: what its
// file gives now against what the page remembers the file gave when it last
// read or wrote it.
#pragma once

#include <string>
#include <string_view>

#include "lib/config/option_values.h"
#include "lib/files/file_io.h"

// A file's bytes as a page last saw them: missing, unreadable (unknown), or
// read whole.
struct SeenFile {
  ReadStatus status = ReadStatus::kMissing;
  std::string bytes;  // only for kOk
};

SeenFile ReadSeenFile(const char *path);

// True when writing over the file as it is `now` would lose bytes the page
// never showed: other bytes, a file that appeared, or a file that could not
// be read then or now. A file deleted meanwhile loses nothing.
bool BytesChangedSince(const SeenFile &seen, const SeenFile &now);

// The option values a file's text gives over the defaults.
OptionValues FileOptions(std::string_view fileText);
