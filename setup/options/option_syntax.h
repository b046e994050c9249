// The options the page knows: one table of long options and one of short
// option letters. The reader dispatches through them, and the writer drops
// the lines of every option they mark as managed before it writes its own.
#pragma once

#include <string_view>

#include "setup/options/option_values.h"

struct LongOption {
  const char *name;  // matches every option text that begins with it
  void (*apply)(OptionValues *values, std::string_view value);
  bool managed;
};

struct ShortOption {
  char letter;
  void (*apply)(OptionValues *values, std::string_view value);
};

// The first long option that `option` begins with, in table order; null when none.
const LongOption *FindLongOption(std::string_view option);
// Every short option letter listed here is managed. Null when not listed.
const ShortOption *FindShortOption(char letter);

// Whether the writer replaces lines with this option text by its own.
bool IsManagedOption(std::string_view option);
