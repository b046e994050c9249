// Every label of every page shows whole: its text, in the control's own
// font, fits the room the control draws it in. Run with the layout tests at
// each DPI and in both languages.
#include <windows.h>

#include <algorithm>
#include <gtest/gtest.h>
#include <string>

#include "setup/shell/setup_window_win.h"
#include "tests/win/setup_fixture_win.h"

namespace {

// Where a control draws its text, in its client coordinates, and the
// DrawText format it draws it with; false for a control that shows no
// label. The margins are those the button and static classes leave: a push
// button's frame, the box of a check box or radio button and the gap after
// it (half a digit's width), a group box's indent.
bool LabelRoom(HWND control, HDC dc, RECT *room, UINT *format) {
  char kind[32] = "";
  GetClassNameA(control, kind, sizeof kind);
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  GetClientRect(control, room);
  if (lstrcmpiA(kind, "Button") == 0) {
    *format = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON:
        InflateRect(room, -3, -3);
        return true;
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_3STATE:
      case BS_AUTO3STATE:
      case BS_RADIOBUTTON:
      case BS_AUTORADIOBUTTON: {
        INT digit = 0;
        GetCharWidthA(dc, '0', '0', &digit);
        room->left += MulDiv(12, GetDeviceCaps(dc, LOGPIXELSX), 96) + 1 + digit / 2;
        return true;
      }
      case BS_GROUPBOX:
        InflateRect(room, -7, 0);
        return true;
    }
    return false;
  }
  if (lstrcmpiA(kind, "Static") != 0) return false;
  switch (style & SS_TYPEMASK) {
    case SS_LEFT:
    case SS_CENTER:
    case SS_RIGHT:
      *format = (style & SS_CENTERIMAGE) ? DT_SINGLELINE : DT_WORDBREAK;
      break;
    case SS_LEFTNOWORDWRAP:
    case SS_SIMPLE:
      *format = DT_SINGLELINE;
      break;
    default:
      return false;
  }
  if (style & SS_NOPREFIX) *format |= DT_NOPREFIX;
  return true;
}

// Measures the control's label, if it shows one: `cut` says why it does not
// show whole (a line wider than its room, or, where the text wraps, more
// lines than the room holds), and stays empty where it does.
bool MeasureLabel(HWND control, std::string *cut) {
  const std::string text = WindowText(control);
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(control, WM_GETFONT, 0, 0)));
  RECT room;
  UINT format = 0;
  const bool label = !text.empty() && LabelRoom(control, dc, &room, &format);
  if (label) {
    const LONG width = room.right - room.left, height = room.bottom - room.top;
    RECT need = {0, 0, width, 0};
    DrawTextA(dc, text.c_str(), -1, &need, format | DT_CALCRECT | DT_EXPANDTABS);
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    const LONG lines = need.bottom / metrics.tmHeight, roomLines = std::max(1L, height / metrics.tmHeight);
    if (need.right > width)
      *cut = "needs " + std::to_string(need.right) + " px, has " + std::to_string(width);
    else if ((format & DT_WORDBREAK) && lines > roomLines)
      *cut = "wraps to " + std::to_string(lines) + " lines, has room for " + std::to_string(roomLines);
  }
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return label;
}

using SetupWindow = SetupWindowTest;

// Named with the layout tests, so that it runs at every DPI they run at.
TEST_F(SetupWindow, EveryControlOfEveryPageShowsItsLabelWhole) {
  Open();
  int labels = 0;
  for (int row = 0; SetupPages[row].templateId; ++row) {
    for (HWND control = GetWindow(SetupPages[row].window, GW_CHILD); control;
         control = GetWindow(control, GW_HWNDNEXT)) {
      std::string cut;
      labels += MeasureLabel(control, &cut);
      EXPECT_EQ(cut, "") << "page " << row << ", control " << GetDlgCtrlID(control) << " \""
                         << WindowText(control) << "\"";
    }
  }
  EXPECT_GT(labels, 0);
}

bool IsGroupBox(HWND control) {
  char kind[32] = "";
  GetClassNameA(control, kind, sizeof kind);
  return lstrcmpiA(kind, "Button") == 0 && (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// A label made wider must not reach over its neighbours: no two controls of
// a page overlap, but for the group boxes, which frame theirs.
TEST_F(SetupWindow, EveryControlOfEveryPageKeepsClearOfTheOthers) {
  Open();
  for (int row = 0; SetupPages[row].templateId; ++row) {
    for (HWND one = GetWindow(SetupPages[row].window, GW_CHILD); one; one = GetWindow(one, GW_HWNDNEXT)) {
      if (IsGroupBox(one) || !(GetWindowLongA(one, GWL_STYLE) & WS_VISIBLE)) continue;
      for (HWND other = GetWindow(one, GW_HWNDNEXT); other; other = GetWindow(other, GW_HWNDNEXT)) {
        if (IsGroupBox(other) || !(GetWindowLongA(other, GWL_STYLE) & WS_VISIBLE)) continue;
        RECT a, b, both;
        GetWindowRect(one, &a);
        GetWindowRect(other, &b);
        // Controls that meet in dialog units may share a pixel once rounded.
        const bool overlap =
            IntersectRect(&both, &a, &b) && both.right - both.left > 1 && both.bottom - both.top > 1;
        EXPECT_FALSE(overlap) << "page " << row << ": control " << GetDlgCtrlID(one) << " \""
                              << WindowText(one) << "\" and " << GetDlgCtrlID(other) << " \""
                              << WindowText(other) << "\"";
      }
    }
  }
}

}  // namespace
