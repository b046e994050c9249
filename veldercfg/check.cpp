#include "veldercfg/check.h"

#include "lib/config/named_settings.h"
#include "lib/config/option_syntax.h"
#include "lib/config/option_tables.h"

namespace {

std::string Joined(const std::vector<std::string> &paths) {
  std::string text;
  for (const std::string &path : paths) text += (text.empty() ? "" : ", ") + path;
  return text;
}

// "soundfont file", "source file" or "folder", as a target is named.
std::string TargetNoun(const Finding &f) { return f.directive == "dir" ? "folder" : f.directive + " file"; }

// "reverb", "output, byte-swap" or "effect flags wp": the settings in the
// page's order, then the effect letters.
std::string SettingNames(const Finding &f) {
  std::string names, flags;
  for (const OptionSetting &setting : OptionSettings)
    if (f.settings & setting.sets) names += (names.empty() ? "" : ", ") + std::string(setting.name);
  for (int i = 0; i < kEffectFlagCount; ++i)
    if (f.effectFlags >> i & 1) flags += EffectFlags[i].letter;
  if (!flags.empty()) names += (names.empty() ? "" : ", ") + std::string("effect flags ") + flags;
  return names;
}

// Why a value is not one the page shows, before what it shows instead.
std::string WhyNotShown(const Finding &f) {
  switch (f.kind) {
    case FindingKind::kNotAChoice: {
      std::string letters;
      for (char letter : f.choices) letters += (letters.empty() ? "" : " ") + std::string(1, letter);
      return "\"" + f.given + "\" is none of " + letters + "; ";
    }
    case FindingKind::kNotInPageList:
      return f.settings == kSetsSampleRate  ? "not a rate of the page's list; "
             : f.settings == kSetsPolyphony ? "not a voice count of the page's list; "
                                            : "not a size of the page's list; ";
    default:
      return "";
  }
}

// How the next apply writes a value: "rtsyn-latency 0.040", "-N57", "-R0".
std::string WrittenOption(const Finding &f) {
  if (f.settings == kSetsLatency) return std::string(OptionSettingOf(f.settings).name) + " " + f.written;
  return (f.settings == kSetsResampleN ? "-N" : "-R") + f.written;
}

std::string Quoted(const Finding &f) { return "\"" + f.option + "\": "; }

// How a VirtualStore copy compares with the file, closing its finding.
std::string ShadowComparison(ShadowBytes bytes) {
  switch (bytes) {
    case ShadowBytes::kSame:
      return "it holds the same bytes for now, but saves here do not reach it";
    case ShadowBytes::kDiffer:
      return "its bytes differ from this file's";
    case ShadowBytes::kNoRealFile:
      return "this file itself is missing";
    case ShadowBytes::kNotCompared:
      return "one of the two cannot be read, so they were not compared";
  }
  return "";
}

std::string KeyValue(const Finding &f) { return "[" + f.section + "] " + f.key + "=" + f.text; }

}  // namespace

// Every kind has its words: a kind added without them does not compile.
std::string DescribeFinding(const Finding &f) {
  switch (f.kind) {
    case FindingKind::kConfigMissing:
      return "missing; the driver gets no soundfont, and the options page shows its defaults";
    case FindingKind::kConfigUnreadable:
      return "cannot be read";
    case FindingKind::kParamsMissing:
      return "missing; the next start of the setup program creates it";
    case FindingKind::kParamsUnreadable:
      return "cannot be read; the setup program shows its defaults and cannot save";
    case FindingKind::kParamsOlderLayout:
      return "in the older layout (no ver=101 in [main]); the next start of the setup program converts it";
    case FindingKind::kShadowCopy:
      return "programs without a manifest read " + f.path +
             " (a copy in the VirtualStore) instead of this file; " + ShadowComparison(f.shadow);
    case FindingKind::kDirectiveEmpty:
      return f.directive + " line names nothing";
    case FindingKind::kTargetNotFound:
      return TargetNoun(f) + " \"" + f.path + "\" not found; looked for " + Joined(f.tried);
    case FindingKind::kTargetIsFolder:
      return TargetNoun(f) + " " + f.path + " is a folder";
    case FindingKind::kTargetNotFile:
      return TargetNoun(f) + " " + f.path + " is not a file";
    case FindingKind::kDirNotFolder:
      return "dir " + f.path + " is not a folder";
    case FindingKind::kSourceLoop:
      return "source loop: " + f.path + " is already being read; not followed";
    case FindingKind::kSourceTooDeep:
      return "source " + f.path + " not followed: sources are nested too deep or too many";
    case FindingKind::kSourceUnreadable:
      return "source file " + f.path + " cannot be read";
    case FindingKind::kGivenAgain:
      return Quoted(f) + SettingNames(f) + " given again on line " + std::to_string(f.laterLine) +
             "; only the last line counts";
    case FindingKind::kShownInstead:
    case FindingKind::kNotInPageList:
    case FindingKind::kNotAChoice:
      return Quoted(f) + WhyNotShown(f) + "the options page shows " + OptionSettingOf(f.settings).name + " " +
             f.shown + " instead, and the next apply writes that";
    case FindingKind::kWrittenAs:
      return Quoted(f) + "the next apply writes " + WrittenOption(f);
    case FindingKind::kResampleTakesNoN:
      return Quoted(f) + "resample " + f.shown + " takes no N; the next apply drops it";
    case FindingKind::kParamNarrowed:
      return KeyValue(f) + " does not fit its field and becomes " + FormatNumber(f.number);
    case FindingKind::kParamLimited:
      return KeyValue(f) + " is outside the limits of loading and becomes " + FormatNumber(f.number);
  }
  return "";
}

std::string FormatFinding(const Finding &finding) {
  std::string where = finding.file + (finding.line > 0 ? ":" + std::to_string(finding.line) : "");
  return where + ": " + DescribeFinding(finding) + "\n";
}
