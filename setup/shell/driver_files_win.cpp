#include "setup/shell/driver_files_win.h"

#include <cstdio>

const char kCfgFileName[] = "orvane.cfg";
const char kParamsFileName[] = "velder_soundfont.ini";

bool BuildDriverFilePath(char (&path)[MAX_PATH], const char *name) {
  char dir[MAX_PATH];
  UINT length = GetWindowsDirectoryA(dir, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    int written = std::snprintf(path, MAX_PATH, "%s\\%s", dir, name);
    if (written > 0 && written < MAX_PATH) return true;
  }
  path[0] = '\0';
  return false;
}
