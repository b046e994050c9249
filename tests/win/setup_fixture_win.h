// A test that runs the real setup window, created from its template, with
// the driver's files in the Windows directory under its control.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/win/test_support_win.h"

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
  HWND window_ = nullptr;
};
