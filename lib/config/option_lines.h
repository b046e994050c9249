// The "#extension opt" lines of orvane.cfg: how a line is recognised as an
// option line, and how the values behind the options are read.
#pragma once

#include <cstdint>
#include <string_view>

// Calls `visit(line)` for every non-empty line of `text`, in order, without its
// terminator. A line ends at LF; a CR right before the LF belongs to the
// terminator, as in a file read in text mode. Lines may be of any length, and
// a last line of a single character is kept like any other: dropping it would
// lose the user's text.
template <class Visit>
void ForEachLine(std::string_view text, Visit visit) {
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (end != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) visit(line);
  }
}

// Splits `text` at runs of the characters in `separators` (leading ones
// skipped) and calls `take(index, token)` for at most `limit` tokens.
template <class Take>
void ForEachToken(std::string_view text, std::string_view separators, int limit, Take take) {
  for (int taken = 0; taken < limit; ++taken) {
    size_t start = text.find_first_not_of(separators);
    if (start == std::string_view::npos) return;
    text.remove_prefix(start);
    size_t end = text.find_first_of(separators);
    take(taken, text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end);
  }
}

// When `line` is an option line, puts its option text (what follows
// "#extension opt" or "opt") into `*option` and returns true.
bool FindOptionText(std::string_view line, std::string_view *option);

// "-X value": a dash and a letter other than a second dash.
bool IsShortOption(std::string_view option);
// The value of a short option: behind its letter and the blanks after it.
std::string_view ShortOptionValue(std::string_view option);

// A signed decimal: leading white space, an optional sign, digits up to the
// first other character; no digits read as 0. Kept within 32 bits.
int32_t ReadDecimal(std::string_view text);

// `value` kept within low..high.
inline int Limited(int32_t value, int low, int high) {
  return value < low ? low : value > high ? high : static_cast<int>(value);
}

// A decimal fraction with an optional exponent; no number reads as 0.
double ReadFraction(std::string_view text);

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
