// Feeds arbitrary bytes as orvane.cfg to the reader and the rewrite, with
// page values taken from the input as well. What the rewrite must give is
// worked out here from the documented rules, not with the writer's calls:
// which lines it keeps, and what the page shows after it reads the result.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>
#include <string>
#include <tuple>

#include "lib/config/option_lines.h"
#include "lib/config/option_reader.h"
#include "lib/config/option_writer.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

OptionValues ValuesFrom(FuzzedDataProvider &data) {
  OptionValues values;
  values.volume = data.ConsumeIntegralInRange(kVolumeRange.low, kVolumeRange.high);
  values.drumPower = data.ConsumeIntegralInRange(kDrumPowerRange.low, kDrumPowerRange.high);
  values.polyphony = data.ConsumeIntegralInRange(kPolyphonyRange.low, kPolyphonyRange.high);
  // -1 (nothing selected) to past the shorter tables' ends: the writer must skip a row it has no choice for.
  for (int *row : {&values.sampleRate, &values.chorus, &values.reverb, &values.voiceLpf, &values.resample,
                   &values.cacheSize, &values.noiseShaping})
    *row = data.ConsumeIntegralInRange(-1, kCacheSizeCount);
  for (bool *box : {&values.chorusLevelOn, &values.reverbLevelOn, &values.byteSwap, &values.fastPanning,
                    &values.fastDecay, &values.unloadInstruments})
    *box = data.ConsumeBool();
  for (bool &effect : values.effects) effect = data.ConsumeBool();
  values.mode = static_cast<OutputMode>(data.ConsumeIntegralInRange(0, 2));
  for (std::string *edit :
       {&values.chorusLevel, &values.reverbLevel, &values.latency, &values.resampleN, &values.pseudoReverb})
    *edit = data.ConsumeRandomLengthString(24);
  return values;
}

// Every setting but the unload box, which foreign lines may also set.
auto SettingsOf(const OptionValues &v) {
  return std::tie(v.volume, v.drumPower, v.polyphony, v.sampleRate, v.chorus, v.reverb, v.voiceLpf,
                  v.resample, v.cacheSize, v.noiseShaping, v.chorusLevelOn, v.reverbLevelOn, v.chorusLevel,
                  v.reverbLevel, v.mode, v.byteSwap, v.fastPanning, v.fastDecay, v.latency, v.resampleN,
                  v.pseudoReverb);
}

bool SameSettings(const OptionValues &a, const OptionValues &b) {
  return SettingsOf(a) == SettingsOf(b) &&
         std::equal(std::begin(a.effects), std::end(a.effects), std::begin(b.effects));
}

// Values that differ from the defaults in every setting: an option that sets
// anything changes one of the two.
OptionValues OtherValues() {
  OptionValues values;
  values.volume = values.drumPower = 1;
  values.polyphony = values.sampleRate = values.chorus = values.reverb = values.voiceLpf = values.resample =
      0;
  values.cacheSize = 1;
  values.noiseShaping = 0;
  values.chorusLevelOn = values.reverbLevelOn = true;
  values.chorusLevel = values.reverbLevel = values.latency = values.resampleN = values.pseudoReverb = "1";
  values.mode = OutputMode::kStereo;
  values.byteSwap = values.fastPanning = values.fastDecay = values.unloadInstruments = true;
  std::fill(std::begin(values.effects), std::end(values.effects), true);
  return values;
}

// The options the page manages, as documented: short options by letter,
// long options by the beginning of their text. Lines of any other option
// are foreign and kept.
bool IsManaged(std::string_view option) {
  static const std::string_view kLetters = "BEFNORUafps";
  static const std::string_view kNames[] = {
      "--volume=",       "--drum-power=",     "--reverb=",           "--chorus=",    "--sampling-freq=",
      "--polyphony=",    "--resample=",       "--rtsyn-latency=",    "--fast-decay", "--fast-panning",
      "--no-fast-decay", "--no-fast-panning", "--buffer-fragments=", "--voice-lpf=", "--noise-shaping=",
  };
  if (IsShortOption(option)) return kLetters.find(option[1]) != std::string_view::npos;
  return std::any_of(std::begin(kNames), std::end(kNames),
                     [&](std::string_view name) { return option.substr(0, name.size()) == name; });
}

// Foreign options stay in the file, so they must not fight the generated
// block: read onto either value set, they change nothing but the unload box.
void CheckForeignOptions(const std::string &foreign) {
  static const OptionValues first = DefaultOptionValues(), second = OtherValues();
  for (const OptionValues *start : {&first, &second}) {
    OptionValues values = *start;
    ApplyOptionLines(&values, foreign);
    Check(SameSettings(values, *start));
  }
}

