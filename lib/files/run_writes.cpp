// Which files a run of a program has written, so that only its first write of
// each keeps the previous version: the editor page and the options page both
// write one file, and the version before the run is the one worth keeping.
#include <new>
#include <string_view>

#include "lib/files/file_io.h"
#include "lib/files/write_steps.h"

RunWrites *ThisRun() {
  static RunWrites run;
  return &run;
}

bool SafeWriteInRun(RunWrites *run, const char *path, const char *data, size_t size, WriteFailure *failure) {
  const bool first = run->paths.find(std::string_view(path)) == run->paths.end();
  if (!SafeWriteFileWith(kSystemWriteSteps, path, data, size, first, failure)) return false;
  try {
    if (first) run->paths.emplace(path);
  } catch (const std::bad_alloc &) {
    // Not remembered: the next write keeps what this one wrote instead.
  }
  return true;
}
