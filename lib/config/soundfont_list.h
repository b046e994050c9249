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
  PathKind kind = PathKind::kMissing;
  std::string found;  // the file as found; empty when missing
};

// Reads at most the start of a file found as `kind` at `found`.
SoundfontCheck CheckSoundfontFile(PathKind kind, const std::string &found, const FileSystemView &fs);

// An entry of the list: orvane.cfg's own, which the list may change, or a
// sourced file's, which it only shows.
struct SoundfontRow {
  std::string line;    // as written, without its line end
  std::string source;  // empty for orvane.cfg's own; else the sourced file, as found
  SoundfontCheck check;
};

struct SoundfontList {
  std::vector<SoundfontRow> own;      // in file order
  std::vector<SoundfontRow> sourced;  // in the order the engine meets them
};

// orvane.cfg's entries, given its text, and its sourced files', each checked.
SoundfontList ListSoundfonts(const std::string &cfg, std::string_view text, const FileSystemView &fs);

// The lines of the rows, in order.
std::vector<std::string> LinesOf(const std::vector<SoundfontRow> &rows);

// Whether a row is switched on.
bool IsOn(const SoundfontRow &row);

// The target of a row's line, as written.
std::string TargetOf(const SoundfontRow &row);

// Why a file was not put in the list.
enum class SoundfontRefusal {
  kNone,     // it was
  kListed,   // an entry of the same path is there (letter case not counting)
  kFolder,   // it is a folder
  kUnfit,    // its name cannot stand in a line
  kChecked,  // its check is not OK; the outcome's check says why
};

struct SoundfontOutcome {
  std::string path;
  SoundfontRefusal refusal = SoundfontRefusal::kNone;
  SoundfontCheck check;
};

// Adds each of `paths` as a new entry at the end of `own` (orvane.cfg's
// own rows, `text` being its text) that the lookup finds as an OK file not
// listed yet; one outcome a path, in order.
std::vector<SoundfontOutcome> AddSoundfonts(const std::string &cfg, std::string_view text,
                                            const std::vector<std::string> &paths,
                                            std::vector<SoundfontRow> *own, const FileSystemView &fs);

// Points row `index` of `own` at `path` when the lookup finds it there as
// an OK file; its options stay. Another row of the same path does not count
// against it.
SoundfontOutcome RelocateSoundfont(const std::string &cfg, std::string_view text, const std::string &path,
                                   size_t index, std::vector<SoundfontRow> *own, const FileSystemView &fs);
