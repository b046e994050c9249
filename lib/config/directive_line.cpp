#include "lib/config/directive_line.h"

#include <cstdio>
#include <cstdlib>

char *ComposeDirective(const char *format, const char *path) {
  int length = std::snprintf(nullptr, 0, format, path);
  if (length < 0) return nullptr;
  char *line = static_cast<char *>(std::malloc(static_cast<size_t>(length) + 1));
  if (line) std::snprintf(line, static_cast<size_t>(length) + 1, format, path);
  return line;
}
