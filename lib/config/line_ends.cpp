#include "lib/config/line_ends.h"

#include "lib/files/lines.h"

namespace {

std::string_view LineEndBytes(LineEnd end) {
  switch (end) {
    case LineEnd::kLf:
      return "\n";
    case LineEnd::kCrLf:
      break;
  }
  return "\r\n";
}

}  // namespace

LineEnd FirstLineEnd(std::string_view bytes) {
  // A lone CR is never chosen: the driver's engine reads up to the next LF,
  // so a file of lone CRs would be one line to it.
  size_t at = bytes.find('\n');
  if (at == std::string_view::npos) return LineEnd::kCrLf;
  return at > 0 && bytes[at - 1] == '\r' ? LineEnd::kCrLf : LineEnd::kLf;
}

std::string WithLineEnds(std::string_view text, LineEnd end) {
  const std::string_view endBytes = LineEndBytes(end);
  std::string out;
  out.reserve(text.size());
  for (;;) {
    size_t at = FindLineEnd(text);
    out.append(text.substr(0, at));
    if (at == std::string_view::npos) return out;
    out.append(endBytes);
    text.remove_prefix(at + LineEndLength(text, at));
  }
}
