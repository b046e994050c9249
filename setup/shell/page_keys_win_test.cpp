// The setup window by keyboard alone: the page keys and the access keys,
// pressed as real keys to whichever control has the focus, in the window's
// own modal loop as the program runs it.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "setup/res/resource.h"
#include "setup/shell/instance_win.h"
#include "setup/shell/setup_window_win.h"
#include "tests/win/setup_fixture_win.h"

namespace {

int PageCount() {
  int count = 0;
  while (SetupPages[count].templateId) ++count;
  return count;
}

std::string ClassOf(HWND window) {
  char name[64] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string Describe(HWND control) { return ClassOf(control) + " " + std::to_string(GetDlgCtrlID(control)); }

bool IsTabStop(HWND control) {
  LONG style = GetWindowLongA(control, GWL_STYLE);
  return (style & (WS_TABSTOP | WS_VISIBLE | WS_DISABLED)) == (WS_TABSTOP | WS_VISIBLE);
}

// A page's tab stops in the order Tab visits them.
std::vector<HWND> TabStops(HWND page) {
  std::vector<HWND> stops;
  for (HWND control = GetWindow(page, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT))
    if (IsTabStop(control)) stops.push_back(control);
  return stops;
}

// The first tab stop of each kind of control on the page: edits (the
// editor's multi-line one among them), lists, drop-down lists, sliders,
// buttons.
std::vector<HWND> OneOfEachKind(HWND page) {
  std::vector<HWND> kinds;
  for (HWND control : TabStops(page)) {
    bool seen = false;
    for (HWND kind : kinds) seen = seen || ClassOf(kind) == ClassOf(control);
    if (!seen) kinds.push_back(control);
  }
  return kinds;
}

// Presses `key` with `held` held down, as the keyboard does: the events go
// to the window with the focus through the system's input queue.
void PressKey(std::initializer_list<WORD> held, WORD key) {
  std::vector<INPUT> inputs;
  auto add = [&inputs](WORD vk, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = vk;
    input.ki.dwFlags = flags;
    if (vk == VK_PRIOR || vk == VK_NEXT) input.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
    inputs.push_back(input);
  };
  for (WORD vk : held) add(vk, 0);
  add(key, 0);
  add(key, KEYEVENTF_KEYUP);
  for (auto vk = held.end(); vk != held.begin();) add(*--vk, KEYEVENTF_KEYUP);
  ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
}

// One key pressed from one control, and what it must lead to. Between two
// steps the window's loop runs, so each key has been handled when the
// next step looks.
struct Step {
  std::string name;
  std::function<void()> press;
  std::function<void()> check;
};

// Runs the setup window modally, as the program does, and takes the steps
// that `makeSteps` makes once its pages are up, one a tick of the loop.
void RunSteps(const std::function<std::vector<Step>(HWND window)> &makeSteps) {
  std::vector<Step> steps;
  size_t next = 0;
  bool made = false;
  ModalDriver driver(
      [](HWND window) {
        return IsDialogWindow(window) && IsWindowVisible(window) && GetDlgItem(window, IDC_TABS);
      },
      [&](HWND window) {
        if (!made) {
          made = true;
          SetForegroundWindow(window);
          steps = makeSteps(window);
        } else {
          SCOPED_TRACE(steps[next - 1].name);
          steps[next - 1].check();
        }
        if (next == steps.size() || testing::Test::HasFatalFailure()) {
          PostMessageA(window, WM_CLOSE, 0, 0);
          return true;
        }
        steps[next++].press();
        return false;
      });
  DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_SETUP), nullptr, MainDlgProc, 0);
  EXPECT_TRUE(made) << "the setup window never came up";
  EXPECT_EQ(next, steps.size()) << "steps left untaken";
}

// The page `row` shown alone under its selected tab, with the focus on its
// first tab stop.
void ExpectPageTurnedTo(HWND window, int row) {
  HWND tabs = GetDlgItem(window, IDC_TABS);
  ASSERT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), row);
  for (int i = 0; i < PageCount(); ++i)
    EXPECT_EQ(IsWindowVisible(SetupPages[i].window) != 0, i == row) << "page " << i;
  std::vector<HWND> stops = TabStops(SetupPages[row].window);
  ASSERT_FALSE(stops.empty()) << "page " << row;
  EXPECT_EQ(GetFocus(), stops[0]) << "focus on " << Describe(GetFocus()) << ", not " << Describe(stops[0]);
}

struct PageKey {
  const char *name;
  std::initializer_list<WORD> held;
  WORD key;
  int step;
};

