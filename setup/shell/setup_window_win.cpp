#include "setup/shell/setup_window_win.h"

#include <commctrl.h>

#include "setup/editor/editor_win.h"
#include "setup/options/options_page_win.h"
#include "setup/params/params_page_win.h"
#include "setup/reference/reference_win.h"
#include "setup/res/resource.h"
#include "setup/shell/instance_win.h"

SetupPage SetupPages[] = {
    {IDD_CFG_EDITOR, "orvane.cfg", CfgEditorDlgProc, nullptr},
    {IDD_DRIVER_PARAMS, "ドライバ設定(soundfont.ini)", DriverParamsDlgProc, nullptr},
    {IDD_OPTIONS, "ドライバ設定", OptionsDlgProc, nullptr},
    {IDD_OPTION_REF, "コマンドラインオプション一覧", OptionRefDlgProc, nullptr},
    {0, nullptr, nullptr, nullptr},
};

namespace {

// Every page covers the tab control's display area. Called once all tabs are
// in, so the area leaves room for every row of tab buttons.
void FitPagesToTabs(HWND setupWindow, HWND tabs) {
  RECT area;
  GetClientRect(tabs, &area);
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  MapWindowPoints(tabs, setupWindow, reinterpret_cast<POINT *>(&area), 2);
  for (SetupPage *page = SetupPages; page->label; ++page)
    MoveWindow(page->window, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
}

void ShowSelectedPage(HWND tabs) {
  LRESULT selected = SendMessageA(tabs, TCM_GETCURSEL, 0, 0);
  for (SetupPage *page = SetupPages; page->label; ++page) ShowWindow(page->window, SW_HIDE);
  if (selected >= 0) ShowWindow(SetupPages[selected].window, SW_SHOW);
}

// Creates every page of the table as a hidden child and a tab for each.
void InitPages(HWND setupWindow) {
  HWND tabs = GetDlgItem(setupWindow, IDC_TABS);
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  int index = 0;
  for (SetupPage *page = SetupPages; page->label; ++page, ++index) {
    page->window =
        CreateDialogParamA(g_instance, MAKEINTRESOURCEA(page->templateId), setupWindow, page->dialogProc, 0);
    item.pszText = const_cast<char *>(page->label);
    SendMessageA(tabs, TCM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
  }
  FitPagesToTabs(setupWindow, tabs);
  ShowWindow(SetupPages[0].window, SW_SHOW);
}

}  // namespace

INT_PTR CALLBACK MainDlgProc(HWND window, UINT message, WPARAM, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      InitPages(window);
      return TRUE;
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
