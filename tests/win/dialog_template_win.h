// Reads a dialog template resource field by field, so that a test can check
// what the resource compiler made of a script.
#pragma once

#include <windows.h>

#include <cstddef>
#include <ostream>
#include <string>

// Walks an extended dialog template; past the end it reads zeros.
class TemplateReader {
 public:
  explicit TemplateReader(const std::string &bytes) : bytes_(bytes) {}
  WORD Word();
  DWORD Dword();
  short Short() { return static_cast<short>(Word()); }
  // A name or an ordinal (written "#n"); the edit class's ordinal as "Edit".
  std::string NameOrOrdinal();
  void AlignToDword() { at_ = (at_ + 3) & ~size_t(3); }
  bool AtEnd() const { return at_ >= bytes_.size(); }

 private:
  unsigned Byte();
  const std::string &bytes_;
  size_t at_ = 0;
};

// The dialog or one of its controls, as the template describes it.
struct TemplateItem {
  DWORD exStyle, style;
  short x, y, cx, cy;
  DWORD id;
  std::string windowClass, text;
};
// Window class names are not case-sensitive, and the resource compiler
// writes them in capitals.
bool operator==(const TemplateItem &a, const TemplateItem &b);
std::ostream &operator<<(std::ostream &out, const TemplateItem &i);