// Whatever the file says, the values stay what the page's controls can hold.
void CheckReadValues(const OptionValues &read, const OptionValues &start) {
  Check(read.volume >= kVolumeRange.low && read.volume <= kVolumeRange.high);
  Check(read.drumPower >= kDrumPowerRange.low && read.drumPower <= kDrumPowerRange.high);
  Check(read.polyphony >= kPolyphonyRange.low && read.polyphony <= kPolyphonyRange.high);
  const int rows[][3] = {{read.sampleRate, start.sampleRate, kSampleRateCount},
                         {read.chorus, start.chorus, kChorusChoiceCount},
                         {read.reverb, start.reverb, kReverbChoiceCount},
                         {read.voiceLpf, start.voiceLpf, kVoiceLpfChoiceCount},
                         {read.resample, start.resample, kResampleChoiceCount},
                         {read.cacheSize, start.cacheSize, kCacheSizeCount},
                         {read.noiseShaping, start.noiseShaping, kNoiseShapingChoiceCount}};
  for (const auto &row : rows) Check(row[0] == row[1] || (row[0] >= 0 && row[0] < row[2]));
}

bool ValidRow(int row, int count) { return row >= 0 && row < count; }

// A level as the page shows it once its line is read back: a number, and
// the box clear when the line went without one.
void ExpectLevel(bool valid, bool *on, std::string *level) {
  if (!valid) return;
  int32_t n = ReadDecimal(*level);
  *on = *on && n != 0;
  if (*on) *level = std::to_string(n);
}

// Three decimals, no sign: what the latency line carries.
bool IsSecondsText(std::string_view text) {
  size_t point = text.find('.');
  if (point == 0 || point == std::string_view::npos || text.size() - point != 4) return false;
  std::string digits = std::string(text.substr(0, point)) + std::string(text.substr(point + 1));
  return digits.find_first_not_of("0123456789") == std::string::npos;
}

// The page's values after "適用" and "再読み込み": `values` overlaid with
// what the rewritten file says.
void CheckReadBack(const OptionValues &values, const std::string &foreign, const std::string &rewritten) {
  OptionValues shown = values;
  ApplyOptionLines(&shown, rewritten);

  OptionValues expected = values;
  // A volume or drum power of 0 reads as 70 and 100.
  if (expected.volume == 0) expected.volume = 70;
  if (expected.drumPower == 0) expected.drumPower = 100;
  ExpectLevel(ValidRow(values.chorus, kChorusChoiceCount), &expected.chorusLevelOn, &expected.chorusLevel);
  ExpectLevel(ValidRow(values.reverb, kReverbChoiceCount), &expected.reverbLevelOn, &expected.reverbLevel);
  // Neither radio checked writes stereo.
  if (expected.mode != OutputMode::kMono) expected.mode = OutputMode::kStereo;
  if (ValidRow(values.resample, kResampleChoiceCount) && ResampleChoices[values.resample].maxN != 0) {
    const ResampleChoice &algorithm = ResampleChoices[values.resample];
    int32_t n = ReadDecimal(values.resampleN);
    expected.resampleN = std::to_string(n <= 0 ? algorithm.defaultN : std::min(n, int32_t{algorithm.maxN}));
  }
  expected.pseudoReverb = std::to_string(std::clamp(ReadDecimal(values.pseudoReverb), 0, 1000));
  // The latency is checked on its own below, as a number.
  expected.latency = shown.latency;
  Check(SameSettings(shown, expected));

  // At least 0.04 seconds, rounded to three decimals.
  double seconds = std::max(ReadFraction(values.latency), 0.04);
  Check(IsSecondsText(shown.latency));
  Check(std::fabs(ReadFraction(shown.latency) - seconds) <= 0.0005 + seconds * 1e-15);

  // "-U" when the box is checked; otherwise the foreign lines have the say.
  OptionValues afterForeign = values;
  ApplyOptionLines(&afterForeign, foreign);
  Check(shown.unloadInstruments == (values.unloadInstruments || afterForeign.unloadInstruments));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size) {
  FuzzedDataProvider data(bytes, size);
  OptionValues values = ValuesFrom(data);
  std::string file = data.ConsumeRemainingBytesAsString();

  OptionValues read = DefaultOptionValues();
  ApplyOptionLines(&read, file);
  CheckReadValues(read, DefaultOptionValues());

  // The kept lines, then the foreign option lines, each whole and in file
  // order; managed option lines are dropped.
  std::string kept, foreign;
  ForEachLine(file, [&](std::string_view line) {
    std::string_view option;
    if (!FindOptionText(line, &option)) {
      (kept += line) += "\r\n";
    } else if (!IsManaged(option)) {
      (foreign += line) += "\r\n";
    }
  });
  CheckForeignOptions(foreign);
  std::string once = RewriteOptionLines(file, values);
  std::string head = kept + "\r\n" + foreign + "\r\n";
  Check(once.compare(0, head.size(), head) == 0);

  // Then the generated block: whole lines, each an option line of a managed option.
  std::string_view block = std::string_view(once).substr(head.size());
  Check(block.size() >= 2 && block.substr(block.size() - 2) == "\r\n");
  size_t lines = 0;
  ForEachLine(block, [&](std::string_view line) {
    std::string_view option;
    Check(line.substr(0, 15) == "#extension opt " && FindOptionText(line, &option) && IsManaged(option));
    Check(line.find('\r') == std::string_view::npos);
    ++lines;
  });
  Check(lines == static_cast<size_t>(std::count(block.begin(), block.end(), '\n')));

  CheckReadBack(values, foreign, once);
  Check(RewriteOptionLines(once, values) == once);
  return 0;
}
