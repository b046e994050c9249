#include "setup/diagnosis/diagnosis_page_win.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "lib/config/diagnosis.h"
#include "lib/config/windows_view_win.h"
#include "lib/midi/midi_system.h"
#include "lib/midi/test_phrase.h"
#include "lib/texts/finding_texts.h"
#include "lib/texts/interface_text_win.h"
#include "lib/texts/midi_texts.h"
#include "setup/res/resource.h"
#include "setup/shell/driver_files_win.h"
#include "setup/shell/setup_window_win.h"

namespace {

// Space around the list and the buttons, in pixels, whatever the dialog font.
const int kMargin = 8;

// The MIDI system the page reads and plays to: the system's, or a test's.
const MidiCalls *g_midi = &kSystemMidiCalls;

// The test phrase, played by the page's timer. One page plays at a time.
PhrasePlayer g_phrase;
const UINT_PTR kPhraseTimer = 1;

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

// The devices the phrase can play to, the MIDI mapper first; the device
// chosen before stays chosen while it is there, else the mapper is.
void ListDevices(HWND page, const std::vector<MidiRow> &midi) {
  HWND devices = GetDlgItem(page, IDC_DIAG_DEVICE);
  LRESULT chosen = SendMessageA(devices, CB_GETCURSEL, 0, 0);
  LRESULT before = chosen >= 0 ? SendMessageA(devices, CB_GETITEMDATA, chosen, 0) : kMidiMapper;
  SendMessageA(devices, CB_RESETCONTENT, 0, 0);
  SendMessageA(devices, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(UiText(TextId::kMidiMapperDevice)));
  SendMessageA(devices, CB_SETITEMDATA, 0, kMidiMapper);
  LRESULT select = 0;
  for (const MidiRow &row : midi) {
    if (row.kind != MidiRowKind::kOutputDevice) continue;
    std::string label = std::to_string(row.device) + (row.name.empty() ? "" : ": " + row.name);
    LRESULT item = SendMessageA(devices, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(label.c_str()));
    SendMessageA(devices, CB_SETITEMDATA, item, row.device);
    if (static_cast<unsigned>(before) == row.device) select = item;
  }
  SendMessageA(devices, CB_SETCURSEL, select, 0);
}

// Diagnoses both files and the MIDI system as they are now and lists the
// findings, the files' first; the no-problem row stands first where neither
// has one. A finding on a line of orvane.cfg keeps that line as its row's
// data, for a double-click.
void Diagnose(HWND page) {
  char cfg[MAX_PATH], ini[MAX_PATH];
  BuildDriverFilePath(cfg, kCfgFileName);
  BuildDriverFilePath(ini, kParamsFileName);
  std::vector<Finding> findings = DiagnoseDriverFiles(cfg, ini, UserVirtualStore(), WindowsFileSystem());
  std::vector<MidiRow> midi = ReadMidiRows(*g_midi);
  std::vector<std::string> rows;
  HWND list = GetDlgItem(page, IDC_DIAG_LIST);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  auto add = [&rows, list](std::string text) {
    rows.push_back(std::move(text));
    return SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(rows.back().c_str()));
  };
  if (findings.empty() && !HasMidiFinding(midi)) add(UiText(TextId::kNoProblem));
  for (const Finding &finding : findings) {
    LRESULT row = add(RowPlace(finding, cfg, ini) + ": " + DescribeFinding(finding, InterfaceLanguage()));
    if (row >= 0 && finding.file == cfg) SendMessageA(list, LB_SETITEMDATA, row, finding.line);
  }
  for (const MidiRow &row : midi) add(DescribeMidiRow(row, InterfaceLanguage()));
  FitScrollWidth(list, rows);
  ListDevices(page, midi);
}

// The test phrase ends, or is stopped: its notes released, the device closed.
void EndPhrase(HWND page) {
  KillTimer(page, kPhraseTimer);
  StopPhrase(*g_midi, &g_phrase);
  SetDlgItemTextA(page, IDC_DIAG_PLAY, UiText(TextId::kPlayPhrase));
}

