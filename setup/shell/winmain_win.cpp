// Entry of VelderSetup. The command line is not read; the exit status is 1.
#include <windows.h>

#include <commctrl.h>

#include "setup/res/resource.h"
#include "setup/shell/instance_win.h"
#include "setup/shell/setup_window_win.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  INITCOMMONCONTROLSEX controls = {};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_LISTVIEW_CLASSES;  // the soundfonts page's list
  InitCommonControlsEx(&controls);
  g_instance = instance;
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_SETUP), nullptr, MainDlgProc, 0);
  return 1;
}
