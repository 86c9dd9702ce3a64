#pragma once

#include <string>
#include <string_view>

// Game text (coll names, surface names) is kept as the Windows code page 1252 bytes the game's
// files hold; everything the program shows or takes from a person is UTF-8. These two convert.
namespace vantorel {

std::string Windows1252ToUtf8(std::string_view text);
// Characters that Windows-1252 cannot hold become '?'.
std::string Utf8ToWindows1252(std::string_view text);

}  // namespace vantorel
