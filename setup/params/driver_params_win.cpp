#include "setup/params/driver_params_win.h"

#include "setup/shell/driver_files_win.h"

DriverParams g_driverParams;

namespace {

// Set when the load found the file but could not read it: the set then holds
// defaults, and a save would write them over values it never read (and strand
// the keys of an older layout, whose conversion runs only at a load).
bool g_setIsNotTheFile = false;

// The file's path, or null when it does not fit, so that no other file is used.
const char *ParamsFilePath(char (&path)[MAX_PATH]) {
  return BuildDriverFilePath(path, kParamsFileName) ? path : nullptr;
}

}  // namespace

void LoadDriverParams() {
  char path[MAX_PATH];
  const char *file = ParamsFilePath(path);
  ParamsLoad load = LoadDriverParamsFile(file, &g_driverParams);
  g_setIsNotTheFile = !load.readable;
  // A missing file or an older layout is written converted at once, before
  // the user saves anything. A failed write is not reported: the next start
  // converts it again.
  WriteParamsConversion(file, load);
}

bool SaveDriverParams() {
  if (g_setIsNotTheFile) return false;
  char path[MAX_PATH];
  return SaveDriverParamsFile(ParamsFilePath(path), &g_driverParams);
}
