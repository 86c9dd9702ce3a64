#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace vantorel {

// Coll names and the program's texts are Windows-1252 bytes. Bytes without a character in that
// code page (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the control characters of the same number,
// so every byte string survives the way there and back.
QString FromWindows1252(std::string_view bytes);
// Characters the code page does not hold become "?".
std::string ToWindows1252(const QString& text);

// A text for a label or message box: Windows-1252 bytes with CR LF line breaks made plain.
QString DisplayText(std::string_view bytes);

}  // namespace vantorel
