// How a save that did not happen is told to the user, on every page, and
// how a page's write of orvane.cfg ended.
#pragma once

#include <windows.h>

// The one message for a save that did not happen.
void ReportSaveFailure(HWND owner);

// How a page's write of orvane.cfg ended.
enum class WriteOutcome { kWritten, kDeclined, kFailed };

// Tells the user how the write ended: "orvane.cfg に書き込みました", nothing
// for a write the user declined, or the failure.
void ReportCfgWrite(HWND owner, WriteOutcome outcome);
