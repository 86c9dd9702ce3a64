#pragma once

#include <QDialog>
#include <filesystem>

#include "doc/settings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QSpinBox;

namespace vantorel {

// The Main Settings dialog (TForm3): window size, sphere segments, antialiasing and the undo
// history's memory on one tab, the questions and the hint on the other. It only shows and returns
// values.
class MainSettingsDialog : public QDialog {
  Q_OBJECT

 public:
  MainSettingsDialog(const Settings& settings, const std::filesystem::path& settingsFile,
                     QWidget* parent = nullptr);

  // The settings it was opened with, with the values of its controls.
  Settings Values() const;

 private:
  void Load(const Settings& settings);

  Settings settings_;
  QButtonGroup* windowSize_;
  QSpinBox* collisionSegments_;
  QSpinBox* boundingSegments_;
  QComboBox* antialiasing_;
  QSpinBox* undoMemory_;
  QCheckBox* askRecalc_;
  QCheckBox* askApply_;
  QCheckBox* askDelete_;
  QCheckBox* askSurface_;
  QCheckBox* unknownSurfaceHint_;
};

}  // namespace vantorel
