#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantorel {

inline constexpr std::string_view kCollisionMimeType = "application/x-gta3-collision";
inline constexpr std::string_view kCollisionTypeComment = "GTA3 Collision File";
inline constexpr std::string_view kDesktopEntryId = "vantorel.desktop";

// Makes the program the one that opens ".col" files for the current user's desktop: the
// registry's file class on Windows, the freedesktop.org MIME, desktop entry and default
// application files elsewhere. Returns nullopt on success, or the text to show naming what could
// not be written. The first failure ends the registration; what was written before it stays.
std::optional<std::string> RegisterFileType(const std::string& programPath);

// The shared-mime-info package that declares the collision file type for "*.col".
std::string CollisionMimePackage();

// The program as a command-line argument of a desktop entry's Exec key, quoted and escaped when
// it holds characters the key reserves. A plain path stays bare because the xdg-utils fallbacks
// take Exec's first word literally.
std::string DesktopExecArgument(std::string_view programPath);

// The desktop entry that offers the program for collision files.
std::string CollisionDesktopEntry(std::string_view programPath);

// mimeappsList with desktopId made the default application of mimeType and added first to its
// added associations, and taken out of its removed associations. Every other line is kept as it
// was; running it again changes nothing.
std::string SetDefaultApplication(std::string_view mimeappsList, std::string_view mimeType,
                                  std::string_view desktopId);

}  // namespace vantorel
