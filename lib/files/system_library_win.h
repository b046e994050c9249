// System DLLs loaded when first needed rather than imported: they come from
// the system directory alone, so that a DLL of the same name beside the
// program (in a downloads folder, say) is never loaded.
#pragma once

#include <windows.h>

// Loads `dll` from the system directory through `loader` (LoadLibraryExA,
// or a test's stand-in); null when it cannot be loaded.
HMODULE LoadSystemLibrary(const char *dll, decltype(&LoadLibraryExA) loader);

// Sets `*function` to the function `name` of `dll`, typed as the caller
// declares it; null when the DLL or the function is missing.
template <class Function>
void FindFunction(HMODULE dll, const char *name, Function *function) {
  *function =
      reinterpret_cast<Function>(reinterpret_cast<void (*)()>(dll ? GetProcAddress(dll, name) : nullptr));
}
