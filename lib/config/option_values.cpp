#include "lib/config/option_values.h"

#include <algorithm>
#include <iterator>
#include <tuple>

#include "lib/config/option_lines.h"

namespace {

// The engine's own volume, drum power and voice count: what a 0 stands for.
constexpr int32_t kEngineVolume = 70;
constexpr int32_t kEngineDrumPower = 100;
constexpr int32_t kEngineVoices = 196;

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

// Every member but the effect boxes, which are compared on their own.
auto Members(const OptionValues &v) {
  return std::tie(v.volume, v.drumPower, v.polyphony, v.sampleRate, v.chorus, v.reverb, v.voiceLpf,
                  v.resample, v.cacheSize, v.noiseShaping, v.chorusLevelOn, v.reverbLevelOn, v.chorusLevel,
                  v.reverbLevel, v.mode, v.byteSwap, v.fastPanning, v.fastDecay, v.unloadInstruments,
                  v.latency, v.resampleN, v.pseudoReverb);
}

}  // namespace

OptionValues DefaultOptionValues() {
  OptionValues values;
  // The engine's volume and drum power, but 128 voices rather than its 196.
  SetVolume(&values, kEngineVolume);
  SetDrumPower(&values, kEngineDrumPower);
  SetPolyphony(&values, 128);
  SelectSampleRate(&values, 44100);
  SetChorus(&values, "n");
  SetReverb(&values, "n");
  SelectVoiceLpf(&values, "c");
  SelectResample(&values, "L");
  SelectCacheSize(&values, "0");
  SelectNoiseShaping(&values, "4");
  return values;
}

void SetVolume(OptionValues *values, int32_t volume) {
  values->volume = Limited(volume ? volume : kEngineVolume, kVolumeRange);
}

void SetDrumPower(OptionValues *values, int32_t power) {
  values->drumPower = Limited(power ? power : kEngineDrumPower, kDrumPowerRange);
}

void SetPolyphony(OptionValues *values, int32_t voices) {
  if (voices == 0) voices = kEngineVoices;
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
  values->noiseShaping = Limited(ReadDecimal(value), kNoiseShapingRange);
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

void SetEffectFlags(OptionValues *values, std::string_view letters) {
  for (char letter : letters)
    for (int i = 0; i < kEffectFlagCount; ++i) {
      char on = EffectFlags[i].letter;
      if (letter == on) values->effects[i] = true;
      if (letter == on - 'a' + 'A') values->effects[i] = false;
    }
}

bool SameOptionValues(const OptionValues &a, const OptionValues &b) {
  return Members(a) == Members(b) &&
         std::equal(std::begin(a.effects), std::end(a.effects), std::begin(b.effects));
}
