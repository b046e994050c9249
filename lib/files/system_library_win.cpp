#include "lib/files/system_library_win.h"

#include <cstring>

// A Windows 7 without update KB2533623 rejects the search flag as an invalid
// parameter; there the DLL is named by its full path in the system directory,
// and its own dependencies are looked for beside it first.
HMODULE LoadSystemLibrary(const char *dll, decltype(&LoadLibraryExA) loader) {
  HMODULE module = loader(dll, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (module || GetLastError() != ERROR_INVALID_PARAMETER) return module;
  char path[MAX_PATH];
  UINT length = GetSystemDirectoryA(path, MAX_PATH);
  if (!length || length + 1 + std::strlen(dll) >= MAX_PATH) return nullptr;
  path[length] = '\\';
  std::strcpy(path + length + 1, dll);
  return loader(path, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}
