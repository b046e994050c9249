// The options the page knows: one table of long options and one of short
// option letters. The reader dispatches through them, and the writer drops
// the lines of every option they mark as managed before it writes its own.
#pragma once

#include <cstdint>
#include <string_view>

#include "lib/config/option_values.h"

// The settings of the page that an option is given for, one bit each: a line
// is known to be for a setting even when its value changes nothing.
enum PageSetting : uint32_t {
  kSetsVolume = 1u << 0,
  kSetsDrumPower = 1u << 1,
  kSetsChorus = 1u << 2,
  kSetsReverb = 1u << 3,
  kSetsVoiceLpf = 1u << 4,
  kSetsSampleRate = 1u << 5,
  kSetsPolyphony = 1u << 6,
  kSetsOutput = 1u << 7,
  kSetsByteSwap = 1u << 8,
  kSetsEffects = 1u << 9,
  kSetsResample = 1u << 10,
  kSetsLatency = 1u << 11,
  kSetsResampleN = 1u << 12,
  kSetsFastPanning = 1u << 13,
  kSetsFastDecay = 1u << 14,
  kSetsUnload = 1u << 15,
  kSetsPseudoReverb = 1u << 16,
  kSetsCache = 1u << 17,
  kSetsNoiseShaping = 1u << 18,
};

struct LongOption {
  const char *name;  // matches every option text that begins with it
  void (*apply)(OptionValues *values, std::string_view value);
  bool managed;
  uint32_t sets;
};

struct ShortOption {
  char letter;
  void (*apply)(OptionValues *values, std::string_view value);
  uint32_t sets;
};

// The first long option that `option` begins with, in table order; null when none.
const LongOption *FindLongOption(std::string_view option);
// Every short option letter listed here is managed. Null when not listed.
const ShortOption *FindShortOption(char letter);

// Whether the writer replaces lines with this option text by its own.
bool IsManagedOption(std::string_view option);

// The settings an option text is given for (0 when none), and its value:
// what follows the long option's name, the short option's letter, or the
// "=" of a "-EF" sub-option.
uint32_t FindOptionSettings(std::string_view option, std::string_view *value);
