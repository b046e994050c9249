#include "setup/params/params_page_win.h"

#include "lib/config/params_entries.h"
#include "setup/params/driver_params_win.h"
#include "setup/res/resource.h"
#include "setup/shell/overwrite_question_win.h"
#include "setup/shell/save_failure_win.h"

namespace {

using P = DriverParams;

// Each control of the page and the value of the set it shows.
struct ParamControl {
  int id;
  ParamField field;
};

// The edits, each showing its entry of ParamsEntries.
const ParamControl kEdits[] = {
    {IDC_VIBRATO_DELAY, &P::VibratoDelay},
    {IDC_VIBRATO_DEPTH, &P::VibratoDepth},
    {IDC_VEL_TO_FC, &P::VelToFc},
    {IDC_VEL_TO_RES, &P::VelToRes},
    {IDC_VEL_TO_FC_THR, &P::VelToFcThr},
    {IDC_TREMOLO_DELAY, &P::TremoloDelay},
    {IDC_TREMOLO_DEPTH, &P::TremoloDepth},
    {IDC_TREMOLO_TO_FC, &P::TremoloToFc},
    {IDC_TREMOLO_TO_PITCH, &P::TremoloToPitch},
    {IDC_MODENV_DELAY, &P::ModEnvDelay},
    {IDC_MODENV_TO_PITCH, &P::ModEnvToPitch},
    {IDC_MODENV_TO_FC, &P::ModEnvToFc},
    {IDC_CUTOFF_FREQ, &P::CutoffFreq},
    {IDC_RES, &P::Res},
    {IDC_ENV_DELAY, &P::EnvDelay},
    {IDC_CALC_VIBRATO_DELAY, &P::CalcVibratoDelay},
    {IDC_CALC_VIBRATO_CENT, &P::CalcVibratoCent},
    {IDC_OD_DRIVE, &P::GS_OD_Drive},
    {IDC_OD_LEVEL, &P::GS_OD_Level},
};

// The override check boxes, each showing one of OverrideFlags.
const ParamControl kOverrideBoxes[] = {
    {IDC_OVERWRITE_VIBRATO, OverrideFlags[0]}, {IDC_OVERWRITE_TREMOLO, OverrideFlags[1]},
    {IDC_OVERWRITE_CUTOFF, OverrideFlags[2]},  {IDC_OVERWRITE_VEL, OverrideFlags[3]},
    {IDC_OVERWRITE_MODENV, OverrideFlags[4]},  {IDC_OVERWRITE_ENV, OverrideFlags[5]},
};

// Every edit's table entry; each edit has one.
const ParamsEntry &EntryOf(const ParamControl &edit) { return *FindParamsEntry(edit.field); }

void FillParamsPage(HWND page) {
  LoadDriverParams();
  for (const ParamControl &box : kOverrideBoxes) {
    WPARAM state = ReadField(g_driverParams, box.field) != 0 ? BST_CHECKED : BST_UNCHECKED;
    SendDlgItemMessageA(page, box.id, BM_SETCHECK, state, 0);
  }
  for (const ParamControl &edit : kEdits)
    SetDlgItemInt(page, edit.id, static_cast<UINT>(ShownEntry(g_driverParams, EntryOf(edit))), TRUE);
  CheckDlgButton(page, IDC_MIXER_VOLUME, g_driverParams.volctrl != 0 ? BST_CHECKED : BST_UNCHECKED);
}

// Takes every value shown into the set and saves it, after asking where the
// file has changed since it was read (No writes nothing and says nothing
// more). The page keeps the entries as typed, also where the file gets a
// limited value.
void SaveParamsPage(HWND page) {
  for (const ParamControl &edit : kEdits)
    StoreEntry(&g_driverParams, EntryOf(edit), static_cast<int>(GetDlgItemInt(page, edit.id, nullptr, TRUE)));
  g_driverParams.OverWriteFlags = 0;
  for (const ParamControl &box : kOverrideBoxes)
    WriteField(&g_driverParams, box.field, SendDlgItemMessageA(page, box.id, BM_GETCHECK, 0, 0) != 0);
  g_driverParams.volctrl = IsDlgButtonChecked(page, IDC_MIXER_VOLUME) == BST_CHECKED ? 1 : 0;
  if (ParamsChangedSinceRead() && !AskToOverwrite(page, TextId::kParamsChangedQuestion)) return;
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
