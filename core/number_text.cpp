#include "core/number_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace nubera {

std::optional<double> textToNumber(std::string_view text) {
  auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  // Only digits, one point and an exponent: no "inf", "nan" or hexadecimal.
  if (text.empty() ||
      !(std::isdigit(static_cast<unsigned char>(text.front())) || text.front() == '.')) {
    return std::nullopt;
  }
  double value = 0;
  auto [end, ec] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

std::string numberToText(double value) {
  if (!std::isfinite(value)) return "0";
  if (value == 0) return "0";
  // Round to 15 significant digits, then lay the digits out without an exponent.
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.14e", std::fabs(value));
  std::string digits;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p) {
    if (*p != '.') digits += *p;
  }
  int exponent = std::atoi(p + 1);
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out = value < 0 ? "-" : "";
  int pointAt = exponent + 1;  // digits before the point
  if (pointAt <= 0) {
    out += "0." + std::string(-pointAt, '0') + digits;
  } else if (pointAt >= static_cast<int>(digits.size())) {
    out += digits + std::string(pointAt - digits.size(), '0');
  } else {
    out += digits.substr(0, pointAt) + "." + digits.substr(pointAt);
  }
  return out;
}

std::optional<std::string> heightForWidth(std::string_view width) {
  auto w = textToNumber(width);
  if (!w) return std::nullopt;
  return numberToText(*w / 4 * 3);
}

}  // namespace nubera
