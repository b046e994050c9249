#include "lib/config/text.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "lib/ini/lead_byte.h"

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// White space as the C library's number readers skip it.
bool IsWhiteSpace(char c) { return IsBlankChar(c) || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

size_t SkipWhiteSpace(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && IsWhiteSpace(text[at])) ++at;
  return at;
}

size_t SkipDigits(std::string_view text, size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

}  // namespace

int32_t ReadDecimal(std::string_view text) {
  size_t at = SkipWhiteSpace(text);
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  // Past the 32-bit range the value sticks at its end, as strtol does there.
  int64_t value = 0;
  for (; at < text.size() && IsDigit(text[at]); ++at)
    if (value <= INT32_MAX) value = value * 10 + (text[at] - '0');
  if (negative) value = -value;
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

bool StartsWithDecimal(std::string_view text) {
  text = SkipBlanks(text);
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) text.remove_prefix(1);
  return !text.empty() && IsDigit(text[0]);
}

bool ParseExactDecimal(std::string_view text, int32_t *number) {
  size_t digits = !text.empty() && text[0] == '-' ? 1 : 0;
  if (text.size() == digits || text.size() > digits + 10 || SkipDigits(text, digits) != text.size())
    return false;
  int64_t value = 0;
  for (size_t i = digits; i < text.size(); ++i) value = value * 10 + (text[i] - '0');
  if (digits) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) return false;
  *number = static_cast<int32_t>(value);
  return true;
}

double ReadFraction(std::string_view text) {
  // Only the plain decimal form counts; "inf", "nan" and hexadecimal are no numbers.
  size_t start = SkipWhiteSpace(text);
  size_t at = start;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
  size_t integer = SkipDigits(text, at);
  size_t end = integer;
  if (end < text.size() && text[end] == '.') end = SkipDigits(text, end + 1);
  if (end == at || (end == at + 1 && integer == at)) return 0;  // no digit at all
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    size_t exponent = end + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    size_t digits = SkipDigits(text, exponent);
    if (digits > exponent) end = digits;
  }
  double value = std::strtod(std::string(text.substr(start, end - start)).c_str(), nullptr);
  return std::isfinite(value) ? value : 0;
}

size_t LastSeparator(std::string_view path, char separator) {
  const bool windows = separator == '\\';
  size_t last = std::string_view::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '/' || (windows && (path[i] == '\\' || path[i] == ':'))) last = i;
    if (windows && IniIsLeadByte(static_cast<unsigned char>(path[i]))) ++i;
  }
  return last;
}

std::string_view FileNameOf(std::string_view path, char separator) {
  size_t last = LastSeparator(path, separator);
  return last == std::string_view::npos ? path : path.substr(last + 1);
}
