// The words of the diagnosis' findings, in each language of the interface:
// velder-cfg says them in English, the setup window's page in Japanese.
#pragma once

#include <string>

#include "lib/config/diagnosis.h"
#include "lib/texts/language.h"

// What the finding says, without its place, on one line.
std::string DescribeFinding(const Finding &finding, Language language);
