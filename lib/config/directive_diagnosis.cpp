// The directives of orvane.cfg and of the files it sources: each target
// looked for as the engine looks for it.
#include <algorithm>

#include "lib/config/diagnosis.h"
#include "lib/config/directive_line.h"
#include "lib/config/soundfont_lines.h"
#include "lib/config/soundfont_list.h"
#include "lib/config/text.h"

namespace {

// The folder part of a path: "." where it names none, a drive's colon kept.
std::string FolderOf(const std::string &path, char separator) {
  size_t slash = LastSeparator(path, separator);
  if (slash == std::string::npos) return ".";
  return path.substr(0, path[slash] == ':' ? slash + 1 : slash);
}

bool IsAbsolute(std::string_view path) {
  bool drive = path.size() >= 2 && path[1] == ':' &&
               ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return drive || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

// `path` as the file system names it: separators, and drive letters through
// the drive links.
std::string NativePath(std::string_view path, const FileSystemView &fs) {
  if (fs.separator != '/') return std::string(path);
  std::string native;
  if (!fs.driveLinks.empty() && path.size() >= 2 && path[1] == ':' && IsAbsolute(path)) {
    char letter = path[0] >= 'A' && path[0] <= 'Z' ? static_cast<char>(path[0] - 'A' + 'a') : path[0];
    native = fs.driveLinks + "/" + letter + ":";
    path.remove_prefix(2);
    if (!path.empty() && path[0] != '\\' && path[0] != '/') native += '/';
  }
  for (char c : path) native += c == '\\' ? '/' : c;
  return native;
}

// The directives of one file and of the files it sources.
struct DirectiveWalk {
  const FileSystemView &fs;
  std::vector<Finding> *findings;
  // Null for the diagnosis, which checks each soundfont file it finds;
  // else where the soundfont entries go, switched-off ones included.
  std::vector<SoundfontTarget> *soundfonts;
  std::vector<std::string> dirs;     // the dir lines' folders so far, latest last
  std::vector<std::string> reading;  // the files being read, outermost first, by FileIdentity
  int sourced = 0;                   // source files read so far
};

void WalkDirectives(DirectiveWalk &walk, const std::string &file, std::string_view text);

// What tells a file from every other, so that a loop is found however its
// source lines spell the file.
std::string FileIdentity(const DirectiveWalk &walk, const std::string &found) {
  std::string identity = walk.fs.identity ? walk.fs.identity(found) : "";
  return identity.empty() ? found : identity;
}

// Finds the target of a directive as the engine looks for it: an absolute
// path as it is, a relative one in the dir folders, latest first, and then
// beside the file that names it.
PathKind Locate(DirectiveWalk &walk, const std::string &file, const std::string &target, std::string *found,
                std::vector<std::string> *tried) {
  std::string native = NativePath(target, walk.fs);
  if (IsAbsolute(target)) {
    tried->push_back(native);
  } else {
    for (auto dir = walk.dirs.rbegin(); dir != walk.dirs.rend(); ++dir)
      tried->push_back(*dir + walk.fs.separator + native);
    tried->push_back(FolderOf(file, walk.fs.separator) + walk.fs.separator + native);
  }
  for (const std::string &path : *tried) {
    PathKind kind = walk.fs.find(path, found);
    if (kind != PathKind::kMissing) return kind;
  }
  return PathKind::kMissing;
}

Finding &Add(DirectiveWalk &walk, const std::string &file, int line, FindingKind kind,
             std::string_view directive, const std::string &path) {
  Finding &finding = AddFinding(walk.findings, file, line, kind);
  finding.directive = directive;
  finding.path = path;
  return finding;
}

void FollowSource(DirectiveWalk &walk, const std::string &file, int line, const std::string &found) {
  FindingKind refused;
  if (std::find(walk.reading.begin(), walk.reading.end(), FileIdentity(walk, found)) != walk.reading.end()) {
    refused = FindingKind::kSourceLoop;
  } else if (walk.reading.size() >= static_cast<size_t>(kSourceDepthLimit) ||
             walk.sourced >= kSourceFileLimit) {
    refused = FindingKind::kSourceTooDeep;
  } else {
    ++walk.sourced;
    std::string text;
    if (walk.fs.read(found.c_str(), &text) == ReadStatus::kOk) {
      WalkDirectives(walk, found, text);
      return;
    }
    refused = FindingKind::kSourceUnreadable;
  }
  Add(walk, file, line, refused, "source", found);
}

// The diagnosis' findings of a soundfont file that is there: what it really is.
void CheckSoundfontHead(DirectiveWalk &walk, const std::string &file, int line, const std::string &found) {
  SoundfontStatus status = CheckSoundfontFile(PathKind::kFile, found, walk.fs).status;
  if (status == SoundfontStatus::kNotSoundfont)
    Add(walk, file, line, FindingKind::kNotSoundfont, "soundfont", found);
  else if (status == SoundfontStatus::kTruncated)
    Add(walk, file, line, FindingKind::kSoundfontTruncated, "soundfont", found);
}

// A soundfont entry for the list, looked for where it stands.
void AddSoundfont(DirectiveWalk &walk, const std::string &file, int line, std::string_view text,
                  std::string_view target) {
  SoundfontTarget entry{file, line, std::string(text), PathKind::kMissing, ""};
  std::vector<std::string> tried;
  if (!target.empty()) entry.kind = Locate(walk, file, walk.fs.decode(target), &entry.found, &tried);
  if (entry.kind == PathKind::kMissing) entry.found.clear();
  walk.soundfonts->push_back(std::move(entry));
}

void CheckDirective(DirectiveWalk &walk, const std::string &file, int line, std::string_view directive,
                    std::string_view target) {
  if (target.empty()) {
    Add(walk, file, line, FindingKind::kDirectiveEmpty, directive, "");
    return;
  }
  std::string decoded = walk.fs.decode(target), found;
  std::vector<std::string> tried;
  PathKind kind = Locate(walk, file, decoded, &found, &tried);
  bool wantsFolder = directive == "dir";
  if (kind == PathKind::kMissing) {
    Add(walk, file, line, FindingKind::kTargetNotFound, directive, decoded).tried = std::move(tried);
  } else if (wantsFolder && kind != PathKind::kFolder) {
    Add(walk, file, line, FindingKind::kDirNotFolder, directive, found);
  } else if (!wantsFolder && kind != PathKind::kFile) {
    Add(walk, file, line,
        kind == PathKind::kFolder ? FindingKind::kTargetIsFolder : FindingKind::kTargetNotFile, directive,
        found);
  } else if (wantsFolder) {
    // A folder named again moves to the front of the search; once is enough.
    walk.dirs.erase(std::remove(walk.dirs.begin(), walk.dirs.end(), found), walk.dirs.end());
    walk.dirs.push_back(found);
  } else if (directive == "source") {
    FollowSource(walk, file, line, found);
  } else if (!walk.soundfonts) {
    CheckSoundfontHead(walk, file, line, found);
  }
}

void WalkDirectives(DirectiveWalk &walk, const std::string &file, std::string_view text) {
  walk.reading.push_back(FileIdentity(walk, file));
  ForEachLineWithNumber(text, [&](std::string_view line, int number) {
    std::string_view directive, target;
    SoundfontLine entry;
    bool listed = walk.soundfonts && ParseSoundfontLine(WithoutEndingCrs(line), &entry);
    if (listed) AddSoundfont(walk, file, number, WithoutEndingCrs(line), entry.target);
    // A listed soundfont line has been looked for; the rest walk on as the diagnosis walks.
    if (!listed && FindDirective(line, &directive, &target))
      CheckDirective(walk, file, number, directive, target);
  });
  walk.reading.pop_back();
}

}  // namespace

void DiagnoseDirectives(const std::string &file, std::string_view text, const FileSystemView &fs,
                        std::vector<Finding> *findings) {
  DirectiveWalk walk{fs, findings, nullptr, {}, {}};
  WalkDirectives(walk, file, text);
}

std::vector<SoundfontTarget> FindSoundfontTargets(const std::string &cfg, std::string_view text,
                                                  const FileSystemView &fs) {
  std::vector<Finding> unused;
  std::vector<SoundfontTarget> soundfonts;
  DirectiveWalk walk{fs, &unused, &soundfonts, {}, {}};
  // Walked under the one spelling a source line back to it is told by, as the diagnosis walks it.
  std::string found;
  if (fs.find(cfg, &found) == PathKind::kMissing) found = cfg;
  WalkDirectives(walk, found, text);
  for (SoundfontTarget &target : soundfonts)
    if (target.file == found) target.file = cfg;
  return soundfonts;
}
