// How a save that did not happen is told to the user, on every page.
#pragma once

#include <windows.h>

// The one message for a save that did not happen.
void ReportSaveFailure(HWND owner);
