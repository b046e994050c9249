#include "tests/win/setup_fixture_win.h"

#include <windows.h>

#include <commctrl.h>

#include "setup/res/resource.h"
#include "setup/shell/instance_win.h"
#include "setup/shell/setup_window_win.h"

SetupWindowTest::SetupWindowTest() {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  g_instance = GetModuleHandleA(nullptr);
}

SetupWindowTest::~SetupWindowTest() {
  if (window_) DestroyWindow(window_);
}

void SetupWindowTest::Open() {
  window_ = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_SETUP), nullptr, MainDlgProc, 0);
  ASSERT_NE(window_, nullptr);
  ShowWindow(window_, SW_SHOW);
  PumpMessages(50);
}

HWND SetupWindowTest::Page(int index) const { return SetupPages[index].window; }

HWND SetupWindowTest::Tabs() const { return GetDlgItem(window_, IDC_TABS); }

void ExpectFailedSaveBox(const SeenMessageBox &box, HWND shownFor) {
  EXPECT_EQ(box.text, Localized("ファイルの保存に失敗しました", "The file could not be saved."));
  EXPECT_EQ(box.caption, Localized("エラー", "Error"));
  EXPECT_TRUE(box.errorIcon);
  // A child cannot own a popup: the box belongs to the child's top window.
  EXPECT_EQ(box.owner, GetAncestor(shownFor, GA_ROOT));
}
