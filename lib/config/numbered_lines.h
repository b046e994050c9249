// Lines as an editor numbers them, for findings that name a line.
#pragma once

#include <string_view>

// Calls `visit(line, number)` for every line, empty ones included, numbered
// from 1 as an editor numbers them; a CR before the LF is not part of the line.
template <class Visit>
void ForEachNumberedLine(std::string_view text, Visit visit) {
  for (int number = 1; !text.empty(); ++number) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    visit(line, number);
  }
}
