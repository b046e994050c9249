// Text helpers shared by the readers of the driver's files and of the
// command line: lines, blanks, tokens, numbers and the parts of paths.
#pragma once

#include <cstdint>
#include <string_view>

#include "lib/files/lines.h"

// Calls `visit(line)` for every line that is not empty, in order: the lines
// the option reader and writer look at. A last line of a single character
// is kept like any other: dropping it would lose the user's text.
template <class Visit>
void ForEachLine(std::string_view text, Visit visit) {
  ForEachLineWithNumber(text, [&visit](std::string_view line, int) {
    if (!line.empty()) visit(line);
  });
}

// Inline, as the readers call these for every line of a file.
inline bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// A blank: a space or a tab.
inline bool IsBlankChar(char c) { return c == ' ' || c == '\t'; }

// `text` without the blanks it begins with.
inline std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && IsBlankChar(text.front())) text.remove_prefix(1);
  return text;
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

// The signed decimal a text begins with, read leniently as strtol reads it:
// leading white space, an optional sign, digits up to the first other
// character; no digits read as 0. Kept within 32 bits.
int32_t ReadDecimal(std::string_view text);

// Whether the text starts, after blanks, with a decimal: an optional sign
// and a digit. Tells a text the lenient readers read as 0 for want of a
// number from one that gives a number.
bool StartsWithDecimal(std::string_view text);

// The whole text as a decimal, strictly: an optional minus sign and one to
// ten digits, nothing else, within 32 bits. False, with `*number` untouched,
// for any other text.
bool ParseExactDecimal(std::string_view text, int32_t *number);

// The decimal fraction, with an optional exponent, that a text begins with,
// read leniently: leading white space skipped; no number reads as 0.
double ReadFraction(std::string_view text);

// The position of a path's last separator, npos where it has none.
// `separator` is the file system's: on Windows ('\\') a slash and a drive's
// colon end a folder too, and the second bytes of the code page's
// double-byte characters, which can be a backslash, are stepped over.
size_t LastSeparator(std::string_view path, char separator);

// The file's own name: what follows the path's last separator.
std::string_view FileNameOf(std::string_view path, char separator);
