#include "lib/config/option_reader.h"

#include <string>

#include "lib/config/option_lines.h"
#include "lib/config/option_syntax.h"

namespace {

// A choice with an optional level: "n,64" or "s".
template <class Row, size_t N>
void SetEffectWithLevel(const Row (&rows)[N], std::string_view value, int *row, bool *levelOn,
                        std::string *level) {
  *levelOn = false;
  ForEachToken(value, ", ", 2, [&](int index, std::string_view token) {
    if (index == 0) {
      int chosen = ChooseRow(rows, token);
      if (chosen >= 0) *row = chosen;
    } else {
      *levelOn = true;
      *level = std::to_string(ReadDecimal(token));
    }
  });
}

void SelectChoice(int row, int *selection) {
  if (row >= 0) *selection = row;
}

void SetEffectFlags(OptionValues *values, std::string_view letters) {
  for (char letter : letters)
    for (int i = 0; i < kEffectFlagCount; ++i) {
      char on = EffectFlags[i].letter;
      if (letter == on) values->effects[i] = true;
      if (letter == on - 'a' + 'A') values->effects[i] = false;
    }
}

struct EffectSubOption {
  const char *prefix;
  void (*apply)(OptionValues *, std::string_view);
  uint32_t sets;
};

const EffectSubOption kEffectSubOptions[] = {
    {"Fchorus=", SetChorus, kSetsChorus},
    {"Freverb=", SetReverb, kSetsReverb},
    {"Fresamp=", SelectResample, kSetsResample},
    {"Fvlpf=", SelectVoiceLpf, kSetsVoiceLpf},
    {"Fns=", SelectNoiseShaping, kSetsNoiseShaping},
};

const EffectSubOption *FindEffectSubOption(std::string_view value) {
  for (const EffectSubOption &sub : kEffectSubOptions) {
    std::string_view prefix = sub.prefix;
    if (value.substr(0, prefix.size()) == prefix) return &sub;
  }
  return nullptr;
}

}  // namespace

OptionValues DefaultOptionValues() {
  OptionValues values;
  SelectResample(&values, "L");
  SelectSampleRate(&values, 44100);
  return values;
}

void SetVolume(OptionValues *values, int32_t volume) {
  values->volume = Limited(volume ? volume : 70, 0, 200);
}

void SetDrumPower(OptionValues *values, int32_t power) {
  values->drumPower = Limited(power ? power : 100, 0, 200);
}

void SetPolyphony(OptionValues *values, int32_t voices) {
  // 0 stands for the engine's own default of 196 voices.
  if (voices == 0) voices = PolyphonyLevels[4];
  for (int i = 0; i < kPolyphonyLevelCount; ++i)
    if (PolyphonyLevels[i] == voices) values->polyphony = i;
}

void SelectSampleRate(OptionValues *values, int32_t hertz) {
  for (int i = 0; i < kSampleRateCount; ++i)
    if (SampleRates[i] == hertz) values->sampleRate = i;
}

void SetChorus(OptionValues *values, std::string_view value) {
  SetEffectWithLevel(ChorusChoices, value, &values->chorus, &values->chorusLevelOn, &values->chorusLevel);
}

void SetReverb(OptionValues *values, std::string_view value) {
  SetEffectWithLevel(ReverbChoices, value, &values->reverb, &values->reverbLevelOn, &values->reverbLevel);
}

void SelectResample(OptionValues *values, std::string_view value) {
  SelectChoice(ChooseRow(ResampleChoices, value), &values->resample);
}

void SelectVoiceLpf(OptionValues *values, std::string_view value) {
  SelectChoice(ChooseRow(VoiceLpfChoices, value), &values->voiceLpf);
}

void SelectNoiseShaping(OptionValues *values, std::string_view value) {
  values->noiseShaping = Limited(ReadDecimal(value), 0, kNoiseShapingChoiceCount - 1);
}

// Counted in 64 bits, so that a size beyond the table never wraps round onto
// one of its rows.
int64_t CacheSizeBytes(std::string_view value) {
  size_t suffix;
  if ((suffix = value.find('M')) != std::string_view::npos)
    return int64_t{ReadDecimal(value.substr(0, suffix))} * 1048576;
  if ((suffix = value.find('K')) != std::string_view::npos)
    return int64_t{ReadDecimal(value.substr(0, suffix))} * 1024;
  return ReadDecimal(value);
}

void SelectCacheSize(OptionValues *values, std::string_view value) {
  int64_t bytes = CacheSizeBytes(value);
  values->cacheSize = 0;
  for (int i = 1; i < kCacheSizeCount; ++i)
    if (bytes > CacheSizes[i - 1].bytes && bytes <= CacheSizes[i].bytes) values->cacheSize = i;
}

// A value that begins with "F" is an effect setting ("-EFdelay=1" among
// them), never flag letters: one this page does not know changes nothing.
void ApplyEffectOption(OptionValues *values, std::string_view value) {
  if (value.empty() || value[0] != 'F') return SetEffectFlags(values, value);
  if (const EffectSubOption *sub = FindEffectSubOption(value))
    sub->apply(values, value.substr(std::string_view(sub->prefix).size()));
}

uint32_t EffectOptionSettings(std::string_view value, std::string_view *rest) {
  if (value.empty() || value[0] != 'F') return kSetsEffects;
  const EffectSubOption *sub = FindEffectSubOption(value);
  if (!sub) return 0;
  *rest = value.substr(std::string_view(sub->prefix).size());
  return sub->sets;
}

void ApplyOptionText(OptionValues *values, std::string_view option) {
  if (IsShortOption(option)) {
    if (const ShortOption *known = FindShortOption(option[1])) known->apply(values, ShortOptionValue(option));
  } else if (const LongOption *known = FindLongOption(option)) {
    known->apply(values, option.substr(std::string_view(known->name).size()));
  }
}

void ApplyOptionLines(OptionValues *values, std::string_view fileText) {
  ForEachLine(fileText, [values](std::string_view line) {
    std::string_view option;
    if (FindOptionText(line, &option)) ApplyOptionText(values, option);
  });
}
