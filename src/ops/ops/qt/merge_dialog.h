#pragma once

#include <QDialog>
#include <optional>
#include <string>
#include <vector>

#include "ops/merge.h"

class QComboBox;
class QLineEdit;

namespace vantorel {

// Asks which two colls to merge and the merged coll's name. OK closes the dialog only for a
// name of allowed characters and enough length.
class MergeDialog : public QDialog {
  Q_OBJECT

 public:
  // lines: the coll list lines in file order (UTF-8); current: the coll both lists start on.
  MergeDialog(const std::vector<std::string>& lines, int current, QWidget* parent = nullptr);

  // The chosen colls and the trimmed name; meaningful after OK.
  MergeChoice Choice() const;

  static std::optional<MergeChoice> Ask(QWidget* parent, const std::vector<std::string>& lines,
                                        int current);

 private:
  void TryAccept();

  QComboBox* first_;
  QComboBox* second_;
  QLineEdit* name_;
};

}  // namespace vantorel
