// The driver parameters page: velder_soundfont.ini as a form.
#pragma once

#include <windows.h>

INT_PTR CALLBACK DriverParamsDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
