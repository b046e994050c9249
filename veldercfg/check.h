// How `velder-cfg check` words the findings of the driver's two files.
#pragma once

#include <string>

#include "lib/config/diagnosis.h"

// What the finding says, without its place.
std::string DescribeFinding(const Finding &finding);
// "FILE:LINE: message", or "FILE: message" for the file as a whole.
std::string FormatFinding(const Finding &finding);
