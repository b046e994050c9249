#include "setup/soundfonts/soundfonts_page_win.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <new>
#include <string>
#include <vector>

#include "lib/config/directive_line.h"
#include "lib/config/soundfont_lines.h"
#include "lib/config/soundfont_list.h"
#include "lib/config/text.h"
#include "lib/config/windows_view_win.h"
#include "lib/files/system_library_win.h"
#include "lib/texts/interface_text_win.h"
#include "lib/texts/soundfont_texts.h"
#include "setup/editor/choosers_win.h"
#include "setup/res/resource.h"
#include "setup/shell/driver_files_win.h"
#include "setup/shell/overwrite_question_win.h"
#include "setup/shell/save_failure_win.h"

namespace {

// Space around the list and between the buttons, in pixels.
const int kMargin = 8;
const int kGap = 4;

// What the page holds: orvane.cfg's own entries, which it edits, the sourced
// files' entries, which it shows below them, and the file's text and own
// entries as last read or written, against which a write places its lines
// and checks for changes it has not seen.
struct PageState {
  bool read = false;
  bool filling = false;  // the list is being filled: its notifications are the page's own
  std::vector<SoundfontRow> own, sourced;
  std::string text;
  std::vector<std::string> seen;
};

PageState g_state;

HWND List(HWND page) { return GetDlgItem(page, IDC_SF_LIST); }

// The columns, with their share of the list's width in percent.
struct Column {
  TextId title;
  int percent;
};
const Column kColumns[] = {
    {TextId::kColumnFile, 32}, {TextId::kColumnName, 18},    {TextId::kColumnStatus, 22},
    {TextId::kColumnSize, 14}, {TextId::kColumnOptions, 14},
};

void AddColumns(HWND page) {
  HWND list = List(page);
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT,
               LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT;
  int index = 0;
  for (const Column &c : kColumns) {
    column.pszText = const_cast<char *>(UiText(c.title));
    SendMessageA(list, LVM_INSERTCOLUMNA, index++, reinterpret_cast<LPARAM>(&column));
  }
}

// The columns share the list's width, less a vertical scroll bar's.
void FitColumns(HWND list) {
  RECT client;
  GetClientRect(list, &client);
  int width = client.right - GetSystemMetrics(SM_CXVSCROLL), index = 0;
  for (const Column &c : kColumns) SendMessageA(list, LVM_SETCOLUMNWIDTH, index++, width * c.percent / 100);
}

// The file's name, from its Windows path.
std::string NameOf(const std::string &path) { return std::string(FileNameOf(path, '\\')); }

std::string StatusOf(const SoundfontRow &row) {
  if (row.source.empty()) return UiText(SoundfontStatusText(row.check.status));
  std::string format = UiText(TextId::kSoundfontSourced);
  return format.replace(format.find("%s"), 2, NameOf(row.source));
}

void SetCell(HWND list, int item, int column, const std::string &text) {
  LVITEMA cell = {};
  cell.iSubItem = column;
  cell.pszText = const_cast<char *>(text.c_str());
  SendMessageA(list, LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell));
}

// The checkbox's state image: 2 checked, 1 not.
void ShowChecked(HWND list, size_t item, bool on) {
  LVITEMA state = {};
  state.stateMask = LVIS_STATEIMAGEMASK;
  state.state = INDEXTOSTATEIMAGEMASK(on ? 2 : 1);
  SendMessageA(list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&state));
}

void AddRow(HWND list, int item, const SoundfontRow &row) {
  SoundfontLine parts;
  ParseSoundfontLine(row.line, &parts);
  std::string file(parts.target);
  LVITEMA entry = {};
  entry.mask = LVIF_TEXT;
  entry.iItem = item;
  entry.pszText = const_cast<char *>(file.c_str());
  SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&entry));
  SetCell(list, item, 1, row.check.name);
  SetCell(list, item, 2, StatusOf(row));
  SetCell(list, item, 3, row.check.size);
  SetCell(list, item, 4, std::string(parts.options));
  ShowChecked(list, item, parts.on);
}

std::vector<size_t> SelectedRows(HWND page) {
  std::vector<size_t> rows;
  for (LRESULT at = -1; (at = SendMessageA(List(page), LVM_GETNEXTITEM, at, LVNI_SELECTED)) >= 0;)
    rows.push_back(static_cast<size_t>(at));
  return rows;
}

