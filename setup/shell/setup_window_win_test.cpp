#include "setup/shell/setup_window_win.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "setup/res/resource.h"
#include "setup/shell/instance_win.h"
#include "setup/shell/setup_window_win_test_ids.h"
#include "tests/win/program_process_win.h"
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

bool Inside(const RECT &inner, const RECT &outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::string Text(const RECT &rect) {
  return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" +
         std::to_string(rect.right) + "," + std::to_string(rect.bottom) + ")";
}

RECT DisplayArea(HWND window, HWND tabs) {
  RECT area;
  GetClientRect(tabs, &area);
  SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&area));
  MapWindowPoints(tabs, window, reinterpret_cast<POINT *>(&area), 2);
  return area;
}

INT_PTR CALLBACK PlainDlgProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

const int kPages = 6;

// The window as its template alone makes it, with no pages to fit.
RECT TemplateWindowRect() {
  HWND bare = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_SETUP), nullptr, PlainDlgProc, 0);
  RECT rect = {};
  GetWindowRect(bare, &rect);
  DestroyWindow(bare);
  return rect;
}

// A page's size as created from its template, before anything moves it.
SIZE PageTemplateSize(int templateId) {
  HWND bare = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_SETUP), nullptr, PlainDlgProc, 0);
  HWND page = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(templateId), bare, PlainDlgProc, 0);
  RECT rect = {};
  GetWindowRect(page, &rect);
  DestroyWindow(bare);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

// For one test, the six pages are made from test templates instead of the
// real ones; the labels stay.
class TestPages {
 public:
  TestPages(int page0, int page1, int page2, int page3, int page4, int page5) {
    int templates[] = {page0, page1, page2, page3, page4, page5};
    for (int row = 0; row < kPages; ++row) {
      saved_[row] = SetupPages[row];
      SetupPages[row].templateId = templates[row];
      SetupPages[row].dialogProc = PlainDlgProc;
    }
  }
  ~TestPages() {
    for (int row = 0; row < kPages; ++row) SetupPages[row] = saved_[row];
  }

 private:
  SetupPage saved_[kPages];
};

using SetupWindow = SetupWindowTest;

TEST_F(SetupWindow, TabsFollowThePageTableAndTheEditorAloneIsShown) {
  Open();
  char caption[64];
  GetWindowTextA(window_, caption, sizeof caption);
  EXPECT_STREQ(caption, "Orvane Driver Setup");
  const std::string labels[] = {"orvane.cfg",
                                Localized("ドライバ設定(soundfont.ini)", "Driver parameters (soundfont.ini)"),
                                Localized("ドライバ設定", "Synthesizer options"),
                                Localized("コマンドラインオプション一覧", "Command-line options"),
                                Localized("サウンドフォント", "Soundfonts"),
                                Localized("診断", "Diagnosis")};
  ASSERT_EQ(SendMessageA(Tabs(), TCM_GETITEMCOUNT, 0, 0), kPages);
  for (int i = 0; i < kPages; ++i) EXPECT_EQ(TabLabel(Tabs(), i), labels[i]);
  EXPECT_EQ(SetupPages[kPages].templateId, 0);
  ASSERT_NE(Page(kEditorPage), nullptr);
  EXPECT_TRUE(IsWindowVisible(Page(kEditorPage)));
  for (int i = 1; i < kPages; ++i) EXPECT_FALSE(IsWindowVisible(Page(i))) << i;
}

// The fitting tests run again with the screen DPI given in VELDER_DPI (96
// without it); should that DPI not take, they would pass at 96 unnoticed.
TEST_F(SetupWindow, RunsAtTheScreenDpiItWasGiven) {
  const char *given = std::getenv("VELDER_DPI");
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(dpi, given ? std::atoi(given) : 96);
}

