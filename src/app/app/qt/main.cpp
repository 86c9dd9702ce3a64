#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <cstring>

#include "app/program_help.h"
#include "app/qt/main_window.h"
#include "app/qt/qt_text.h"
#include "doc/settings_location.h"

namespace {

std::filesystem::path SettingsFileOfThisRun() {
  return vantorel::SettingsFileForProgram(
      vantorel::PathFromQt(QCoreApplication::applicationDirPath()));
}

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("%s\n", vantorel::VersionText(vantorel::WindowHelp().Name).c_str());
      return 0;
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      QCoreApplication core(argc, argv);
      const QString file = QDir::toNativeSeparators(vantorel::PathToQt(SettingsFileOfThisRun()));
      std::printf("%s\nSettings file of this run: %s\n", vantorel::WindowHelp().Text.c_str(),
                  file.toUtf8().constData());
      return 0;
    }
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName("Vantorel");

  vantorel::StartContext context;
  for (const QString& argument : QCoreApplication::arguments().mid(1))
    context.Arguments.push_back(vantorel::FromQt(argument));
  context.ProgramPath = vantorel::PathFromQt(QCoreApplication::applicationFilePath());
  context.SettingsPath = SettingsFileOfThisRun();

  return vantorel::RunMainWindow(context);
}
