// The C allocator stands in for the Windows process heap.
#include <cstdlib>

#include "lib/ini/ini_platform.h"

void *IniHeapAlloc(size_t size, bool zeroed) { return zeroed ? std::calloc(1, size) : std::malloc(size); }

void IniHeapFree(void *block) { std::free(block); }
