#include <windows.h>

#include "lib/ini/ini_platform.h"

bool IniIsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }
