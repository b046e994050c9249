// The language this run of a program shows, and its texts.
#pragma once

#include "lib/texts/texts.h"

// Chosen at the first call from the system's ANSI code page, which decides
// what the programs' byte strings can show, never from the user interface
// language: a system with an English interface and Japanese for non-Unicode
// programs shows Japanese. The same for the whole run.
Language InterfaceLanguage();

// The text `id` in the interface's language.
const char *UiText(TextId id);
