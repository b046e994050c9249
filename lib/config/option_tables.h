// The choice tables behind the synthesizer options: the rows of the options
// page's lists, the values the writer puts into option lines and the letters
// the reader accepts all come from here. The words the lists show are the
// interface's (lib/texts), one per row.
#pragma once

#include <cstdint>

// A row picked by a letter (or by its index).
struct LetterChoice {
  char letter;
};

// A resampling algorithm; algorithms with a parameter N carry its default
// and its largest value, the others 0 for both.
struct ResampleChoice {
  char letter;
  int defaultN;
  int maxN;
};

// A size of the sample cache, with its label ("32 KB", "1 MB"); the first
// row, no cache, has an empty label.
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
extern const int SampleRates[kSampleRateCount];
extern const int PolyphonyLevels[kPolyphonyLevelCount];
extern const CacheSize (&CacheSizes)[kCacheSizeCount];
extern const EffectFlag EffectFlags[kEffectFlagCount];
