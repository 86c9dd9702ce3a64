#pragma once

#include <QString>
#include <filesystem>
#include <string>

// The one place where the editor's texts and paths cross into Qt and back. The editor's texts
// are UTF-8 with CR LF line breaks; paths are std::filesystem::path.
namespace vantorel {

QString ToQt(const std::string& text);
std::string FromQt(const QString& text);
QString PathToQt(const std::filesystem::path& path);
std::filesystem::path PathFromQt(const QString& path);
// "Text|pattern|Text|pattern" as a Qt file dialog filter.
QString QtFilter(const std::string& filter);

}  // namespace vantorel
