#include "lib/config/option_lines.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view SkipBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSpace(char c) { return IsBlank(c) || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

size_t SkipDigits(std::string_view text, size_t at) {
  while (at < text.size() && IsDigit(text[at])) ++at;
  return at;
}

}  // namespace

bool FindOptionText(std::string_view line, std::string_view *option) {
  std::string_view text = SkipBlanks(line);
  if (StartsWith(text, "#extension")) text = SkipBlanks(text.substr(10));
  if (!StartsWith(text, "opt")) return false;
  *option = SkipBlanks(text.substr(3));
  return true;
}

bool IsShortOption(std::string_view option) {
  return option.size() >= 2 && option[0] == '-' && option[1] != '-';
}

std::string_view ShortOptionValue(std::string_view option) { return SkipBlanks(option.substr(2)); }

int32_t ReadDecimal(std::string_view text) {
  size_t at = 0;
  while (at < text.size() && IsSpace(text[at])) ++at;
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

double ReadFraction(std::string_view text) {
  // Only the plain decimal form counts; "inf", "nan" and hexadecimal are no numbers.
  size_t start = 0;
  while (start < text.size() && IsSpace(text[start])) ++start;
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
