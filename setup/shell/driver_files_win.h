// Where the driver keeps its files.
#pragma once

#include <windows.h>

extern const char kCfgFileName[];     // the engine configuration
extern const char kParamsFileName[];  // the driver's own parameters

// Builds "<Windows directory>\<name>" afresh. When the path does not fit,
// `path` is left empty and false is returned, so that no other file is used.
bool BuildDriverFilePath(char (&path)[MAX_PATH], const char *name);