const PageKey kPageKeys[] = {
    {"Ctrl+Tab", {VK_CONTROL}, VK_TAB, 1},
    {"Ctrl+Shift+Tab", {VK_CONTROL, VK_SHIFT}, VK_TAB, -1},
    {"Ctrl+PageUp", {VK_CONTROL}, VK_PRIOR, -1},
    {"Ctrl+PageDown", {VK_CONTROL}, VK_NEXT, 1},
};

// Shows `row` through its tab and puts the focus on `control`; a drop-down
// list is opened, a list's caret is left where it is.
void StartFrom(HWND window, int row, HWND control) {
  ClickTab(GetDlgItem(window, IDC_TABS), row);
  SetFocus(control);
  if (ClassOf(control) == "ComboBox") SendMessageA(control, CB_SHOWDROPDOWN, TRUE, 0);
}

using SetupKeys = SetupWindowTest;

// From one control of each kind on every page, each of the four keys turns
// to the next or the previous page, wrapping at both ends, whatever the
// control would have made of the key: no tab character in the editor (which
// starts empty, the fixture having removed orvane.cfg), and an open
// drop-down list closed.
TEST_F(SetupKeys, PageKeysTurnThePagesFromEveryKindOfControlOnEveryPage) {
  RunSteps([](HWND window) {
    std::vector<Step> steps;
    const int count = PageCount();
    for (int row = 0; row < count; ++row) {
      std::vector<HWND> kinds = OneOfEachKind(SetupPages[row].window);
      EXPECT_FALSE(kinds.empty()) << "page " << row;
      const size_t keyCount = sizeof kPageKeys / sizeof kPageKeys[0];
      for (size_t i = 0; i < std::max(kinds.size(), keyCount); ++i) {
        if (kinds.empty()) break;
        HWND control = kinds[i % kinds.size()];
        const PageKey &key = kPageKeys[i % keyCount];
        const int expected = (row + key.step + count) % count;
        HWND editor = GetDlgItem(SetupPages[kEditorPage].window, IDC_CFG_EDIT);
        steps.push_back(
            {std::string(key.name) + " from page " + std::to_string(row) + ", " + Describe(control),
             [=] {
               StartFrom(window, row, control);
               PressKey(key.held, key.key);
             },
             [=] {
               ExpectPageTurnedTo(window, expected);
               if (ClassOf(control) == "ComboBox") {
                 EXPECT_FALSE(SendMessageA(control, CB_GETDROPPEDSTATE, 0, 0));
               }
               EXPECT_EQ(WindowText(editor), "");
             }});
      }
    }
    return steps;
  });
}

// The page keys leave Tab and Shift+Tab as they were: they move between the
// page's controls (here its last two), and the tab control is no tab stop.
TEST_F(SetupKeys, TabStillMovesBetweenThePagesControls) {
  RunSteps([](HWND window) {
    HWND tabs = GetDlgItem(window, IDC_TABS);
    EXPECT_FALSE(GetWindowLongA(tabs, GWL_STYLE) & WS_TABSTOP);
    std::vector<Step> steps;
    for (int row = 0; row < PageCount(); ++row) {
      std::vector<HWND> stops = TabStops(SetupPages[row].window);
      if (stops.size() < 2) continue;
      HWND before = stops[stops.size() - 2], last = stops.back();
      steps.push_back({"Tab on page " + std::to_string(row),
                       [=] {
                         StartFrom(window, row, before);
                         PressKey({}, VK_TAB);
                       },
                       [=] {
                         EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), row);
                         EXPECT_EQ(GetFocus(), last) << Describe(GetFocus());
                       }});
      steps.push_back({"Shift+Tab on page " + std::to_string(row), [=] { PressKey({VK_SHIFT}, VK_TAB); },
                       [=] {
                         EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), row);
                         EXPECT_EQ(GetFocus(), before) << Describe(GetFocus());
                       }});
    }
    EXPECT_FALSE(steps.empty());
    return steps;
  });
}

// The access key of a label: the character after its one lone '&' ("&&"
// shows an '&'), in upper case, or 0 where it has none.
char AccessKey(const std::string &text) {
  char key = 0;
  for (size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') key = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i + 1])));
    ++i;
  }
  return key;
}

LONG ButtonType(HWND control) { return GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK; }

// Every control of the page that shows a label the dialog manager reads
// access keys from: buttons, check boxes, radio buttons, group boxes and
// static texts.
std::vector<HWND> Labels(HWND page) {
  std::vector<HWND> labels;
  for (HWND control = GetWindow(page, GW_CHILD); control; control = GetWindow(control, GW_HWNDNEXT)) {
    const std::string kind = ClassOf(control);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const bool text =
        kind == "Button" || (kind == "Static" && (style & SS_TYPEMASK) <= SS_RIGHT && !(style & SS_NOPREFIX));
    if (text && !WindowText(control).empty()) labels.push_back(control);
  }
  return labels;
}

