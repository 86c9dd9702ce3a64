#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "ops/select_colls_request.h"

class QLabel;
class QListWidget;

namespace vantorel {

// Lists the colls of another file and returns the ones picked: any number for an import,
// exactly one for a replace. The accept button does nothing until that many are selected.
class SelectCollsDialog : public QDialog {
  Q_OBJECT

 public:
  explicit SelectCollsDialog(const SelectCollsRequest& request, QWidget* parent = nullptr);

  // The selected lines' indices in list order.
  std::vector<int> Selected() const;

  static std::optional<std::vector<int>> Ask(QWidget* parent, const SelectCollsRequest& request);

 private:
  void ShowCount();
  void TryAccept();

  bool replace_;
  QListWidget* list_;
  QLabel* count_;
};

}  // namespace vantorel
