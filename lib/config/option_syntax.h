// The option grammar: every option the page knows, in three tables (long
// options by name, short options by letter, and the effect settings behind
// "-EF" by name), each with what it applies to the page's values and the
// settings it is for. The reader applies options through it, and the writer
// drops the lines of every option it marks as managed before it writes its
// own.
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

// What the grammar makes of one option text.
struct ParsedOption {
  void (*apply)(OptionValues *values, std::string_view value);  // null: changes nothing
  // What follows the long option's name, the short option's letter and the
  // blanks after it, or the "-EF" setting's name; the whole text when unknown.
  std::string_view value;
  uint32_t sets;  // PageSetting bits; 0 when unknown
  bool managed;   // whether the writer replaces lines with it by its own
};

ParsedOption ParseOption(std::string_view option);

// The settings an option text is given for (0 when none), and its value.
uint32_t FindOptionSettings(std::string_view option, std::string_view *value);
