// Without a Windows code page to ask, the driver's files are taken as code
// page 932.
#include "lib/ini/lead_byte.h"

bool IniIsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
