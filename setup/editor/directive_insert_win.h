// Directive insertion on the editor page: a chooser names a file or folder,
// and a source, soundfont or dir line naming it goes in at the caret.
#pragma once

#include <windows.h>

// Runs the chooser of insertion button `id` and, when a path is chosen, puts
// the directive into the page's editor, replacing any selection. The current
// directory is the same afterwards whatever the chooser did.
void InsertDirective(HWND page, WORD id);
