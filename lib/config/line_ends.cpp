#include "lib/config/line_ends.h"

namespace {

std::string_view LineEndBytes(LineEnd end) {
  switch (end) {
    case LineEnd::kLf:
      return "\n";
    case LineEnd::kCr:
      return "\r";
    case LineEnd::kCrLf:
      break;
  }
  return "\r\n";
}

}  // namespace

LineEnd FirstLineEnd(std::string_view bytes) {
  size_t at = bytes.find_first_of("\r\n");
  if (at == std::string_view::npos) return LineEnd::kCrLf;
  if (bytes[at] == '\n') return LineEnd::kLf;
  return at + 1 < bytes.size() && bytes[at + 1] == '\n' ? LineEnd::kCrLf : LineEnd::kCr;
}

std::string WithLineEnds(std::string_view text, LineEnd end) {
  const std::string_view endBytes = LineEndBytes(end);
  std::string out;
  out.reserve(text.size());
  for (;;) {
    size_t at = text.find_first_of("\r\n");
    out.append(text.substr(0, at));
    if (at == std::string_view::npos) return out;
    size_t length = text.compare(at, 2, "\r\n") == 0 ? 2 : 1;
    out.append(endBytes);
    text.remove_prefix(at + length);
  }
}
