#include "lib/ini/ini.h"

#include <cfloat>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

#include "lib/files/lines.h"
#include "lib/ini/ini_platform.h"
#include "lib/ini/lead_byte.h"

namespace {

std::FILE *g_errorStream = nullptr;  // null: the standard output

void ReportFailed(const char *function) {
  std::fprintf(g_errorStream ? g_errorStream : stdout, "error: %s failed.\n", function);
}

// Lines are read as the C runtime's fgets reads them into a buffer of this size.
const size_t kLineBuffer = 2000;

// To 0xFE, past splitting's 0xFC, as the hash has always been summed; it never changes what a lookup finds.
bool IsHashLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFE);
}

// A lead byte and the byte after it form one character only when that byte can
// be a trail byte: every double-byte code page keeps its trail bytes at 0x40
// and above, so no delimiter below that (";", "=", space, line feed, the
// terminator) is ever swallowed by a broken character.
size_t CharLength(const char *p) {
  return IniIsLeadByte(static_cast<unsigned char>(p[0])) && static_cast<unsigned char>(p[1]) >= 0x40 ? 2 : 1;
}

// The first byte of `p` that is one of `delimiters` and not the second byte of
// a double-byte character, or the terminator.
char *FindDelimiter(char *p, const char *delimiters) {
  while (*p && !std::strchr(delimiters, *p)) p += CharLength(p);
  return p;
}

// Ends `name` at a character boundary within kIniNameLimit bytes. A name that
// will be written inside brackets also loses a final broken lead byte, which
// would otherwise take the closing bracket as its second byte.
void LimitName(char *name, bool bracketed) {
  char *p = name;
  char *last = nullptr;
  while (*p) {
    size_t length = CharLength(p);
    if (static_cast<size_t>(p - name) + length > kIniNameLimit) break;
    last = p;
    p += length;
  }
  *p = '\0';
  if (bracketed && last && last + 1 == p && IniIsLeadByte(static_cast<unsigned char>(*last))) *last = '\0';
}

char *CopyString(const char *text, size_t blockSize) {
  char *copy = static_cast<char *>(IniHeapAlloc(blockSize, false));
  if (!copy) {
    ReportFailed("malloc");
    return nullptr;
  }
  std::memcpy(copy, text, std::strlen(text) + 1);
  return copy;
}

IniRecord *NewRecord(const char *name) {
  IniRecord *record = static_cast<IniRecord *>(IniHeapAlloc(sizeof(IniRecord), true));
  if (!record) {
    ReportFailed("calloc");
    return nullptr;
  }
  // A byte more per lead byte and four at the end: the size these blocks always had; the spare is never used.
  size_t size = 4;
  for (const char *p = name; *p; ++p) size += IsHashLeadByte(static_cast<unsigned char>(*p)) ? 2 : 1;
  record->name = CopyString(name, size);
  if (!record->name) {
    IniHeapFree(record);
    return nullptr;
  }
  record->hash = IniNameHash(record->name);
  return record;
}

// The stored hash is compared first; the strings only when it matches.
bool Matches(const IniRecord *record, int32_t hash, const char *name) {
  return record->hash == hash && std::strcmp(record->name, name) == 0;
}

// The link that holds the record of that name, or the null link at the end.
IniRecord **FindLink(IniRecord *&head, const char *name) {
  int32_t hash = IniNameHash(name);
  IniRecord **link = &head;
  while (*link && !Matches(*link, hash, name)) link = &(*link)->next;
  return link;
}

IniRecord *FindRecord(IniRecord *head, const char *name) { return *FindLink(head, name); }

// Returns the record of that name in the list at `head`, appending it when
// absent; null only when memory ran out.
IniRecord *FindOrAppend(IniRecord *&head, const char *name) {
  IniRecord **link = FindLink(head, name);
  return *link ? *link : (*link = NewRecord(name));
}

// The new value is copied before the old one goes, so a failed copy leaves
// the entry as it was.
bool ReplaceValue(IniEntry *entry, const char *value) {
  char *copy = nullptr;
  // Four spare bytes, as a name block has.
  if (value && !(copy = CopyString(value, std::strlen(value) + 4))) return false;
  IniHeapFree(entry->value);
  entry->value = copy;
  return true;
}

void FreeEntries(IniEntry *entry) {
  while (entry) {
    IniEntry *next = entry->next;
    IniHeapFree(entry->value);
    IniHeapFree(entry->key);
    IniHeapFree(entry);
    entry = next;
  }
}

// The entry with its new value; null (the entry as it was) when memory ran
// out or there is no section.
IniEntry *SetEntry(IniSection *section, const char *key, const char *value) {
  if (!section) return nullptr;
  IniEntry *entry = FindOrAppend(section->entries, key);
  return entry && ReplaceValue(entry, value) ? entry : nullptr;
}