// The buttons that act on the selection act only on orvane.cfg's own rows.
void EnableButtons(HWND page) {
  std::vector<size_t> selected = SelectedRows(page);
  bool own = !selected.empty() && selected.back() < g_state.own.size();
  for (int id : {IDC_SF_REMOVE, IDC_SF_UP, IDC_SF_DOWN}) EnableWindow(GetDlgItem(page, id), own);
  EnableWindow(GetDlgItem(page, IDC_SF_LOCATE), own && selected.size() == 1);
}

// Lists every row, the rows at `selected` selected.
void Fill(HWND page, const std::vector<size_t> &selected = {}) {
  HWND list = List(page);
  g_state.filling = true;
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
  SendMessageA(list, LVM_SETITEMCOUNT, g_state.own.size() + g_state.sourced.size(), 0);
  int item = 0;
  for (const std::vector<SoundfontRow> *rows : {&g_state.own, &g_state.sourced})
    for (const SoundfontRow &row : *rows) AddRow(list, item++, row);
  LVITEMA state = {};
  state.stateMask = state.state = LVIS_SELECTED;
  for (size_t at : selected) SendMessageA(list, LVM_SETITEMSTATE, at, reinterpret_cast<LPARAM>(&state));
  if (!selected.empty()) SendMessageA(list, LVM_ENSUREVISIBLE, selected.front(), FALSE);
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  g_state.filling = false;
  EnableButtons(page);
}

bool CfgPath(char (&path)[MAX_PATH]) { return BuildDriverFilePath(path, kCfgFileName); }

// Takes `text` as orvane.cfg's and lists its entries.
void Take(HWND page, const std::string &cfg, std::string text) {
  SoundfontList list = ListSoundfonts(cfg, text, WindowsFileSystem());
  g_state.own = std::move(list.own);
  g_state.sourced = std::move(list.sourced);
  g_state.seen = LinesOf(g_state.own);
  g_state.text = std::move(text);
  g_state.read = true;
  Fill(page);
}

// Reads orvane.cfg afresh; a file that cannot be read leaves the page as it is.
void Load(HWND page) {
  char path[MAX_PATH];
  if (!CfgPath(path)) return;
  try {
    std::string text;
    if (ReadWholeFile(path, &text) == ReadStatus::kFailed) return;
    Take(page, path, std::move(text));
  } catch (const std::bad_alloc &) {
    // Too large to hold: the page stays as it is, as for an unreadable file.
  }
}

// One box for the files not taken, one line each.
void ReportRefusals(HWND page, const std::vector<SoundfontOutcome> &outcomes) {
  std::string text = UiText(TextId::kSoundfontsNotAdded);
  bool any = false;
  for (const SoundfontOutcome &outcome : outcomes)
    if (outcome.refusal != SoundfontRefusal::kNone) {
      text += "\r\n" + outcome.path + ": " + UiText(SoundfontRefusalText(outcome));
      any = true;
    }
  if (any) MessageBoxA(page, text.c_str(), UiText(TextId::kSaveFailedCaption), MB_ICONWARNING);
}

void AddPaths(HWND page, const std::vector<std::string> &paths) {
  char cfg[MAX_PATH];
  if (!g_state.read || !CfgPath(cfg)) return;
  size_t before = g_state.own.size();
  std::vector<SoundfontOutcome> outcomes =
      AddSoundfonts(cfg, g_state.text, paths, &g_state.own, WindowsFileSystem());
  std::vector<size_t> added;
  for (size_t at = before; at < g_state.own.size(); ++at) added.push_back(at);
  Fill(page, added);
  ReportRefusals(page, outcomes);
}

// Runs the open-file dialog for soundfonts; the paths chosen.
std::vector<std::string> ChooseFiles(HWND page, DWORD several, const char *folder, const char *name) {
  char saved[MAX_PATH];
  DWORD length = GetCurrentDirectoryA(MAX_PATH, saved);
  CMyFileDialog chooser;
  chooser.m_ofn.hwndOwner = page;
  chooser.m_ofn.Flags = OFN_FILEMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER | several;
  chooser.m_ofn.lpstrFilter = UiText(TextId::kSoundfontsFilter);
  chooser.m_ofn.lpstrInitialDir = folder;
  chooser.m_pszStartName = name;
  std::vector<std::string> paths;
  if (chooser.Show()) paths = chooser.Paths();
  if (length > 0 && length < MAX_PATH) SetCurrentDirectoryA(saved);
  return paths;
}

void Add(HWND page) { AddPaths(page, ChooseFiles(page, OFN_ALLOWMULTISELECT, nullptr, nullptr)); }

