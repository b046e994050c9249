// Documents live on the process heap, apart from the C runtime's allocations.
#include <windows.h>

#include "lib/ini/ini_platform.h"

void *IniHeapAlloc(size_t size, bool zeroed) {
  return HeapAlloc(GetProcessHeap(), zeroed ? HEAP_ZERO_MEMORY : 0, size);
}

void IniHeapFree(void *block) {
  if (block) HeapFree(GetProcessHeap(), 0, block);
}
