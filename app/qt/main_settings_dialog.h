#pragma once

#include <QDialog>

#include "app/settings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QSpinBox;

namespace vantorel {

// The Main Settings dialog: window size, sphere segments and antialiasing on one tab, the
// questions and the hint on the other. It only shows and returns values.
class TForm3 : public QDialog {
  Q_OBJECT

 public:
  TForm3(const MainSettingsValues& values, QWidget* parent = nullptr);

  MainSettingsValues Values() const;

 private:
  void Load(const MainSettingsValues& values);

  QButtonGroup* windowSize_;
  QSpinBox* collisionSegments_;
  QSpinBox* boundingSegments_;
  QComboBox* antialiasing_;
  QCheckBox* askRecalc_;
  QCheckBox* askApply_;
  QCheckBox* askDelete_;
  QCheckBox* askSurface_;
  QCheckBox* unknownSurfaceHint_;
};

}  // namespace vantorel
