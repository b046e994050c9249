#include "veldercfg/check.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "lib/config/driver_params.h"
#include "lib/config/option_lines.h"
#include "lib/config/option_reader.h"
#include "lib/config/option_syntax.h"
#include "lib/ini/lead_byte.h"
#include "veldercfg/settings.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Calls `visit(line, number)` for every line, empty ones included, numbered
// from 1 as an editor numbers them; a CR before the LF is not part of the line.
template <class Visit>
void ForEachNumberedLine(std::string_view text, Visit visit) {
  for (int number = 1; !text.empty(); ++number) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    visit(line, number);
  }
}

std::string Quoted(const FileSystemView &fs, std::string_view bytes) {
  return "\"" + fs.decode(bytes) + "\"";
}

// The folder part of a path. Windows paths are code page 932 bytes, whose
// second bytes can be a backslash: those are stepped over.
std::string FolderOf(const std::string &path, char separator) {
  size_t slash = std::string::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    bool end = path[i] == '/' || (separator == '\\' && (path[i] == '\\' || path[i] == ':'));
    if (end) slash = i;
    if (separator == '\\' && IniIsLeadByte(static_cast<unsigned char>(path[i]))) ++i;
  }
  if (slash == std::string::npos) return ".";
  return path.substr(0, path[slash] == ':' ? slash + 1 : slash);
}

bool IsAbsolute(std::string_view path) {
  bool drive = path.size() >= 2 && path[1] == ':' &&
               ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z'));
  return drive || (!path.empty() && (path[0] == '\\' || path[0] == '/'));
}

// The directives of one file and of the files it sources.
struct DirectiveWalk {
  const FileSystemView &fs;
  std::vector<Finding> *findings;
  std::vector<std::string> dirs;     // the dir lines' folders so far, latest last
  std::vector<std::string> reading;  // the files being read, outermost first
  int sourced = 0;                   // source files read so far
};

// Bounds that no real set-up reaches, so that a file that sources the same
// files over and over ends in a finding instead of never.
constexpr size_t kSourceDepthLimit = 32;
constexpr int kSourceFileLimit = 100;

void CheckDirectives(DirectiveWalk &walk, const std::string &file, std::string_view text);

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

std::string Joined(const std::vector<std::string> &paths) {
  std::string text;
  for (const std::string &path : paths) text += (text.empty() ? "" : ", ") + path;
  return text;
}

void Add(DirectiveWalk &walk, const std::string &file, int line, std::string message) {
  walk.findings->push_back({file, line, std::move(message)});
}

void FollowSource(DirectiveWalk &walk, const std::string &file, int line, const std::string &found) {
  if (std::find(walk.reading.begin(), walk.reading.end(), found) != walk.reading.end()) {
    Add(walk, file, line, "source loop: " + found + " is already being read; not followed");
    return;
  }
  if (walk.reading.size() >= kSourceDepthLimit || walk.sourced >= kSourceFileLimit) {
    Add(walk, file, line, "source " + found + " not followed: sources are nested too deep or too many");
    return;
  }
  ++walk.sourced;
  std::string text;
  if (walk.fs.read(found.c_str(), &text) != ReadStatus::kOk) {
    Add(walk, file, line, "source file " + found + " cannot be read");
    return;
  }
  CheckDirectives(walk, found, text);
}

void CheckDirective(DirectiveWalk &walk, const std::string &file, int line, std::string_view directive,
                    std::string_view target) {
  std::string word(directive);
  if (target.empty()) {
    Add(walk, file, line, word + " line names nothing");
    return;
  }
  std::string decoded = walk.fs.decode(target), found;
  std::vector<std::string> tried;
  PathKind kind = Locate(walk, file, decoded, &found, &tried);
  bool wantsFolder = directive == "dir";
  std::string what = wantsFolder ? "folder" : word == "source" ? "source file" : "soundfont file";
  if (kind == PathKind::kMissing) {
    Add(walk, file, line, what + " \"" + decoded + "\" not found; looked for " + Joined(tried));
  } else if (wantsFolder && kind != PathKind::kFolder) {
    Add(walk, file, line, "dir " + found + " is not a folder");
  } else if (!wantsFolder && kind != PathKind::kFile) {
    Add(walk, file, line,
        what + " " + found + (kind == PathKind::kFolder ? " is a folder" : " is not a file"));
  } else if (wantsFolder) {
    // A folder named again moves to the front of the search; once is enough.
    walk.dirs.erase(std::remove(walk.dirs.begin(), walk.dirs.end(), found), walk.dirs.end());
    walk.dirs.push_back(found);
  } else if (word == "source") {
    FollowSource(walk, file, line, found);
  }
}

