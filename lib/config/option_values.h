// What the synthesizer options page shows, as a plain record, with the
// values it starts with and the operations that put an option's value onto
// it, as the page offers them. The reader puts options into it, the writer
// builds option lines from it, and the page moves it to and from its
// controls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "lib/config/option_tables.h"

enum class OutputMode { kUnset, kStereo, kMono };

// List selections are rows of their tables (-1: nothing selected); slider
// positions are kept within their ranges; edits hold their text as typed.
// A record made without DefaultOptionValues() is the page as its controls
// are made: nothing selected, sliders at 0, boxes clear, edits empty.
struct OptionValues {
  int volume = 0;
  int drumPower = 0;
  int polyphony = 0;  // row of PolyphonyLevels
  int sampleRate = -1;
  int chorus = -1;
  int reverb = -1;
  int voiceLpf = -1;
  int resample = -1;
  int cacheSize = -1;
  int noiseShaping = -1;
  bool chorusLevelOn = false;
  bool reverbLevelOn = false;
  std::string chorusLevel;
  std::string reverbLevel;
  OutputMode mode = OutputMode::kUnset;
  bool byteSwap = false;
  bool effects[kEffectFlagCount] = {};  // by row of EffectFlags
  bool fastPanning = false;
  bool fastDecay = false;
  bool unloadInstruments = false;
  std::string latency;
  std::string resampleN;
  std::string pseudoReverb;
};

// Whether two sets of values are the same in every member (a member added
// above is compared there too).
bool SameOptionValues(const OptionValues &a, const OptionValues &b);

// Whole numbers from `low` to `high`, both included.
struct Range {
  int low;
  int high;
};

// The sliders' ranges (polyphony by row of PolyphonyLevels), and the rows of
// the noise shaping list.
constexpr Range kVolumeRange = {0, 200};
constexpr Range kDrumPowerRange = {0, 200};
constexpr Range kPolyphonyRange = {0, kPolyphonyLevelCount - 1};
constexpr Range kNoiseShapingRange = {0, kNoiseShapingChoiceCount - 1};

// `value` kept within `range`.
inline int Limited(int32_t value, Range range) {
  return value < range.low ? range.low : value > range.high ? range.high : static_cast<int>(value);
}

// The values the page starts with, before the file's options are read.
OptionValues DefaultOptionValues();

// Given a number.
void SetVolume(OptionValues *values, int32_t volume);
void SetDrumPower(OptionValues *values, int32_t power);
void SetPolyphony(OptionValues *values, int32_t voices);
void SelectSampleRate(OptionValues *values, int32_t hertz);
// Given the value text.
void SetChorus(OptionValues *values, std::string_view value);
void SetReverb(OptionValues *values, std::string_view value);
void SelectResample(OptionValues *values, std::string_view value);
void SelectVoiceLpf(OptionValues *values, std::string_view value);
void SelectNoiseShaping(OptionValues *values, std::string_view value);
void SelectCacheSize(OptionValues *values, std::string_view value);
// Each letter of EffectFlags checks its box when lowercase and clears it
// when uppercase; every other character is passed over.
void SetEffectFlags(OptionValues *values, std::string_view letters);

// The bytes a size text stands for: "2M", "2048K" or a count of bytes.
int64_t CacheSizeBytes(std::string_view value);
