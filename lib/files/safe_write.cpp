// All-or-nothing file replacement, the same on every platform: the data goes
// to a temporary file named after the target, in the target's own directory
// (so the final move is a rename on one volume), is flushed, and then
// replaces the target in one step.
#include <new>

#include "lib/files/file_io.h"
#include "lib/files/write_steps.h"

const char kTempFileSuffix[] = ".velder-tmp";
const char kPreviousVersionSuffix[] = ".bak";

namespace {

// Where a replacement may put the old file on its way out.
const char kBackupFileSuffix[] = ".velder-bak";

// A file that another program holds open (the driver reading it) is tried
// again for about a second.
const int kBusyRetries = 10;
const unsigned kBusyPauseMs = 100;

template <typename Attempt>
bool Retried(const WriteSteps &steps, Attempt attempt) {
  for (int retry = 0;; ++retry) {
    MoveResult result = attempt();
    if (result != MoveResult::kBusy || retry == kBusyRetries) return result == MoveResult::kDone;
    steps.pause(kBusyPauseMs);
  }
}

bool Moved(const WriteSteps &steps, const char *from, const char *to) {
  return Retried(steps, [&] { return steps.move(from, to); });
}

// A replacement that failed may have stopped half-way, the old file under the
// backup name and the new one under its own: the old one is put back, or
// failing that the new one moved in, so that the target is not left missing.
// Returns whether the new bytes are in place.
bool FinishFailedReplace(const WriteSteps &steps, const char *temp, const char *path, const char *backup) {
  TargetInfo target;
  if (!steps.inspect(path, &target)) return false;
  bool landed = false;
  if (!target.exists && !Moved(steps, backup, path)) {
    landed = Moved(steps, temp, path);
    if (!landed) return false;  // the backup, the one copy of the old bytes, stays
  }
  steps.remove(backup);
  return landed;
}

// With `previous`, the old file, which the replacement left under the backup
// name, then becomes the previous version in one step: until the new file is
// in place an older previous version stays as it was. Where it cannot become
// one (a platform whose replacement keeps no old file, a previous version
// that cannot be replaced), the new file stands all the same.
bool ReplaceTarget(const WriteSteps &steps, const char *temp, const char *path, const char *backup,
                   const char *previous) {
  steps.remove(backup);  // a stale one, left by a save that was cut short
  if (!Retried(steps, [&] { return steps.replace(temp, path, backup); }))
    return FinishFailedReplace(steps, temp, path, backup);
  if (previous) Retried(steps, [&] { return steps.moveOver(backup, previous); });
  steps.remove(backup);
  return true;
}

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

bool SafeWriteFileWith(const WriteSteps &steps, const char *path, const char *data, size_t size,
                       bool keepPrevious) {
  TargetInfo target;
  if (!steps.inspect(path, &target) || target.readOnly) return false;
  std::string temp, backup, previous;
  try {
    temp = std::string(path) + kTempFileSuffix;
    backup = std::string(path) + kBackupFileSuffix;
    if (keepPrevious) previous = std::string(path) + kPreviousVersionSuffix;
  } catch (const std::bad_alloc &) {
    return false;
  }
  StepFile file;
  if (!steps.createTemp(temp.c_str(), &file)) return RewriteInPlace(steps, path, data, size);
  bool ok = steps.writeFromStart(file, data, size) && steps.flush(file);
  ok = steps.close(file) && ok;
  if (ok && target.exists)
    ok = steps.keep(temp.c_str(), target.kept) &&
         ReplaceTarget(steps, temp.c_str(), path, backup.c_str(), keepPrevious ? previous.c_str() : nullptr);
  else if (ok)
    ok = Moved(steps, temp.c_str(), path);
  if (!ok) steps.remove(temp.c_str());
  return ok;
}

bool SafeWriteFile(const char *path, const char *data, size_t size) {
  return SafeWriteFileWith(kSystemWriteSteps, path, data, size);
}
