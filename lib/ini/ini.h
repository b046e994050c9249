// An INI document held in memory: a list of sections, each a list of
// entries, loaded from and written to a file, with typed getters and setters.
// Names, keys and values are byte strings in the ANSI code page and are never
// converted; double-byte characters are respected wherever text is split.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "lib/files/file_io.h"

// One section or one entry: the same record serves both. An entry without a
// value stands for a comment (or a key line that gave none) and is written
// back as "; key".
struct IniRecord {
  int32_t hash;  // IniNameHash of name/key, compared before the strings
  // The line it was read from, counting from 1: a section's first header, an
  // entry's latest line. 0 for what a setter added.
  int32_t line;
  union {
    char *name;  // section name
    char *key;   // entry key, or a comment's text
  };
  union {
    IniRecord *entries;  // a section's first entry
    char *value;         // an entry's value, null when it has none
  };
  IniRecord *next;
};
using IniSection = IniRecord;
using IniEntry = IniRecord;

// A document owns its records: they go with it. It can be moved, never copied.
struct IniFile {
  IniFile() = default;
  IniFile(IniFile &&other) noexcept;
  IniFile &operator=(IniFile &&other) noexcept;
  IniFile(const IniFile &) = delete;
  IniFile &operator=(const IniFile &) = delete;
  ~IniFile();

  IniSection *first = nullptr;
};

// A value as the getters hand it out: at most 256 bytes and a terminator.
const size_t kIniValueSize = 256;
using IniValueArea = char[kIniValueSize + 1];

// The longest name, key or comment text that the parser keeps: the most that
// "[name]" or "; text" can carry and still be read back as one line.
const size_t kIniNameLimit = 1997;

int32_t IniNameHash(const char *name);

// Where the library says that memory ran out ("error: malloc failed."): the
// standard output unless a program whose standard output is data chooses
// another stream at its start.
void IniSetErrorStream(std::FILE *stream);

// Merges the file into the document. kMissing leaves it unchanged; kFailed
// means the file could not be read, or memory ran out part way, so the
// document must not be written back.
ReadStatus IniLoad(IniFile &ini, const char *path);
// The same parse over bytes already in memory; false when memory ran out.
bool IniParse(IniFile &ini, const char *text, size_t size);

// The document as its file holds it (CR LF line ends); false when memory ran out.
bool IniRender(const IniFile &ini, std::string *text);
// Replaces the file with the document, completely or not at all; the run's
// first save of a file keeps its previous version (SafeWriteInRun).
bool IniSave(const IniFile &ini, const char *path);

// Empties the document before it goes, such as one that cannot be trusted.
void IniFree(IniFile &ini);

IniSection *IniFindSection(const IniFile &ini, const char *name);
// The entry of that key, a comment's included; null when there is none.
const IniEntry *IniFindEntry(const IniSection *section, const char *key);
// Finds or appends the section; null only when memory ran out.
IniSection *IniAddSection(IniFile &ini, const char *name);
bool IniRemoveKey(IniFile &ini, const char *sectionName, const char *key);

// Getters: a null section, a missing key and a key without value give the
// default (IniGetString: an empty string).
void IniGetString(const IniSection *section, const char *key, IniValueArea &out);
int32_t IniGetInt(const IniSection *section, const char *key, int32_t fallback);
int8_t IniGetChar(const IniSection *section, const char *key, int8_t fallback);
int32_t IniGetBool(const IniSection *section, const char *key, int32_t fallback);
double IniGetFloat(const IniSection *section, const char *key, float fallback);
double IniGetDouble(const IniSection *section, const char *key, double fallback);
int32_t IniGetVersion(const IniSection *section);

// Setters: find or append the entry in an existing section. False (with the
// entry as it was) when memory ran out or the section is null.
bool IniSetString(IniSection *section, const char *key, const char *value);
bool IniSetInt(IniSection *section, const char *key, int32_t value);
bool IniSetChar(IniSection *section, const char *key, int8_t value);
bool IniSetFloat(IniSection *section, const char *key, float value);
bool IniSetDouble(IniSection *section, const char *key, double value);
bool IniSetVersion(IniSection *section);
