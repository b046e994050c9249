// The question a page asks before its write would overwrite a change to its
// file that it has not seen.
#pragma once

#include <windows.h>

// The caption of the boxes that ask the user or confirm to them.
extern const char kConfirmCaption[];

// Asks with `text` whether to overwrite; No is the default. True for Yes.
bool AskToOverwrite(HWND owner, const char *text);
