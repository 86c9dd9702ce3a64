#pragma once

#include <QString>
#include <filesystem>
#include <string>
#include <string_view>

// The one place where the editor's texts and paths cross into Qt and back. The editor's texts
// are UTF-8 with CR LF line breaks; paths are std::filesystem::path.
namespace vantorel {

QString ToQt(const std::string& text);
std::string FromQt(const QString& text);
QString PathToQt(const std::filesystem::path& path);
std::filesystem::path PathFromQt(const QString& path);
// Game text kept as Windows-1252 bytes (names, collision scripts), shown and taken back.
// Characters the code page cannot hold become "?".
QString Windows1252ToQt(std::string_view bytes);
std::string QtToWindows1252(const QString& text);
// "Text|pattern|Text|pattern" as a Qt file dialog filter.
QString QtFilter(const std::string& filter);

}  // namespace vantorel
