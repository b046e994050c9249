// Feeds arbitrary bytes to check as orvane.cfg and velder_soundfont.ini, in
// a file system of its own: every .cfg file it sources holds the same bytes
// as orvane.cfg, so that loops and deep sourcing are reached, and so does
// its copy in the VirtualStore; every .sf2 file starts with the parameter
// file's bytes.
#include <algorithm>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <string_view>
#include <vector>

#include "lib/files/lines.h"
#include "lib/texts/finding_texts.h"

namespace {

std::string g_cfg, g_ini;

void Check(bool ok) {
  if (!ok) std::abort();
}

bool EndsWith(const std::string &text, const std::string &end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

PathKind Find(const std::string &path, std::string *found) {
  *found = path;
  if (path == "w" || path == "w/dir") return PathKind::kFolder;
  if (path == "w/orvane.cfg" || path == "vs/orvane.cfg" || path == "w/x.cfg" || path == "w/dir/y.cfg" ||
      EndsWith(path, ".sf2"))
    return PathKind::kFile;
  return PathKind::kMissing;
}

ReadStatus Read(const char *path, std::string *contents) {
  std::string name = path;
  if (EndsWith(name, ".ini"))
    *contents = g_ini;
  else if (EndsWith(name, ".cfg"))
    *contents = g_cfg;
  else
    return ReadStatus::kMissing;
  return ReadStatus::kOk;
}

// Soundfont files hold the parameter file's bytes, so that their starts are arbitrary too.
ReadStatus ReadStart(const char *path, size_t limit, std::string *start, uint64_t *size) {
  std::string name = path;
  if (!EndsWith(name, ".sf2")) return Read(path, start);
  *size = g_ini.size();
  *start = g_ini.substr(0, limit);
  return ReadStatus::kOk;
}

std::string AsIs(std::string_view bytes) { return std::string(bytes); }

// Where each line ends, as the editor numbers the lines: the line after the
// last line end is one more.
std::vector<size_t> LineEnds(std::string_view text) {
  std::vector<size_t> ends;
  for (size_t at = FindLineEnd(text); at != std::string_view::npos;
       at = FindLineEnd(text, at + LineEndLength(text, at)))
    ends.push_back(at);
  return ends;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  g_ini = data.ConsumeRandomLengthString(1024);
  g_cfg = data.ConsumeRemainingBytesAsString();
  FileSystemView fs{Find, Read, ReadStart, AsIs, "/dos", '/'};
  std::vector<Finding> findings = DiagnoseDriverFiles("w/orvane.cfg", "w/velder_soundfont.ini", "vs", fs);
  for (const Finding &finding : findings) {
    // A finding's line lies within the file as this file system gives it.
    std::string text;
    Read(finding.file.c_str(), &text);
    std::vector<size_t> ends = LineEnds(text);
    Check(finding.line >= 0 && finding.line <= static_cast<int>(ends.size()) + 1);
    // A lone CR is reported at the line it ends.
    Check(finding.kind != FindingKind::kLoneCr ||
          (finding.line >= 1 && static_cast<size_t>(finding.line) <= ends.size() &&
           IsLoneCr(text, ends[static_cast<size_t>(finding.line) - 1])));
    // The copy in the VirtualStore holds orvane.cfg's own bytes.
    Check(finding.kind != FindingKind::kShadowCopy || finding.shadow == ShadowBytes::kSame);
    for (Language language : {Language::kEnglish, Language::kJapanese}) {
      std::string message = DescribeFinding(finding, language);
      Check(!message.empty() && message.find('\n') == std::string::npos);
    }
  }
  std::vector<Finding> again = DiagnoseDriverFiles("w/orvane.cfg", "w/velder_soundfont.ini", "vs", fs);
  Check(again.size() == findings.size());
  return 0;
}