void CheckDirectives(DirectiveWalk &walk, const std::string &file, std::string_view text) {
  walk.reading.push_back(file);
  ForEachNumberedLine(text, [&](std::string_view line, int number) {
    std::string_view directive, target;
    if (FindDirective(line, &directive, &target)) CheckDirective(walk, file, number, directive, target);
  });
  walk.reading.pop_back();
}

// --- Option lines ---------------------------------------------------------

// Two page states that differ in every setting: a line sets a setting when
// the setting is the same after the line is read onto either of them.
OptionValues DistinctValues(bool second) {
  OptionValues values;
  int row = second ? 1 : 0;
  values.volume = values.drumPower = row + 1;
  values.polyphony = values.sampleRate = values.voiceLpf = values.resample = values.cacheSize = row;
  values.noiseShaping = row;
  values.chorus = values.reverb = second ? 2 : 0;
  values.chorusLevelOn = values.reverbLevelOn = !second;
  values.chorusLevel = values.reverbLevel = "1";
  values.mode = second ? OutputMode::kStereo : OutputMode::kUnset;
  values.byteSwap = values.fastPanning = values.fastDecay = values.unloadInstruments = second;
  for (bool &effect : values.effects) effect = second;
  values.latency = values.resampleN = values.pseudoReverb = second ? "b" : "a";
  return values;
}

// One bit per setting of OptionSettings, then one per effect flag: effect
// letters on separate lines do not override each other.
using Aspects = uint64_t;
constexpr int kSettingCount = sizeof OptionSettings / sizeof OptionSettings[0];

Aspects AspectsSetBy(std::string_view option) {
  static const OptionValues first = DistinctValues(false), second = DistinctValues(true);
  OptionValues a = first, b = second;
  ApplyOptionText(&a, option);
  ApplyOptionText(&b, option);
  Aspects aspects = 0;
  for (int i = 0; i < kSettingCount; ++i)
    if (OptionSettings[i].sets != kSetsEffects && OptionSettings[i].show(a) == OptionSettings[i].show(b))
      aspects |= Aspects{1} << i;
  for (int i = 0; i < kEffectFlagCount; ++i)
    if (a.effects[i] == b.effects[i]) aspects |= Aspects{1} << (kSettingCount + i);
  return aspects;
}

const OptionSetting &SettingOf(uint32_t bit) {
  for (const OptionSetting &setting : OptionSettings)
    if (setting.sets == bit) return setting;
  return OptionSettings[0];
}

bool StartsWithNumber(std::string_view text) {
  size_t at = text.find_first_not_of(" \t");
  if (at != std::string_view::npos && (text[at] == '-' || text[at] == '+')) ++at;
  return at < text.size() && text[at] >= '0' && text[at] <= '9';
}

std::string Instead(const OptionSetting &setting, const OptionValues &after) {
  return "the options page shows " + std::string(setting.name) + " " + setting.show(after) +
         " instead, and the next apply writes that";
}

template <class Row, size_t N>
std::string Letters(const Row (&rows)[N]) {
  std::string letters;
  for (const Row &row : rows) letters += (letters.empty() ? "" : " ") + std::string(1, row.letter);
  return letters;
}

template <class Row, size_t N>
std::string ChoiceVerdict(const Row (&rows)[N], std::string_view choice, const OptionSetting &setting,
                          const OptionValues &after) {
  if (ChooseRow(rows, choice) >= 0) return "";
  return "\"" + std::string(choice) + "\" is none of " + Letters(rows) + "; " + Instead(setting, after);
}

