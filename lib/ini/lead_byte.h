// The code page's double-byte characters, as the INI library splits text.
#pragma once

// True for the first byte of a double-byte character of the ANSI code page.
bool IniIsLeadByte(unsigned char byte);
