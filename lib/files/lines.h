// How every reader and writer of the driver's text files divides them into
// lines: CR LF, a lone LF and a lone CR each end a line, as the editor page
// shows them, so that no rewrite joins, drops or changes a line it does not
// manage, whatever its line end. CR and LF never occur as the trail byte of a
// double-byte character in code page 932, so no byte is taken for another.
#pragma once

#include <string_view>

// The length of the line end at `at`: 2 for CR LF, 1 for a lone CR or LF, 0
// where `at` holds no line end (or lies past the text).
inline size_t LineEndLength(std::string_view text, size_t at) {
  if (at >= text.size()) return 0;
  if (text[at] == '\n') return 1;
  if (text[at] != '\r') return 0;
  return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
}

// Where the next line end at or after `from` begins; npos where none does.
inline size_t FindLineEnd(std::string_view text, size_t from = 0) { return text.find_first_of("\r\n", from); }

// Whether the line end at `at` is a lone CR, which the driver and its engine,
// reading up to the next LF, do not take for one.
inline bool IsLoneCr(std::string_view text, size_t at) {
  return LineEndLength(text, at) == 1 && text[at] == '\r';
}

// Calls `visit(line, number)` for every line of `text`, empty ones included,
// numbered from 1 as the editor numbers them, without its line end. A text
// that ends with a line end has no empty line after it. Lines may be of any
// length.
template <class Visit>
void ForEachLineWithNumber(std::string_view text, Visit visit) {
  for (int number = 1; !text.empty(); ++number) {
    size_t end = FindLineEnd(text);
    visit(text.substr(0, end), number);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + LineEndLength(text, end));
  }
}
