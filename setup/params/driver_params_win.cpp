#include "setup/params/driver_params_win.h"

#include "setup/shell/driver_files_win.h"

DriverParams g_driverParams;

namespace {

// Set by every load, whether or not it could read the file: a save before
// any load loads first, so that it never writes values it never read. No
// value of the set tells this, as the user may give any of them.
bool g_loaded = false;

// Set when the load found the file but could not read it: the set then holds
// defaults, and a save would write them over values it never read (and strand
// the keys of an older layout, whose conversion runs only at a load).
bool g_setIsNotTheFile = false;

// The values the file gave when the set was last loaded or saved, so that a
// save can tell a change it would overwrite.
DriverParams g_seen;

// The file's path, or null when it does not fit, so that no other file is used.
const char *ParamsFilePath(char (&path)[MAX_PATH]) {
  return BuildDriverFilePath(path, kParamsFileName) ? path : nullptr;
}

}  // namespace

void LoadDriverParams() {
  char path[MAX_PATH];
  const char *file = ParamsFilePath(path);
  ParamsLoad load = LoadDriverParamsFile(file, &g_driverParams);
  g_loaded = true;
  g_setIsNotTheFile = !load.readable;
  g_seen = g_driverParams;
  // A missing file or an older layout is written converted at once, before
  // the user saves anything. A failed write is not reported: the next start
  // converts it again.
  WriteParamsConversion(file, load);
}

bool ParamsChangedSinceRead() {
  char path[MAX_PATH];
  const char *file = ParamsFilePath(path);
  return !g_setIsNotTheFile && file && SavedParamsChangedSince(file, g_seen);
}

bool SaveDriverParams() {
  if (!g_loaded) LoadDriverParams();
  if (g_setIsNotTheFile) return false;
  char path[MAX_PATH];
  const char *file = ParamsFilePath(path);
  if (!SaveDriverParamsFile(file, g_driverParams)) return false;
  // Remembered as read back, with the load's limits, so that saving the same
  // values again does not ask; a file that cannot be read back keeps the
  // older memory, and the next save asks rather than loses a change.
  DriverParams readBack;
  if (LoadDriverParamsFile(file, &readBack).readable) g_seen = readBack;
  return true;
}
