// All-or-nothing file replacement, the same on every platform: the data goes
// to a temporary file named after the target, in the target's own directory
// (so the final move is a rename on one volume), is flushed, and then
// replaces the target in one step.
#include <cstdint>
#include <cstdio>
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

// Records why the step that has just failed failed, as the system says it
// before any other step runs; false, to end a chain of steps.
bool Failed(const WriteSteps &steps, WriteFailure *why) {
  *why = steps.denied() ? WriteFailure::kDenied : WriteFailure::kOther;
  return false;
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
                   const char *previous, WriteFailure *why) {
  steps.remove(backup);  // a stale one, left by a save that was cut short
  if (!Retried(steps, [&] { return steps.replace(temp, path, backup); })) {
    Failed(steps, why);
    return FinishFailedReplace(steps, temp, path, backup);
  }
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
bool RewriteInPlace(const WriteSteps &steps, const char *path, const char *data, size_t size,
                    WriteFailure *why) {
  StepFile file;
  if (!steps.openTarget(path, &file)) return Failed(steps, why);
  std::string old;
  bool ok = steps.readAll(file, &old) || Failed(steps, why);
  if (ok && !Overwrite(steps, file, data, size)) {
    ok = Failed(steps, why);
    Overwrite(steps, file, old.data(), old.size());
  }
  steps.close(file);  // what it holds is on disk already
  return ok;
}

// Where the temporary file cannot be made, an existing target is rewritten in
// place. A refusal of the temporary file stays the cause where that fails
// too: with the rights, the write would have taken the all-or-nothing way.
bool WriteWithoutTemp(const WriteSteps &steps, const TargetInfo &target, const char *path, const char *data,
                      size_t size, WriteFailure *why) {
  Failed(steps, why);
  const WriteFailure tempFailure = *why;
  if (!target.exists) return false;
  if (RewriteInPlace(steps, path, data, size, why)) {
    *why = WriteFailure::kNone;
    return true;
  }
  if (tempFailure == WriteFailure::kDenied) *why = tempFailure;
  return false;
}

// The longest path the ANSI calls of Windows take (MAX_PATH less its
// terminator). The writer's own files beside a target keep within it on
// every platform, so that a target near that length is still written all or
// nothing.
const size_t kLongestPath = 259;

// The name of one of the writer's own files beside `path`: the target's name
// and `suffix` where that fits, else a short name of its own in the same
// folder, told apart from other targets' by a hash of the target's name and
// from the writer's other file by `tag`. The driver files' names are ASCII,
// so the last separator is never the trail byte of a character.
std::string NameBeside(const std::string &path, const char *suffix, char tag) {
  std::string name = path + suffix;
  if (name.size() <= kLongestPath) return name;
  size_t slash = path.find_last_of("\\/");
  size_t folderEnd = slash == std::string::npos ? 0 : slash + 1;
  uint32_t hash = 2166136261u;  // FNV-1a
  for (size_t i = folderEnd; i < path.size(); ++i)
    hash = (hash ^ static_cast<unsigned char>(path[i])) * 16777619u;
  char shortName[8];
  std::snprintf(shortName, sizeof shortName, "~%c%04x", tag, static_cast<unsigned>(hash & 0xFFFF));
  return path.substr(0, folderEnd) + shortName;
}

}  // namespace

bool SafeWriteFileWith(const WriteSteps &steps, const char *given, const char *data, size_t size,
                       bool keepPrevious, WriteFailure *failure) {
  WriteFailure unasked;
  WriteFailure *why = failure ? failure : &unasked;
  *why = WriteFailure::kNone;
  std::string written, temp, backup, previous;
  try {
    written = WrittenPath(given);
    temp = NameBeside(written, kTempFileSuffix, 't');
    backup = NameBeside(written, kBackupFileSuffix, 'b');
    if (keepPrevious) previous = written + kPreviousVersionSuffix;
  } catch (const std::bad_alloc &) {
    *why = WriteFailure::kOther;
    return false;
  }
  const char *path = written.c_str();
  TargetInfo target;
  if (!steps.inspect(path, &target)) return Failed(steps, why);
  if (target.readOnly) {
    *why = WriteFailure::kReadOnly;
    return false;
  }
  StepFile file;
  if (!steps.createTemp(temp.c_str(), &file)) return WriteWithoutTemp(steps, target, path, data, size, why);
  bool ok = (steps.writeFromStart(file, data, size) && steps.flush(file)) || Failed(steps, why);
  if (!steps.close(file) && ok) ok = Failed(steps, why);
  if (ok && target.exists)
    ok = (steps.keep(temp.c_str(), target.kept) || Failed(steps, why)) &&
         ReplaceTarget(steps, temp.c_str(), path, backup.c_str(), keepPrevious ? previous.c_str() : nullptr,
                       why);
  else if (ok)
    ok = Moved(steps, temp.c_str(), path) || Failed(steps, why);
  if (ok) *why = WriteFailure::kNone;  // a replacement finished after a failure landed the new bytes
  if (!ok) steps.remove(temp.c_str());
  return ok;
}

bool SafeWriteFile(const char *path, const char *data, size_t size, WriteFailure *failure) {
  return SafeWriteFileWith(kSystemWriteSteps, path, data, size, false, failure);
}
