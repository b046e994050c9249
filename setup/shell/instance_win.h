// The program's module, whose resources the windows are made from.
#pragma once

#include <windows.h>

// Set by WinMain (or a test) before the first window is created.
inline HINSTANCE g_instance = nullptr;
