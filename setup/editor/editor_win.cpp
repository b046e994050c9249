#include "setup/editor/editor_win.h"

#include <cstring>
#include <new>
#include <string>
#include <utility>

#include "lib/config/line_ends.h"
#include "lib/config/unseen_change.h"
#include "lib/files/file_io.h"
#include "setup/editor/directive_insert_win.h"
#include "setup/res/resource.h"
#include "setup/shell/driver_files_win.h"
#include "setup/shell/overwrite_question_win.h"
#include "setup/shell/save_failure_win.h"

namespace {

// Collapses the selection that the dialog manager makes when the edit first
// gets the focus, once the page is up.
const UINT_PTR kCaretTimer = 100;
// What the user may type; text loaded from the file is not cut by it.
const WPARAM kTypingLimit = 0x400000;

// What orvane.cfg held when the page last read or wrote it, so that "保存"
// asks before it overwrites a change the page has not shown.
SeenFile g_seen;

// False when the editor's text, as loaded, is not the file's bytes (after the
// line ends): a NUL byte cut it, or the edit changed bytes that the code page
// cannot show. "保存" then asks before it writes the changed bytes.
bool g_textIsTheFile = true;

// The line end that "保存" writes: the form the file used when it was last
// read, kept with the page.
void KeepLineEnd(HWND page, LineEnd end) { SetWindowLongPtrA(page, DWLP_USER, static_cast<LONG_PTR>(end)); }
LineEnd KeptLineEnd(HWND page) { return static_cast<LineEnd>(GetWindowLongPtrA(page, DWLP_USER)); }

// The edit's whole text, up to its first NUL. May throw std::bad_alloc.
std::string EditText(HWND edit) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
  GetWindowTextA(edit, &text[0], static_cast<int>(text.size()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

// Puts the whole of orvane.cfg into the editor, every line end as CR LF
// since the edit breaks lines only there. A file that is missing, or that
// cannot be read whole (or held in memory), leaves the editor's text and the
// line end it will be saved with as they are; the page then remembers the
// file as missing or unknown.
void ReloadEditor(HWND page) {
  char path[MAX_PATH];
  g_seen = {ReadStatus::kFailed, {}};
  g_textIsTheFile = true;
  if (!BuildDriverFilePath(path, kCfgFileName)) return;
  try {
    SeenFile read = ReadSeenFile(path);
    if (read.status == ReadStatus::kOk) {
      const std::string shown = WithLineEnds(read.bytes, LineEnd::kCrLf);
      SetDlgItemTextA(page, IDC_CFG_EDIT, shown.c_str());
      KeepLineEnd(page, FirstLineEnd(read.bytes));
      g_textIsTheFile = EditText(GetDlgItem(page, IDC_CFG_EDIT)) == shown;
    }
    g_seen = std::move(read);
  } catch (const std::bad_alloc &) {
  }
}

void InitEditorPage(HWND page) {
  KeepLineEnd(page, FirstLineEnd(""));  // a missing file is saved as a new one
  ReloadEditor(page);
  SetTimer(page, kCaretTimer, 100, nullptr);
  SendDlgItemMessageA(page, IDC_CFG_EDIT, EM_LIMITTEXT, kTypingLimit, 0);
}

void PutCaretAtStart(HWND page) {
  SendDlgItemMessageA(page, IDC_CFG_EDIT, EM_SETSEL, 0, 0);
  KillTimer(page, kCaretTimer);
}

// Writes the whole text of `edit` to `path` with its line ends as `end`,
// completely or not at all, after asking where the text as loaded was not the
// file's bytes and where the file has changed since the page read it (No
// writes nothing and says nothing more); a failure is reported to the user
// with `edit` as the owner.
void SaveEditToFile(HWND edit, const char *path, LineEnd end) {
  bool saved = false;
  try {
    std::string bytes = WithLineEnds(EditText(edit), end);
    if (!g_textIsTheFile && !AskToOverwrite(edit, TextId::kCfgUnshownBytesQuestion)) return;
    if (BytesChangedSince(g_seen, ReadSeenFile(path)) && !AskToOverwrite(edit, TextId::kCfgChangedQuestion))
      return;
    saved = SafeWriteInRun(ThisRun(), path, bytes.data(), bytes.size());
    if (saved) {
      g_seen = {ReadStatus::kOk, std::move(bytes)};
      g_textIsTheFile = true;  // the file now holds what the page shows
    }
  } catch (const std::bad_alloc &) {
  }
  if (!saved) ReportSaveFailure(edit);
}

void SaveEditor(HWND page) {
  char path[MAX_PATH];
  HWND edit = GetDlgItem(page, IDC_CFG_EDIT);
  if (BuildDriverFilePath(path, kCfgFileName))
    SaveEditToFile(edit, path, KeptLineEnd(page));
  else
    ReportSaveFailure(edit);
}

// Selects line `line` (from 1) of the text as it stands, or puts the caret at
// the end when the text has fewer lines, and scrolls it into view.
void SelectLine(HWND page, int line) {
  KillTimer(page, kCaretTimer);  // the start's caret placement must not undo this
  HWND edit = GetDlgItem(page, IDC_CFG_EDIT);
  LRESULT start = line > 0 ? SendMessageA(edit, EM_LINEINDEX, line - 1, 0) : -1;
  LRESULT end = start < 0 ? GetWindowTextLengthA(edit) : start + SendMessageA(edit, EM_LINELENGTH, start, 0);
  SendMessageA(edit, EM_SETSEL, start < 0 ? end : start, end);
  SendMessageA(edit, EM_SCROLLCARET, 0, 0);
  SetFocus(edit);
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
    case kSelectCfgLine:
      SelectLine(page, static_cast<int>(wParam));
      return TRUE;
    case WM_CLOSE:  // as the setup window answers; on a modeless child page EndDialog only hides it
      EndDialog(page, 1);
      return TRUE;
  }
  return FALSE;
}
