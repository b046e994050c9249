#include <windows.h>

#include "lib/ini/lead_byte.h"

bool IniIsLeadByte(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }
