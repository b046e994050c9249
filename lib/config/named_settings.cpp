#include "lib/config/named_settings.h"

#include <cmath>
#include <cstdio>

#include "lib/config/option_syntax.h"
#include "lib/config/option_writer.h"
#include "lib/config/text.h"

namespace {

bool ParseInRange(std::string_view text, Range range, int *number) {
  int32_t n;
  if (!ParseExactDecimal(text, &n) || n < range.low || n > range.high) return false;
  *number = n;
  return true;
}

bool ParseOnOff(std::string_view text, bool *on) {
  if (text != "on" && text != "off") return false;
  *on = text == "on";
  return true;
}

const char *OnOff(bool on) { return on ? "on" : "off"; }

template <class Row, size_t N>
int RowOfLetter(const Row (&rows)[N], std::string_view text) {
  if (text.size() != 1) return -1;
  for (size_t i = 0; i < N; ++i)
    if (rows[i].letter == text[0]) return static_cast<int>(i);
  return -1;
}

template <class Row, size_t N>
std::string LetterOf(const Row (&rows)[N], int row) {
  return row >= 0 && static_cast<size_t>(row) < N ? std::string(1, rows[row].letter) : std::string();
}

template <size_t N>
int RowOfNumber(const int (&rows)[N], std::string_view text) {
  int32_t n;
  if (!ParseExactDecimal(text, &n)) return -1;
  for (size_t i = 0; i < N; ++i)
    if (rows[i] == n) return static_cast<int>(i);
  return -1;
}

template <size_t N>
std::string NumberOf(const int (&rows)[N], int row) {
  return row >= 0 && static_cast<size_t>(row) < N ? std::to_string(rows[row]) : std::string();
}

// "n" or "n,64": a choice, and a level when the level box is checked.
template <size_t N>
std::string ShowWithLevel(const LetterChoice (&rows)[N], int row, bool levelOn, const std::string &level) {
  return LetterOf(rows, row) + (levelOn ? "," + level : "");
}

template <size_t N>
bool TakeWithLevel(const LetterChoice (&rows)[N], std::string_view text, int *row, bool *levelOn,
                   std::string *level) {
  size_t comma = text.find(',');
  int chosen = RowOfLetter(rows, text.substr(0, comma));
  int32_t n = 0;
  if (chosen < 0 || (comma != std::string_view::npos && !ParseExactDecimal(text.substr(comma + 1), &n)))
    return false;
  *row = chosen;
  *levelOn = comma != std::string_view::npos;
  if (*levelOn) *level = std::to_string(n);
  return true;
}

// --- What each setting allows, in words, from the tables and ranges -------

// A volume or drum power of 0 reads back as the engine's default, so only
// the rest of their ranges can be set.
constexpr Range kSettableVolume = {1, kVolumeRange.high};
constexpr Range kSettableDrumPower = {1, kDrumPowerRange.high};

std::string Word(int number) { return std::to_string(number); }
template <class Row>
std::string Word(const Row &row) {
  return std::string(1, row.letter);
}

// "a, b or c".
template <class Row, size_t N>
std::string OneOf(const Row (&rows)[N]) {
  std::string text;
  for (size_t i = 0; i < N; ++i) text += (i == 0 ? "" : i + 1 < N ? ", " : " or ") + Word(rows[i]);
  return text;
}

std::string RangeText(Range range) { return std::to_string(range.low) + " to " + std::to_string(range.high); }

template <size_t N>
std::string ChoiceWithLevel(const LetterChoice (&rows)[N]) {
  return OneOf(rows) + ", optionally followed by ,LEVEL (a whole number other than 0)";
}

std::string EffectLetters() {
  std::string letters;
  for (const EffectFlag &flag : EffectFlags) letters += flag.letter;
  return "the " + std::to_string(kEffectFlagCount) + " letters " + letters +
         " in this order, each lowercase (on) or uppercase (off)";
}

// The algorithms that take an N, each from 1 (less is written as the
// default) to its largest.
std::string ResampleNs() {
  std::string text;
  for (const ResampleChoice &algorithm : ResampleChoices)
    if (algorithm.maxN != 0)
      text += (text.empty() ? "" : ", ") + RangeText({1, algorithm.maxN}) +
              (text.empty() ? " when resample is " : " when it is ") + algorithm.letter;
  return text + "; empty for the other algorithms";
}

std::string LatencySeconds() {
  return "seconds, " + WrittenLatency("") + " or more, with three decimals (such as " +
         WrittenLatency("0.2") + ")";
}

std::string CacheBytes() {
  auto bytes = [](int row) { return std::to_string(CacheSizes[row].bytes); };
  return bytes(0) + " (none) or a size in bytes from " + bytes(1) + " to " + bytes(kCacheSizeCount - 1) +
         " that doubles " + bytes(1) + " (" + bytes(2) + ", " + bytes(3) + ", ...)";
}

using V = OptionValues;
using T = std::string_view;

}  // namespace

