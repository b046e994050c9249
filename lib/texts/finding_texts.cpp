#include "lib/texts/finding_texts.h"

#include <initializer_list>
#include <string_view>

#include "lib/config/named_settings.h"
#include "lib/config/option_syntax.h"
#include "lib/config/option_tables.h"

namespace {

std::string Joined(const std::vector<std::string> &paths, const char *separator) {
  std::string text;
  for (const std::string &path : paths) text += (text.empty() ? "" : separator) + path;
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

// `format` with each "%s" and "%d" in turn replaced by the next of `values`.
std::string Filled(std::string_view format, std::initializer_list<std::string> values) {
  std::string text;
  const std::string *value = values.begin();
  for (size_t at = 0; at < format.size(); ++at) {
    if (format[at] == '%' && at + 1 < format.size() && (format[at + 1] == 's' || format[at + 1] == 'd') &&
        value != values.end()) {
      text += *value++;
      ++at;
    } else {
      text += format[at];
    }
  }
  return text;
}

// Every kind has its words in each language: a kind added without them does
// not compile.
std::string InEnglish(const Finding &f) {
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
      return TargetNoun(f) + " \"" + f.path + "\" not found; looked for " + Joined(f.tried, ", ");
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
    case FindingKind::kNotSoundfont:
      return "soundfont file " + f.path + " is not a SoundFont file";
    case FindingKind::kSoundfontTruncated:
      return "soundfont file " + f.path + " is truncated: it holds fewer bytes than its header says";
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
    case FindingKind::kLoneCr:
      return "the line ends in a lone CR, which the driver does not take for a line end: it reads on to the "
             "next LF as one line";
  }
  return "";
}

// How a VirtualStore copy compares with the file, in the Japanese finding.
const char *ShadowComparisonJa(ShadowBytes bytes) {
  switch (bytes) {
    case ShadowBytes::kSame:
      return "同じです";
    case ShadowBytes::kDiffer:
      return "異なります";
    case ShadowBytes::kNoRealFile:
      return "比べられません。このファイル自体がありません";
    case ShadowBytes::kNotCompared:
      return "比べられません。どちらかを読み込めません";
  }
  return "";
}

// The file's own name, from its path.
std::string NameOf(const std::string &path) { return path.substr(path.find_last_of("\\/") + 1); }

std::string InJapanese(const Finding &f) {
  switch (f.kind) {
    case FindingKind::kConfigMissing:
      return "orvane.cfg がありません（ドライバは音色を読み込めず、ドライバ設定ページは既定値を表示します）";
    case FindingKind::kConfigUnreadable:
      return "orvane.cfg を読み込めません";
    case FindingKind::kParamsMissing:
      return "velder_soundfont.ini がありません（次の起動時に作られます）";
    case FindingKind::kParamsUnreadable:
      return "velder_soundfont.ini を読み込めません";
    case FindingKind::kParamsOlderLayout:
      return "velder_soundfont.ini は古い形式です（次の起動時に変換されます）";
    case FindingKind::kShadowCopy:
      return Filled(
          "VirtualStore に %s のコピーがあり、マニフェストのないプログラムはそちらを読みます（内容は%s）",
          {NameOf(f.file), ShadowComparisonJa(f.shadow)});
    case FindingKind::kDirectiveEmpty:
      return Filled("%s の行に名前がありません", {f.directive});
    case FindingKind::kTargetNotFound:
      return Filled("%s \"%s\" が見つかりません（探した場所: %s）",
                    {f.directive, f.path, Joined(f.tried, "、")});
    case FindingKind::kTargetIsFolder:
      return Filled("%s \"%s\" はフォルダです", {f.directive, f.path});
    case FindingKind::kTargetNotFile:
      return Filled("%s \"%s\" はファイルではありません", {f.directive, f.path});
    case FindingKind::kDirNotFolder:
      return Filled("dir \"%s\" はフォルダではありません", {f.path});
    case FindingKind::kSourceLoop:
      return Filled("source \"%s\" は読み込み中のファイルに戻ります（読み込みません）", {f.path});
    case FindingKind::kSourceTooDeep:
      return Filled("source の入れ子が深すぎます（%d 段、%d ファイルまで）",
                    {std::to_string(kSourceDepthLimit), std::to_string(kSourceFileLimit)});
    case FindingKind::kSourceUnreadable:
      return Filled("source \"%s\" を読み込めません", {f.path});
    case FindingKind::kNotSoundfont:
      return Filled("soundfont \"%s\" は SoundFont ではありません", {f.path});
    case FindingKind::kSoundfontTruncated:
      return Filled("soundfont \"%s\" は途中で切れています（ヘッダが示す大きさより短いファイルです）",
                    {f.path});
    case FindingKind::kGivenAgain:
      return Filled("\"%s\" は %d 行目で上書きされます（最後の行だけが使われます）",
                    {f.option, std::to_string(f.laterLine)});
    case FindingKind::kShownInstead:
    case FindingKind::kNotInPageList:
    case FindingKind::kNotAChoice:
      return Filled(
          "\"%s\" はドライバ設定ページで表示できません。ページには %s "
          "が表示され、次の「適用」でそれが書き込まれます",
          {f.option, f.shown});
    case FindingKind::kWrittenAs:
      return Filled("\"%s\" は次の「適用」で %s と書き込まれます", {f.option, WrittenOption(f)});
    case FindingKind::kResampleTakesNoN:
      return Filled("\"%s\" の N は resample %s では使われません。次の「適用」で取り除かれます",
                    {f.option, f.shown});
    case FindingKind::kParamNarrowed:
    case FindingKind::kParamLimited:
      return Filled("[%s] %s=%s は範囲外のため %s になります",
                    {f.section, f.key, f.text, FormatNumber(f.number)});
    case FindingKind::kLoneCr:
      return "行末が CR だけです。ドライバはこれを行末と見なさず、次の LF までを一つの行として読みます";
  }
  return "";
}

}  // namespace

std::string DescribeFinding(const Finding &finding, Language language) {
  return language == Language::kJapanese ? InJapanese(finding) : InEnglish(finding);
}
