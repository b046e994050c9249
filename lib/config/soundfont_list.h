// The soundfont entries of orvane.cfg and of the files it sources, as the
// soundfonts page and velder-cfg list them: each looked for as the
// diagnosis looks for it (the same walk), and its file checked for what it
// really is.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lib/config/file_system_view.h"
#include "lib/config/soundfont_file.h"

// A soundfont entry, switched on or off, and where its file was found.
struct SoundfontTarget {
  std::string file;  // the file whose line it is: orvane.cfg as given, a sourced file as found
  int line = 0;
  std::string text;  // the line, without its line end
  PathKind kind = PathKind::kMissing;
  std::string found;  // as the file system view spells it; empty when missing
};

// Every entry of orvane.cfg, given its text, and of the files it sources,
// in the order they are met (a source line's entries where it stands). An
// entry switched off is looked for where it stands, as if it were on; the
// engine skips it.
std::vector<SoundfontTarget> FindSoundfontTargets(const std::string &cfg, std::string_view text,
                                                  const FileSystemView &fs);

// What an entry's file is, as the page shows it.
struct SoundfontCheck {
  SoundfontStatus status = SoundfontStatus::kNotFound;
  std::string name;  // from INAM
  std::string size;  // as SoundfontSizeText gives it; empty when the file was not read
};

// Reads at most the start of a file found as `kind` at `found`.
SoundfontCheck CheckSoundfontFile(PathKind kind, const std::string &found, const FileSystemView &fs);