const OptionSetting OptionSettings[19] = {
    {"volume", kSetsVolume, [](const V &v) { return std::to_string(v.volume); },
     [](V *v, T t) { return ParseInRange(t, kSettableVolume, &v->volume); }, RangeText(kSettableVolume)},
    {"drum-power", kSetsDrumPower, [](const V &v) { return std::to_string(v.drumPower); },
     [](V *v, T t) { return ParseInRange(t, kSettableDrumPower, &v->drumPower); },
     RangeText(kSettableDrumPower)},
    {"chorus", kSetsChorus,
     [](const V &v) { return ShowWithLevel(ChorusChoices, v.chorus, v.chorusLevelOn, v.chorusLevel); },
     [](V *v, T t) {
       return TakeWithLevel(ChorusChoices, t, &v->chorus, &v->chorusLevelOn, &v->chorusLevel);
     },
     ChoiceWithLevel(ChorusChoices)},
    {"reverb", kSetsReverb,
     [](const V &v) { return ShowWithLevel(ReverbChoices, v.reverb, v.reverbLevelOn, v.reverbLevel); },
     [](V *v, T t) {
       return TakeWithLevel(ReverbChoices, t, &v->reverb, &v->reverbLevelOn, &v->reverbLevel);
     },
     ChoiceWithLevel(ReverbChoices)},
    {"voice-lpf", kSetsVoiceLpf, [](const V &v) { return LetterOf(VoiceLpfChoices, v.voiceLpf); },
     [](V *v, T t) { return (v->voiceLpf = RowOfLetter(VoiceLpfChoices, t)) >= 0; }, OneOf(VoiceLpfChoices)},
    {"sampling-freq", kSetsSampleRate, [](const V &v) { return NumberOf(SampleRates, v.sampleRate); },
     [](V *v, T t) { return (v->sampleRate = RowOfNumber(SampleRates, t)) >= 0; }, OneOf(SampleRates)},
    {"polyphony", kSetsPolyphony, [](const V &v) { return NumberOf(PolyphonyLevels, v.polyphony); },
     [](V *v, T t) { return (v->polyphony = RowOfNumber(PolyphonyLevels, t)) >= 0; }, OneOf(PolyphonyLevels)},
    {"output", kSetsOutput,
     [](const V &v) {
       return std::string(v.mode == OutputMode::kStereo ? "stereo"
                          : v.mode == OutputMode::kMono ? "mono"
                                                        : "unset");
     },
     [](V *v, T t) {
       if (t != "stereo" && t != "mono") return false;
       v->mode = t == "mono" ? OutputMode::kMono : OutputMode::kStereo;
       return true;
     },
     "stereo or mono"},
    {"byte-swap", kSetsByteSwap, [](const V &v) { return std::string(OnOff(v.byteSwap)); },
     [](V *v, T t) { return ParseOnOff(t, &v->byteSwap); }, "on or off"},
    {"effects", kSetsEffects, [](const V &v) { return BuildEffectFlags(v).substr(2); },
     [](V *v, T t) {
       if (t.size() != kEffectFlagCount) return false;
       for (int i = 0; i < kEffectFlagCount; ++i) {
         char on = EffectFlags[i].letter;
         if (t[i] != on && t[i] != on - 'a' + 'A') return false;
         v->effects[i] = t[i] == on;
       }
       return true;
     },
     EffectLetters()},
    {"resample", kSetsResample, [](const V &v) { return LetterOf(ResampleChoices, v.resample); },
     [](V *v, T t) { return (v->resample = RowOfLetter(ResampleChoices, t)) >= 0; }, OneOf(ResampleChoices)},
    {"rtsyn-latency", kSetsLatency, [](const V &v) { return v.latency; },
     [](V *v, T t) {
       v->latency = std::string(t);
       return true;
     },
     LatencySeconds()},
    {"resample-param", kSetsResampleN, [](const V &v) { return v.resampleN; },
     [](V *v, T t) {
       v->resampleN = std::string(t);
       return true;
     },
     ResampleNs()},
    {"fast-panning", kSetsFastPanning, [](const V &v) { return std::string(OnOff(v.fastPanning)); },
     [](V *v, T t) { return ParseOnOff(t, &v->fastPanning); }, "on or off"},
    {"fast-decay", kSetsFastDecay, [](const V &v) { return std::string(OnOff(v.fastDecay)); },
     [](V *v, T t) { return ParseOnOff(t, &v->fastDecay); }, "on or off"},
    {"unload-instruments", kSetsUnload, [](const V &v) { return std::string(OnOff(v.unloadInstruments)); },
     [](V *v, T t) { return ParseOnOff(t, &v->unloadInstruments); },
     "on or off (off only when no --unload-instruments line of its own keeps it on)"},
    {"pseudo-reverb", kSetsPseudoReverb, [](const V &v) { return v.pseudoReverb; },
     [](V *v, T t) {
       int n;
       if (!ParseInRange(t, kPseudoReverbRange, &n)) return false;
       v->pseudoReverb = std::string(t);
       return true;
     },
     RangeText(kPseudoReverbRange)},
    {"cache", kSetsCache,
     [](const V &v) {
       return v.cacheSize >= 0 && v.cacheSize < kCacheSizeCount
                  ? std::to_string(CacheSizes[v.cacheSize].bytes)
                  : std::string();
     },
     [](V *v, T t) {
       int32_t bytes;
       if (!ParseExactDecimal(t, &bytes)) return false;
       for (int i = 0; i < kCacheSizeCount; ++i)
         if (bytes >= 0 && CacheSizes[i].bytes == static_cast<uint32_t>(bytes)) {
           v->cacheSize = i;
           return true;
         }
       return false;
     },
     CacheBytes()},
    {"noise-shaping", kSetsNoiseShaping, [](const V &v) { return std::to_string(v.noiseShaping); },
     [](V *v, T t) { return ParseInRange(t, kNoiseShapingRange, &v->noiseShaping); },
     RangeText(kNoiseShapingRange)},
};

