// The setup window: a tab control over four pages, one visible at a time.
#pragma once

#include <windows.h>

// One row of the page table. A row with a null label ends the table.
struct SetupPage {
  int templateId;
  const char *label;
  DLGPROC dialogProc;
  HWND window;  // filled in when the page is created
};

extern SetupPage SetupPages[];

INT_PTR CALLBACK MainDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
