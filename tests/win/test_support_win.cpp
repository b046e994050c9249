#include "tests/win/test_support_win.h"

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <gtest/gtest.h>

std::string WindowsFilePath(const char *name) {
  char dir[MAX_PATH];
  GetWindowsDirectoryA(dir, MAX_PATH);
  return std::string(dir) + "\\" + name;
}

bool ReadBytes(const std::string &path, std::string *bytes) {
  FILE *file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  bytes->clear();
  char chunk[65536];
  size_t got;
  while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) bytes->append(chunk, got);
  std::fclose(file);
  return true;
}

void WriteBytes(const std::string &path, const std::string &bytes) {
  FILE *file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr) << path;
  ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), file), bytes.size());
  ASSERT_EQ(std::fclose(file), 0);
}

WindowsFileGuard::WindowsFileGuard(const char *name) : path_(WindowsFilePath(name)) {
  existed_ = ReadBytes(path_, &saved_);
  DeleteFileA(path_.c_str());
}

WindowsFileGuard::~WindowsFileGuard() {
  DeleteFileA(path_.c_str());
  if (existed_) WriteBytes(path_, saved_);
}

std::string WindowsFileGuard::Bytes() const {
  std::string bytes;
  EXPECT_TRUE(ReadBytes(path_, &bytes)) << path_;
  return bytes;
}

std::string WindowText(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
  return text;
}

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

FileHolder::FileHolder(const std::string &path, DWORD shareMode)
    : handle_(CreateFileA(path.c_str(), GENERIC_READ, shareMode, nullptr, OPEN_EXISTING, 0, nullptr)) {}

FileHolder::~FileHolder() {
  if (held()) CloseHandle(handle_);
}

std::vector<std::string> WindowsDirectoryFiles(const char *pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA(WindowsFilePath(pattern).c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.push_back(found.cFileName);
  while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

void PumpMessages(DWORD ms) {
  DWORD end = GetTickCount() + ms;
  while (static_cast<LONG>(end - GetTickCount()) > 0) {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
    Sleep(5);
  }
}

namespace {

// Looks among a box's children for a static showing the icon that the
// search record names.
struct IconSearch {
  HICON icon;
  bool found;
};

BOOL CALLBACK FindIcon(HWND child, LPARAM search) {
  IconSearch &s = *reinterpret_cast<IconSearch *>(search);
  HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
  if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && icon == s.icon) s.found = true;
  return TRUE;
}

bool ShowsIcon(HWND box, LPCSTR icon) {
  IconSearch search = {LoadIconA(nullptr, icon), false};
  EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK FindDefaultButton(HWND child, LPARAM id) {
  if ((GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
    *reinterpret_cast<int *>(id) = GetDlgCtrlID(child);
  return TRUE;
}

SeenMessageBox ReadMessageBox(HWND window) {
  SeenMessageBox box;
  char buffer[1024];
  GetWindowTextA(window, buffer, sizeof buffer);
  box.caption = buffer;
  GetDlgItemTextA(window, 0xFFFF, buffer, sizeof buffer);
  box.text = buffer;
  box.owner = GetWindow(window, GW_OWNER);
  box.errorIcon = ShowsIcon(window, IDI_ERROR);
  box.questionIcon = ShowsIcon(window, IDI_QUESTION);
  box.yesNo = GetDlgItem(window, IDYES) && GetDlgItem(window, IDNO) && !GetDlgItem(window, IDOK);
  box.defaultButton = 0;
  EnumChildWindows(window, FindDefaultButton, reinterpret_cast<LPARAM>(&box.defaultButton));
  return box;
}

}  // namespace

// A box that has been answered is hidden until it goes, and is not seen again.
MessageBoxCatcher::MessageBoxCatcher(int answer)
    : driver_([](HWND window) { return IsMessageBox(window) && IsWindowVisible(window); },
              [this, answer](HWND box) {
                seen_.push_back(ReadMessageBox(box));
                PostMessageA(box, WM_COMMAND, GetDlgItem(box, answer) ? answer : IDOK, 0);
                return false;
              }) {}

SeenMessageBox MessageBoxCatcher::OnlyBox() const {
  EXPECT_EQ(seen_.size(), 1u);
  return seen_.size() == 1 ? seen_[0] : SeenMessageBox{};
}

void ClickButton(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void ClickTab(HWND tabs, int index) {
  RECT rect;
  SendMessageA(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
  LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageA(tabs, WM_LBUTTONUP, 0, point);
}

std::string PathBesideTest(const char *name) {
  char exe[MAX_PATH];
  GetModuleFileNameA(nullptr, exe, MAX_PATH);
  std::string path(exe);
  return path.substr(0, path.rfind('\\') + 1) + name;
}

std::string Localized(const char *japanese, const char *english) {
  return GetACP() == 932 ? japanese : english;
}
