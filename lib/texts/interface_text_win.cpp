#include "lib/texts/interface_text_win.h"

#include <windows.h>

Language InterfaceLanguage() {
  static const Language chosen = LanguageOfCodePage(GetACP());
  return chosen;
}

const char *UiText(TextId id) { return TextIn(InterfaceLanguage(), id); }
