// The config editor page: orvane.cfg as plain text, saved and reloaded whole.
#pragma once

#include <windows.h>

INT_PTR CALLBACK CfgEditorDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
