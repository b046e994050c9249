// The option reference page: the engine's command-line help, read-only.
#pragma once

#include <windows.h>

INT_PTR CALLBACK OptionRefDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Makes the reference edit fill the page, 8 pixels in from the left and
// right edges and 10 from the top and bottom.
void FitEditToPage(HWND page);
