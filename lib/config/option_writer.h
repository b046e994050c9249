// Rewriting orvane.cfg from the page's values: ordinary lines and the option
// lines the page does not manage are kept, the managed ones are replaced by
// a block generated from the values.
#pragma once

#include <string>
#include <string_view>

#include "lib/config/option_values.h"

// Lines are written as a file opened in text mode writes them on Windows.
extern const char kLineEnd[];

// "-E" and one letter per EffectFlags row: lowercase when on.
std::string BuildEffectFlags(const OptionValues &values);

// The generated option lines, each ended by kLineEnd.
std::string BuildGeneratedBlock(const OptionValues &values);

// The kept lines, an empty line, the foreign option lines, an empty line and
// the generated block. Kept and foreign lines come back byte for byte.
std::string RewriteOptionLines(std::string_view fileText, const OptionValues &values);
