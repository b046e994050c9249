#include "lib/config/option_syntax.h"

#include "lib/config/option_lines.h"
#include "lib/config/option_reader.h"

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
    {"--volume=", Volume, true, kSetsVolume},
    {"--drum-power=", DrumPower, true, kSetsDrumPower},
    {"--reverb=", SetReverb, true, kSetsReverb},
    {"--chorus=", SetChorus, true, kSetsChorus},
    {"--sampling-freq=", SampleRate, true, kSetsSampleRate},
    {"--polyphony=", Polyphony, true, kSetsPolyphony},
    {"--resample=", SelectResample, true, kSetsResample},
    {"--rtsyn-latency=", Latency, true, kSetsLatency},
    {"--fast-decay", FastDecayOn, true, kSetsFastDecay},
    {"--fast-panning", FastPanningOn, true, kSetsFastPanning},
    {"--unload-instruments", UnloadOn, false, kSetsUnload},
    {"--buffer-fragments=", SelectCacheSize, true, kSetsCache},
    {"--voice-lpf=", SelectVoiceLpf, true, kSetsVoiceLpf},
    {"--noise-shaping=", SelectNoiseShaping, true, kSetsNoiseShaping},
    {"--no-fast-decay", FastDecayOff, true, kSetsFastDecay},
    {"--no-fast-panning", FastPanningOff, true, kSetsFastPanning},
    {"--no-unload-instruments", UnloadOff, false, kSetsUnload},
};

const ShortOption kShortOptions[] = {
    {'s', SampleRate, kSetsSampleRate},
    {'a', Amplification, kSetsVolume | kSetsDrumPower},
    {'O', OutputModeLetters, kSetsOutput | kSetsByteSwap},
    {'p', Polyphony, kSetsPolyphony},
    {'E', ApplyEffectOption, kSetsEffects},
    {'N', ResampleN, kSetsResampleN},
    {'f', FastDecayOn, kSetsFastDecay},
    {'F', FastPanningOn, kSetsFastPanning},
    {'R', PseudoReverb, kSetsPseudoReverb},
    {'U', UnloadOn, kSetsUnload},
    {'B', SelectCacheSize, kSetsCache},
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

uint32_t FindOptionSettings(std::string_view option, std::string_view *value) {
  if (IsShortOption(option)) {
    const ShortOption *known = FindShortOption(option[1]);
    *value = ShortOptionValue(option);
    if (!known) return 0;
    return known->letter == 'E' ? EffectOptionSettings(*value, value) : known->sets;
  }
  const LongOption *known = FindLongOption(option);
  *value = known ? option.substr(std::string_view(known->name).size()) : option;
  return known ? known->sets : 0;
}
