// Any bytes, read as a file and written back, must give a file that reads
// and writes back to the very same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "lib/ini/ini.h"

namespace {

std::string ReadAndWrite(const char *data, size_t size) {
  IniFile ini;
  if (!IniParse(ini, data, size)) std::abort();
  std::string text;
  if (!IniRender(ini, &text)) std::abort();
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::string first = ReadAndWrite(reinterpret_cast<const char *>(data), size);
  std::string second = ReadAndWrite(first.data(), first.size());
  if (first != second) std::abort();
  return 0;
}
