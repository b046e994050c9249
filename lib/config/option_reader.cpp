#include "lib/config/option_reader.h"

#include "lib/config/option_lines.h"
#include "lib/config/option_syntax.h"

void ApplyOptionText(OptionValues *values, std::string_view option) {
  ParsedOption parsed = ParseOption(option);
  if (parsed.apply) parsed.apply(values, parsed.value);
}

void ApplyOptionLines(OptionValues *values, std::string_view fileText) {
  ForEachLine(fileText, [values](std::string_view line) {
    std::string_view option;
    if (FindOptionText(line, &option)) ApplyOptionText(values, option);
  });
}
