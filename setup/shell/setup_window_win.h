// The setup window: a tab control over its pages, one visible at a time.
#pragma once

#include <windows.h>

#include "lib/texts/texts.h"

// One row of the page table. A row with template 0 ends the table.
struct SetupPage {
  int templateId;  // the Japanese template; the English one is IDD_ENGLISH of it
  TextId label;
  DLGPROC dialogProc;
  HWND window;  // filled in when the page is created
};

extern SetupPage SetupPages[];

INT_PTR CALLBACK MainDlgProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Selects the orvane.cfg editor's tab, shows its page and selects line `line`
// (from 1) of its text; the pages ask this of the window, which owns the tabs.
void ShowCfgLine(HWND setupWindow, int line);
