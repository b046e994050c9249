#include <windows.h>

#include "ini/ini_platform.h"

bool IniIsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }
