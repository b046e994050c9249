// What the INI library takes from the platform: its heap and the code page's
// lead bytes. Each lives in its own file so that a test can put a failing
// heap in place of the real one.
#pragma once

#include <cstddef>

// A block of `size` bytes, zero-filled when asked; null when memory runs out.
void *IniHeapAlloc(size_t size, bool zeroed);
void IniHeapFree(void *block);

// True for the first byte of a double-byte character of the ANSI code page.
bool IniIsLeadByte(unsigned char byte);