TEST_F(SetupWindow, EveryPageCoversTheTabDisplayAreaAsAChildOfTheWindow) {
  Open();
  RECT area = DisplayArea(window_, Tabs());
  for (int i = 0; i < kPages; ++i) {
    if (!Page(i)) continue;
    RECT page = RectIn(Page(i), window_);
    EXPECT_TRUE(EqualRect(&page, &area)) << i;
    EXPECT_EQ(GetParent(Page(i)), window_) << i;
  }
}

// The pages' templates use larger fonts than the window's own, so this fails
// wherever the window keeps its template size while a page needs more.
TEST_F(SetupWindow, EveryControlOfEveryPageLiesWholeInsideItsPageAndTheWindow) {
  Open();
  RECT client;
  GetClientRect(window_, &client);
  for (int i = 0; i < kPages; ++i) {
    ASSERT_NE(Page(i), nullptr) << i;
    RECT page = RectIn(Page(i), window_);
    int controls = 0;
    for (HWND control = GetWindow(Page(i), GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
      if (!(GetWindowLongA(control, GWL_STYLE) & WS_VISIBLE)) continue;
      ++controls;
      RECT rect = RectIn(control, window_);
      EXPECT_TRUE(Inside(rect, page)) << "page " << i << ", control " << GetDlgCtrlID(control) << " at "
                                      << Text(rect) << ", page " << Text(page);
      EXPECT_TRUE(Inside(rect, client)) << "page " << i << ", control " << GetDlgCtrlID(control) << " at "
                                        << Text(rect) << ", client area " << Text(client);
    }
    EXPECT_GT(controls, 0) << "page " << i;
  }
}

TEST_F(SetupWindow, PagesThatFitLeaveTheWindowAsItsTemplateMadeIt) {
  RECT expected = TemplateWindowRect();
  TestPages pages(IDD_TEST_SMALL_PAGE, IDD_TEST_SMALL_PAGE, IDD_TEST_SMALL_PAGE, IDD_TEST_SMALL_PAGE,
                  IDD_TEST_SMALL_PAGE, IDD_TEST_SMALL_PAGE);
  Open();
  RECT rect;
  GetWindowRect(window_, &rect);
  EXPECT_TRUE(EqualRect(&rect, &expected)) << Text(rect) << " instead of " << Text(expected);
}

// The display area grows to the large page's own size, no more, and the
// window is centred again.
TEST_F(SetupWindow, APageLargerThanTheDisplayAreaGrowsTheWindowToFitItExactly) {
  SIZE large = PageTemplateSize(IDD_TEST_LARGE_PAGE);
  ASSERT_GT(large.cx, 0);
  TestPages pages(IDD_TEST_SMALL_PAGE, IDD_TEST_LARGE_PAGE, IDD_TEST_SMALL_PAGE, IDD_TEST_SMALL_PAGE,
                  IDD_TEST_SMALL_PAGE, IDD_TEST_SMALL_PAGE);
  Open();

  RECT area = DisplayArea(window_, Tabs());
  EXPECT_EQ(area.right - area.left, large.cx);
  EXPECT_EQ(area.bottom - area.top, large.cy);
  RECT client, corner = RectIn(GetDlgItem(Page(1), IDC_TEST_CORNER), window_);
  GetClientRect(window_, &client);
  EXPECT_TRUE(Inside(corner, client)) << Text(corner) << " outside " << Text(client);

  MONITORINFO monitor = {};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(window_, MONITOR_DEFAULTTONEAREST), &monitor);
  RECT rect;
  GetWindowRect(window_, &rect);
  EXPECT_LE(std::abs((rect.left + rect.right) - (monitor.rcWork.left + monitor.rcWork.right)), 1);
  EXPECT_LE(std::abs((rect.top + rect.bottom) - (monitor.rcWork.top + monitor.rcWork.bottom)), 1);
}

