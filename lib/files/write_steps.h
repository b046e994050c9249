// The file-system steps the all-or-nothing writer is made of, as a table, so
// that a test can put steps that fail on demand in place of the platform's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "lib/files/file_io.h"

// An open file, as the platform's steps know it.
using StepFile = intptr_t;

// What the writer learns of the target before it writes.
struct TargetInfo {
  bool exists = false;
  // Never written, on any path, whoever runs the writer.
  bool readOnly = false;
  // What the new file takes over from the old one (attributes, permissions).
  uint32_t kept = 0;
};

// How a move or a replacement ended.
enum class MoveResult {
  kDone,
  // Another program holds a file open: trying again shortly may succeed.
  kBusy,
  // Failed; what is where is for the writer to look up.
  kFailed,
};

struct WriteSteps {
  // False when it cannot be told whether or what the target is.
  bool (*inspect)(const char *path, TargetInfo *info);
  // Creates the temporary file afresh, alone: a stale one, left by a save
  // that was cut short, is removed first; one that another save still holds
  // is left alone, and then this fails.
  bool (*createTemp)(const char *temp, StepFile *file);
  // Opens the existing target to read and write it, letting no other
  // program write it meanwhile.
  bool (*openTarget)(const char *path, StepFile *file);
  bool (*readAll)(StepFile file, std::string *bytes);
  bool (*writeFromStart)(StepFile file, const char *data, size_t size);
  // Ends the file where the last write ended.
  bool (*setEnd)(StepFile file);
  bool (*flush)(StepFile file);
  bool (*close)(StepFile file);
  // Gives the closed temporary file what the target's TargetInfo::kept holds.
  bool (*keep)(const char *temp, uint32_t kept);
  // Puts the temporary file in the existing target's place in one step,
  // keeping the target's identity where the system can; the old file may
  // pass through `backup` (which must not exist) and may be left there.
  MoveResult (*replace)(const char *temp, const char *path, const char *backup);
  // Moves a file to a name where no file is.
  MoveResult (*move)(const char *from, const char *to);
  // Moves a file to a name in one step, replacing a file there.
  MoveResult (*moveOver)(const char *from, const char *to);
  // Removes a file, if it can.
  void (*remove)(const char *path);
  void (*pause)(unsigned milliseconds);
  // Whether the system refused the step that has just failed for lack of
  // rights; asked straight after it, before any other step runs.
  bool (*denied)();
};

extern const WriteSteps kSystemWriteSteps;

// The file a write of `path` goes to: on Linux the file a symbolic link leads
// to (through every link on the way), so that the link stays and its target
// is written, in its own folder; elsewhere `path` itself. May throw
// std::bad_alloc.
std::string WrittenPath(const char *path);

// SafeWriteFile made of the given steps; with `keepPrevious`, an existing
// target replaced by the new file stays as the target's previous version (see
// SafeWriteInRun).
bool SafeWriteFileWith(const WriteSteps &steps, const char *path, const char *data, size_t size,
                       bool keepPrevious = false, WriteFailure *failure = nullptr);
