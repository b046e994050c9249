// All-or-nothing file replacement, the same on every platform: the data goes
// to a temporary file named after the target, in the target's own directory
// (so the final move is a rename on one volume), is flushed, and then
// replaces the target in one step.
#include <new>

#include "lib/files/file_io.h"
#include "lib/files/write_steps.h"

const char kTempFileSuffix[] = ".velder-tmp";

namespace {

bool Overwrite(const WriteSteps &steps, StepFile file, const char *data, size_t size) {
  return steps.writeFromStart(file, data, size) && steps.setEnd(file) && steps.flush(file);
}

// Where no temporary file can be made (a user may write the target but not
// create or delete files in its folder), the target is rewritten where it
// is; a failure puts its old bytes back the same way.
bool RewriteInPlace(const WriteSteps &steps, const char *path, const char *data, size_t size) {
  StepFile file;
  if (!steps.openTarget(path, &file)) return false;
  std::string old;
  bool ok = steps.readAll(file, &old);
  if (ok && !Overwrite(steps, file, data, size)) {
    Overwrite(steps, file, old.data(), old.size());
    ok = false;
  }
  steps.close(file);  // what it holds is on disk already
  return ok;
}

}  // namespace

bool SafeWriteFileWith(const WriteSteps &steps, const char *path, const char *data, size_t size) {
  std::string temp;
  try {
    temp = std::string(path) + kTempFileSuffix;
  } catch (const std::bad_alloc &) {
    return false;
  }
  StepFile file;
  if (!steps.createTemp(temp.c_str(), &file)) return RewriteInPlace(steps, path, data, size);
  bool ok = steps.writeFromStart(file, data, size) && steps.flush(file);
  ok = steps.close(file) && ok;
  ok = ok && steps.replace(temp.c_str(), path);
  if (!ok) steps.remove(temp.c_str());
  return ok;
}

bool SafeWriteFile(const char *path, const char *data, size_t size) {
  return SafeWriteFileWith(kSystemWriteSteps, path, data, size);
}
