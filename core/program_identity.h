#pragma once

#include <string_view>

// Who the program is: the texts that name it in captions, reports and written files.
namespace vantorel {

inline constexpr std::string_view kApplicationTitle = "Vantorel";
inline constexpr std::string_view kVersionCaption = "Vantorel 1.1 BETA";
inline constexpr std::string_view kVersionLine = "Version 1.1 BETA";
inline constexpr std::string_view kReleaseDate = "23. April 2003";
inline constexpr std::string_view kDebugSuffix = " - [debug mode]";

inline constexpr std::string_view kAuthorName = "the Vantorel developers";
inline constexpr std::string_view kHomepage = "https://vantorel.org";
inline constexpr std::string_view kMailAddress = "team@vantorel.org";

}  // namespace vantorel
