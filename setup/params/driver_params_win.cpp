#include "setup/params/driver_params_win.h"

#include "setup/shell/driver_files_win.h"

DriverParams g_driverParams;

namespace {

// The file's path, or null when it does not fit, so that no other file is used.
const char *ParamsFilePath(char (&path)[MAX_PATH]) {
  return BuildDriverFilePath(path, kParamsFileName) ? path : nullptr;
}

}  // namespace

void LoadDriverParams() {
  char path[MAX_PATH];
  LoadDriverParamsFile(ParamsFilePath(path), &g_driverParams);
}

bool SaveDriverParams() {
  char path[MAX_PATH];
  return SaveDriverParamsFile(ParamsFilePath(path), &g_driverParams);
}