// Starts the test phrase on the chosen device, or stops the one playing.
// The driver reads its files when it is opened, so the phrase plays the
// settings as saved.
void PlayOrStop(HWND page) {
  if (g_phrase.playing) {
    EndPhrase(page);
    return;
  }
  if (g_midi->deviceCount() == 0) {
    MessageBoxA(page, UiText(TextId::kNoMidiDevice), UiText(TextId::kSaveFailedCaption),
                MB_OK | MB_ICONWARNING);
    return;
  }
  HWND devices = GetDlgItem(page, IDC_DIAG_DEVICE);
  LRESULT chosen = SendMessageA(devices, CB_GETCURSEL, 0, 0);
  unsigned id =
      chosen >= 0 ? static_cast<unsigned>(SendMessageA(devices, CB_GETITEMDATA, chosen, 0)) : kMidiMapper;
  unsigned wait = 0;
  MidiResult result = StartPhrase(*g_midi, id, &g_phrase, &wait);
  if (result != kMidiOk) {
    std::string name(chosen >= 0 ? SendMessageA(devices, CB_GETLBTEXTLEN, chosen, 0) : 0, '\0');
    if (!name.empty()) SendMessageA(devices, CB_GETLBTEXT, chosen, reinterpret_cast<LPARAM>(&name[0]));
    std::string text = UiText(TextId::kMidiOpenFailed) + ("\n" + name + "\n") + g_midi->errorText(result);
    MessageBoxA(page, text.c_str(), UiText(TextId::kSaveFailedCaption), MB_OK | MB_ICONERROR);
    return;
  }
  SetTimer(page, kPhraseTimer, wait, nullptr);
  SetDlgItemTextA(page, IDC_DIAG_PLAY, UiText(TextId::kStopPhrase));
}

// The phrase's next steps, once they are due.
void ContinuePlaying(HWND page) {
  unsigned wait = 0;
  if (ContinuePhrase(*g_midi, &g_phrase, &wait))
    SetTimer(page, kPhraseTimer, wait, nullptr);
  else
    EndPhrase(page);
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

SIZE SizeOf(HWND control) {
  RECT rect;
  GetWindowRect(control, &rect);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// Puts a control, at its template size, with its top left corner at (x, y).
void Place(HWND control, LONG x, LONG y) {
  SetWindowPos(control, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The list fills the page but for the margins and a row below it, where the
// devices and the play button stand on the left and the recheck button in
// the bottom right corner, each at its template size.
void FitControlsToPage(HWND page) {
  HWND list = GetDlgItem(page, IDC_DIAG_LIST);
  HWND recheck = GetDlgItem(page, IDC_DIAG_RECHECK);
  HWND devices = GetDlgItem(page, IDC_DIAG_DEVICE);
  HWND play = GetDlgItem(page, IDC_DIAG_PLAY);
  if (!list || !recheck || !devices || !play) return;  // while the page is being created
  RECT client;
  GetClientRect(page, &client);
  SIZE button = SizeOf(recheck), box = SizeOf(devices);
  LONG rowTop = client.bottom - kMargin - button.cy;
  Place(recheck, client.right - kMargin - button.cx, rowTop);
  Place(devices, kMargin, rowTop + (button.cy - box.cy) / 2);
  Place(play, kMargin + box.cx + kMargin, rowTop);
  MoveWindow(list, kMargin, kMargin, client.right - 2 * kMargin, rowTop - 2 * kMargin, TRUE);
}

bool CtrlIsDown() { return GetKeyState(VK_CONTROL) < 0; }

}  // namespace

INT_PTR CALLBACK DiagnosisDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:  // reads nothing: the files and MIDI are diagnosed when the page is shown
      SetDlgItemTextA(page, IDC_DIAG_RECHECK, UiText(TextId::kRecheck));
      SetDlgItemTextA(page, IDC_DIAG_PLAY, UiText(TextId::kPlayPhrase));
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
      if (LOWORD(wParam) == IDC_DIAG_PLAY && HIWORD(wParam) == BN_CLICKED) PlayOrStop(page);
      return FALSE;
    case WM_TIMER:
      if (wParam == kPhraseTimer) ContinuePlaying(page);
      return TRUE;
    case WM_DESTROY:  // the window closing while the phrase plays leaves no device open
      EndPhrase(page);
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

void UseMidiCalls(const MidiCalls &calls) { g_midi = &calls; }
