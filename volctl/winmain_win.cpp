// Entry of VelderVolCtl. The command line is not read; the exit status is 0.
#include <windows.h>

#include <commctrl.h>

#include "volctl/resource.h"
#include "volctl/volume_dialog_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  // The dialog's slider is a trackbar, a comctl32 class: the dialog cannot be
  // created unless comctl32 is loaded and the class registered. This call,
  // made before the dialog, loads comctl32 through the import it makes and
  // asks for the bar classes, which covers the trackbar however the system's
  // comctl32 registers its classes.
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_BAR_CLASSES;
  InitCommonControlsEx(&controls);
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_VOLUME), nullptr, VolumeDlgProc, 0);
  return 0;
}
