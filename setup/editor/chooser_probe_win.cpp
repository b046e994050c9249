// A test's probe: opens the file chooser once, cancels it at once, and exits
// with a bit set for each of the choosers' DLLs that was not loaded from the
// system directory (1 comdlg32, 2 shell32, 4 ole32). Its test starts it from a
// folder that also holds decoy DLLs of those names.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "setup/editor/choosers_win.h"
#include "tests/win/modal_driver_win.h"

namespace {

// Loaded, from the system directory, and not the decoy (which alone exports VelderDecoy).
bool FromSystemDirectory(const char *dll) {
  HMODULE module = GetModuleHandleA(dll);
  char path[MAX_PATH];
  char system[MAX_PATH];
  if (!module || !GetModuleFileNameA(module, path, MAX_PATH) || !GetSystemDirectoryA(system, MAX_PATH))
    return false;
  size_t length = std::strlen(system);
  std::printf("%s: %s\n", dll, path);
  return _strnicmp(path, system, length) == 0 && path[length] == '\\' &&
         !GetProcAddress(module, "VelderDecoy");
}

}  // namespace

int main() {
  // Cancels the chooser from inside its own loop, again on each tick while it stays.
  ModalDriver cancel(IsDialogWindow, [](HWND chooser) {
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    return false;
  });
  CMyFileDialog dialog;
  dialog.Show();
  int misplaced = 0;
  const char *const dlls[] = {"comdlg32.dll", "shell32.dll", "ole32.dll"};
  for (int i = 0; i < 3; ++i)
    if (!FromSystemDirectory(dlls[i])) misplaced |= 1 << i;
  return misplaced;
}
