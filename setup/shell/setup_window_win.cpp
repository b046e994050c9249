#include "setup/shell/setup_window_win.h"

#include <commctrl.h>

#include <algorithm>

#include "lib/texts/interface_text_win.h"
#include "setup/diagnosis/diagnosis_page_win.h"
#include "setup/editor/editor_win.h"
#include "setup/options/options_page_win.h"
#include "setup/params/params_page_win.h"
#include "setup/reference/reference_win.h"
#include "setup/res/resource.h"
#include "setup/shell/instance_win.h"
#include "setup/soundfonts/soundfonts_page_win.h"

SetupPage SetupPages[] = {
    {IDD_CFG_EDITOR, TextId::kTabEditor, CfgEditorDlgProc, nullptr},
    {IDD_DRIVER_PARAMS, TextId::kTabParams, DriverParamsDlgProc, nullptr},
    {IDD_OPTIONS, TextId::kTabOptions, OptionsDlgProc, nullptr},
    {IDD_OPTION_REF, TextId::kTabReference, OptionRefDlgProc, nullptr},
    {IDD_SOUNDFONTS, TextId::kTabSoundfonts, SoundfontsDlgProc, nullptr},
    {IDD_DIAGNOSIS, TextId::kTabDiagnosis, DiagnosisDlgProc, nullptr},
    {0, TextId::kCount, nullptr, nullptr},
};

