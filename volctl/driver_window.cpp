#include "volctl/driver_window.h"

#include <cstring>

const char kDriverWindowClassPrefix[] = "VelderHideWindow";

bool IsDriverWindowClass(const char *className) {
  // strncmp stops at the end of a shorter name, which then does not match.
  return std::strncmp(className, kDriverWindowClassPrefix, sizeof kDriverWindowClassPrefix - 1) == 0;
}
