#include "setup/options/option_reader.h"

#include <string>

#include "setup/options/option_lines.h"
#include "setup/options/option_syntax.h"

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
};

const EffectSubOption kEffectSubOptions[] = {
    {"Fchorus=", SetChorus},    {"Freverb=", SetReverb},      {"Fresamp=", SelectResample},
    {"Fvlpf=", SelectVoiceLpf}, {"Fns=", SelectNoiseShaping},
};

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

void SelectCacheSize(OptionValues *values, std::string_view value) {
  // "2M", "2048K" or a count of bytes; counted in 64 bits, so that a size
  // beyond the table never wraps round onto one of its rows.
  int64_t bytes;
  size_t suffix;
  if ((suffix = value.find('M')) != std::string_view::npos)
    bytes = int64_t{ReadDecimal(value.substr(0, suffix))} * 1048576;
  else if ((suffix = value.find('K')) != std::string_view::npos)
    bytes = int64_t{ReadDecimal(value.substr(0, suffix))} * 1024;
  else
    bytes = ReadDecimal(value);
  values->cacheSize = 0;
  for (int i = 1; i < kCacheSizeCount; ++i)
    if (bytes > CacheSizes[i - 1].bytes && bytes <= CacheSizes[i].bytes) values->cacheSize = i;
}

// A value that begins with "F" is an effect setting ("-EFdelay=1" among
// them), never flag letters: one this page does not know changes nothing.
void ApplyEffectOption(OptionValues *values, std::string_view value) {
  if (value.empty() || value[0] != 'F') return SetEffectFlags(values, value);
  for (const EffectSubOption &sub : kEffectSubOptions) {
    std::string_view prefix = sub.prefix;
    if (value.substr(0, prefix.size()) == prefix) return sub.apply(values, value.substr(prefix.size()));
  }
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
