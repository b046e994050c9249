// The interface's language: Japanese where the system's ANSI code page is 932, English elsewhere.
#pragma once

enum class Language { kJapanese, kEnglish };
