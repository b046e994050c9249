// What is wrong, or will change, in the driver's two files: directives whose
// targets are missing, settings of the options page given more than once or
// with values the page cannot show, what loading the parameter file
// changes, and copies of the files in the current user's VirtualStore.
// Findings carry values, not sentences: each program words them. Nothing is
// written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lib/config/file_system_view.h"
#include "lib/config/text.h"

enum class FindingKind {
  // A file as a whole (line 0).
  kConfigMissing,      // orvane.cfg: the driver gets no soundfont, the options page its defaults
  kConfigUnreadable,   // orvane.cfg exists but cannot be read
  kParamsMissing,      // velder_soundfont.ini: the setup program's next start creates it
  kParamsUnreadable,   // the setup program shows its defaults and cannot save
  kParamsOlderLayout,  // no ver=101 in [main]: the setup program's next start converts it
  kShadowCopy,         // path: a copy in the VirtualStore, which programs without a manifest
                       // read instead of the file; shadow: how its bytes compare

  // Directive lines (directive, path, tried).
  kDirectiveEmpty,      // the line names no target
  kTargetNotFound,      // path: the target as written; tried: every path looked at, in order
  kTargetIsFolder,      // a soundfont or source target; path: as found
  kTargetNotFile,       // a soundfont or source target that is neither file nor folder
  kDirNotFolder,        // a dir target that is not a folder
  kSourceLoop,          // path: a file already being read; not followed
  kSourceTooDeep,       // path: not followed, sources being nested too deep or too many
  kSourceUnreadable,    // path: a source file that cannot be read
  kNotSoundfont,        // a soundfont target that is no RIFF sfbk file; path: as found
  kSoundfontTruncated,  // its RIFF size says more bytes than it holds; path: as found

  // Option lines (option; settings: the one setting a value is for).
  kGivenAgain,        // settings and effectFlags given again, the last time on laterLine
  kShownInstead,      // the page shows `shown` instead, and the next apply writes that
  kNotInPageList,     // kShownInstead, the value being none of the page's list
  kNotAChoice,        // kShownInstead, `given` being none of the letters of `choices`
  kWrittenAs,         // the next apply writes `written` (rtsyn-latency, -N or -R)
  kResampleTakesNoN,  // -N: `shown` is the algorithm, which takes none; the next apply drops it

  // Keys of the parameter file (section, key, text, number).
  kParamNarrowed,  // the value does not fit its field and becomes `number`
  kParamLimited,   // the value lies outside the load's limits and becomes `number`

  // Either file: the line ends in a lone CR, which the editor shows as a line
  // end while the driver and its engine, reading up to the next LF, take
  // this line and the next as one.
  kLoneCr,
};

// Bounds of following source lines that no real set-up reaches, so that a
// file that sources the same files over and over ends in a finding instead
// of never: files being read at once, and files read in all.
constexpr int kSourceDepthLimit = 32;
constexpr int kSourceFileLimit = 100;

// How a copy in the VirtualStore compares with the file it stands in for.
enum class ShadowBytes {
  kNotCompared,  // one of the two cannot be read
  kSame,
  kDiffer,
  kNoRealFile,  // the file itself is missing
};

// Texts taken from the files are as the file system view's decode gives them.
struct Finding {
  std::string file;
  int line = 0;  // 0: the file as a whole
  FindingKind kind = FindingKind::kConfigMissing;

  std::string directive;  // "soundfont", "source" or "dir"
  std::string path;
  ShadowBytes shadow = ShadowBytes::kNotCompared;
  std::vector<std::string> tried;

  std::string option;        // the option text, behind "#extension opt"
  uint32_t settings = 0;     // PageSetting bits
  uint32_t effectFlags = 0;  // bit i: the letter of EffectFlags[i]
  int laterLine = 0;
  std::string shown;    // a setting's value as its OptionSetting shows it
  std::string given;    // the choice as the line gives it
  std::string choices;  // the letters of the setting's list, in order
  std::string written;  // the value the next apply writes

  std::string section;
  std::string key;
  std::string text;  // the value as the file holds it
  double number = 0;
};

// Every finding of orvane.cfg (and the files it sources) and of
// velder_soundfont.ini at the given paths, file by file in the order they
// are first named, each by line. `virtualStore` is the folder of the current
// user's VirtualStore that stands for the folder of the two files (a copy
// there is looked for under the file's own name); empty: none is looked at.
std::vector<Finding> DiagnoseDriverFiles(const std::string &cfg, const std::string &ini,
                                         const std::string &virtualStore, const FileSystemView &fs);

// A finding of no values yet, added at the end of `findings`.
Finding &AddFinding(std::vector<Finding> *findings, const std::string &file, int line, FindingKind kind);

// The findings of the directives of orvane.cfg, given its text, and of the
// files it sources, in the order they are met.
void DiagnoseDirectives(const std::string &file, std::string_view text, const FileSystemView &fs,
                        std::vector<Finding> *findings);

// The findings of orvane.cfg's option lines, given the file's text.
void DiagnoseOptionLines(const std::string &file, std::string_view text, const FileSystemView &fs,
                         std::vector<Finding> *findings);

// The findings of velder_soundfont.ini, given how reading it went.
void DiagnoseParamsText(const std::string &file, ReadStatus status, std::string_view text,
                        const FileSystemView &fs, std::vector<Finding> *findings);
