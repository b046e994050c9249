// Helpers for tests that drive the real dialogs under Wine.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/win/modal_driver_win.h"

// Full path of a file in the test prefix's Windows directory.
std::string WindowsFilePath(const char *name);

// Reads a whole file; false when it cannot be opened.
bool ReadBytes(const std::string &path, std::string *bytes);
void WriteBytes(const std::string &path, const std::string &bytes);

// Keeps what a file in the Windows directory holds (or that it is missing)
// and puts exactly that back when the test ends. The test starts with the
// file removed.
class WindowsFileGuard {
 public:
  explicit WindowsFileGuard(const char *name);
  ~WindowsFileGuard();
  const std::string &path() const { return path_; }
  // What the file holds now; a file that cannot be read fails the test.
  std::string Bytes() const;

 private:
  std::string path_;
  bool existed_;
  std::string saved_;
};

// Holds a file open with the given share mode, as another program would,
// so that opening, replacing or (with share mode 0) reading it fails.
class FileHolder {
 public:
  FileHolder(const std::string &path, DWORD shareMode);
  ~FileHolder();
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

// The whole text of a window or of a dialog's control, however long.
std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);

// Names in the Windows directory that match `pattern` (such as "*.tmp").
std::vector<std::string> WindowsDirectoryFiles(const char *pattern);

// Runs the thread's message loop for `ms` milliseconds.
void PumpMessages(DWORD ms);

// A message box as the user saw it.
struct SeenMessageBox {
  std::string text;
  std::string caption;
  HWND owner;
  bool errorIcon;
  bool questionIcon;
  bool yesNo;         // its buttons are Yes and No
  int defaultButton;  // the id of its default button, or 0
};

// While it lives, every message box this thread opens is recorded and
// answered as soon as it is up, so that code under test never blocks on
// one: with the button `answer` (such as IDYES or IDNO) where the box has
// it, else with OK.
class MessageBoxCatcher {
 public:
  explicit MessageBoxCatcher(int answer = IDOK);
  const std::vector<SeenMessageBox> &seen() const { return seen_; }
  // The one box seen so far; unless there was exactly one, the test fails
  // and an empty record is returned.
  SeenMessageBox OnlyBox() const;

 private:
  std::vector<SeenMessageBox> seen_;
  ModalDriver driver_;
};

// Sends the button click notification that the dialog manager sends.
void ClickButton(HWND dialog, int id);

// Clicks a tab of a tab control as the user would, so that the control
// itself notifies its parent.
void ClickTab(HWND tabs, int index);

// What the interface shows under the system's code page, as the user reads
// it: `japanese` under code page 932, `english` under any other.
std::string Localized(const char *japanese, const char *english);

// Full path of a file in the folder of this test program, where the build
// puts the programs too.
std::string PathBesideTest(const char *name);
