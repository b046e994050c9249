// What every command of velder-cfg works on: the driver's two files in one
// Windows directory, and how they are read and written.
#pragma once

#include <string>

#include "lib/config/file_system_view.h"
#include "lib/files/file_io.h"
#include "lib/midi/midi_calls.h"

struct Files {
  FileSystemView fs;
  std::string cfg;
  std::string ini;
  std::string (*writeRefusal)(WriteFailure failure);
  std::string virtualStore;  // empty: none is looked at
  const MidiCalls *midi;     // null: no MIDI system is reported
};

// What a file holds; a missing file holds nothing. False, with a message,
// when it exists but cannot be read.
bool ReadDriverFile(const std::string &path, std::string *text, std::string *err);

// Writes `text` as a file of the run `run`, saying so in `out`; false, with
// the reason in `err`, when it could not be written and is as it was.
bool WriteDriverFile(const Files &files, RunWrites *run, const std::string &path, const std::string &text,
                     std::string *out, std::string *err);
