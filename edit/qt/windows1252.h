#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace vantorel {

// The game's files and the program's texts use the Windows code page 1252. Its five unassigned
// bytes map to the control characters of the same number, as Windows maps them.
QString FromWindows1252(std::string_view bytes);
// Characters the code page lacks become "?", one per character.
std::string ToWindows1252(const QString& text);

}  // namespace vantorel
