#include "volctl/volume_dialog_win.h"

#include <commctrl.h>

#include <cstdio>

#include "volctl/driver_window.h"
#include "volctl/resource.h"

namespace {

// Position 0 is the top of the vertical slider, and the top is full volume.
const int kMaxVolume = 100;

// The thumb starts at the bottom, and the field stays empty until the first
// movement: the driver's present volume is not known.
void InitVolumeDialog(HWND dialog) {
  SendDlgItemMessageA(dialog, IDC_VOLUME_SLIDER, TBM_SETRANGE, TRUE, MAKELPARAM(0, kMaxVolume));
  SendDlgItemMessageA(dialog, IDC_VOLUME_SLIDER, TBM_SETPOS, TRUE, kMaxVolume);
}

BOOL CALLBACK PostToDriverWindow(HWND window, LPARAM volume) {
  char className[512] = "";
  if (GetClassNameA(window, className, sizeof className) > 0 && IsDriverWindowClass(className))
    PostMessageA(window, kVolumeMessage, 0, volume);
  return TRUE;  // visit every window: each process using the driver owns one
}

// Posts the volume to every top-level driver window; with no driver running
// it goes nowhere.
void BroadcastVolume(int volume) { EnumWindows(PostToDriverWindow, volume); }

// Every scroll code counts, the end-of-track one included, so that the
// driver always ends up with where the thumb came to rest.
void SendSliderVolume(HWND dialog) {
  int volume =
      kMaxVolume - static_cast<int>(SendDlgItemMessageA(dialog, IDC_VOLUME_SLIDER, TBM_GETPOS, 0, 0));
  char text[16];
  std::snprintf(text, sizeof text, "%d", volume);
  SetDlgItemTextA(dialog, IDC_VOLUME_FIELD, text);
  BroadcastVolume(volume);
}

}  // namespace

INT_PTR CALLBACK VolumeDlgProc(HWND dialog, UINT message, WPARAM, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      InitVolumeDialog(dialog);
      return TRUE;
    case WM_VSCROLL:
      SendSliderVolume(dialog);
      return FALSE;
    case WM_CLOSE:
      EndDialog(dialog, 1);
      return FALSE;
  }
  return FALSE;
}
