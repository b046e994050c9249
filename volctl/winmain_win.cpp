// Entry of VelderVolCtl. The command line is not read; the exit status is 0.
#include <windows.h>

#include <commctrl.h>

#include "volctl/resource.h"
#include "volctl/volume_dialog_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The dialog's slider is a trackbar, whose window class comctl32 registers
  // only when asked; without it the dialog cannot be created. Asking for the
  // bar classes alone registers it before the dialog exists, and the import
  // this call makes keeps comctl32 loaded.
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_BAR_CLASSES;
  InitCommonControlsEx(&controls);
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_VOLUME), nullptr, VolumeDlgProc, 0);
  return 0;
}
