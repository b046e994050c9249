// The option lines of orvane.cfg: settings given again by a later line, and
// values the options page does not show as given.
#include <cmath>
#include <utility>

#include "lib/config/diagnosis.h"
#include "lib/config/named_settings.h"
#include "lib/config/option_lines.h"
#include "lib/config/option_reader.h"
#include "lib/config/option_syntax.h"
#include "lib/config/option_writer.h"
#include "lib/config/text.h"

namespace {

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

// What a line sets: settings as PageSetting bits, and effect flags one bit
// per row of EffectFlags, as effect letters on separate lines do not
// override each other.
struct Aspects {
  uint32_t settings = 0;
  uint32_t effectFlags = 0;
};

Aspects Shared(const Aspects &a, const Aspects &b) {
  return {a.settings & b.settings, a.effectFlags & b.effectFlags};
}

bool Any(const Aspects &aspects) { return aspects.settings != 0 || aspects.effectFlags != 0; }

Aspects AspectsSetBy(std::string_view option) {
  static const OptionValues first = DistinctValues(false), second = DistinctValues(true);
  OptionValues a = first, b = second;
  ApplyOptionText(&a, option);
  ApplyOptionText(&b, option);
  Aspects aspects;
  for (const OptionSetting &setting : OptionSettings)
    if (setting.sets != kSetsEffects && setting.show(a) == setting.show(b)) aspects.settings |= setting.sets;
  for (int i = 0; i < kEffectFlagCount; ++i)
    if (a.effects[i] == b.effects[i]) aspects.effectFlags |= 1u << i;
  return aspects;
}

template <class Row, size_t N>
std::string Letters(const Row (&rows)[N]) {
  std::string letters;
  for (const Row &row : rows) letters += row.letter;
  return letters;
}

// One value of a line, judged against the page's values right after the
// line and at the end of the file; the finding's kind and values are filled
// in when the page does not show the value as given.
struct Judgement {
  const OptionSetting &setting;
  std::string_view value;
  const OptionValues &after;
  const OptionValues &final;
  Finding *finding;
};

bool ShownInstead(const Judgement &j, bool same, FindingKind kind = FindingKind::kShownInstead) {
  if (same) return false;
  j.finding->kind = kind;
  j.finding->shown = j.setting.show(j.after);
  return true;
}

template <class Row, size_t N>
bool ChoiceVerdict(const Judgement &j, const Row (&rows)[N], std::string_view choice) {
  if (!ShownInstead(j, ChooseRow(rows, choice) >= 0, FindingKind::kNotAChoice)) return false;
  j.finding->given = choice;
  j.finding->choices = Letters(rows);
  return true;
}

bool WrittenAs(const Judgement &j, bool same, std::string written) {
  if (same) return false;
  j.finding->kind = FindingKind::kWrittenAs;
  j.finding->written = std::move(written);
  return true;
}

// True, with the finding filled in, when the page does not show the value as given.
bool Verdict(const Judgement &j) {
  const OptionValues &after = j.after;
  int32_t n = ReadDecimal(j.value);
  switch (j.setting.sets) {
    case kSetsVolume:
      return ShownInstead(j, n == after.volume);
    case kSetsDrumPower:
      return ShownInstead(j, n == after.drumPower);
    case kSetsChorus:
    case kSetsReverb: {
      std::string_view choice;
      ForEachToken(j.value, ", ", 1, [&](int, std::string_view token) { choice = token; });
      return j.setting.sets == kSetsChorus ? ChoiceVerdict(j, ChorusChoices, choice)
                                           : ChoiceVerdict(j, ReverbChoices, choice);
    }
    case kSetsVoiceLpf:
      return ChoiceVerdict(j, VoiceLpfChoices, j.value);
    case kSetsResample:
      return ChoiceVerdict(j, ResampleChoices, j.value);
    case kSetsSampleRate:
      return ShownInstead(j, SampleRates[after.sampleRate] == n, FindingKind::kNotInPageList);
    case kSetsPolyphony:
      return ShownInstead(j, PolyphonyLevels[after.polyphony] == n, FindingKind::kNotInPageList);
    case kSetsNoiseShaping:
      return ShownInstead(j, n == after.noiseShaping);
    case kSetsCache:
      return ShownInstead(j, CacheSizes[after.cacheSize].bytes == CacheSizeBytes(j.value),
                          FindingKind::kNotInPageList);
    case kSetsLatency: {
      std::string written = WrittenLatency(j.value);
      bool same =
          StartsWithDecimal(j.value) && std::fabs(ReadFraction(written) - ReadFraction(j.value)) < 1e-9;
      return WrittenAs(j, same, written);
    }
    case kSetsResampleN: {
      const ResampleChoice &algorithm = ResampleChoices[j.final.resample];
      int32_t written = WrittenResampleN(algorithm, j.value);
      if (written == 0) {  // the algorithm takes no N: the writer writes no -N line
        j.finding->kind = FindingKind::kResampleTakesNoN;
        j.finding->shown = std::string(1, algorithm.letter);
        return true;
      }
      return WrittenAs(j, written == n && StartsWithDecimal(j.value), std::to_string(written));
    }
    case kSetsPseudoReverb: {
      int32_t written = WrittenPseudoReverb(j.value);
      return WrittenAs(j, written == n && StartsWithDecimal(j.value), std::to_string(written));
    }
  }
  return false;
}

struct OptionLine {
  int number;
  std::string_view option;
  Aspects sets;
};

// Earlier lines with a setting that a later line gives again.
void CheckOverridden(const std::string &file, const std::vector<OptionLine> &lines, const FileSystemView &fs,
                     std::vector<Finding> *findings) {
  for (size_t i = 0; i < lines.size(); ++i) {
    Aspects again;
    int last = 0;
    for (size_t j = i + 1; j < lines.size(); ++j) {
      Aspects shared = Shared(lines[j].sets, lines[i].sets);
      if (!Any(shared)) continue;
      again = {again.settings | shared.settings, again.effectFlags | shared.effectFlags};
      last = lines[j].number;
    }
    if (!Any(again)) continue;
    Finding &finding = AddFinding(findings, file, lines[i].number, FindingKind::kGivenAgain);
    finding.option = fs.decode(lines[i].option);
    finding.settings = again.settings;
    finding.effectFlags = again.effectFlags;
    finding.laterLine = last;
  }
}

void CheckValues(const std::string &file, int number, std::string_view option, const OptionValues &after,
                 const OptionValues &final, const FileSystemView &fs, std::vector<Finding> *findings) {
  std::string_view value;
  uint32_t sets = FindOptionSettings(option, &value);
  auto judge = [&](uint32_t bit, std::string_view given) {
    Finding finding;
    if (!Verdict({OptionSettingOf(bit), given, after, final, &finding})) return;
    finding.file = file;
    finding.line = number;
    finding.option = fs.decode(option);
    finding.settings = bit;
    findings->push_back(std::move(finding));
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

}  // namespace

void DiagnoseOptionLines(const std::string &file, std::string_view text, const FileSystemView &fs,
                         std::vector<Finding> *findings) {
  OptionValues final = DefaultOptionValues();
  ApplyOptionLines(&final, text);
  OptionValues values = DefaultOptionValues();
  std::vector<OptionLine> lines;
  ForEachLineWithNumber(text, [&](std::string_view line, int number) {
    std::string_view option;
    if (!FindOptionText(line, &option)) return;
    ApplyOptionText(&values, option);
    lines.push_back({number, option, AspectsSetBy(option)});
    CheckValues(file, number, option, values, final, fs, findings);
  });
  CheckOverridden(file, lines, fs, findings);
}
