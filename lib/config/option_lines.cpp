#include "lib/config/option_lines.h"

bool FindOptionText(std::string_view line, std::string_view *option) {
  std::string_view text = SkipBlanks(line);
  if (StartsWith(text, "#extension")) text = SkipBlanks(text.substr(10));
  if (!StartsWith(text, "opt")) return false;
  *option = SkipBlanks(text.substr(3));
  return true;
}

bool IsShortOption(std::string_view option) {
  return option.size() >= 2 && option[0] == '-' && option[1] != '-';
}

std::string_view ShortOptionValue(std::string_view option) { return SkipBlanks(option.substr(2)); }
