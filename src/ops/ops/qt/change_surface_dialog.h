#pragma once

#include <QDialog>
#include <optional>

#include "ops/surface_change.h"

class QComboBox;

namespace vantorel {

// Shows the material and car-part parameter of one element for changing. A list left without a
// selection returns no value for it, so the element keeps its own.
class ChangeSurfaceDialog : public QDialog {
  Q_OBJECT

 public:
  explicit ChangeSurfaceDialog(const SurfaceDialogValues& values, QWidget* parent = nullptr);

  SurfaceChoice Choice() const;

  static std::optional<SurfaceChoice> Ask(QWidget* parent, const SurfaceDialogValues& values);

 private:
  QComboBox* material_;
  QComboBox* parameter_;
};

}  // namespace vantorel
