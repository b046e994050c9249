#include "lib/config/soundfont_file.h"

#include <cstdio>

namespace {

uint32_t LittleEndian32(std::string_view bytes) {
  uint32_t value = 0;
  for (size_t i = 4; i-- > 0;) value = value << 8 | static_cast<unsigned char>(bytes[i]);
  return value;
}

// INAM's text within the INFO list's body, walking its chunks as far as the
// bytes go. Each chunk's body is padded to an even length.
std::string FindName(std::string_view info) {
  while (info.size() >= 8) {
    std::string_view id = info.substr(0, 4);
    uint64_t size = LittleEndian32(info.substr(4, 4));
    info.remove_prefix(8);
    if (id == "INAM") {
      std::string_view name = info.substr(0, size < info.size() ? static_cast<size_t>(size) : info.size());
      name = name.substr(0, name.find('\0'));
      return std::string(name.substr(0, kSoundfontNameLimit));
    }
    uint64_t step = size + (size & 1);
    if (step >= info.size()) break;
    info.remove_prefix(static_cast<size_t>(step));
  }
  return "";
}

}  // namespace

SoundfontHead ReadSoundfontHead(std::string_view head, uint64_t fileSize) {
  SoundfontHead result;
  head = head.substr(0, kSoundfontHeadLimit);
  if (head.size() < 12) {
    // Only the start of a header: cut short if what is there is one.
    static const std::string_view kStart("RIFF\0\0\0\0sfbk", 12);
    bool riff = head.size() >= 4 && head.substr(0, 4) == "RIFF";
    bool form = head.size() <= 8 || kStart.substr(8, head.size() - 8) == head.substr(8);
    if (riff && form) result.status = SoundfontStatus::kTruncated;
    return result;
  }
  if (head.substr(0, 4) != "RIFF" || head.substr(8, 4) != "sfbk") return result;
  uint64_t riffSize = LittleEndian32(head.substr(4, 4));
  result.status = riffSize + 8 > fileSize ? SoundfontStatus::kTruncated : SoundfontStatus::kOk;
  std::string_view body = head.substr(12);
  if (body.size() >= 12 && body.substr(0, 4) == "LIST" && body.substr(8, 4) == "INFO") {
    uint64_t listSize = LittleEndian32(body.substr(4, 4));
    std::string_view info = body.substr(12);
    if (listSize >= 4 && listSize - 4 < info.size()) info = info.substr(0, static_cast<size_t>(listSize - 4));
    result.name = FindName(info);
  }
  return result;
}

std::string SoundfontSizeText(uint64_t size) {
  const double kKb = 1024, kMb = kKb * 1024;
  char text[32];
  double value = static_cast<double>(size);
  // One decimal as printed: a size just below one MB would print as
  // "1024.0 KB", so it is shown in MB.
  if (value / kKb < 1023.95)
    std::snprintf(text, sizeof text, "%.1f KB", value / kKb);
  else
    std::snprintf(text, sizeof text, "%.1f MB", value / kMb);
  return text;
}