const OptionSetting *FindOptionSetting(std::string_view name) {
  for (const OptionSetting &setting : OptionSettings)
    if (name == setting.name) return &setting;
  return nullptr;
}

const OptionSetting &OptionSettingOf(uint32_t bit) {
  for (const OptionSetting &setting : OptionSettings)
    if (setting.sets == bit) return setting;
  return OptionSettings[0];
}

std::string FormatNumber(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.6f", value);
  std::string number = text;
  number.erase(number.find_last_not_of('0') + 1);
  if (number.back() == '.') number.pop_back();
  return number == "-0" ? "0" : number;
}

namespace {

// The range a value must lie in to survive both the page's save and the
// next load: the page's limits and the load's, whichever are narrower.
std::string AllowedRange(const ParamsEntry &edit, double *low, double *high) {
  ParamKeyInfo key;
  FindParamKey(edit.field, &key);
  *low = std::fmax(edit.low, key.low);
  *high = std::fmin(edit.high, key.high);
  std::string range = FormatNumber(*low) + " to " + FormatNumber(*high);
  return edit.kind == EntryKind::kThousandths ? range + " in steps of 0.001" : range;
}

ParamSetting MakeSetting(const ParamField &field, const ParamsEntry *edit) {
  ParamKeyInfo key;
  FindParamKey(field, &key);
  ParamSetting setting{std::string(key.section) + "." + key.key, edit, field, "on or off"};
  if (edit) {
    double low, high;
    setting.allowed = AllowedRange(*edit, &low, &high);
  }
  return setting;
}

std::vector<ParamSetting> BuildParamSettings() {
  std::vector<ParamSetting> settings;
  for (const ParamsEntry &edit : ParamsEntries) settings.push_back(MakeSetting(edit.field, &edit));
  for (const ParamField &flag : OverrideFlags) settings.push_back(MakeSetting(flag, nullptr));
  settings.push_back(MakeSetting(&DriverParams::volctrl, nullptr));
  return settings;
}

}  // namespace

const std::vector<ParamSetting> &ParamSettings() {
  static const std::vector<ParamSetting> settings = BuildParamSettings();
  return settings;
}

const ParamSetting *FindParamSetting(std::string_view name) {
  for (const ParamSetting &setting : ParamSettings())
    if (name == setting.name) return &setting;
  return nullptr;
}

std::string ShowParam(const DriverParams &params, const ParamSetting &setting) {
  double value = ReadField(params, setting.field);
  if (!setting.edit) return OnOff(value != 0);
  return FormatNumber(value);
}

bool TakeParam(DriverParams *params, const ParamSetting &setting, std::string_view text) {
  if (!setting.edit) {
    bool on;
    if (!ParseOnOff(text, &on)) return false;
    WriteField(params, setting.field, on ? 1 : 0);
    return true;
  }
  double low, high;
  AllowedRange(*setting.edit, &low, &high);
  int32_t entry;
  if (setting.edit->kind == EntryKind::kThousandths) {
    // A decimal with at most three places: the page holds thousandths.
    size_t point = text.find('.');
    std::string digits(text.substr(0, point));
    std::string places = point == std::string_view::npos ? "" : std::string(text.substr(point + 1));
    if (places.size() > 3 || (point != std::string_view::npos && places.empty()) || digits.empty() ||
        digits[0] == '-')
      return false;
    places.resize(3, '0');
    int32_t whole, fraction;
    if (!ParseExactDecimal(digits, &whole) || !ParseExactDecimal(places, &fraction) || whole > 1000000)
      return false;
    entry = whole * 1000 + fraction;
    if (entry * 0.001 < low - 1e-9 || entry * 0.001 > high + 1e-9) return false;
  } else if (!ParseExactDecimal(text, &entry) || entry < low || entry > high) {
    return false;
  }
  StoreEntry(params, *setting.edit, entry);
  return true;
}

void TakeShownParams(DriverParams *params) {
  for (const ParamsEntry &edit : ParamsEntries) StoreEntry(params, edit, ShownEntry(*params, edit));
  params->volctrl = params->volctrl != 0 ? 1 : 0;
}
