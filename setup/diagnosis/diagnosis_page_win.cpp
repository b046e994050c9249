#include "setup/diagnosis/diagnosis_page_win.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "lib/config/diagnosis.h"
#include "lib/config/windows_view_win.h"
#include "lib/texts/finding_texts.h"
#include "lib/texts/interface_text_win.h"
#include "setup/res/resource.h"
#include "setup/shell/driver_files_win.h"
#include "setup/shell/setup_window_win.h"

namespace {

// Space around the list and the button, in pixels, whatever the dialog font.
const int kMargin = 8;

// A row's place: the driver files by their names, a sourced file by its path.
std::string RowPlace(const Finding &finding, const std::string &cfg, const std::string &ini) {
  std::string file = finding.file == cfg   ? kCfgFileName
                     : finding.file == ini ? kParamsFileName
                                           : finding.file;
  return finding.line > 0 ? file + ":" + std::to_string(finding.line) : file;
}

// Wide enough to scroll to the end of the longest row.
void FitScrollWidth(HWND list, const std::vector<std::string> &rows) {
  HDC dc = GetDC(list);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(list, WM_GETFONT, 0, 0)));
  LONG widest = 0;
  for (const std::string &row : rows) {
    SIZE size = {};
    GetTextExtentPoint32A(dc, row.c_str(), static_cast<int>(row.size()), &size);
    widest = std::max(widest, size.cx);
  }
  SelectObject(dc, old);
  ReleaseDC(list, dc);
  SendMessageA(list, LB_SETHORIZONTALEXTENT, widest + 2 * GetSystemMetrics(SM_CXBORDER), 0);
}

// Diagnoses both files as they are now and lists the findings. A finding on
// a line of orvane.cfg keeps that line as its row's data, for a double-click.
void Diagnose(HWND page) {
  char cfg[MAX_PATH], ini[MAX_PATH];
  BuildDriverFilePath(cfg, kCfgFileName);
  BuildDriverFilePath(ini, kParamsFileName);
  std::vector<Finding> findings = DiagnoseDriverFiles(cfg, ini, UserVirtualStore(), WindowsFileSystem());
  std::vector<std::string> rows;
  HWND list = GetDlgItem(page, IDC_DIAG_LIST);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const Finding &finding : findings) {
    rows.push_back(RowPlace(finding, cfg, ini) + ": " + DescribeFinding(finding, InterfaceLanguage()));
    LRESULT row = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rows.back().c_str()));
    if (row >= 0 && finding.file == cfg) SendMessageA(list, LB_SETITEMDATA, row, finding.line);
  }
  if (rows.empty()) {
    rows.push_back(UiText(TextId::kNoProblem));
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(UiText(TextId::kNoProblem)));
  }
  FitScrollWidth(list, rows);
}

// Puts the selected row on the clipboard as text.
void CopySelectedRow(HWND page) {
  HWND list = GetDlgItem(page, IDC_DIAG_LIST);
  LRESULT row = SendMessageA(list, LB_GETCURSEL, 0, 0);
  LRESULT length = row >= 0 ? SendMessageA(list, LB_GETTEXTLEN, row, 0) : LB_ERR;
  if (length < 0 || !OpenClipboard(page)) return;
  EmptyClipboard();
  HGLOBAL text = GlobalAlloc(GMEM_MOVEABLE, length + 1);
  char *bytes = text ? static_cast<char *>(GlobalLock(text)) : nullptr;
  if (bytes) {
    SendMessageA(list, LB_GETTEXT, row, reinterpret_cast<LPARAM>(bytes));
    GlobalUnlock(text);
    if (SetClipboardData(CF_TEXT, text)) text = nullptr;  // the clipboard owns it now
  }
  if (text) GlobalFree(text);
  CloseClipboard();
}

// Shows the line of orvane.cfg that the double-clicked row is about.
void ShowRowLine(HWND page) {
  HWND list = GetDlgItem(page, IDC_DIAG_LIST);
  LRESULT row = SendMessageA(list, LB_GETCURSEL, 0, 0);
  LRESULT line = row >= 0 ? SendMessageA(list, LB_GETITEMDATA, row, 0) : 0;
  if (line > 0) ShowCfgLine(GetParent(page), static_cast<int>(line));
}

// The list fills the page but for the margins and a row for the button,
// which keeps its template size in the bottom right corner.
void FitControlsToPage(HWND page) {
  HWND list = GetDlgItem(page, IDC_DIAG_LIST);
  HWND button = GetDlgItem(page, IDC_DIAG_RECHECK);
  if (!list || !button) return;  // while the page is being created
  RECT client, rect;
  GetClientRect(page, &client);
  GetWindowRect(button, &rect);
  LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
  LONG buttonTop = client.bottom - kMargin - height;
  MoveWindow(button, client.right - kMargin - width, buttonTop, width, height, TRUE);
  MoveWindow(list, kMargin, kMargin, client.right - 2 * kMargin, buttonTop - 2 * kMargin, TRUE);
}

bool CtrlIsDown() { return GetKeyState(VK_CONTROL) < 0; }

}  // namespace

INT_PTR CALLBACK DiagnosisDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:  // reads nothing: the files are diagnosed when the page is shown
      SetDlgItemTextA(page, IDC_DIAG_RECHECK, UiText(TextId::kRecheck));
      return TRUE;
    case WM_SHOWWINDOW:  // shown by its tab, not by the window's own restoring
      if (wParam && lParam == 0) Diagnose(page);
      return FALSE;
    case WM_SIZE:
      FitControlsToPage(page);
      return FALSE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDC_DIAG_RECHECK && HIWORD(wParam) == BN_CLICKED) Diagnose(page);
      if (LOWORD(wParam) == IDC_DIAG_LIST && HIWORD(wParam) == LBN_DBLCLK) ShowRowLine(page);
      return FALSE;
    case WM_VKEYTOITEM:  // answered directly: -2 the key is handled, -1 the list acts on it
      if (LOWORD(wParam) == 'C' && CtrlIsDown()) {
        CopySelectedRow(page);
        return -2;
      }
      return -1;
    case WM_CLOSE:  // as the setup window answers; on a modeless child page EndDialog only hides it
      EndDialog(page, 1);
      return TRUE;
  }
  return FALSE;
}
