// The heap the INI library takes from the platform. It lives in a file of its
// own so that a test can put a failing heap in place of the real one.
#pragma once

#include <cstddef>

// A block of `size` bytes, zero-filled when asked; null when memory runs out.
void *IniHeapAlloc(size_t size, bool zeroed);
void IniHeapFree(void *block);
