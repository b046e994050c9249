// The diagnosis page: what is wrong in the driver's two files, diagnosed
// afresh each time the page is shown and on "再チェック"; it never writes.
#pragma once

#include <windows.h>

INT_PTR CALLBACK DiagnosisDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