bool ReadEntry(IniSection *section, const char *key, const char *value, int32_t number) {
  IniEntry *entry = SetEntry(section, key, value);
  if (entry) entry->line = number;
  return entry != nullptr;
}

// A comment's text: its first word after the leading ";" and spaces.
char *CommentText(char *text) {
  while (*text == ';' || *text == ' ') ++text;
  *FindDelimiter(text, "; ") = '\0';
  LimitName(text, false);
  return text;
}

bool ParseHeader(IniFile &ini, char *name, int32_t number, IniSection **current) {
  char *end = FindDelimiter(name, "]");
  bool closed = *end == ']';
  // An unclosed header names its section with the rest of the line, but not
  // with the line feed, which could not be written back inside brackets.
  if (!closed) end = FindDelimiter(name, "\n");
  *end = '\0';
  LimitName(name, !closed);
  *current = FindOrAppend(ini.first, name);
  if (*current && !(*current)->line) (*current)->line = number;
  return *current != nullptr;
}

bool ParseKeyLine(char *line, int32_t number, IniSection *current) {
  while (*line == '=') ++line;
  char *key = line;
  char *end = FindDelimiter(key, "=");
  char *value = nullptr;
  if (*end == '=') {
    *end = '\0';
    char *rest = end + 1;
    while (*rest == '=') ++rest;
    if (*rest) {
      value = rest;
      *FindDelimiter(rest, "=") = '\0';
    }
  }
  if (!value) {
    // Written back as "; key", so read as that comment from the start.
    key = CommentText(key);
    return !*key || ReadEntry(current, key, nullptr, number);
  }
  // A key that the leading "=" hid would read back as another key, a comment
  // or a header.
  if (!*key || std::strchr(" \t;[", *key)) return true;
  return ReadEntry(current, key, value, number);
}

// One line as fgets gave it, a part of line `number` of the text. Lines
// before the first header have no section to go into and are passed over.
bool ParseLine(IniFile &ini, char *line, int32_t number, IniSection **current) {
  while (*line == ' ' || *line == '\t') ++line;
  if (*line == '[') return ParseHeader(ini, line + 1, number, current);
  *FindDelimiter(line, "\n") = '\0';
  if (!*line || !*current) return true;
  if (*line == ';') {
    char *text = CommentText(line);
    return !*text || ReadEntry(*current, text, nullptr, number);
  }
  return ParseKeyLine(line, number, *current);
}

// Appends `text` as a text-mode stream writes it: every line feed as CR LF.
void AppendText(std::string *out, const char *text) {
  for (; *text; ++text) {
    if (*text == '\n') out->push_back('\r');
    out->push_back(*text);
  }
}

bool SetFormatted(IniSection *section, const char *key, const char *format, double value) {
  // Room for any double in "%f": up to 309 integer digits, sign, point, six decimals.
  char text[DBL_MAX_10_EXP + 16];
  std::snprintf(text, sizeof text, format, value);
  return IniSetString(section, key, text);
}

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// strtoul with base 10 as a 32-bit C runtime has it: a minus sign negates
// modulo 2^32 and a magnitude past 32 bits gives 4294967295.
uint32_t ParseUnsigned32(const char *text) {
  while (IsSpace(*text)) ++text;
  bool negative = *text == '-';
  if (*text == '-' || *text == '+') ++text;
  uint64_t magnitude = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    magnitude = magnitude * 10 + static_cast<uint64_t>(*text - '0');
    if (magnitude > 0xFFFFFFFFu) return 0xFFFFFFFFu;
  }
  uint32_t result = static_cast<uint32_t>(magnitude);
  return negative ? 0u - result : result;
}

}  // namespace

IniFile::IniFile(IniFile &&other) noexcept : first(std::exchange(other.first, nullptr)) {}

IniFile &IniFile::operator=(IniFile &&other) noexcept {
  if (this != &other) {
    IniFree(*this);
    first = std::exchange(other.first, nullptr);
  }
  return *this;
}

IniFile::~IniFile() { IniFree(*this); }

void IniSetErrorStream(std::FILE *stream) { g_errorStream = stream; }

int32_t IniNameHash(const char *name) {
  uint32_t sum = 0;
  for (const unsigned char *p = reinterpret_cast<const unsigned char *>(name); *p; ++p)
    sum += IsHashLeadByte(*p) ? p[0] + 256u * p[1] : p[0];
  return static_cast<int32_t>(sum);
}

bool IniParse(IniFile &ini, const char *text, size_t size) {
  char line[kLineBuffer];
  IniSection *current = nullptr;
  bool ok = true;
  const std::string_view whole(text, size);
  size_t pos = 0;
  int32_t number = 1;
  while (pos < size) {
    // One line, its line end (whatever its form) read as one line feed, in
    // parts of at most kLineBuffer - 1 bytes as fgets returns them, the line
    // feed included. A longer line comes in parts, each numbered as the line.
    size_t length = 0;
    bool ended = false;
    while (!ended && length < kLineBuffer - 1 && pos < size) {
      size_t endLength = LineEndLength(whole, pos);
      ended = endLength != 0;
      line[length++] = ended ? '\n' : text[pos];
      pos += ended ? endLength : 1;
    }
    line[length] = '\0';
    ok = ParseLine(ini, line, number, &current) && ok;
    if (ended) ++number;
  }
  return ok;
}

