#include "setup/editor/editor_win.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "files/file_io.h"
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

// Puts the whole of `file` into `edit` and closes `file` in every case. When
// the file cannot be read whole (or memory runs out) the edit keeps its text.
void LoadFileIntoEdit(FILE *file, HWND edit) {
  char *text = nullptr;
  long size = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
  if (size >= 0 && std::fseek(file, 0, SEEK_SET) == 0) {
    text = static_cast<char *>(std::malloc(static_cast<size_t>(size) + 8));
    if (text && std::fread(text, 1, static_cast<size_t>(size), file) != static_cast<size_t>(size)) {
      std::free(text);
      text = nullptr;
    }
  }
  std::fclose(file);
  if (!text) return;
  text[size] = '\0';
  SetWindowTextA(edit, text);
  std::free(text);
}

void ReloadEditor(HWND page) {
  char path[MAX_PATH];
  if (!BuildDriverFilePath(path, kCfgFileName)) return;
  FILE *file = std::fopen(path, "rb");
  if (file) LoadFileIntoEdit(file, GetDlgItem(page, IDC_CFG_EDIT));
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
