// A test's probe: opens the file chooser once, cancels it at once, and exits
// with a bit set for each of the choosers' DLLs that was not loaded from the
// system directory (1 comdlg32, 2 shell32, 4 ole32). Its test starts it from a
// folder that also holds decoy DLLs of those names. Given "--old-loader", it
// loads them as on a system whose loader rejects the search flags (a Windows 7
// without update KB2533623), and sets 8 where a DLL was asked for by any other
// name than its full path in the system directory, or never asked for.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "setup/editor/choosers_win.h"
#include "tests/win/modal_driver_win.h"

namespace {

char g_system[MAX_PATH];

// True when `name` is a DLL's full path in the system directory.
bool InSystemDirectory(const char *name) {
  size_t length = std::strlen(g_system);
  return _strnicmp(name, g_system, length) == 0 && name[length] == '\\' &&
         !std::strchr(name + length + 1, '\\');
}

// Loaded, from the system directory, and not the decoy (which alone exports VelderDecoy).
bool FromSystemDirectory(const char *dll) {
  HMODULE module = GetModuleHandleA(dll);
  char path[MAX_PATH];
  if (!module || !GetModuleFileNameA(module, path, MAX_PATH)) return false;
  std::printf("%s: %s\n", dll, path);
  return InSystemDirectory(path) && !GetProcAddress(module, "VelderDecoy");
}

int g_oldLoads = 0;
bool g_otherName = false;

// Rejects every search flag, as the loader of a system without them does.
HMODULE WINAPI OldLoader(const char *name, HANDLE file, DWORD flags) {
  if (flags &
      (LOAD_LIBRARY_SEARCH_SYSTEM32 | LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS |
       LOAD_LIBRARY_SEARCH_USER_DIRS | LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  ++g_oldLoads;
  g_otherName = g_otherName || !InSystemDirectory(name);
  return LoadLibraryExA(name, file, flags);
}

}  // namespace

int main(int argc, char **argv) {
  if (!GetSystemDirectoryA(g_system, MAX_PATH)) return 16;
  bool old = argc > 1 && std::strcmp(argv[1], "--old-loader") == 0;
  if (old) g_chooserLibraryLoader = OldLoader;
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
  if (old && (g_oldLoads == 0 || g_otherName)) misplaced |= 8;
  return misplaced;
}
