// The config editor page: orvane.cfg as plain text, saved and reloaded whole.
#pragma once

#include <windows.h>

INT_PTR CALLBACK CfgEditorDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Sent by the setup window: select line wParam (from 1) of the text as it
// stands, unsaved edits included; past its end, the caret goes to the end.
constexpr UINT kSelectCfgLine = WM_APP + 1;
