// The synthesizer options page: the #extension opt lines of orvane.cfg as a form.
#pragma once

#include <windows.h>

INT_PTR CALLBACK OptionsDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Puts the options of orvane.cfg onto the page, over what it shows. A file
// that is missing or cannot be read leaves the page as it is.
void LoadExtOptions(HWND page);

// Rewrites orvane.cfg from the page, completely or not at all. False when the
// file could not be read (it is then left alone) or not be written.
bool SaveExtOptions(HWND page);
