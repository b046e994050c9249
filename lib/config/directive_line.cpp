#include "lib/config/directive_line.h"

#include <cstdio>
#include <cstdlib>

#include "lib/config/text.h"

bool FindDirective(std::string_view line, std::string_view *directive, std::string_view *target) {
  line = SkipBlanks(line);
  for (std::string_view word : {"soundfont", "source", "dir"}) {
    if (!StartsWith(line, word) || (line.size() > word.size() && !IsBlankChar(line[word.size()]))) continue;
    *directive = word;
    std::string_view rest = SkipBlanks(line.substr(word.size()));
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