namespace {

// The tab control's display area, in the setup window's client coordinates.
RECT DisplayArea(HWND setupWindow, HWND tabs) {
  RECT area;
  GetClientRect(tabs, &area);
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  MapWindowPoints(tabs, setupWindow, reinterpret_cast<POINT *>(&area), 2);
  return area;
}

// The room the widest and the tallest page take as laid out from their own
// templates, in their own fonts, before they are fitted.
SIZE PagesNeed() {
  SIZE need = {0, 0};
  for (SetupPage *page = SetupPages; page->templateId; ++page) {
    RECT rect;
    if (!page->window || !GetWindowRect(page->window, &rect)) continue;
    need.cx = std::max(need.cx, rect.right - rect.left);
    need.cy = std::max(need.cy, rect.bottom - rect.top);
  }
  return need;
}

void Grow(HWND window, LONG dx, LONG dy) {
  RECT rect;
  GetWindowRect(window, &rect);
  SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left + dx, rect.bottom - rect.top + dy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Centred in the work area of its monitor, as the template's DS_CENTER
// placed it, but never with its caption above the top edge.
void Centre(HWND setupWindow) {
  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(setupWindow, MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT &work = monitor.rcWork;
  RECT rect;
  GetWindowRect(setupWindow, &rect);
  LONG x = std::max(work.left, (work.left + work.right - (rect.right - rect.left)) / 2);
  LONG y = std::max(work.top, (work.top + work.bottom - (rect.bottom - rect.top)) / 2);
  SetWindowPos(setupWindow, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The pages' templates use larger fonts than the setup window, so a page can
// need more room than the template's display area gives; then the tab
// control and the window grow by the shortfall, so that no control lies
// beyond the window's edge. The width comes first, since it decides how many
// rows of tab buttons there are and so how high the display area is. A
// window whose pages fit keeps its template's size and place.
void GrowToFitPages(HWND setupWindow, HWND tabs) {
  SIZE need = PagesNeed();
  RECT area = DisplayArea(setupWindow, tabs);
  LONG dx = std::max(0L, need.cx - (area.right - area.left));
  if (dx) {
    Grow(tabs, dx, 0);
    Grow(setupWindow, dx, 0);
    area = DisplayArea(setupWindow, tabs);
  }
  LONG dy = std::max(0L, need.cy - (area.bottom - area.top));
  if (dy) {
    Grow(tabs, 0, dy);
    Grow(setupWindow, 0, dy);
  }
  if (dx || dy) Centre(setupWindow);
}

// Every page covers the tab control's display area. Called once all tabs are
// in, so the area leaves room for every row of tab buttons.
void FitPagesToTabs(HWND setupWindow, HWND tabs) {
  RECT area = DisplayArea(setupWindow, tabs);
  for (SetupPage *page = SetupPages; page->templateId; ++page)
    MoveWindow(page->window, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
}

void ShowSelectedPage(HWND tabs) {
  LRESULT selected = SendMessageA(tabs, TCM_GETCURSEL, 0, 0);
  for (SetupPage *page = SetupPages; page->templateId; ++page) ShowWindow(page->window, SW_HIDE);
  if (selected >= 0) ShowWindow(SetupPages[selected].window, SW_SHOW);
}

// Selects the tab of `row` and shows its page as a click on the tab would;
// the control sends no notification for a selection it is told of.
void SelectPage(HWND tabs, int row) {
  SendMessageA(tabs, TCM_SETCURSEL, row, 0);
  ShowSelectedPage(tabs);
}

// The setup window whose pages the keys below turn, and the hook that
// catches them while it lives.
HWND g_keysWindow;
HHOOK g_keysHook;

// +1 for the keys that select the next page (Ctrl+Tab, Ctrl+PageDown), -1
// for those that select the previous one (Ctrl+Shift+Tab, Ctrl+PageUp), else
// 0: other keys, and these keys with Alt or, for the page keys, with Shift,
// stay the controls' own.
int PageStep(const MSG &message) {
  if (message.message != WM_KEYDOWN || GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_MENU) < 0) return 0;
  const bool shift = GetKeyState(VK_SHIFT) < 0;
  switch (message.wParam) {
    case VK_TAB:
      return shift ? -1 : 1;
    case VK_NEXT:
      return shift ? 0 : 1;
    case VK_PRIOR:
      return shift ? 0 : -1;
  }
  return 0;
}

// Turns to the page `step` away from the selected one, wrapping around at
// both ends, and gives the focus to its first tab stop. A drop-down list
// left open on the page turned from is closed first: its page is hidden.
void TurnPage(HWND setupWindow, int step) {
  HWND tabs = GetDlgItem(setupWindow, IDC_TABS);
  const int count = static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));  // a tab for each page
  if (count <= 0) return;
  HWND focus = GetFocus();
  char className[16] = "";
  if (focus && GetClassNameA(focus, className, sizeof className) && lstrcmpiA(className, "ComboBox") == 0)
    SendMessageA(focus, CB_SHOWDROPDOWN, FALSE, 0);
  const int selected = static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
  const int row = ((selected < 0 ? 0 : selected) + step + count) % count;
  SelectPage(tabs, row);
  // Plain focus, not the dialog manager's: that selects an edit's whole
  // text, and the editor's next keystroke would replace the file's.
  if (HWND first = GetNextDlgTabItem(SetupPages[row].window, nullptr, FALSE)) SetFocus(first);
}

// The dialog manager hands every message of the window's loop to this
// filter before anything else sees it, so the page keys work from every
// control: a multi-line edit would take Ctrl+Tab as a tab character, and an
// open drop-down list takes every key for itself.
LRESULT CALLBACK PageKeysFilter(int code, WPARAM wParam, LPARAM lParam) {
  const MSG *message = reinterpret_cast<const MSG *>(lParam);
  if (code == MSGF_DIALOGBOX && g_keysWindow &&
      (message->hwnd == g_keysWindow || IsChild(g_keysWindow, message->hwnd))) {
    if (int step = PageStep(*message)) {
      TurnPage(g_keysWindow, step);
      return TRUE;
    }
  }
  return CallNextHookEx(g_keysHook, code, wParam, lParam);
}

void CatchPageKeys(HWND setupWindow) {
  g_keysWindow = setupWindow;
  if (!g_keysHook)
    g_keysHook = SetWindowsHookExA(WH_MSGFILTER, PageKeysFilter, nullptr, GetCurrentThreadId());
}

void ReleasePageKeys(HWND setupWindow) {
  if (g_keysWindow != setupWindow) return;
  g_keysWindow = nullptr;
  if (g_keysHook) UnhookWindowsHookEx(g_keysHook);
  g_keysHook = nullptr;
}

// The page's template in the interface's language. The code picks it, by the
// code page: a template's language tag would leave the pick to the loader,
// which goes by the user interface language.
int PageTemplate(int templateId) {
  return InterfaceLanguage() == Language::kEnglish ? IDD_ENGLISH(templateId) : templateId;
}

// Creates every page of the table as a hidden child and a tab for each.
void InitPages(HWND setupWindow) {
  HWND tabs = GetDlgItem(setupWindow, IDC_TABS);
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  int index = 0;
  for (SetupPage *page = SetupPages; page->templateId; ++page, ++index) {
    page->window = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(PageTemplate(page->templateId)),
                                      setupWindow, page->dialogProc, 0);
    item.pszText = const_cast<char *>(UiText(page->label));
    SendMessageA(tabs, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
  }
  GrowToFitPages(setupWindow, tabs);
  FitPagesToTabs(setupWindow, tabs);
  ShowWindow(SetupPages[0].window, SW_SHOW);
}

}  // namespace

void ShowCfgLine(HWND setupWindow, int line) {
  HWND tabs = GetDlgItem(setupWindow, IDC_TABS);
  int row = 0;
  while (SetupPages[row].templateId && SetupPages[row].templateId != IDD_CFG_EDITOR) ++row;
  if (!SetupPages[row].templateId) return;
  SelectPage(tabs, row);
  SendMessageA(SetupPages[row].window, kSelectCfgLine, line, 0);
}

INT_PTR CALLBACK MainDlgProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitPages(window);
      CatchPageKeys(window);
      return TRUE;
    case WM_DESTROY:
      ReleasePageKeys(window);
      return FALSE;
    case WM_NOTIFY: {
      const NMHDR *header = reinterpret_cast<const NMHDR *>(lParam);
      if (header->code == static_cast<UINT>(TCN_SELCHANGE) &&
          header->hwndFrom == GetDlgItem(window, IDC_TABS))
        ShowSelectedPage(header->hwndFrom);
      return FALSE;
    }
    case WM_CLOSE:
      EndDialog(window, 1);
      return TRUE;
  }
  return FALSE;
}
