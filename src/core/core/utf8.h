#pragma once

#include <string>

namespace vantorel {

// Appends one Unicode character as UTF-8 (one to four bytes).
void AppendUtf8(std::string& out, char32_t c);

}  // namespace vantorel
