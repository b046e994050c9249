// The words of what a soundfont entry's file is, in each language: the
// soundfonts page shows them, velder-cfg says them in English.
#pragma once

#include "lib/config/soundfont_file.h"
#include "lib/config/soundfont_list.h"
#include "lib/texts/texts.h"

TextId SoundfontStatusText(SoundfontStatus status);

// Why a file was not put in the list.
TextId SoundfontRefusalText(const SoundfontOutcome &outcome);
