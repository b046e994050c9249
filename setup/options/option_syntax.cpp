#include "setup/options/option_syntax.h"

#include "setup/options/option_lines.h"
#include "setup/options/option_reader.h"

namespace {

void Volume(OptionValues *values, std::string_view value) { SetVolume(values, ReadDecimal(value)); }
void DrumPower(OptionValues *values, std::string_view value) { SetDrumPower(values, ReadDecimal(value)); }
void Polyphony(OptionValues *values, std::string_view value) { SetPolyphony(values, ReadDecimal(value)); }
void SampleRate(OptionValues *values, std::string_view value) {
  SelectSampleRate(values, ReadDecimal(value));
}
void Latency(OptionValues *values, std::string_view value) { values->latency = std::string(value); }
void ResampleN(OptionValues *values, std::string_view value) { values->resampleN = std::string(value); }
void PseudoReverb(OptionValues *values, std::string_view value) { values->pseudoReverb = std::string(value); }
void FastDecayOn(OptionValues *values, std::string_view) { values->fastDecay = true; }
void FastDecayOff(OptionValues *values, std::string_view) { values->fastDecay = false; }
void FastPanningOn(OptionValues *values, std::string_view) { values->fastPanning = true; }
void FastPanningOff(OptionValues *values, std::string_view) { values->fastPanning = false; }
void UnloadOn(OptionValues *values, std::string_view) { values->unloadInstruments = true; }
void UnloadOff(OptionValues *values, std::string_view) { values->unloadInstruments = false; }

// "-O": the output mode letters; byte swap only when named.
void OutputModeLetters(OptionValues *values, std::string_view letters) {
  values->byteSwap = false;
  for (char letter : letters) {
    if (letter == 'M') values->mode = OutputMode::kMono;
    if (letter == 'S') values->mode = OutputMode::kStereo;
    if (letter == 'x') values->byteSwap = true;
  }
}

// "-a volume,drum-power".
void Amplification(OptionValues *values, std::string_view value) {
  ForEachToken(value, ", a", 2, [&](int index, std::string_view token) {
    (index == 0 ? SetVolume : SetDrumPower)(values, ReadDecimal(token));
  });
}

// "--unload-instruments" and its "--no-" form are read but not managed: the
// writer leaves such lines where they are and adds "-U" of its own.
const LongOption kLongOptions[] = {
    {"--volume=", Volume, true},
    {"--drum-power=", DrumPower, true},
    {"--reverb=", SetReverb, true},
    {"--chorus=", SetChorus, true},
    {"--sampling-freq=", SampleRate, true},
    {"--polyphony=", Polyphony, true},
    {"--resample=", SelectResample, true},
    {"--rtsyn-latency=", Latency, true},
    {"--fast-decay", FastDecayOn, true},
    {"--fast-panning", FastPanningOn, true},
    {"--unload-instruments", UnloadOn, false},
    {"--buffer-fragments=", SelectCacheSize, true},
    {"--voice-lpf=", SelectVoiceLpf, true},
    {"--noise-shaping=", SelectNoiseShaping, true},
    {"--no-fast-decay", FastDecayOff, true},
    {"--no-fast-panning", FastPanningOff, true},
    {"--no-unload-instruments", UnloadOff, false},
};

const ShortOption kShortOptions[] = {
    {'s', SampleRate},        {'a', Amplification}, {'O', OutputModeLetters}, {'p', Polyphony},
    {'E', ApplyEffectOption}, {'N', ResampleN},     {'f', FastDecayOn},       {'F', FastPanningOn},
    {'R', PseudoReverb},      {'U', UnloadOn},      {'B', SelectCacheSize},
};

}  // namespace

const LongOption *FindLongOption(std::string_view option) {
  for (const LongOption &known : kLongOptions) {
    std::string_view name = known.name;
    if (option.substr(0, name.size()) == name) return &known;
  }
  return nullptr;
}

const ShortOption *FindShortOption(char letter) {
  for (const ShortOption &known : kShortOptions)
    if (known.letter == letter) return &known;
  return nullptr;
}

bool IsManagedOption(std::string_view option) {
  if (IsShortOption(option)) return FindShortOption(option[1]) != nullptr;
  const LongOption *known = FindLongOption(option);
  return known && known->managed;
}
