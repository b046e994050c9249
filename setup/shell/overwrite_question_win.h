// The question a page asks before its write would overwrite a change to its
// file that it has not seen, or change bytes of it that it could not show.
#pragma once

#include <windows.h>

#include "lib/texts/texts.h"

// Asks with the text `question` whether to overwrite; No is the default.
// True for Yes.
bool AskToOverwrite(HWND owner, TextId question);
