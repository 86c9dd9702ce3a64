#pragma once

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace vantorel::testing {

// A float rounded to six significant digits (halves away from zero), as the nearest float: what
// a collision script keeps of a real. Worked out through the C library in the "C" locale,
// independently of the program's own number code.
inline float SixDigits(float value) {
  if (value == 0) return 0;
  char text[80];
  std::snprintf(text, sizeof text, "%.40e", std::fabs(static_cast<double>(value)));
  // "d.ddddd...e+XX": six digits kept, the seventh decides.
  const std::string digits = std::string(1, text[0]) + std::string(text + 2, 5);
  const long long kept = std::atoll(digits.c_str()) + (text[7] >= '5' ? 1 : 0);
  const int exponent = std::atoi(std::strchr(text, 'e') + 1);
  std::snprintf(text, sizeof text, "%llde%d", kept, exponent - 5);
  const float result = std::strtof(text, nullptr);
  return value < 0 ? -result : result;
}

}  // namespace vantorel::testing