// Files dropped from Explorer. shell32 is loaded at the first drop, from
// the system directory.
void Drop(HWND page, HDROP drop) {
  HMODULE shell = LoadSystemLibrary("shell32.dll", LoadLibraryExA);
  decltype(&DragQueryFileA) query;
  decltype(&DragFinish) finish;
  FindFunction(shell, "DragQueryFileA", &query);
  FindFunction(shell, "DragFinish", &finish);
  if (!query || !finish) return;
  std::vector<std::string> paths;
  UINT count = query(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    std::string path(query(drop, i, nullptr, 0) + 1, '\0');
    path.resize(query(drop, i, &path[0], static_cast<UINT>(path.size())));
    paths.push_back(path);
  }
  finish(drop);
  AddPaths(page, paths);
}

void Remove(HWND page) {
  std::vector<size_t> selected = SelectedRows(page);
  if (selected.empty() || selected.back() >= g_state.own.size()) return;
  RemoveRows(&g_state.own, selected);
  Fill(page);
}

void Move(HWND page, bool up) {
  std::vector<size_t> selected = SelectedRows(page);
  if (selected.empty() || selected.back() >= g_state.own.size()) return;
  std::vector<size_t> positions = MovedPositions(selected, g_state.own.size(), up);
  MoveRows(&g_state.own, selected, positions);
  Fill(page, positions);
}

