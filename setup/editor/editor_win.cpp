#include "setup/editor/editor_win.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "lib/files/file_io.h"
#include "setup/editor/directive_insert_win.h"
#include "setup/res/resource.h"
#include "setup/shell/driver_files_win.h"
#include "setup/shell/save_failure_win.h"

namespace {

// Collapses the selection that the dialog manager makes when the edit first
// gets the focus, once the page is up.
const UINT_PTR kCaretTimer = 100;
// What the user may type; text loaded from the file is not cut by it.
const WPARAM kTypingLimit = 0x400000;

// Puts the whole of orvane.cfg into the editor. A file that is missing, or
// that cannot be read whole (or held in memory), leaves the editor's text as it is.
void ReloadEditor(HWND page) {
  char path[MAX_PATH];
  std::string text;
  if (BuildDriverFilePath(path, kCfgFileName) && ReadWholeFile(path, &text) == ReadStatus::kOk)
    SetDlgItemTextA(page, IDC_CFG_EDIT, text.c_str());
}

void InitEditorPage(HWND page) {
  ReloadEditor(page);
  SetTimer(page, kCaretTimer, 100, nullptr);
  SendDlgItemMessageA(page, IDC_CFG_EDIT, EM_LIMITTEXT, kTypingLimit, 0);
}

void PutCaretAtStart(HWND page) {
  SendDlgItemMessageA(page, IDC_CFG_EDIT, EM_SETSEL, 0, 0);
  KillTimer(page, kCaretTimer);
}

// Writes the whole text of `edit` to `path`, completely or not at all;
// a failure is reported to the user with `edit` as the owner.
void SaveEditToFile(HWND edit, const char *path) {
  int length = GetWindowTextLengthA(edit);
  char *text = static_cast<char *>(std::calloc(static_cast<size_t>(length) + 1, 1));
  bool saved = false;
  if (text) {
    GetWindowTextA(edit, text, length + 1);
    saved = SafeWriteFile(path, text, std::strlen(text));
    std::free(text);
  }
  if (!saved) ReportSaveFailure(edit);
}

void SaveEditor(HWND page) {
  char path[MAX_PATH];
  HWND edit = GetDlgItem(page, IDC_CFG_EDIT);
  if (BuildDriverFilePath(path, kCfgFileName))
    SaveEditToFile(edit, path);
  else
    ReportSaveFailure(edit);
}

void OnEditorCommand(HWND page, WORD id) {
  switch (id) {
    case IDC_CFG_SAVE:
      SaveEditor(page);
      break;
    case IDC_CFG_RELOAD:
      ReloadEditor(page);
      break;
    case IDC_ADD_SOURCE:
    case IDC_ADD_SOUNDFONT:
    case IDC_ADD_DIR:
      InsertDirective(page, id);
      break;
  }
}

}  // namespace

INT_PTR CALLBACK CfgEditorDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      InitEditorPage(page);
      return TRUE;
    case WM_TIMER:
      if (wParam == kCaretTimer) PutCaretAtStart(page);
      return FALSE;
    case WM_COMMAND:
      OnEditorCommand(page, LOWORD(wParam));
      return FALSE;
    case WM_CLOSE:  // as the setup window answers; on a modeless child page EndDialog only hides it
      EndDialog(page, 1);
      return TRUE;
  }
  return FALSE;
}
