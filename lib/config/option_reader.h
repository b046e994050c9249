// Reading option lines onto the page's values. Nothing is reset first: each
// option overlays what the values held, and of repeated options the last wins.
#pragma once

#include <string_view>

#include "lib/config/option_values.h"

// Applies every option line of a file's text, in file order.
void ApplyOptionLines(OptionValues *values, std::string_view fileText);
// Applies one option text (the part behind "#extension opt").
void ApplyOptionText(OptionValues *values, std::string_view option);
