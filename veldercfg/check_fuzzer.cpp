// Feeds arbitrary bytes to check as orvane.cfg and velder_soundfont.ini, in
// a file system of its own: every .cfg file it sources holds the same bytes
// as orvane.cfg, so that loops and deep sourcing are reached, and so does
// its copy in the VirtualStore; every .sf2 file starts with the parameter
// file's bytes.
#include <algorithm>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>

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

int Lines(const std::string &text) {
  return static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
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
    Check(finding.line >= 0 && finding.line <= Lines(text));
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