// A checkbox switched by the user: an own entry's line follows it; a
// sourced entry's box goes back, since the page writes orvane.cfg only.
void Switched(HWND page, const NMLISTVIEW &change) {
  if (g_state.filling || !(change.uChanged & LVIF_STATE) ||
      ((change.uNewState ^ change.uOldState) & LVIS_STATEIMAGEMASK) == 0)
    return;
  size_t item = static_cast<size_t>(change.iItem);
  bool on = (change.uNewState & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
  if (item < g_state.own.size()) {
    g_state.own[item].line = SwitchedSoundfontLine(g_state.own[item].line, on);
    return;
  }
  g_state.filling = true;
  ShowChecked(List(page), item, !on);
  g_state.filling = false;
}

bool Exists(const std::string &path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The folder of a Windows path; empty where it names none but a drive.
std::string FolderOf(const std::string &path) {
  size_t slash = LastSeparator(path, '\\');
  return slash == std::string::npos || path[slash] == ':' ? "" : path.substr(0, slash);
}

// Where a moved file of this name may be: the folders of the other entries
// and the dir folders. Windows names match whatever their letter case.
std::string SearchMoved(size_t index, const std::string &name) {
  std::vector<std::string> folders;
  for (size_t i = 0; i < g_state.own.size(); ++i)
    if (i != index && !g_state.own[i].check.found.empty())
      folders.push_back(FolderOf(g_state.own[i].check.found));
  ForEachLine(g_state.text, [&](std::string_view line) {
    std::string_view directive, target;
    if (FindDirective(line, &directive, &target) && directive == "dir") folders.emplace_back(target);
  });
  for (const std::string &folder : folders)
    if (!folder.empty() && Exists(folder + "\\" + name)) return folder;
  return "";
}

// The nearest folder of `path` that exists.
std::string NearestFolder(std::string path) {
  for (path = FolderOf(path); !path.empty() && !Exists(path); path = FolderOf(path)) {
  }
  return path;
}

void Locate(HWND page) {
  char cfg[MAX_PATH];
  std::vector<size_t> selected = SelectedRows(page);
  if (selected.size() != 1 || selected[0] >= g_state.own.size() || !CfgPath(cfg)) return;
  size_t index = selected[0];
  std::string old = TargetOf(g_state.own[index]), name = NameOf(old);
  std::string found = SearchMoved(index, name);
  std::string start = found.empty() ? NearestFolder(old) : found;
  std::vector<std::string> chosen =
      ChooseFiles(page, 0, start.empty() ? nullptr : start.c_str(), found.empty() ? nullptr : name.c_str());
  if (chosen.empty()) return;
  SoundfontOutcome outcome =
      RelocateSoundfont(cfg, g_state.text, chosen[0], index, &g_state.own, WindowsFileSystem());
  Fill(page, selected);
  ReportRefusals(page, {outcome});
}

// Writes the rows into orvane.cfg as it is now, by position, after asking
// where its soundfont lines changed since the page read them. A file that
// cannot be read is never rewritten.
WriteOutcome Write(HWND page) {
  char path[MAX_PATH];
  if (!CfgPath(path)) return WriteOutcome::kFailed;
  try {
    std::string text;
    ReadStatus status = ReadWholeFile(path, &text);
    if (status == ReadStatus::kFailed) return WriteOutcome::kFailed;
    if (status == ReadStatus::kOk && ReadSoundfontLines(text) != g_state.seen &&
        !AskToOverwrite(page, TextId::kSoundfontsChangedQuestion))
      return WriteOutcome::kDeclined;
    std::string rewritten = RewriteSoundfontLines(text, LinesOf(g_state.own));
    if (!SafeWriteInRun(ThisRun(), path, rewritten.data(), rewritten.size())) return WriteOutcome::kFailed;
    Take(page, path, std::move(rewritten));
    return WriteOutcome::kWritten;
  } catch (const std::bad_alloc &) {
    return WriteOutcome::kFailed;
  }
}

void Apply(HWND page) {
  if (g_state.read) ReportCfgWrite(page, Write(page));
}

// Delete removes; Ctrl+Up and Ctrl+Down move. The space bar switches the
// checkbox, as the list does by itself.
void KeyDown(HWND page, WORD key) {
  bool ctrl = GetKeyState(VK_CONTROL) < 0;
  if (key == VK_DELETE) Remove(page);
  if (ctrl && (key == VK_UP || key == VK_DOWN)) Move(page, key == VK_UP);
}

void OnNotify(HWND page, const NMHDR &header) {
  if (header.idFrom != IDC_SF_LIST) return;
  if (header.code == LVN_ITEMCHANGED) {
    Switched(page, reinterpret_cast<const NMLISTVIEW &>(header));
    if (!g_state.filling) EnableButtons(page);
  }
  if (header.code == LVN_KEYDOWN) KeyDown(page, reinterpret_cast<const NMLVKEYDOWN &>(header).wVKey);
}

void OnCommand(HWND page, WORD id) {
  switch (id) {
    case IDC_SF_ADD:
      Add(page);
      break;
    case IDC_SF_REMOVE:
      Remove(page);
      break;
    case IDC_SF_UP:
    case IDC_SF_DOWN:
      Move(page, id == IDC_SF_UP);
      break;
    case IDC_SF_LOCATE:
      Locate(page);
      break;
    case IDC_SF_RELOAD:
      Load(page);
      break;
    case IDC_SF_APPLY:
      Apply(page);
      break;
  }
}

// The buttons keep their template size in a column at the right, "再読み込み"
// and "適用" at its foot; the list takes the rest.
void FitControlsToPage(HWND page) {
  HWND list = List(page), apply = GetDlgItem(page, IDC_SF_APPLY);
  if (!list || !apply) return;  // while the page is being created
  RECT client, rect;
  GetClientRect(page, &client);
  GetWindowRect(apply, &rect);
  LONG width = rect.right - rect.left, height = rect.bottom - rect.top;
  LONG left = client.right - kMargin - width, top = kMargin;
  for (int id : {IDC_SF_ADD, IDC_SF_REMOVE, IDC_SF_UP, IDC_SF_DOWN, IDC_SF_LOCATE}) {
    MoveWindow(GetDlgItem(page, id), left, top, width, height, TRUE);
    top += height + kGap;
  }
  MoveWindow(GetDlgItem(page, IDC_SF_RELOAD), left, client.bottom - kMargin - 2 * height - kGap, width,
             height, TRUE);
  MoveWindow(apply, left, client.bottom - kMargin - height, width, height, TRUE);
  MoveWindow(list, kMargin, kMargin, left - 2 * kMargin, client.bottom - 2 * kMargin, TRUE);
  FitColumns(list);
}

}  // namespace

INT_PTR CALLBACK SoundfontsDlgProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:  // reads nothing: orvane.cfg is read when the page is first shown
      g_state = PageState();
      AddColumns(page);
      EnableButtons(page);
      return TRUE;
    case WM_SHOWWINDOW:  // shown by its tab, not by the window's own restoring
      if (wParam && lParam == 0 && !g_state.read) Load(page);
      return FALSE;
    case WM_SIZE:
      FitControlsToPage(page);
      return FALSE;
    case WM_NOTIFY:
      OnNotify(page, *reinterpret_cast<const NMHDR *>(lParam));
      return FALSE;
    case WM_DROPFILES:
      Drop(page, reinterpret_cast<HDROP>(wParam));
      return FALSE;
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED) OnCommand(page, LOWORD(wParam));
      return FALSE;
    case WM_CLOSE:  // as the setup window answers; on a modeless child page EndDialog only hides it
      EndDialog(page, 1);
      return TRUE;
  }
  return FALSE;
}
