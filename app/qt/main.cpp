#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <cstdio>
#include <cstring>

#include "app/qt/main_window.h"
#include "app/qt/qt_text.h"
#include "app/settings_location.h"

namespace {

const char* kHelp =
    "Usage: vantorel [FILE.col] [DEBUG]\n"
    "\n"
    "Vantorel, an editor for the collision files (.col) of GTA III and Vice City.\n"
    "\n"
    "  FILE.col   open this collision file at start (the first existing file named wins)\n"
    "  DEBUG      start in debug mode (any case)\n"
    "  --help     show this text\n"
    "\n"
    "Settings are kept in Vantorel.ini beside the program when that folder is writable,\n"
    "otherwise in the per-user configuration folder (%s).\n";

}  // namespace

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      QCoreApplication core(argc, argv);
      QCoreApplication::setApplicationName("Vantorel");
      const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
      std::printf(kHelp, qPrintable(QDir::toNativeSeparators(config)));
      return 0;
    }
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName("Vantorel");

  vantorel::StartContext context;
  for (const QString& argument : QCoreApplication::arguments().mid(1))
    context.Arguments.push_back(vantorel::FromQt(argument));
  context.ProgramPath = vantorel::PathFromQt(QCoreApplication::applicationFilePath());
  context.SettingsPath = vantorel::SettingsFilePath(
      vantorel::PathFromQt(QCoreApplication::applicationDirPath()),
      vantorel::PathFromQt(QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation)));

  return vantorel::RunMainWindow(context);
}
