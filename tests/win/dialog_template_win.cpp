#include "tests/win/dialog_template_win.h"

WORD TemplateReader::Word() {
  unsigned low = Byte();
  return static_cast<WORD>(low | Byte() << 8);
}

DWORD TemplateReader::Dword() {
  DWORD low = Word();
  return low | static_cast<DWORD>(Word()) << 16;
}

std::string TemplateReader::NameOrOrdinal() {
  WORD first = Word();
  if (first == 0xFFFF) {
    WORD ordinal = Word();
    return ordinal == 0x0081 ? "Edit" : "#" + std::to_string(ordinal);
  }
  std::string name;
  for (WORD c = first; c != 0; c = Word()) name += static_cast<char>(c);
  return name;
}

unsigned TemplateReader::Byte() {
  unsigned byte = at_ < bytes_.size() ? static_cast<unsigned char>(bytes_[at_]) : 0u;
  ++at_;
  return byte;
}

bool operator==(const TemplateItem &a, const TemplateItem &b) {
  return a.exStyle == b.exStyle && a.style == b.style && a.x == b.x && a.y == b.y && a.cx == b.cx &&
         a.cy == b.cy && a.id == b.id && lstrcmpiA(a.windowClass.c_str(), b.windowClass.c_str()) == 0 &&
         a.text == b.text;
}

std::ostream &operator<<(std::ostream &out, const TemplateItem &i) {
  return out << "{id " << i.id << " class '" << i.windowClass << "' text '" << i.text << "' style 0x"
             << std::hex << i.style << " ex 0x" << i.exStyle << std::dec << " at " << i.x << "," << i.y << " "
             << i.cx << "x" << i.cy << "}";
}
