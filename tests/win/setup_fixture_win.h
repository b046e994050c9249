// A test that runs the real setup window, created from its template, with
// the driver's files in the Windows directory under its control.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>
#include <string>

#include "tests/win/test_support_win.h"

// The pages in the order of the page table.
enum SetupPageIndex {
  kEditorPage,
  kParamsPage,
  kOptionsPage,
  kReferencePage,
  kSoundfontsPage,
  kDiagnosisPage
};

class SetupWindowTest : public testing::Test {
 protected:
  SetupWindowTest();
  ~SetupWindowTest() override;

  // Creates the setup window and its pages, which read the files as they
  // stand, then lets queued messages run.
  void Open();
  HWND Page(int index) const;
  HWND Tabs() const;

  WindowsFileGuard cfg_{"orvane.cfg"};
  WindowsFileGuard params_{"velder_soundfont.ini"};
  // The previous versions that the run's first saves keep.
  WindowsFileGuard cfgPrevious_{"orvane.cfg.bak"};
  WindowsFileGuard paramsPrevious_{"velder_soundfont.ini.bak"};
  HWND window_ = nullptr;
};

// A test of one page: its helpers act on that page's controls by id.
class SetupPageTest : public SetupWindowTest {
 protected:
  explicit SetupPageTest(SetupPageIndex page) : page_(page) {}

  HWND Item(int id) const { return GetDlgItem(Page(page_), id); }
  std::string Text(int id) const { return ItemText(Page(page_), id); }
  void SetText(int id, const char *text) const { SetDlgItemTextA(Page(page_), id, text); }
  bool Checked(int id) const { return IsDlgButtonChecked(Page(page_), id) == BST_CHECKED; }
  void Check(int id, bool on) const { CheckDlgButton(Page(page_), id, on ? BST_CHECKED : BST_UNCHECKED); }
  void Click(int id) const { ClickButton(Page(page_), id); }

 private:
  SetupPageIndex page_;
};

// Checks that `box` is the message of a save that did not happen, shown for
// a control or page of the setup window.
void ExpectFailedSaveBox(const SeenMessageBox &box, HWND shownFor);
