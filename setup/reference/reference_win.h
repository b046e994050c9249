// The option reference page: the engine's command-line help, read-only.
#pragma once

#include <windows.h>

INT_PTR CALLBACK OptionRefDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
