#include "ops/qt/select_colls_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/qt/dialog_buttons.h"
#include "app/qt/qt_text.h"

namespace vantorel {

SelectCollsDialog::SelectCollsDialog(const SelectCollsRequest& request, QWidget* parent)
    : QDialog(parent), replace_(request.Replace) {
  setObjectName("TForm7");
  setWindowTitle(ToQt(request.Caption));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setModal(true);

  auto* prompt = new QLabel(ToQt(request.Prompt));
  prompt->setObjectName("Label1");
  prompt->setWordWrap(true);
  prompt->setMinimumHeight(2 * prompt->fontMetrics().lineSpacing());
  list_ = new QListWidget;
  list_->setObjectName("lbxImp");
  list_->setUniformItemSizes(true);
  list_->setSelectionMode(replace_ ? QAbstractItemView::SingleSelection
                                   : QAbstractItemView::ExtendedSelection);
  for (const std::string& line : request.Lines)
    list_->addItem(ToQt(line));
  count_ = new QLabel;
  count_->setObjectName("Label2");
  count_->setAlignment(Qt::AlignCenter);
  auto* keptName = new QLabel(ToQt(request.KeptName));
  keptName->setObjectName("Label3");
  keptName->setAlignment(Qt::AlignCenter);
  count_->setVisible(!replace_);
  keptName->setVisible(replace_);
  ShowCount();

  connect(list_, &QListWidget::itemSelectionChanged, this, &SelectCollsDialog::ShowCount);
  QHBoxLayout* buttons =
      AcceptCancelRow(this, replace_ ? "&Replace" : "&Import", [this] { TryAccept(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(list_, 1);
  layout->addWidget(count_);
  layout->addWidget(keptName);
  layout->addLayout(buttons);
}

std::vector<int> SelectCollsDialog::Selected() const {
  std::vector<int> rows;
  for (const QModelIndex& index : list_->selectionModel()->selectedRows())
    rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

std::optional<std::vector<int>> SelectCollsDialog::Ask(QWidget* parent,
                                                       const SelectCollsRequest& request) {
  SelectCollsDialog dialog(request, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Selected();
}

void SelectCollsDialog::ShowCount() {
  const auto selected = static_cast<int>(list_->selectionModel()->selectedRows().size());
  count_->setText(ToQt(SelectionCountText(selected, list_->count())));
}

void SelectCollsDialog::TryAccept() {
  const std::size_t selected = Selected().size();
  if (replace_ ? selected == 1 : selected >= 1) accept();
}

}  // namespace vantorel
