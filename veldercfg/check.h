// How `velder-cfg check` prints the findings of the driver's two files.
#pragma once

#include <string>

#include "lib/config/diagnosis.h"

// "FILE:LINE: message", or "FILE: message" for the file as a whole, in English.
std::string FormatFinding(const Finding &finding);
