#include "setup/params/params_page_win.h"

#include "setup/params/driver_params_win.h"
#include "setup/params/params_page.h"
#include "setup/res/resource.h"
#include "setup/shell/save_failure_win.h"

namespace {

void FillParamsPage(HWND page) {
  LoadDriverParams();
  for (const ParamsPageCheckBox &box : OverrideCheckBoxes) {
    WPARAM state = ReadField(g_driverParams, box.flag) != 0 ? BST_CHECKED : BST_UNCHECKED;
    SendDlgItemMessageA(page, box.id, BM_SETCHECK, state, 0);
  }
  for (const ParamsPageEdit &edit : ParamsPageEdits)
    SetDlgItemInt(page, edit.id, static_cast<UINT>(ShownEntry(g_driverParams, edit)), TRUE);
  CheckDlgButton(page, IDC_MIXER_VOLUME, g_driverParams.volctrl != 0 ? BST_CHECKED : BST_UNCHECKED);
}

// Takes every value shown into the set and saves it. The page keeps the
// entries as typed, also where the file gets a limited value.
void SaveParamsPage(HWND page) {
  for (const ParamsPageEdit &edit : ParamsPageEdits)
    StoreEntry(&g_driverParams, edit, static_cast<int>(GetDlgItemInt(page, edit.id, nullptr, TRUE)));
  g_driverParams.OverWriteFlags = 0;
  for (const ParamsPageCheckBox &box : OverrideCheckBoxes)
    WriteField(&g_driverParams, box.flag, SendDlgItemMessageA(page, box.id, BM_GETCHECK, 0, 0) != 0);
  g_driverParams.volctrl = IsDlgButtonChecked(page, IDC_MIXER_VOLUME) == BST_CHECKED ? 1 : 0;
  // The user pressed the button: a save that did not happen is said, and the
  // file keeps what it had.
  if (!SaveDriverParams()) ReportSaveFailure(page);
}

}  // namespace

// Returns FALSE for every message, WM_INITDIALOG included, so that the dialog
// manager sets no focus on this page.
INT_PTR CALLBACK DriverParamsDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      FillParamsPage(page);
      break;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_PARAMS_SAVE) SaveParamsPage(page);
      break;
  }
  return FALSE;
}
