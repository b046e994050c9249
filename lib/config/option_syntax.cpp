#include "lib/config/option_syntax.h"

#include "lib/config/option_lines.h"

namespace {

using Apply = void (*)(OptionValues *values, std::string_view value);

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

struct LongOption {
  const char *name;  // matches every option text that begins with it
  Apply apply;
  bool managed;
  uint32_t sets;
};

struct ShortOption {
  char letter;
  Apply apply;
  uint32_t sets;
};

// An effect setting: "-E" and a value that begins with its name.
struct EffectSetting {
  const char *name;
  Apply apply;
  uint32_t sets;
};

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

// Every short option letter listed here is managed.
const ShortOption kShortOptions[] = {
    {'s', SampleRate, kSetsSampleRate},
    {'a', Amplification, kSetsVolume | kSetsDrumPower},
    {'O', OutputModeLetters, kSetsOutput | kSetsByteSwap},
    {'p', Polyphony, kSetsPolyphony},
    {'E', SetEffectFlags, kSetsEffects},
    {'N', ResampleN, kSetsResampleN},
    {'f', FastDecayOn, kSetsFastDecay},
    {'F', FastPanningOn, kSetsFastPanning},
    {'R', PseudoReverb, kSetsPseudoReverb},
    {'U', UnloadOn, kSetsUnload},
    {'B', SelectCacheSize, kSetsCache},
};

const EffectSetting kEffectSettings[] = {
    {"Fchorus=", SetChorus, kSetsChorus},
    {"Freverb=", SetReverb, kSetsReverb},
    {"Fresamp=", SelectResample, kSetsResample},
    {"Fvlpf=", SelectVoiceLpf, kSetsVoiceLpf},
    {"Fns=", SelectNoiseShaping, kSetsNoiseShaping},
};

// The first row, in table order, whose name `text` begins with.
template <class Row, size_t N>
const Row *FindByName(const Row (&rows)[N], std::string_view text) {
  for (const Row &row : rows)
    if (StartsWith(text, row.name)) return &row;
  return nullptr;
}

template <class Row>
ParsedOption Named(const Row &row, std::string_view text, bool managed) {
  return {row.apply, text.substr(std::string_view(row.name).size()), row.sets, managed};
}

const ShortOption *FindShortOption(char letter) {
  for (const ShortOption &row : kShortOptions)
    if (row.letter == letter) return &row;
  return nullptr;
}

ParsedOption ParseShortOption(std::string_view option) {
  std::string_view value = ShortOptionValue(option);
  const ShortOption *known = FindShortOption(option[1]);
  if (!known) return {nullptr, value, 0, false};
  // A "-E" value that begins with "F" is an effect setting ("-EFdelay=1"
  // among them), never flag letters: one this page does not know changes
  // nothing.
  if (known->letter != 'E' || value.empty() || value[0] != 'F')
    return {known->apply, value, known->sets, true};
  const EffectSetting *setting = FindByName(kEffectSettings, value);
  return setting ? Named(*setting, value, true) : ParsedOption{nullptr, value, 0, true};
}

}  // namespace

ParsedOption ParseOption(std::string_view option) {
  if (IsShortOption(option)) return ParseShortOption(option);
  const LongOption *known = FindByName(kLongOptions, option);
  return known ? Named(*known, option, known->managed) : ParsedOption{nullptr, option, 0, false};
}

uint32_t FindOptionSettings(std::string_view option, std::string_view *value) {
  ParsedOption parsed = ParseOption(option);
  *value = parsed.value;
  return parsed.sets;
}
