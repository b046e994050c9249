#include "lib/config/soundfont_list.h"

#include "lib/config/soundfont_lines.h"
#include "lib/ini/lead_byte.h"

SoundfontCheck CheckSoundfontFile(PathKind kind, const std::string &found, const FileSystemView &fs) {
  SoundfontCheck check;
  check.kind = kind;
  if (kind == PathKind::kMissing) return check;
  check.found = found;
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

namespace {

// The check of orvane.cfg's own entry `index` once its entries are `lines`:
// looked for where it would stand.
SoundfontCheck CheckOwnEntry(const std::string &cfg, std::string_view text,
                             const std::vector<std::string> &lines, size_t index, const FileSystemView &fs) {
  size_t seen = 0;
  for (const SoundfontTarget &target : FindSoundfontTargets(cfg, RewriteSoundfontLines(text, lines), fs))
    if (target.file == cfg && seen++ == index) return CheckSoundfontFile(target.kind, target.found, fs);
  return {};
}

// Paths the same but for letter case; a double-byte character's trail byte
// is no letter.
bool SamePath(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (IniIsLeadByte(x)) {
      if (x != y || (i + 1 < a.size() && a[i + 1] != b[i + 1])) return false;
      ++i;
    } else if ((x >= 'A' && x <= 'Z' ? x + 32 : x) != (y >= 'A' && y <= 'Z' ? y + 32 : y)) {
      return false;
    }
  }
  return true;
}

// The row `line` would be at `index` of `own`, or why it is refused.
SoundfontOutcome Judge(const std::string &cfg, std::string_view text, const std::string &path, size_t index,
                       const std::string &line, const std::vector<SoundfontRow> &own,
                       const FileSystemView &fs) {
  SoundfontOutcome outcome{path, SoundfontRefusal::kNone, {}};
  for (size_t i = 0; i < own.size(); ++i)
    if (i != index && SamePath(TargetOf(own[i]), path)) outcome.refusal = SoundfontRefusal::kListed;
  if (!FitsSoundfontLine(path)) outcome.refusal = SoundfontRefusal::kUnfit;
  if (outcome.refusal != SoundfontRefusal::kNone) return outcome;
  std::vector<std::string> lines = LinesOf(own);
  if (index < lines.size())
    lines[index] = line;
  else
    lines.push_back(line);
  outcome.check = CheckOwnEntry(cfg, text, lines, index, fs);
  if (outcome.check.kind == PathKind::kFolder)
    outcome.refusal = SoundfontRefusal::kFolder;
  else if (outcome.check.status != SoundfontStatus::kOk)
    outcome.refusal = SoundfontRefusal::kChecked;
  return outcome;
}

}  // namespace

SoundfontList ListSoundfonts(const std::string &cfg, std::string_view text, const FileSystemView &fs) {
  SoundfontList list;
  std::vector<std::string> own = ReadSoundfontLines(text);
  for (const SoundfontTarget &target : FindSoundfontTargets(cfg, text, fs)) {
    bool isOwn = target.file == cfg;
    SoundfontRow row{isOwn && list.own.size() < own.size() ? own[list.own.size()] : target.text,
                     isOwn ? "" : target.file, CheckSoundfontFile(target.kind, target.found, fs)};
    (isOwn ? list.own : list.sourced).push_back(std::move(row));
  }
  return list;
}

std::vector<std::string> LinesOf(const std::vector<SoundfontRow> &rows) {
  std::vector<std::string> lines;
  for (const SoundfontRow &row : rows) lines.push_back(row.line);
  return lines;
}

bool IsOn(const SoundfontRow &row) {
  SoundfontLine parts;
  return ParseSoundfontLine(row.line, &parts) && parts.on;
}

std::string TargetOf(const SoundfontRow &row) {
  SoundfontLine parts;
  return ParseSoundfontLine(row.line, &parts) ? std::string(parts.target) : "";
}

std::vector<SoundfontOutcome> AddSoundfonts(const std::string &cfg, std::string_view text,
                                            const std::vector<std::string> &paths,
                                            std::vector<SoundfontRow> *own, const FileSystemView &fs) {
  std::vector<SoundfontOutcome> outcomes;
  for (const std::string &path : paths) {
    std::string line = NewSoundfontLine(path);
    outcomes.push_back(Judge(cfg, text, path, own->size(), line, *own, fs));
    if (outcomes.back().refusal == SoundfontRefusal::kNone) own->push_back({line, "", outcomes.back().check});
  }
  return outcomes;
}

SoundfontOutcome RelocateSoundfont(const std::string &cfg, std::string_view text, const std::string &path,
                                   size_t index, std::vector<SoundfontRow> *own, const FileSystemView &fs) {
  std::string line = FitsSoundfontLine(path) ? RelocatedSoundfontLine((*own)[index].line, path) : "";
  SoundfontOutcome outcome = Judge(cfg, text, path, index, line, *own, fs);
  if (outcome.refusal == SoundfontRefusal::kNone) (*own)[index] = {line, "", outcome.check};
  return outcome;
}