bool IsEnglish() { return GetACP() != 932; }

// In English every button, check box, radio button and group label has an
// access key, and no two labels of a page share one, so that Alt and the key
// reach one control.
TEST_F(SetupKeys, EveryEnglishButtonHasAnAccessKeyOfItsOwnOnItsPage) {
  if (!IsEnglish()) GTEST_SKIP() << "the Japanese labels keep their texts as they are";
  Open();
  for (int row = 0; row < PageCount(); ++row) {
    std::string keys;
    for (HWND label : Labels(SetupPages[row].window)) {
      const char key = AccessKey(WindowText(label));
      if (ClassOf(label) == "Button") {
        EXPECT_NE(key, 0) << "page " << row << ": \"" << WindowText(label) << "\" has no access key";
      }
      if (!key) continue;
      EXPECT_EQ(keys.find(key), std::string::npos)
          << "page " << row << ": \"" << WindowText(label) << "\" shares its access key " << key;
      keys += key;
    }
  }
}

// Each page's clicks as the page would get them; push buttons' clicks are
// kept from it, so that nothing is saved and no chooser opens.
const int kMaxPages = 16;
std::vector<int> g_clicks;
WNDPROC g_pageProc[kMaxPages];

template <int Row>
LRESULT CALLBACK RecordClicks(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    g_clicks.push_back(LOWORD(wParam));
    HWND control = reinterpret_cast<HWND>(lParam);
    if (ButtonType(control) == BS_PUSHBUTTON || ButtonType(control) == BS_DEFPUSHBUTTON) return 0;
  }
  return CallWindowProcA(g_pageProc[Row], page, message, wParam, lParam);
}

template <int... Rows>
void RecordEveryPagesClicks(std::integer_sequence<int, Rows...>) {
  const WNDPROC recorders[] = {RecordClicks<Rows>...};
  for (int row = 0; row < PageCount(); ++row)
    g_pageProc[row] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(SetupPages[row].window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(recorders[row])));
}

// Alt and a label's access key, pressed from the page's first tab stop, act
// as a click on that button, check box or radio button; on a group label
// they take the focus to the first tab stop after it, into its group.
TEST_F(SetupKeys, AltAndAnAccessKeyClickItsControl) {
  if (!IsEnglish()) GTEST_SKIP() << "the Japanese labels keep their texts as they are";
  RunSteps([](HWND window) {
    std::vector<Step> steps;
    if (PageCount() > kMaxPages) {
      ADD_FAILURE() << "more pages than click recorders";
      return steps;
    }
    RecordEveryPagesClicks(std::make_integer_sequence<int, kMaxPages>());
    for (int row = 0; row < PageCount(); ++row) {
      HWND page = SetupPages[row].window;
      for (HWND label : Labels(page)) {
        const char key = AccessKey(WindowText(label));
        if (!key || !IsWindowEnabled(label) || ClassOf(label) != "Button") continue;
        auto checked = std::make_shared<LRESULT>();
        steps.push_back({"Alt+" + std::string(1, key) + " on page " + std::to_string(row),
                         [=] {
                           StartFrom(window, row, TabStops(page)[0]);
                           g_clicks.clear();
                           *checked = SendMessageA(label, BM_GETCHECK, 0, 0);
                           PressKey({VK_MENU}, LOBYTE(VkKeyScanA(key)));
                         },
                         [=] {
                           if (ButtonType(label) == BS_GROUPBOX) {
                             EXPECT_EQ(GetFocus(), GetNextDlgTabItem(window, label, FALSE));
                             EXPECT_TRUE(IsChild(page, GetFocus()));
                             return;
                           }
                           EXPECT_EQ(g_clicks, std::vector<int>{GetDlgCtrlID(label)}) << WindowText(label);
                           if (ButtonType(label) == BS_AUTOCHECKBOX) {
                             EXPECT_NE(SendMessageA(label, BM_GETCHECK, 0, 0), *checked);
                           }
                           if (ButtonType(label) == BS_AUTORADIOBUTTON) {
                             EXPECT_EQ(SendMessageA(label, BM_GETCHECK, 0, 0), BST_CHECKED);
                           }
                         }});
      }
    }
    EXPECT_FALSE(steps.empty());
    return steps;
  });
}

}  // namespace
