// The soundfonts page: orvane.cfg's soundfont entries as a list, each file
// checked for what it is, added, removed, reordered, switched on and off,
// located again when it moved, and written back by position on "適用".
// It reads nothing until its tab is first shown.
#pragma once

#include <windows.h>

INT_PTR CALLBACK SoundfontsDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
