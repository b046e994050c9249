#include "setup/params/params_page_win.h"

// The page's template is not in the program yet, so no window is ever
// created with this procedure; its tab shows nothing.
INT_PTR CALLBACK DriverParamsDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