ReadStatus IniLoad(IniFile &ini, const char *path) {
  std::string text;
  ReadStatus status = ReadWholeFile(path, &text);
  if (status != ReadStatus::kOk) return status;
  return IniParse(ini, text.data(), text.size()) ? ReadStatus::kOk : ReadStatus::kFailed;
}

bool IniRender(const IniFile &ini, std::string *text) {
  try {
    text->clear();
    for (const IniSection *section = ini.first; section; section = section->next) {
      text->push_back('[');
      AppendText(text, section->name);
      text->append("]\r\n");
      for (const IniEntry *entry = section->entries; entry; entry = entry->next) {
        if (!entry->value) text->append("; ");
        AppendText(text, entry->key);
        if (entry->value) {
          text->push_back('=');
          AppendText(text, entry->value);
        }
        text->append("\r\n");
      }
      text->append("\r\n");
    }
  } catch (const std::bad_alloc &) {
    return false;
  }
  return true;
}

bool IniSave(const IniFile &ini, const char *path) {
  std::string text;
  return IniRender(ini, &text) && SafeWriteInRun(ThisRun(), path, text.data(), text.size());
}

void IniFree(IniFile &ini) {
  while (ini.first) {
    IniSection *next = ini.first->next;
    FreeEntries(ini.first->entries);
    IniHeapFree(ini.first->name);
    IniHeapFree(ini.first);
    ini.first = next;
  }
}

IniSection *IniFindSection(const IniFile &ini, const char *name) { return FindRecord(ini.first, name); }

const IniEntry *IniFindEntry(const IniSection *section, const char *key) {
  return section ? FindRecord(section->entries, key) : nullptr;
}

IniSection *IniAddSection(IniFile &ini, const char *name) { return FindOrAppend(ini.first, name); }

bool IniRemoveKey(IniFile &ini, const char *sectionName, const char *key) {
  IniSection *section = IniFindSection(ini, sectionName);
  if (!section) return false;
  IniEntry **link = FindLink(section->entries, key);
  IniEntry *entry = *link;
  if (!entry) return false;
  *link = entry->next;
  entry->next = nullptr;
  FreeEntries(entry);
  return true;
}

void IniGetString(const IniSection *section, const char *key, IniValueArea &out) {
  std::memset(out, 0, sizeof out);
  const IniEntry *entry = IniFindEntry(section, key);
  if (!entry || !entry->value) return;
  const char *value = entry->value;
  // A double-byte character that does not fit whole is left out.
  for (size_t i = 0; value[i];) {
    size_t length = CharLength(value + i);
    if (i + length > kIniValueSize) break;
    std::memcpy(out + i, value + i, length);
    i += length;
  }
}

int32_t IniGetInt(const IniSection *section, const char *key, int32_t fallback) {
  IniValueArea text;
  IniGetString(section, key, text);
  return text[0] ? static_cast<int32_t>(ParseUnsigned32(text)) : fallback;
}

int8_t IniGetChar(const IniSection *section, const char *key, int8_t fallback) {
  return static_cast<int8_t>(IniGetInt(section, key, fallback));
}

int32_t IniGetBool(const IniSection *section, const char *key, int32_t fallback) {
  IniValueArea text;
  IniGetString(section, key, text);
  return text[0] ? std::strtol(text, nullptr, 10) != 0 : fallback;
}

double IniGetFloat(const IniSection *section, const char *key, float fallback) {
  return IniGetDouble(section, key, fallback);
}

double IniGetDouble(const IniSection *section, const char *key, double fallback) {
  IniValueArea text;
  IniGetString(section, key, text);
  return text[0] ? std::strtod(text, nullptr) : fallback;
}

int32_t IniGetVersion(const IniSection *section) { return IniGetInt(section, "ver", 100); }

bool IniSetString(IniSection *section, const char *key, const char *value) {
  return SetEntry(section, key, value) != nullptr;
}

bool IniSetInt(IniSection *section, const char *key, int32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "%d", value);
  return IniSetString(section, key, text);
}

bool IniSetChar(IniSection *section, const char *key, int8_t value) { return IniSetInt(section, key, value); }

bool IniSetFloat(IniSection *section, const char *key, float value) {
  return SetFormatted(section, key, "%f", value);
}

bool IniSetDouble(IniSection *section, const char *key, double value) {
  return SetFormatted(section, key, "%lf", value);
}

bool IniSetVersion(IniSection *section) { return IniSetString(section, "ver", "101"); }
