// The "#extension opt" lines of orvane.cfg: how a line is recognised as an
// option line, how its option text divides, and how a choice value picks a
// row of its table.
#pragma once

#include <cstdint>
#include <string_view>

#include "lib/config/text.h"

// When `line` is an option line, puts its option text (what follows
// "#extension opt" or "opt") into `*option` and returns true.
bool FindOptionText(std::string_view line, std::string_view *option);

// "-X value": a dash and a letter other than a second dash.
bool IsShortOption(std::string_view option);
// The value of a short option: behind its letter and the blanks after it.
std::string_view ShortOptionValue(std::string_view option);

// The row a choice value selects: by index when it starts with a digit,
// otherwise by the letter of its first character; -1 when none.
template <class Row, size_t N>
int ChooseRow(const Row (&rows)[N], std::string_view value) {
  if (value.empty()) return -1;
  if (value[0] >= '0' && value[0] <= '9') {
    int32_t index = ReadDecimal(value);
    return index < static_cast<int32_t>(N) ? static_cast<int>(index) : -1;
  }
  for (size_t i = 0; i < N; ++i)
    if (rows[i].letter == value[0]) return static_cast<int>(i);
  return -1;
}
