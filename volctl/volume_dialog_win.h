// The volume window: one vertical slider whose every movement is sent to
// the driver as its new output volume.
#pragma once

#include <windows.h>

// The driver's volume message; wParam 0, lParam the volume from 0 to 100.
const UINT kVolumeMessage = WM_USER + 2;

INT_PTR CALLBACK VolumeDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
