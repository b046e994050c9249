#include "setup/shell/setup_window_win.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>
#include <string>

#include "setup/res/resource.h"
#include "tests/win/setup_fixture_win.h"

namespace {

std::string TabLabel(HWND tabs, int index) {
  char text[128] = "";
  TCITEMA item = {};
  item.mask = TCIF_TEXT;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(&item));
  return text;
}

RECT RectIn(HWND window, HWND parent) {
  RECT rect;
  GetWindowRect(window, &rect);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT *>(&rect), 2);
  return rect;
}

using SetupWindow = SetupWindowTest;

TEST_F(SetupWindow, TabsFollowThePageTableAndTheEditorAloneIsShown) {
  Open();
  char caption[64];
  GetWindowTextA(window_, caption, sizeof caption);
  EXPECT_STREQ(caption, "Orvane Driver Setup");
  const char *labels[] = {"orvane.cfg", "ドライバ設定(soundfont.ini)", "ドライバ設定",
                          "コマンドラインオプション一覧"};
  ASSERT_EQ(SendMessageA(Tabs(), TCM_GETITEMCOUNT, 0, 0), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(TabLabel(Tabs(), i), labels[i]);
    EXPECT_EQ(SetupPages[i].label, std::string(labels[i]));
  }
  EXPECT_EQ(SetupPages[4].label, nullptr);
  ASSERT_NE(Page(kEditorPage), nullptr);
  EXPECT_TRUE(IsWindowVisible(Page(kEditorPage)));
  for (int i = 1; i < 4; ++i) EXPECT_FALSE(IsWindowVisible(Page(i))) << i;
}

TEST_F(SetupWindow, EveryPageCoversTheTabDisplayAreaAsAChildOfTheWindow) {
  Open();
  RECT area;
  GetClientRect(Tabs(), &area);
  SendMessageA(Tabs(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  MapWindowPoints(Tabs(), window_, reinterpret_cast<POINT *>(&area), 2);
  for (int i = 0; i < 4; ++i) {
    if (!Page(i)) continue;
    RECT page = RectIn(Page(i), window_);
    EXPECT_TRUE(EqualRect(&page, &area)) << i;
    EXPECT_EQ(GetParent(Page(i)), window_) << i;
  }
}

TEST_F(SetupWindow, ClickingATabShowsItsPageAndHidesTheOthers) {
  Open();
  for (int selected : {2, 1, 3, 0, 3}) {
    ClickTab(Tabs(), selected);
    ASSERT_EQ(SendMessageA(Tabs(), TCM_GETCURSEL, 0, 0), selected);
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(IsWindowVisible(Page(i)) != 0, i == selected && Page(i) != nullptr)
          << "page " << i << " with tab " << selected;
  }
}

TEST_F(SetupWindow, TextTypedOnAPageSurvivesTabSwitches) {
  Open();
  HWND edit = GetDlgItem(Page(kEditorPage), IDC_CFG_EDIT);
  SendMessageA(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>("soundfont \"a.sf2\""));
  ClickTab(Tabs(), kOptionsPage);
  ClickTab(Tabs(), kEditorPage);
  EXPECT_EQ(WindowText(edit), "soundfont \"a.sf2\"");
  EXPECT_TRUE(IsWindowVisible(Page(kEditorPage)));
}

// The real program, started with a command line it must ignore.
TEST_F(SetupWindow, ProgramExitsWithOneWhateverTheCommandLine) {
  ProgramProcess program("VelderSetup.exe", "/s --help orvane.cfg");
  ASSERT_TRUE(program.started());
  HWND window = program.Window("Orvane Driver Setup");
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.ExitStatus(), 1u);
}

}  // namespace
