#include "lib/config/directive_line.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool FindDirective(std::string_view line, std::string_view *directive, std::string_view *target) {
  size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos) return false;
  line.remove_prefix(start);
  for (std::string_view word : {"soundfont", "source", "dir"}) {
    if (line.substr(0, word.size()) != word || (line.size() > word.size() && !IsBlank(line[word.size()])))
      continue;
    *directive = word;
    std::string_view rest = line.substr(word.size());
    rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(" \t")));
    if (!rest.empty() && rest[0] == '"') {
      rest.remove_prefix(1);
      *target = rest.substr(0, rest.find('"'));
    } else {
      *target = rest.substr(0, rest.find_first_of(" \t"));
    }
    return true;
  }
  return false;
}

char *ComposeDirective(const char *format, const char *path) {
  int length = std::snprintf(nullptr, 0, format, path);
  if (length < 0) return nullptr;
  char *line = static_cast<char *>(std::malloc(static_cast<size_t>(length) + 1));
  if (line) std::snprintf(line, static_cast<size_t>(length) + 1, format, path);
  return line;
}