// What is wrong with `value` as a value of `setting`, given the page's
// values right after the line and at the end of the file; empty when the
// page shows it as given.
std::string Verdict(const OptionSetting &setting, std::string_view value, const OptionValues &after,
                    const OptionValues &final) {
  int32_t n = ReadDecimal(value);
  switch (setting.sets) {
    case kSetsVolume:
      return n == after.volume ? "" : Instead(setting, after);
    case kSetsDrumPower:
      return n == after.drumPower ? "" : Instead(setting, after);
    case kSetsChorus:
    case kSetsReverb: {
      std::string_view choice;
      ForEachToken(value, ", ", 1, [&](int, std::string_view token) { choice = token; });
      return setting.sets == kSetsChorus ? ChoiceVerdict(ChorusChoices, choice, setting, after)
                                         : ChoiceVerdict(ReverbChoices, choice, setting, after);
    }
    case kSetsVoiceLpf:
      return ChoiceVerdict(VoiceLpfChoices, value, setting, after);
    case kSetsResample:
      return ChoiceVerdict(ResampleChoices, value, setting, after);
    case kSetsSampleRate:
      return SampleRates[after.sampleRate] == n ? ""
                                                : "not a rate of the page's list; " + Instead(setting, after);
    case kSetsPolyphony:
      return PolyphonyLevels[after.polyphony] == n
                 ? ""
                 : "not a voice count of the page's list; " + Instead(setting, after);
    case kSetsNoiseShaping:
      return n == after.noiseShaping ? "" : Instead(setting, after);
    case kSetsCache:
      return CacheSizes[after.cacheSize].bytes == CacheSizeBytes(value)
                 ? ""
                 : "not a size of the page's list; " + Instead(setting, after);
    case kSetsLatency: {
      double seconds = ReadFraction(value), written = std::fmax(seconds, 0.04);
      char text[32];
      std::snprintf(text, sizeof text, "%.03f", written);
      bool same = StartsWithNumber(value) && std::fabs(ReadFraction(text) - seconds) < 1e-9;
      return same ? "" : std::string("the next apply writes rtsyn-latency ") + text;
    }
    case kSetsResampleN: {
      const ResampleChoice &algorithm = ResampleChoices[final.resample];
      if (algorithm.maxN == 0)
        return std::string("resample ") + algorithm.letter + " takes no N; the next apply drops it";
      int32_t written = n <= 0 ? algorithm.defaultN : std::min(n, static_cast<int32_t>(algorithm.maxN));
      return written == n && StartsWithNumber(value) ? ""
                                                     : "the next apply writes -N" + std::to_string(written);
    }
    case kSetsPseudoReverb: {
      int32_t written = std::clamp(n, 0, 1000);
      return written == n && StartsWithNumber(value) ? ""
                                                     : "the next apply writes -R" + std::to_string(written);
    }
  }
  return "";
}

struct OptionLine {
  int number;
  std::string_view option;
  Aspects sets;
};

std::string AspectNames(Aspects aspects) {
  std::string names, flags;
  for (int i = 0; i < kSettingCount; ++i)
    if (aspects >> i & 1) names += (names.empty() ? "" : ", ") + std::string(OptionSettings[i].name);
  for (int i = 0; i < kEffectFlagCount; ++i)
    if (aspects >> (kSettingCount + i) & 1) flags += EffectFlags[i].letter;
  if (!flags.empty()) names += (names.empty() ? "" : ", ") + std::string("effect flags ") + flags;
  return names;
}

// Earlier lines with a setting that a later line gives again.
void CheckOverridden(const std::string &file, const std::vector<OptionLine> &lines, const FileSystemView &fs,
                     std::vector<Finding> *findings) {
  for (size_t i = 0; i < lines.size(); ++i) {
    Aspects again = 0;
    int last = 0;
    for (size_t j = i + 1; j < lines.size(); ++j)
      if (lines[j].sets & lines[i].sets) {
        again |= lines[j].sets & lines[i].sets;
        last = lines[j].number;
      }
    if (again == 0) continue;
    findings->push_back({file, lines[i].number,
                         Quoted(fs, lines[i].option) + ": " + AspectNames(again) + " given again on line " +
                             std::to_string(last) + "; only the last line counts"});
  }
}

void CheckValues(const std::string &file, int number, std::string_view option, const OptionValues &after,
                 const OptionValues &final, const FileSystemView &fs, std::vector<Finding> *findings) {
  std::string_view value;
  uint32_t sets = FindOptionSettings(option, &value);
  auto judge = [&](uint32_t bit, std::string_view given) {
    std::string verdict = Verdict(SettingOf(bit), given, after, final);
    if (!verdict.empty()) findings->push_back({file, number, Quoted(fs, option) + ": " + verdict});
  };
  if (IsShortOption(option) && option[1] == 'a') {
    // "-a volume,drum-power": each token on its own.
    ForEachToken(value, ", a", 2, [&](int index, std::string_view token) {
      judge(index == 0 ? kSetsVolume : kSetsDrumPower, token);
    });
    return;
  }
  for (uint32_t bit = 1; bit && bit <= sets; bit <<= 1)
    if (sets & bit) judge(bit, value);
}

// --- The parameter file ---------------------------------------------------

// The last line that gives `key` in `section`, by the parser's rules; 0 when none.
int FindKeyLine(std::string_view text, std::string_view section, std::string_view key) {
  std::string_view current;
  bool inSection = false;
  int found = 0;
  ForEachNumberedLine(text, [&](std::string_view line, int number) {
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string_view::npos) return;
    line.remove_prefix(start);
    if (line[0] == '[') {
      current = line.substr(1, line.find(']') - 1);
      inSection = true;
      return;
    }
    if (line[0] == ';' || !inSection || current != section) return;
    size_t keyStart = line.find_first_not_of('=');
    if (keyStart != std::string_view::npos &&
        line.substr(keyStart, line.find('=', keyStart) - keyStart) == key)
      found = number;
  });
  return found;
}

}  // namespace

