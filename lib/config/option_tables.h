// The choice tables behind the synthesizer options: the lists of the options
// page, the values the writer puts into option lines and the letters the
// reader accepts all come from here.
#pragma once

#include <cstdint>

// A row picked by a letter (or by its index).
struct LetterChoice {
  char letter;
  const char *label;
};

// A resampling algorithm; algorithms with a parameter N carry its default
// and its largest value, the others 0 for both.
struct ResampleChoice {
  char letter;
  const char *label;
  int defaultN;
  int maxN;
};

struct CacheSize {
  uint32_t bytes;
  char label[12];
};

// One letter of the -E option.
struct EffectFlag {
  char letter;  // lowercase: the feature on
};

constexpr int kReverbChoiceCount = 5;
constexpr int kChorusChoiceCount = 3;
constexpr int kResampleChoiceCount = 6;
constexpr int kVoiceLpfChoiceCount = 3;
constexpr int kNoiseShapingChoiceCount = 5;
constexpr int kSampleRateCount = 8;
constexpr int kPolyphonyLevelCount = 7;
constexpr int kCacheSizeCount = 17;
constexpr int kEffectFlagCount = 13;

extern const LetterChoice ReverbChoices[kReverbChoiceCount];
extern const LetterChoice ChorusChoices[kChorusChoiceCount];
extern const ResampleChoice ResampleChoices[kResampleChoiceCount];
extern const LetterChoice VoiceLpfChoices[kVoiceLpfChoiceCount];
extern const char *const NoiseShapingChoices[kNoiseShapingChoiceCount];
extern const int SampleRates[kSampleRateCount];
extern const int PolyphonyLevels[kPolyphonyLevelCount];
extern const CacheSize (&CacheSizes)[kCacheSizeCount];
extern const EffectFlag EffectFlags[kEffectFlagCount];
