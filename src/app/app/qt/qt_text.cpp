#include "app/qt/qt_text.h"

#include <QStringList>

#include "core/windows1252.h"

namespace vantorel {

QString ToQt(const std::string& text) {
  QString converted = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  converted.replace("\r\n", "\n");
  return converted;
}

std::string FromQt(const QString& text) {
  return text.toUtf8().toStdString();
}

QString PathToQt(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

std::filesystem::path PathFromQt(const QString& path) {
  return std::filesystem::path(path.toStdU16String());
}

QString Windows1252ToQt(std::string_view bytes) {
  const std::string utf8 = Windows1252ToUtf8(bytes);
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string QtToWindows1252(const QString& text) {
  return Utf8ToWindows1252(text.toStdString());
}

QString QtFilter(const std::string& filter) {
  const QStringList parts = ToQt(filter).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    filters << QString("%1 (%2)").arg(parts[i], QString(parts[i + 1]).replace(';', ' '));
  }
  return filters.join(";;");
}

}  // namespace vantorel