std::string FormatFinding(const Finding &finding) {
  std::string where = finding.file + (finding.line > 0 ? ":" + std::to_string(finding.line) : "");
  return where + ": " + finding.message + "\n";
}

bool FindDirective(std::string_view line, std::string_view *directive, std::string_view *target) {
  size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos) return false;
  line.remove_prefix(start);
  for (std::string_view word : {"soundfont", "source", "dir"}) {
    if (line.substr(0, word.size()) != word || (line.size() > word.size() && !IsBlank(line[word.size()])))
      continue;
    *directive = word;
    std::string_view rest = line.substr(word.size());
    rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(" \t")));
    if (!rest.empty() && rest[0] == '"') {
      rest.remove_prefix(1);
      *target = rest.substr(0, rest.find('"'));
    } else {
      *target = rest.substr(0, rest.find_first_of(" \t"));
    }
    return true;
  }
  return false;
}

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

void CheckOptionLines(const std::string &file, std::string_view text, const FileSystemView &fs,
                      std::vector<Finding> *findings) {
  OptionValues final = DefaultOptionValues();
  ApplyOptionLines(&final, text);
  OptionValues values = DefaultOptionValues();
  std::vector<OptionLine> lines;
  ForEachNumberedLine(text, [&](std::string_view line, int number) {
    std::string_view option;
    if (!FindOptionText(line, &option)) return;
    ApplyOptionText(&values, option);
    lines.push_back({number, option, AspectsSetBy(option)});
    CheckValues(file, number, option, values, final, fs, findings);
  });
  CheckOverridden(file, lines, fs, findings);
}

void CheckParamsText(const std::string &file, ReadStatus status, std::string_view text,
                     const FileSystemView &fs, std::vector<Finding> *findings) {
  if (status == ReadStatus::kMissing) {
    findings->push_back({file, 0, "missing; the next start of the setup program creates it"});
    return;
  }
  if (status == ReadStatus::kFailed) {
    findings->push_back({file, 0, "cannot be read; the setup program shows its defaults and cannot save"});
    return;
  }
  DriverParams params = {};
  std::vector<ParamsFinding> found;
  ReadDriverParamsText(text, &params, &found);
  for (const ParamsFinding &f : found) {
    if (f.kind == ParamsFinding::kOlderLayout) {
      findings->push_back(
          {file, 0,
           "in the older layout (no ver=101 in [main]); the next start of the setup program converts it"});
      continue;
    }
    std::string verb = f.kind == ParamsFinding::kNarrowed ? "does not fit its field and becomes "
                                                          : "is outside the limits of loading and becomes ";
    findings->push_back({file, FindKeyLine(text, f.section, f.key),
                         "[" + std::string(f.section) + "] " + f.key + "=" + fs.decode(f.text) + " " + verb +
                             FormatNumber(f.value)});
  }
}

std::vector<Finding> CheckDriverFiles(const std::string &cfg, const std::string &ini,
                                      const FileSystemView &fs) {
  std::vector<Finding> findings;
  std::string found, text;
  ReadStatus status =
      fs.find(cfg, &found) == PathKind::kMissing ? ReadStatus::kMissing : fs.read(cfg.c_str(), &text);
  if (status == ReadStatus::kMissing) {
    findings.push_back(
        {cfg, 0, "missing; the driver gets no soundfont, and the options page shows its defaults"});
  } else if (status == ReadStatus::kFailed) {
    findings.push_back({cfg, 0, "cannot be read"});
  } else {
    DirectiveWalk walk{fs, &findings, {}, {}};
    CheckDirectives(walk, found, text);
    // Messages name orvane.cfg as it was asked for.
    for (Finding &finding : findings)
      if (finding.file == found) finding.file = cfg;
    CheckOptionLines(cfg, text, fs, &findings);
  }
  text.clear();
  status = fs.read(ini.c_str(), &text);
  CheckParamsText(ini, status, text, fs, &findings);

  // File by file in the order they were first named, each by line.
  std::vector<std::string> order;
  for (const Finding &finding : findings)
    if (std::find(order.begin(), order.end(), finding.file) == order.end()) order.push_back(finding.file);
  std::stable_sort(findings.begin(), findings.end(), [&](const Finding &a, const Finding &b) {
    auto rank = [&](const Finding &f) {
      return std::find(order.begin(), order.end(), f.file) - order.begin();
    };
    return rank(a) != rank(b) ? rank(a) < rank(b) : a.line < b.line;
  });
  return findings;
}
