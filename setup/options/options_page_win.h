// The synthesizer options page: the #extension opt lines of orvane.cfg as a form.
#pragma once

#include <windows.h>

INT_PTR CALLBACK OptionsDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
