#include "lib/config/option_tables.h"

const LetterChoice ReverbChoices[kReverbChoiceCount] = {{'d'}, {'n'}, {'g'}, {'f'}, {'G'}};

const LetterChoice ChorusChoices[kChorusChoiceCount] = {{'d'}, {'n'}, {'s'}};

// The engine's letters: Newton is "g" and Gauss "n".
const ResampleChoice ResampleChoices[kResampleChoiceCount] = {
    {'d', 0, 0}, {'l', 0, 0}, {'c', 0, 0}, {'L', 0, 0}, {'g', 7, 57}, {'n', 25, 34},
};

const LetterChoice VoiceLpfChoices[kVoiceLpfChoiceCount] = {{'d'}, {'c'}, {'m'}};

const int SampleRates[kSampleRateCount] = {4000, 8000, 11025, 16000, 22050, 32000, 44100, 48000};

// 196, not 192: the engine's own step.
const int PolyphonyLevels[kPolyphonyLevelCount] = {32, 64, 96, 128, 196, 256, 512};

namespace {

struct CacheSizeTable {
  CacheSize rows[kCacheSizeCount];
};

// A size with its label, "%u KB" below 1 MB and "%u MB" from there on.
constexpr CacheSize CacheSizeRow(uint32_t bytes) {
  CacheSize row = {bytes, {}};
  bool megabytes = bytes >= 1048576u;
  uint32_t count = megabytes ? bytes / 1048576u : bytes / 1024u;
  char digits[10] = {};
  int length = 0;
  do digits[length++] = static_cast<char>('0' + count % 10);
  while ((count /= 10) > 0);
  int at = 0;
  while (length > 0) row.label[at++] = digits[--length];
  row.label[at++] = ' ';
  row.label[at++] = megabytes ? 'M' : 'K';
  row.label[at] = 'B';
  return row;
}

// None, then 32 KB doubling up to 1024 MB. Made by the compiler, so that
// the table is whole before any code that runs at start-up reads it.
constexpr CacheSizeTable BuildCacheSizes() {
  CacheSizeTable table = {};
  table.rows[0] = {0, ""};
  for (int i = 1; i < kCacheSizeCount; ++i)
    table.rows[i] = CacheSizeRow(i == 1 ? 32768u : table.rows[i - 1].bytes * 2);
  return table;
}

constexpr CacheSizeTable kCacheSizes = BuildCacheSizes();

}  // namespace

const CacheSize (&CacheSizes)[kCacheSizeCount] = kCacheSizes.rows;

// In the order the writer puts the letters behind "-E".
const EffectFlag EffectFlags[kEffectFlagCount] = {
    {'w'}, {'p'}, {'v'}, {'e'}, {'t'}, {'s'}, {'o'}, {'z'}, {'j'}, {'d'}, {'x'}, {'c'}, {'q'},
};
