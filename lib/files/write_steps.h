// The file-system steps the all-or-nothing writer is made of, as a table, so
// that a test can put steps that fail on demand in place of the platform's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// An open file, as the platform's steps know it.
using StepFile = intptr_t;

struct WriteSteps {
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
  // Moves the temporary file over the target in one step.
  bool (*replace)(const char *temp, const char *path);
  void (*remove)(const char *temp);
};

extern const WriteSteps kSystemWriteSteps;

// SafeWriteFile made of the given steps.
bool SafeWriteFileWith(const WriteSteps &steps, const char *path, const char *data, size_t size);
