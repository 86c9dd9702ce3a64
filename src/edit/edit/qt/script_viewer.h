#pragma once

#include <QDialog>
#include <string>

class QAction;
class QPlainTextEdit;

namespace vantorel {

// Shows a collision script in a fixed-pitch memo, read-only until the user unchecks "Read only",
// and saves the memo's text, edited or not, as a script file. Saving leaves the viewer open.
class ScriptViewer : public QDialog {
  Q_OBJECT

 public:
  // script and collName are in the Windows code page; folder is where the save dialog opens.
  ScriptViewer(const std::string& script, const std::string& collName, const QString& folder,
               QWidget* parent = nullptr);

 private:
  void Save();
  // Wide enough for the longest line and high enough for all lines, within the screen.
  QSize ContentSize(int menuHeight) const;

  QPlainTextEdit* memo_;
  QString fileName_;
  QString folder_;
};

}  // namespace vantorel
