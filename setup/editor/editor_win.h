// The config editor page: orvane.cfg as plain text, saved and reloaded whole.
#pragma once

#include <windows.h>

#include <cstdio>

INT_PTR CALLBACK CfgEditorDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

// Puts the whole of `file` into `edit` and closes `file` in every case. When
// the file cannot be read whole (or memory runs out) the edit keeps its text.
void LoadFileIntoEdit(FILE *file, HWND edit);

// Writes the whole text of `edit` to `path`, completely or not at all;
// a failure is reported to the user with `edit` as the owner.
void SaveEditToFile(HWND edit, const char *path);