TEST_F(SetupWindow, ClickingATabShowsItsPageAndHidesTheOthers) {
  Open();
  for (int selected : {2, 1, 4, 3, 0, 4}) {
    ClickTab(Tabs(), selected);
    ASSERT_EQ(SendMessageA(Tabs(), TCM_GETCURSEL, 0, 0), selected);
    for (int i = 0; i < kPages; ++i)
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

// Printable 7-bit ASCII, in lines.
bool IsAscii(const std::string &text) {
  for (char c : text)
    if ((c < 0x20 && c != '\r' && c != '\n' && c != '\t') || c >= 0x7F) return false;
  return true;
}

// Every text a window shows: its own, and each entry of a combo box's list.
std::vector<std::string> ShownTexts(HWND control) {
  std::vector<std::string> texts = {WindowText(control)};
  char className[32] = "";
  GetClassNameA(control, className, sizeof className);
  if (lstrcmpiA(className, "ComboBox") != 0) return texts;
  LRESULT count = SendMessageA(control, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::string entry(static_cast<size_t>(SendMessageA(control, CB_GETLBTEXTLEN, i, 0)) + 1, '\0');
    SendMessageA(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&entry[0]));
    texts.push_back(entry.c_str());
  }
  return texts;
}

// Under code page 932 every page but the reference shows Japanese; under any
// other, every text of the window, its tabs and its pages is 7-bit ASCII,
// which that code page shows as written.
TEST_F(SetupWindow, EveryTextShownIsOfTheCodePagesLanguage) {
  Open();
  const bool japanese = GetACP() == 932;
  for (int i = 0; i < kPages; ++i) {
    EXPECT_TRUE(IsAscii(TabLabel(Tabs(), i)) != japanese || i == kEditorPage) << TabLabel(Tabs(), i);
    int notAscii = 0;
    for (HWND control = GetWindow(Page(i), GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
      for (const std::string &text : ShownTexts(control)) {
        notAscii += !IsAscii(text);
        EXPECT_TRUE(japanese || IsAscii(text)) << "page " << i << ", control " << GetDlgCtrlID(control);
      }
    }
    EXPECT_TRUE(!japanese || i == kReferencePage || notAscii > 0) << "page " << i;
  }
}

// VELDER_LOCALE "CODEPAGE/INTERFACE" (scripts/wine-env.sh) gives a system
// whose interface language and code page differ; the programs follow the
// code page, whose bytes they can show.
TEST_F(SetupWindow, ShowsTheLanguageOfTheCodePageWhateverTheInterfaceLanguage) {
  const char *locale = std::getenv("VELDER_LOCALE");
  if (!locale || !std::strchr(locale, '/')) GTEST_SKIP() << "run with VELDER_LOCALE=CODEPAGE/INTERFACE";
  const bool japaneseCodePage = std::strncmp(locale, "ja_JP", 5) == 0;
  const bool japaneseInterface = std::strstr(locale, "/ja_JP") != nullptr;
  ASSERT_NE(japaneseCodePage, japaneseInterface) << locale;
  ASSERT_EQ(GetACP(), japaneseCodePage ? 932u : 1252u) << locale;
  ASSERT_EQ(PRIMARYLANGID(GetUserDefaultUILanguage()), japaneseInterface ? LANG_JAPANESE : LANG_ENGLISH)
      << locale;
  Open();
  EXPECT_EQ(TabLabel(Tabs(), kParamsPage),
            japaneseCodePage ? "ドライバ設定(soundfont.ini)" : "Driver parameters (soundfont.ini)");
  EXPECT_EQ(ItemText(Page(kParamsPage), IDC_PARAMS_SAVE), japaneseCodePage ? "保存" : "&Save");
}

// The real program, started with a command line it must ignore.
TEST_F(SetupWindow, ProgramExitsWithOneWhateverTheCommandLine) {
  ProgramProcess program(PathBesideTest("VelderSetup.exe"), "/s --help orvane.cfg");
  ASSERT_TRUE(program.started());
  HWND window = program.Window("Orvane Driver Setup");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(program.Close(window), 1u);
}

}  // namespace
