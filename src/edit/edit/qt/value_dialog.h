#pragma once

#include <QDialog>
#include <array>
#include <optional>

#include "core/surface_types.h"
#include "edit/element_values.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace vantorel {

// The value dialog of a sphere (centre and radius) or a box (minimum and maximum corner) and its
// surface type. OK checks that every shown field holds a number and stays open with "Invalid
// input!" otherwise; the dialog changes nothing, it returns what was entered.
class ValueDialog : public QDialog {
  Q_OBJECT

 public:
  ValueDialog(const QString& caption, const ElementValues& values, const SurfaceTypeTable& surfaces,
              char decimalSeparator, QWidget* parent = nullptr);

  // The values entered, once the dialog was closed with OK.
  const std::optional<ElementValues>& Result() const { return result_; }

  // Shows the dialog modally and returns the values entered, or nothing on Cancel.
  static std::optional<ElementValues> Ask(QWidget* owner, const QString& caption,
                                          const ElementValues& values,
                                          const SurfaceTypeTable& surfaces, char decimalSeparator);

  void accept() override;

 private:
  ElementValues values_;
  char separator_;
  std::array<QLineEdit*, 7> edits_{};
  QComboBox* surfaces_ = nullptr;
  std::optional<ElementValues> result_;
};

}  // namespace vantorel
